// Generates the benchmark's DXF drawing. The host writes a new drawing for the
// tables, blocks and root objects; the notes, their reactor objects and the
// lines are spliced in as raw groups, the way a drawing saved with the plug-in
// loaded carries them.
#include "bench_drawing.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <tuple>

#include "arxHeaders.h"
#include "dxf_splice.h"

namespace bench {
namespace {

std::string hex(unsigned long long h)
{
    char buf[20];
    std::snprintf(buf, sizeof buf, "%llX", h);
    return buf;
}

void group(std::string& out, int code, const std::string& value)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "%3d\n", code);
    out += buf;
    out += value;
    out += '\n';
}

void chunks(std::string& out, int bytes, unsigned seed)
{
    static const char kDigits[] = "0123456789ABCDEF";
    unsigned x = seed * 2654435761u + 1;
    std::string line;
    for (int at = 0; at < bytes; at += 127) {
        int n = bytes - at < 127 ? bytes - at : 127;
        line.clear();
        for (int i = 0; i < n; ++i) {
            x = x * 1103515245u + 12345u;
            unsigned char b = static_cast<unsigned char>(1 + (x >> 16) % 255);  // 8-bit sound, never zero
            line += kDigits[b >> 4];
            line += kDigits[b & 15];
        }
        group(out, 310, line);
    }
}

}  // namespace

bool writeDrawing(const std::string& path, int notes, int bytes, std::string& error)
{
    std::string base;
    {
        AcDbDatabase db(true);
        const std::string tmp = path + ".base.dxf";
        std::wstring wtmp(tmp.begin(), tmp.end());
        if (db.dxfOut(wtmp.c_str()) != Acad::eOk) {
            error = "cannot write " + tmp;
            return false;
        }
        std::ifstream f(tmp, std::ios::binary);
        std::stringstream s;
        s << f.rdbuf();
        base = s.str();
        std::remove(tmp.c_str());
        AcDbObjectId ms = db.modelSpaceId();
        base += "MS=" + hex(ms.handle().value());  // read back below
    }
    const std::string ms = base.substr(base.rfind("MS=") + 3);
    base.resize(base.rfind("MS="));

    std::string classes, ents, objs;
    for (auto [dxfName, cppName, isEntity] : {std::tuple{"VELATONE", "QkDbVelaTone", "1"},
                                              std::tuple{"VelaTonePsReactor", "VelaTonePsReactor", "0"}}) {
        group(classes, 0, "CLASS");
        group(classes, 1, dxfName);
        group(classes, 2, cppName);
        group(classes, 3, "VelaToneApp |Product Desc: VelaTone Object |Company: Korvo Systems Ltd.");
        group(classes, 90, "0");
        group(classes, 91, std::to_string(notes));
        group(classes, 280, "0");
        group(classes, 281, isEntity);
    }
    ents.reserve(static_cast<size_t>(notes) * (static_cast<size_t>(bytes) * 2 + 3000));
    // An entity in model space up to its own subclass, with one 102 group naming ref.
    auto entityHead = [&](const char* type, const std::string& handle, const char* group102, int refCode,
                          const std::string& ref, const char* subclass) {
        group(ents, 0, type);
        group(ents, 5, handle);
        group(ents, 102, group102);
        group(ents, refCode, ref);
        group(ents, 102, "}");
        group(ents, 330, ms);
        group(ents, 100, "AcDbEntity");
        group(ents, 8, "0");
        group(ents, 100, subclass);
    };
    for (int i = 0; i < notes; ++i) {
        const unsigned long long first = 0x10000ull + 4ull * static_cast<unsigned>(i);
        const std::string line = hex(first), note = hex(first + 1), dict = hex(first + 2), reactor = hex(first + 3);
        const double x = (i % 50) * 10.0, y = (i / 50) * 10.0;
        entityHead("LINE", line, "{ACAD_REACTORS", 330, reactor, "AcDbLine");
        group(ents, 10, std::to_string(x));
        group(ents, 20, std::to_string(y));
        group(ents, 30, "0.0");
        group(ents, 11, std::to_string(x + 8));
        group(ents, 21, std::to_string(y + 5));
        group(ents, 31, "0.0");

        entityHead("VELATONE", note, "{ACAD_XDICTIONARY", 360, dict, "QkDbVelaTone");
        group(ents, 90, "1");
        group(ents, 70, "2");  // an "Object" note ...
        group(ents, 102, line);  // ... attached to the line
        group(ents, 10, std::to_string(x + 4));
        group(ents, 20, std::to_string(y + 2.5));
        group(ents, 30, "0.0");
        group(ents, 290, "1");
        group(ents, 71, "1");
        group(ents, 72, "1");
        group(ents, 91, "40000");
        group(ents, 92, "40000");
        group(ents, 73, "1");
        group(ents, 74, "8");
        group(ents, 75, "0");
        group(ents, 93, std::to_string(bytes));
        chunks(ents, bytes, static_cast<unsigned>(i));
        group(ents, 1, "Ana");
        group(ents, 2, "3-7 9:5");
        group(ents, 3, "1.0\"");

        group(objs, 0, "DICTIONARY");
        group(objs, 5, dict);
        group(objs, 330, note);
        group(objs, 100, "AcDbDictionary");
        group(objs, 280, "1");
        group(objs, 281, "1");
        group(objs, 3, "VELATONEASSOC");
        group(objs, 360, reactor);
        group(objs, 0, "VelaTonePsReactor");
        group(objs, 5, reactor);
        group(objs, 330, dict);
        group(objs, 100, "VelaTonePsReactor");
        group(objs, 330, note);
    }
    return arxtest::writeSplicedDrawing(std::move(base), classes, ents, objs, path, error);
}

}  // namespace bench
