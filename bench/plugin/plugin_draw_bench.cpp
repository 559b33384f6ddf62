// Regenerating and painting a view of many voice notes and many lines with the
// VelaTone plug-in loaded: the time of a full regeneration of the notes (what a
// zoom costs, since only the notes' drawings depend on the view), per note
// drawn, of a full regeneration of the lines, and of a snapshot (painting the
// view and writing the PNG). Not a test: it measures.
//
//   plugin_draw_bench [--notes N] [--lines L] [--runs R] [--dir DIR]
//
// The notes (default 10,000) are a quarter each point notes with and without
// sound, region notes and notes attached to lines; the lines (default 100,000)
// cover the same area.
#include <time.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include <cairo.h>

#include "arxHeaders.h"
#include "arxhost/application.h"
#include "arxhost/graphics.h"
#include "arxhost/runtime.h"
#include "arxhost/view.h"

namespace {

namespace fs = std::filesystem;

std::wstring wide(const std::string& s) { return AcString::fromUtf8(s.data(), s.size()).str(); }

class DxfText {
public:
    void group(int code, const std::string& value)
    {
        char c[8];
        std::snprintf(c, sizeof c, "%3d\n", code);
        mBuf += c;
        mBuf += value;
        mBuf += '\n';
    }
    void point(int code, double x, double y)
    {
        group(code, std::to_string(x));
        group(code + 10, std::to_string(y));
        group(code + 20, "0.0");
    }
    std::string& text() { return mBuf; }

private:
    std::string mBuf;
};

std::string hexOf(unsigned h)
{
    char b[20];
    std::snprintf(b, sizeof b, "%X", h);
    return b;
}

// A drawing of notes and lines, as the authoring application writes it. The
// notes stand on a grid 100 wide; the lines cross the same area.
void writeDrawing(const std::string& path, int notes, int lines)
{
    DxfText d;
    d.group(0, "SECTION");
    d.group(2, "HEADER");
    d.group(9, "$ACADVER");
    d.group(1, "AC1027");
    d.group(0, "ENDSEC");
    d.group(0, "SECTION");
    d.group(2, "CLASSES");
    d.group(0, "CLASS");
    d.group(1, "VELATONE");
    d.group(2, "QkDbVelaTone");
    d.group(3, "VelaToneApp");
    d.group(90, "0");
    d.group(91, std::to_string(notes));
    d.group(280, "0");
    d.group(281, "1");
    d.group(0, "ENDSEC");
    d.group(0, "SECTION");
    d.group(2, "ENTITIES");
    unsigned handle = 0x1000;
    const int side = 100;
    for (int i = 0; i < lines; ++i) {
        const double x = (i * 7919) % 1000 / 10.0, y = (i * 104729) % 1000 / 10.0;
        d.group(0, "LINE");
        d.group(5, hexOf(handle++));
        d.group(100, "AcDbEntity");
        d.group(8, "0");
        d.group(100, "AcDbLine");
        d.point(10, x, y);
        d.point(11, x + 1.5, y + 0.5);
    }
    std::string sound;
    for (int i = 0; i < 400; ++i) sound += "8F";
    for (int n = 0; n < notes; ++n) {
        const double x = n % side, y = n / side;
        std::string attached;
        if (n % 4 == 3) {
            attached = hexOf(handle++);
            d.group(0, "LINE");
            d.group(5, attached);
            d.group(100, "AcDbEntity");
            d.group(8, "0");
            d.group(100, "AcDbLine");
            d.point(10, x, y);
            d.point(11, x + 0.5, y + 0.3);
        }
        d.group(0, "VELATONE");
        d.group(5, hexOf(handle++));
        d.group(100, "AcDbEntity");
        d.group(8, "0");
        d.group(100, "QkDbVelaTone");
        d.group(90, "1");
        d.group(70, std::to_string(n % 4 == 3 ? 2 : n % 4 == 2 ? 1 : 0));
        if (n % 4 < 2) d.point(10, x, y);
        if (n % 4 == 2) {
            d.point(11, x, y);
            d.point(12, x + 0.6, y + 0.4);
        }
        if (n % 4 == 3) d.group(102, attached);
        const bool withSound = n % 4 != 1;
        d.group(290, withSound ? "1" : "0");
        if (withSound) {
            d.group(71, "1");
            d.group(72, "1");
            d.group(91, "40000");
            d.group(92, "40000");
            d.group(73, "1");
            d.group(74, "8");
            d.group(75, "0");
            d.group(93, "400");
            d.group(310, sound.substr(0, 254));
            d.group(310, sound.substr(0, 254));
            d.group(310, sound.substr(0, 254));
            d.group(310, sound.substr(0, 800 - 3 * 254));
        }
        d.group(1, "Ana");
        d.group(2, "3-7 9:5");
        d.group(3, "0.1\"");
    }
    d.group(0, "ENDSEC");
    d.group(0, "EOF");
    std::ofstream out(path, std::ios::binary);
    out << d.text();
}

// Wall time and the processor time of this thread: on a machine shared with
// other work the second says what the step itself costs.
struct Took {
    double wall = 1e9;
    double cpu = 1e9;
};

double threadCpu()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + t.tv_nsec / 1e9;
}

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

