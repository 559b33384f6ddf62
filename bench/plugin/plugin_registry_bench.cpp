// The voice registry's costs with the VelaTone plug-in loaded, at several
// numbers of notes so that growth shows: opening a drawing whose stored list
// names every note (the list read, every note registered and given the shared
// reactor) and saving it (the list written first); UpdateAll over every note;
// and erasing 1,000 notes one by one through the registry (each erasure takes
// the note out of its document's list). Not a test: it measures.
//
//   plugin_registry_bench [--notes N[,N...]] [--erase E] [--dir DIR]
//
// Half the notes are Point notes, half are attached to lines of their own.
#include <time.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "arxHeaders.h"
#include "arxhost/application.h"
#include "arxhost/graphics.h"
#include "arxhost/runtime.h"
#include "registry_drawing.h"

namespace {

namespace fs = std::filesystem;

class VelaToneManager;

std::wstring wide(const std::string& s) { return AcString::fromUtf8(s.data(), s.size()).str(); }

double threadCpu()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + t.tv_nsec / 1e9;
}

struct Took {
    double wall = 0;
    double cpu = 0;
};

Took took(const std::function<void()>& step)
{
    const double c0 = threadCpu();
    auto t0 = std::chrono::steady_clock::now();
    step();
    Took t;
    t.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    t.cpu = threadCpu() - c0;
    return t;
}

// The registry's operations, found by name in the loaded module.
struct Registry {
    VelaToneManager* (*manager)() = nullptr;
    void (*getAll)(VelaToneManager*, AcArray<AcDbObjectId>&, AcApDocument*) = nullptr;
    void (*updateAll)(VelaToneManager*, AcApDocument*) = nullptr;
    bool (*erase)(VelaToneManager*, AcDbObjectId, AcApDocument*) = nullptr;

    bool bind()
    {
        void* h = dlopen(PLUGIN_MODULE, RTLD_NOW | RTLD_NOLOAD);
        if (h == nullptr) return false;
        manager = reinterpret_cast<decltype(manager)>(dlsym(h, "_Z14qkVtManagerPtrv"));
        getAll = reinterpret_cast<decltype(getAll)>(
            dlsym(h, "_ZN15VelaToneManager13GetAllObjectsER7AcArrayI12AcDbObjectIdEP12AcApDocument"));
        updateAll = reinterpret_cast<decltype(updateAll)>(dlsym(h, "_ZN15VelaToneManager9UpdateAllEP12AcApDocument"));
        erase = reinterpret_cast<decltype(erase)>(
            dlsym(h, "_ZN15VelaToneManager13EraseVelaToneE12AcDbObjectIdP12AcApDocument"));
        dlclose(h);
        return manager && getAll && updateAll && erase;
    }

    int count(AcApDocument* doc) const
    {
        AcArray<AcDbObjectId> ids;
        getAll(manager(), ids, doc);
        return ids.length();
    }
};

struct Row {
    int notes = 0;
    Took open, save, update, redraw, erase;
    int registered = 0, left = 0;
};

bool measure(arxhost::Application& app, const Registry& reg, const std::string& dir, int notes, int erasures,
             Row& row, std::string& error)
{
    regdwg::Drawing d;
    std::vector<std::string> handles;
    for (int i = 0; i < notes; ++i) {
        const double x = (i % 100) * 10.0, y = (i / 100) * 10.0;
        handles.push_back(i % 2 == 0 ? d.point(x, y) : d.attached(x, y, x + 6, y + 3).second);
    }
    d.storedList(handles);
    const std::string in = dir + "/notes-" + std::to_string(notes) + ".dxf";
    const std::string out = dir + "/saved-" + std::to_string(notes) + ".dwg";
    if (!d.write(in, error)) return false;

    row.notes = notes;
    AcApDocument* doc = nullptr;
    row.open = took([&] { doc = app.openDocument(wide(in), error); });
    if (doc == nullptr) return false;
    row.registered = reg.count(doc);
    bool saved = false;
    row.save = took([&] { saved = app.saveDocument(doc, wide(out), error); });
    if (!saved) return false;
    row.update = took([&] { reg.updateAll(reg.manager(), doc); });
    // What UpdateAll asked for: the notes drawn again at the view's next update.
    row.redraw = took([&] { arxhost::regenerateView(); });

    // The first notes of the list, erased one by one: each leaves the list
    // from near its front, the costliest place.
    AcArray<AcDbObjectId> ids;
    reg.getAll(reg.manager(), ids, doc);
    const int n = std::min(erasures, ids.length());
    row.erase = took([&] {
        for (int i = 0; i < n; ++i) reg.erase(reg.manager(), ids[i], doc);
    });
    row.left = reg.count(doc);
    app.closeDocument(doc);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<int> sizes{2500, 5000, 10000, 20000};
    int erasures = 1000;
    std::string dir = (fs::temp_directory_path() / "plugin_registry_bench").string();
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--notes") == 0) {
            sizes.clear();
            std::stringstream s(argv[i + 1]);
            for (std::string n; std::getline(s, n, ',');) sizes.push_back(std::max(1, std::atoi(n.c_str())));
        }
        if (std::strcmp(argv[i], "--erase") == 0) erasures = std::max(0, std::atoi(argv[i + 1]));
        if (std::strcmp(argv[i], "--dir") == 0) dir = argv[i + 1];
    }
    fs::create_directories(dir);

    arxhost::Application app;
    app.setCommandLine([](const std::wstring&) {});
    std::string error;
    arxhost::addSupportPath(fs::path(PLUGIN_MODULE).parent_path().wstring());
    Registry reg;
    if (!app.loadModule(wide(PLUGIN_MODULE), error) || !reg.bind()) {
        std::fprintf(stderr, "plugin_registry_bench: %s\n", error.empty() ? "no registry in the module" : error.c_str());
        return 1;
    }

    std::printf("%8s %9s %9s %13s %10s %9s %13s %11s %7s\n", "notes", "open ms", "save ms", "UpdateAll ms",
                "redraw ms", "erase ms", "per erase us", "registered", "left");
    for (int notes : sizes) {
        Row r;
        if (!measure(app, reg, dir, notes, erasures, r, error)) {
            std::fprintf(stderr, "plugin_registry_bench: %s\n", error.c_str());
            return 1;
        }
        const int erased = r.registered - r.left;
        std::printf("%8d %9.1f %9.1f %13.1f %10.1f %9.1f %13.1f %11d %7d\n", r.notes, r.open.wall * 1e3,
                    r.save.wall * 1e3, r.update.wall * 1e3, r.redraw.wall * 1e3, r.erase.wall * 1e3, erased > 0 ? r.erase.wall * 1e6 / erased : 0.0,
                    r.registered, r.left);
    }
    fs::remove_all(dir);
    return 0;
}
