// The convert action: the drawing is opened by its content as a document
// (so loaded modules hear of it as of any drawing opened) and saved by the new
// name's extension, then summarised in one line (how many objects of each
// class, proxies marked) so that whoever converts sees what came through.
#include "convert.h"

#include <cstdio>

#include "arxhost/application.h"
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

int runConvert(Application& app, const std::string& in, const std::string& out)
{
    std::string summary, error;
    if (!app.convertDrawing(AcString::fromUtf8(in.data(), in.size()).str(),
                            AcString::fromUtf8(out.data(), out.size()).str(),
                            [&](AcDbDatabase* db) { summary = summarize(db); }, error)) {
        std::fprintf(stderr, "arxhost: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s -> %s: %s\n", in.c_str(), out.c_str(), summary.c_str());
    return 0;
}

}  // namespace arxhost
