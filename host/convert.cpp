// The convert action: the drawing is opened by its content and saved by the
// new name's extension, then summarised in one line (how many objects of each
// class, proxies marked) so that whoever converts sees what came through.
#include "convert.h"

#include <cstdio>

#include "arxhost/runtime.h"
#include "dbmain.h"

namespace arxhost {

std::string summarize(AcDbDatabase* db)
{
    std::string line;
    size_t total = 0;
    for (const ClassCount& c : countObjects(db)) {
        if (!line.empty()) line += ", ";
        line += AcString(c.name).utf8() + (c.proxy ? " (proxy)" : "") + " " + std::to_string(c.count);
        total += c.count;
    }
    return std::to_string(total) + " objects: " + line;
}

int runConvert(const std::string& in, const std::string& out)
{
    AcDbDatabase db(false, true);
    if (openDrawing(&db, AcString::fromUtf8(in.data(), in.size()).str()) != Acad::eOk) {
        std::fprintf(stderr, "arxhost: %s\n", lastError().c_str());
        return 1;
    }
    if (saveDrawing(&db, AcString::fromUtf8(out.data(), out.size()).str()) != Acad::eOk) {
        std::fprintf(stderr, "arxhost: %s\n", lastError().c_str());
        return 1;
    }
    std::printf("%s -> %s: %s\n", in.c_str(), out.c_str(), summarize(&db).c_str());
    return 0;
}

}  // namespace arxhost
