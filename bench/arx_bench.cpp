// arx_bench: how fast the host reads and writes drawings, and how much memory
// it takes to do it. Each operation runs in its own process (bench/run.sh runs
// them), so that the peak memory it reports is its own.
//
//   arx_bench generate OUT.dxf [NOTES [BYTES]]
//   arx_bench dxf-read IN.dxf          read (best of 3)
//   arx_bench dxf-write IN OUT.dxf     read IN once, write OUT (best of 3)
//   arx_bench dwg-write IN OUT.dwg
//   arx_bench dwg-read IN.dwg
// Prints: OPERATION MB/s SECONDS FILE_MB PEAK_RSS_MB
// The peak is the process's after the first run: what opening (or saving) the
// drawing once takes in a fresh process. Later runs reuse a heap the earlier
// ones left in pieces.
#include <sys/resource.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "arxHeaders.h"
#include "arxhost/runtime.h"
#include "bench_drawing.h"

namespace {

std::wstring wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

double fileMB(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? static_cast<double>(st.st_size) / 1e6 : 0;
}

double peakRssMB()
{
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    return static_cast<double>(ru.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

double firstRunPeakMB = 0;

template <class F>
double bestSeconds(int runs, F&& op)
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        auto t0 = std::chrono::steady_clock::now();
        op();
        if (i == 0) firstRunPeakMB = peakRssMB();
        double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        if (s < best) best = s;
    }
    return best;
}

[[noreturn]] void die(const std::string& what)
{
    std::fprintf(stderr, "arx_bench: %s\n", what.c_str());
    std::exit(1);
}

void report(const char* op, double seconds, double mb)
{
    std::printf("%s %.0f %.3f %.1f %.1f\n", op, mb / seconds, seconds, mb, firstRunPeakMB);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) die("usage: arx_bench generate|dxf-read|dxf-write|dwg-write|dwg-read FILE [OUT]");
    const std::string op = argv[1], in = argv[2];
    const std::string out = argc > 3 ? argv[3] : "";
    const int runs = 3;
    if (op == "generate") {
        std::string error;
        int notes = argc > 3 ? std::atoi(argv[3]) : 2000;
        int bytes = argc > 4 ? std::atoi(argv[4]) : 40000;
        if (!bench::writeDrawing(in, notes, bytes, error)) die(error);
        std::printf("generated %s: %.1f MB\n", in.c_str(), fileMB(in));
        return 0;
    }
    if (op == "dxf-read" || op == "dwg-read") {
        double s = bestSeconds(runs, [&] {
            AcDbDatabase db(false, true);
            if (arxhost::openDrawing(&db, wide(in)) != Acad::eOk) die(arxhost::lastError());
        });
        report(op.c_str(), s, fileMB(in));
        return 0;
    }
    if (op == "dxf-write" || op == "dwg-write") {
        if (out.empty()) die(op + " needs IN and OUT");
        AcDbDatabase db(false, true);
        if (arxhost::openDrawing(&db, wide(in)) != Acad::eOk) die(arxhost::lastError());
        double s = bestSeconds(runs, [&] {
            if (arxhost::saveDrawing(&db, wide(out)) != Acad::eOk) die(arxhost::lastError());
        });
        report(op.c_str(), s, fileMB(out));
        return 0;
    }
    die("unknown operation " + op);
}
