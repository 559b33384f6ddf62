// arxhost: the command-line CAD host. It plays the 2010 or the 2013 generation
// of the host, opens and saves drawings, and (with a plug-in) runs sessions.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "arxhost/host_api.h"
#include "convert.h"

namespace {

const char* kUsage =
    "usage: arxhost [--release 2010|2013] COMMAND ...\n"
    "\n"
    "Commands:\n"
    "  convert IN OUT   open the drawing IN (DXF or binary, told by its content) and\n"
    "                   save it as OUT: DXF when OUT ends in .dxf, the host's binary\n"
    "                   drawing when it ends in .dwg. Prints the drawing's objects by\n"
    "                   class. Exits 0 on success; on failure prints the reason\n"
    "                   (file and line or byte) and exits 1.\n"
    "\n"
    "Options:\n"
    "  --release 2010|2013  the host generation to play: 2010 writes DXF AC1024 and\n"
    "                   drawing version 29, 2013 (the default) AC1027 and version 31\n"
    "  -h, --help       this text\n";

int usageError(const std::string& what)
{
    std::fprintf(stderr, "arxhost: %s\n%s", what.c_str(), kUsage);
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    std::vector<std::string> rest;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-h" || a == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (a == "--release") {
            if (i + 1 >= args.size()) return usageError("--release needs 2010 or 2013");
            const std::string& year = args[++i];
            if (year != "2010" && year != "2013") return usageError("--release must be 2010 or 2013, not " + year);
            arxhost::setGeneration(std::stoi(year));
            continue;
        }
        if (a.size() > 1 && a[0] == '-') return usageError("unknown option " + a);
        rest.push_back(a);
    }
    if (rest.empty()) return usageError("a command is needed");
    if (rest[0] == "convert") {
        if (rest.size() != 3) return usageError("convert needs IN and OUT");
        return arxhost::runConvert(rest[1], rest[2]);
    }
    return usageError("unknown command " + rest[0]);
}
