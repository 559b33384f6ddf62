// One cursor move over a view of many voice notes and many lines, with the
// VelaTone plug-in's hover monitor listening: the time per input point (the
// entities in the aperture found, every point monitor told) on a note's icon,
// where the tag window is raised or moved, and where the aperture holds only
// lines, and over empty space. Not a test: it measures.
//
//   plugin_hover_bench [--notes N] [--lines L] [--moves M] [--dir DIR]
#include <dlfcn.h>
#include <time.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "arxHeaders.h"
#include "arxhost/application.h"
#include "arxhost/graphics.h"
#include "arxhost/runtime.h"
#include "arxhost/view.h"
#include "rxmfcapi.h"

namespace {

namespace fs = std::filesystem;

std::wstring wide(const std::string& s) { return AcString::fromUtf8(s.data(), s.size()).str(); }

void group(std::string& out, int code, const std::string& value)
{
    char c[8];
    std::snprintf(c, sizeof c, "%3d\n", code);
    out += c;
    out += value;
    out += '\n';
}

std::string hexOf(unsigned h)
{
    char b[20];
    std::snprintf(b, sizeof b, "%X", h);
    return b;
}

// Point notes on a grid 100 wide, 4 units apart, and lines over the same
// area. Handles of the notes are returned for registering them.
void writeDrawing(const std::string& path, int notes, int lines)
{
    std::string d;
    for (auto [c, v] : {std::pair{0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, "AC1027"}, {0, "ENDSEC"},
                        {0, "SECTION"}, {2, "CLASSES"}, {0, "CLASS"}, {1, "VELATONE"}, {2, "QkDbVelaTone"},
                        {3, "VelaToneApp"}, {90, "0"}, {91, "1"}, {280, "0"}, {281, "1"}, {0, "ENDSEC"},
                        {0, "SECTION"}, {2, "ENTITIES"}})
        group(d, c, v);
    unsigned handle = 0x1000;
    for (int i = 0; i < lines; ++i) {
        const double x = (i * 7919) % 4000 / 10.0, y = (i * 104729) % 4000 / 10.0;
        group(d, 0, "LINE");
        group(d, 5, hexOf(handle++));
        group(d, 100, "AcDbEntity");
        group(d, 8, "0");
        group(d, 100, "AcDbLine");
        group(d, 10, std::to_string(x));
        group(d, 20, std::to_string(y));
        group(d, 11, std::to_string(x + 1.5));
        group(d, 21, std::to_string(y + 0.5));
    }
    for (int n = 0; n < notes; ++n) {
        group(d, 0, "VELATONE");
        group(d, 5, hexOf(handle++));
        group(d, 100, "AcDbEntity");
        group(d, 8, "0");
        group(d, 100, "QkDbVelaTone");
        group(d, 90, "1");
        group(d, 70, "0");
        group(d, 10, std::to_string(n % 100 * 4.0));
        group(d, 20, std::to_string(n / 100 * 4.0));
        group(d, 30, "0.0");
        group(d, 290, "0");
        group(d, 1, "Ana");
        group(d, 2, "3-7 9:5");
        group(d, 3, "0.0\"");
    }
    group(d, 0, "ENDSEC");
    group(d, 0, "EOF");
    std::ofstream(path, std::ios::binary) << d;
}

double threadCpu()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + t.tv_nsec / 1e9;
}

}  // namespace

