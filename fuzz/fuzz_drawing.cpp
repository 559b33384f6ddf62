// Reads fuzzed bytes as a drawing. A drawing the host accepted must also be
// one it can save and read again: a saved file that does not read back is a
// fault of the writer or the reader, so the target stops on it.
#include "fuzz_drawing.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "arxHeaders.h"
#include "arxhost/runtime.h"
#include "drawing_files/drawing_files.h"

namespace fuzz {
namespace {

const std::string& workDir()
{
    static const std::string dir = [] {
        char tmpl[] = "/tmp/arxfuzz-XXXXXX";
        const char* made = mkdtemp(tmpl);
        if (made == nullptr) std::abort();
        return std::string(made);
    }();
    return dir;
}

std::wstring wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

void writeFile(const std::string& path, const std::uint8_t* data, size_t size)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);
}

void mustReadBack(const std::string& path)
{
    AcDbDatabase again(false, true);
    if (arxhost::openDrawing(&again, wide(path)) != Acad::eOk) {
        std::fprintf(stderr, "a drawing the host saved does not read back: %s\n", arxhost::lastError().c_str());
        std::abort();
    }
}

}  // namespace

void readWriteRead(const std::uint8_t* data, size_t size, Format format)
{
    const std::string in = workDir() + "/in";
    writeFile(in, data, size);
    AcDbDatabase db(false, true);
    Acad::ErrorStatus es = arx::readDrawing(&db, wide(in).c_str(),
                                            format == Format::kDxf ? arx::DrawingFormat::kDxf : arx::DrawingFormat::kBinary);
    if (es != Acad::eOk) {
        // A refusal must say why.
        if (arx::lastFileError().empty()) std::abort();
        return;
    }
    const std::string dxf = workDir() + "/out.dxf", dwg = workDir() + "/out.dwg";
    if (arxhost::saveDrawing(&db, wide(dxf)) == Acad::eOk) mustReadBack(dxf);
    if (arxhost::saveDrawing(&db, wide(dwg)) == Acad::eOk) mustReadBack(dwg);
}

}  // namespace fuzz
