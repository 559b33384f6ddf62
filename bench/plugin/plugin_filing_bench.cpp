// Opens and saves a drawing of voice notes, DXF and binary, with the VelaTone
// plug-in loaded and without it, and reports MB/s for each step and how much of
// the time the plug-in's own filing adds. Not a test: it measures.
//
//   plugin_filing_bench [--notes N] [--bytes B] [--dir DIR] [--runs R]
//
// The drawing holds N notes (half of them point notes, half attached to a line)
// of B bytes of sound each (default 2000 notes of 400000 bytes: 10 seconds).
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "arxHeaders.h"
#include "arxhost/application.h"
#include "arxhost/runtime.h"

namespace {

namespace fs = std::filesystem;

std::wstring wide(const std::string& s) { return AcString::fromUtf8(s.data(), s.size()).str(); }

// The drawing as the authoring application writes it, DXF text made directly.
void writeDrawing(const std::string& path, int notes, size_t bytes)
{
    std::ofstream out(path, std::ios::binary);
    std::string buf;
    auto group = [&](int code, const std::string& value) {
        char c[8];
        std::snprintf(c, sizeof c, "%3d\n", code);
        buf += c;
        buf += value;
        buf += '\n';
    };
    group(0, "SECTION");
    group(2, "HEADER");
    group(9, "$ACADVER");
    group(1, "AC1027");
    group(0, "ENDSEC");
    group(0, "SECTION");
    group(2, "CLASSES");
    group(0, "CLASS");
    group(1, "VELATONE");
    group(2, "QkDbVelaTone");
    group(3, "VelaToneApp");
    group(90, "0");
    group(91, std::to_string(notes));
    group(280, "0");
    group(281, "1");
    group(0, "ENDSEC");
    group(0, "SECTION");
    group(2, "ENTITIES");
    std::string sound(bytes, '\0');
    for (size_t i = 0; i < bytes; ++i) sound[i] = static_cast<char>(1 + (i * 7) % 255);
    static const char* hex = "0123456789ABCDEF";
    unsigned handle = 0x1000;
    for (int n = 0; n < notes; ++n) {
        char h[20];
        std::snprintf(h, sizeof h, "%X", handle);
        std::string lineHandle = h;
        group(0, "LINE");
        group(5, lineHandle);
        group(100, "AcDbEntity");
        group(8, "0");
        group(100, "AcDbLine");
        group(10, std::to_string(n));
        group(20, "0.0");
        group(30, "0.0");
        group(11, std::to_string(n + 1));
        group(21, "1.0");
        group(31, "0.0");
        std::snprintf(h, sizeof h, "%X", handle + 1);
        group(0, "VELATONE");
        group(5, h);
        group(100, "AcDbEntity");
        group(8, "0");
        group(100, "QkDbVelaTone");
        group(90, "1");
        if (n % 2 == 0) {
            group(70, "0");
            group(10, std::to_string(n));
            group(20, "5.0");
            group(30, "0.0");
        } else {
            group(70, "2");
            group(102, lineHandle);
        }
        group(290, "1");
        group(71, "1");
        group(72, "1");
        group(91, "40000");
        group(92, "40000");
        group(73, "1");
        group(74, "8");
        group(75, "0");
        group(93, std::to_string(bytes));
        for (size_t at = 0; at < bytes || at == 0; at += 127) {
            size_t len = std::min<size_t>(127, bytes - at);
            buf += "310\n";
            for (size_t i = 0; i < len; ++i) {
                unsigned char b = static_cast<unsigned char>(sound[at + i]);
                buf += hex[b >> 4];
                buf += hex[b & 15];
            }
            buf += '\n';
            if (bytes == 0) break;
        }
        group(1, "Ana");
        group(2, "3-7 9:5");
        group(3, "10.0\"");
        handle += 2;
        if (buf.size() > (8u << 20)) {
            out.write(buf.data(), static_cast<std::streamsize>(buf.size()));
            buf.clear();
        }
    }
    group(0, "ENDSEC");
    group(0, "EOF");
    out.write(buf.data(), static_cast<std::streamsize>(buf.size()));
}

double seconds(const std::function<bool()>& step)
{
    auto t0 = std::chrono::steady_clock::now();
    if (!step()) {
        std::fprintf(stderr, "plugin_filing_bench: %s\n", arxhost::lastError().c_str());
        std::exit(1);
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

struct Times {
    double openDxf = 1e9, saveDxf = 1e9, saveDwg = 1e9, openDwg = 1e9;
};

Times measure(bool plugin, const std::string& dir, int runs)
{
    arxhost::setGeneration(2013);
    arxhost::Application app;
    app.setCommandLine([](const std::wstring&) {});
    std::string error;
    if (plugin && !app.loadModule(wide(PLUGIN_MODULE), error)) {
        std::fprintf(stderr, "plugin_filing_bench: %s\n", error.c_str());
        std::exit(1);
    }
    Times best;
    for (int r = 0; r < runs; ++r) {
        auto* db = new AcDbDatabase(false);
        best.openDxf = std::min(best.openDxf, seconds([&] { return arxhost::openDrawing(db, wide(dir + "/notes.dxf")) == Acad::eOk; }));
        best.saveDxf = std::min(best.saveDxf, seconds([&] { return arxhost::saveDrawing(db, wide(dir + "/saved.dxf")) == Acad::eOk; }));
        best.saveDwg = std::min(best.saveDwg, seconds([&] { return arxhost::saveDrawing(db, wide(dir + "/saved.dwg")) == Acad::eOk; }));
        delete db;
        auto* db2 = new AcDbDatabase(false);
        best.openDwg = std::min(best.openDwg, seconds([&] { return arxhost::openDrawing(db2, wide(dir + "/saved.dwg")) == Acad::eOk; }));
        delete db2;
    }
    return best;
}

}  // namespace

int main(int argc, char** argv)
{
    int notes = 2000;
    size_t bytes = 400000;
    int runs = 3;
    std::string dir = (fs::temp_directory_path() / "plugin-filing-bench").string();
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string a = argv[i];
        if (a == "--notes") notes = std::atoi(argv[i + 1]);
        else if (a == "--bytes") bytes = static_cast<size_t>(std::atoll(argv[i + 1]));
        else if (a == "--dir") dir = argv[i + 1];
        else if (a == "--runs") runs = std::atoi(argv[i + 1]);
        else {
            std::fprintf(stderr, "usage: plugin_filing_bench [--notes N] [--bytes B] [--dir DIR] [--runs R]\n");
            return 2;
        }
    }
    fs::create_directories(dir);
    std::printf("generating %d notes of %zu bytes in %s ...\n", notes, bytes, dir.c_str());
    writeDrawing(dir + "/notes.dxf", notes, bytes);
    double dxfMB = static_cast<double>(fs::file_size(dir + "/notes.dxf")) / 1e6;

    Times without = measure(false, dir, runs);
    double savedDxfMB = static_cast<double>(fs::file_size(dir + "/saved.dxf")) / 1e6;
    double dwgMB = static_cast<double>(fs::file_size(dir + "/saved.dwg")) / 1e6;
    Times with = measure(true, dir, runs);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);

    std::printf("DXF %.0f MB (saved %.0f MB), binary %.0f MB; best of %d runs\n", dxfMB, savedDxfMB, dwgMB, runs);
    std::printf("%-12s %14s %14s %22s\n", "step", "without MB/s", "with MB/s", "plug-in share of time");
    auto row = [](const char* name, double mb, double t0, double t1) {
        std::printf("%-12s %14.0f %14.0f %21.0f%%\n", name, mb / t0, mb / t1, t1 > t0 ? 100.0 * (t1 - t0) / t1 : 0.0);
    };
    row("open DXF", dxfMB, without.openDxf, with.openDxf);
    row("save DXF", savedDxfMB, without.saveDxf, with.saveDxf);
    row("save binary", dwgMB, without.saveDwg, with.saveDwg);
    row("open binary", dwgMB, without.openDwg, with.openDwg);
    std::printf("peak memory %.0f MB\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
    fs::remove_all(dir);
    return 0;
}