int main(int argc, char** argv)
{
    int notes = 10000, lines = 100000, moves = 2000;
    std::string dir = (fs::temp_directory_path() / "plugin_hover_bench").string();
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--notes") == 0) notes = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--lines") == 0) lines = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--moves") == 0) moves = std::max(1, std::atoi(argv[i + 1]));
        if (std::strcmp(argv[i], "--dir") == 0) dir = argv[i + 1];
    }
    fs::create_directories(dir);
    const std::string path = dir + "/hover.dxf";
    writeDrawing(path, notes, lines);

    arxhost::Application app;
    app.setCommandLine([](const std::wstring&) {});
    std::string error;
    arxhost::addSupportPath(fs::path(PLUGIN_MODULE).parent_path().wstring());
    if (!arxhost::createHostWindows() || !app.loadModule(wide(PLUGIN_MODULE), error)) {
        std::fprintf(stderr, "plugin_hover_bench: %s\n", error.c_str());
        return 1;
    }
    AcApDocument* doc = app.openDocument(wide(path), error);
    if (doc == nullptr) {
        std::fprintf(stderr, "plugin_hover_bench: %s\n", error.c_str());
        return 1;
    }
    // The drawing has no stored voice list: the registry is asked to find the
    // notes, as its scan does, through the plug-in's exported members.
    void* module = dlopen(PLUGIN_MODULE, RTLD_NOW | RTLD_NOLOAD);
    auto managerOf = reinterpret_cast<void* (*)()>(dlsym(module, "_Z13qkVtManagerPtrv"));
    auto scan = reinterpret_cast<void (*)(void*, AcApDocument*)>(
        dlsym(module, "_ZN15VelaToneManager14AppendVelaToneEP12AcApDocument"));
    if (managerOf == nullptr || scan == nullptr || managerOf() == nullptr) {
        std::fprintf(stderr, "plugin_hover_bench: the plug-in's registry cannot be reached\n");
        return 1;
    }
    scan(managerOf(), doc);
    if (doc->inputPointManager()->monitorCount() != 1) {
        std::fprintf(stderr, "plugin_hover_bench: the document has no hover monitor\n");
        return 1;
    }
    // Close in on a part of the drawing, as a user looking at notes does: a
    // view 40 units high over the middle.
    arxhost::ViewState v;
    arxhost::currentView(v);
    v.centerX = 200;
    v.centerY = 200;
    v.height = 40;
    arxhost::setCurrentView(v);
    arxhost::regenerateView();

    // The icon of the note at (200, 200): its lower-left corner 0.6 of 32
    // pixels up and right of the anchor at 45 degrees.
    acedDwgPoint anchor = {200, 200, 0};
    CPoint a;
    acedCoordFromWorldToPixel(0, anchor, a);
    const int hitX = a.x + 13 + 16, hitY = a.y - 13 - 16;
    // Between the notes: 2 units right of an anchor and 1.5 below it (lines only).
    acedDwgPoint between = {202, 198.5, 0};
    CPoint b;
    acedCoordFromWorldToPixel(0, between, b);

    arxhost::inputPointAt(hitX, hitY);  // the tag window is made once
    auto measure = [&](const char* what, int x0, int y0) {
        // Moves of one pixel back and forth around the spot: each is an input point.
        arxhost::inputPointAt(x0, y0);
        const double c0 = threadCpu();
        auto t0 = std::chrono::steady_clock::now();
        for (int i = 0; i < moves; ++i) arxhost::inputPointAt(x0 + (i & 1), y0);
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        const double cpu = threadCpu() - c0;
        std::printf("%-46s %10.2f %10.2f\n", what, cpu * 1e6 / moves, wall * 1e6 / moves);
    };
    std::printf("%d notes, %d lines, %d moves each\n", notes, lines, moves);
    std::printf("%-46s %10s %10s\n", "input point", "cpu us", "wall us");
    measure("on a note's icon (the tag window moves)", hitX, hitY);
    measure("between notes (lines in the aperture)", b.x, b.y);
    // Far outside the drawing: nothing in the aperture.
    v.centerX = -1000;
    arxhost::setCurrentView(v);
    arxhost::regenerateView();
    measure("over empty space", 500, 400);
    // After a zoom every note's drawing changes: the first point pays for it.
    v.centerX = 200;
    v.height = 41;
    arxhost::setCurrentView(v);
    const double c0 = threadCpu();
    arxhost::inputPointAt(hitX, hitY);
    std::printf("%-46s %10.2f\n", "first point after a zoom (regeneration included)", (threadCpu() - c0) * 1e6);
    fs::remove_all(dir);
    return 0;
}