// The best of several runs.
Took best(int runs, const std::function<void()>& step)
{
    Took b;
    for (int r = 0; r < runs; ++r) {
        Took t = took(step);
        b.wall = std::min(b.wall, t.wall);
        b.cpu = std::min(b.cpu, t.cpu);
    }
    return b;
}

}  // namespace

int main(int argc, char** argv)
{
    int notes = 10000, lines = 100000, runs = 5;
    std::string dir = (fs::temp_directory_path() / "plugin_draw_bench").string();
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--notes") == 0) notes = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--lines") == 0) lines = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--runs") == 0) runs = std::max(1, std::atoi(argv[i + 1]));
        if (std::strcmp(argv[i], "--dir") == 0) dir = argv[i + 1];
    }
    fs::create_directories(dir);
    const std::string both = dir + "/notes-and-lines.dxf", onlyLines = dir + "/lines.dxf";
    writeDrawing(both, notes, lines);
    writeDrawing(onlyLines, 0, lines);

    arxhost::Application app;
    app.setCommandLine([](const std::wstring&) {});
    std::string error;
    // korvo.lin lies beside the plug-in, as beside arxhost.
    arxhost::addSupportPath(fs::path(PLUGIN_MODULE).parent_path().wstring());
    if (!app.loadModule(wide(PLUGIN_MODULE), error)) {
        std::fprintf(stderr, "plugin_draw_bench: %s\n", error.c_str());
        return 1;
    }

    // The lines alone: a full regeneration.
    if (app.openDocument(wide(onlyLines), error) == nullptr) {
        std::fprintf(stderr, "plugin_draw_bench: %s\n", error.c_str());
        return 1;
    }
    size_t drawnLines = 0;
    const Took linesRegen = best(runs, [&] { drawnLines = arxhost::regenerateAll(); });

    // Notes and lines: a zoom draws the notes again (their icons keep 32
    // pixels), the lines' drawings stand.
    if (app.openDocument(wide(both), error) == nullptr) {
        std::fprintf(stderr, "plugin_draw_bench: %s\n", error.c_str());
        return 1;
    }
    arxhost::ViewState v;
    arxhost::currentView(v);
    size_t drawnNotes = 0;
    int zoom = 0;
    const Took notesRegen = best(runs, [&] {
        v.height *= zoom++ % 2 == 0 ? 0.5 : 2.0;
        arxhost::setCurrentView(v);
        drawnNotes = arxhost::lastRegenerationCount();
    });
    size_t drawnAll = 0;
    const Took allRegen = best(runs, [&] { drawnAll = arxhost::regenerateAll(); });

    // The screen: painting the view, and painting it into a PNG file.
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, arxhost::viewWidth(), arxhost::viewHeight());
    const Took paint = best(runs, [&] {
        cairo_t* cr = cairo_create(surface);
        arxhost::paintView(cr);
        cairo_destroy(cr);
    });
    cairo_surface_destroy(surface);
    const std::string png = dir + "/snapshot.png";
    const Took snapshot = best(runs, [&] {
        if (!arxhost::writeSnapshot(wide(png), error)) std::fprintf(stderr, "plugin_draw_bench: %s\n", error.c_str());
    });

    auto row = [](const char* what, const Took& t, size_t drawn) {
        if (drawn > 0)
            std::printf("%-44s %9.2f %9.2f %8zu\n", what, t.cpu * 1e3, t.wall * 1e3, drawn);
        else
            std::printf("%-44s %9.2f %9.2f %8s\n", what, t.cpu * 1e3, t.wall * 1e3, "");
    };
    std::printf("%-44s %9s %9s %8s\n", "step (best of runs)", "cpu ms", "wall ms", "drawn");
    row("full regeneration of the notes (a zoom)", notesRegen, drawnNotes);
    const double n = static_cast<double>(std::max<size_t>(drawnNotes, 1));
    std::printf("%-44s %9.3f %9.3f\n", "  per note drawn (us)", notesRegen.cpu * 1e6 / n, notesRegen.wall * 1e6 / n);
    row("full regeneration of the lines alone", linesRegen, drawnLines);
    row("full regeneration of notes and lines (REGEN)", allRegen, drawnAll);
    row("painting the view", paint, 0);
    row("snapshot (painting and writing the PNG)", snapshot, 0);
    fs::remove_all(dir);
    return 0;
}
