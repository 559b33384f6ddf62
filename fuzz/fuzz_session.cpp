// Fuzz target: session scripts (arxhost run), with the commands, prompts and
// LISP calls they drive. Actions that read or write files or load modules are
// left out of the input (as is WBLOCK, the command that writes a drawing file):
// a script may do those by design, and they are fuzzed through the file readers.
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <string>

#include "arxhost/application.h"
#include "../host/session.h"

namespace {
bool allowed(const std::string& line)
{
    size_t b = line.find_first_not_of(" \t");
    if (b == std::string::npos) return true;
    for (const char* verb : {"open", "save", "saveas", "load", "unload", "mic", "speaker", "snapshot", "plot"})
        if (line.compare(b, std::char_traits<char>::length(verb), verb) == 0) return false;
    std::string upper = line;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
    return upper.find("WBLOCK") == std::string::npos;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    std::string script;
    std::string input(reinterpret_cast<const char*>(data), size);
    size_t pos = 0;
    while (pos <= input.size()) {
        size_t nl = input.find('\n', pos);
        std::string line = input.substr(pos, nl == std::string::npos ? std::string::npos : nl - pos);
        if (allowed(line)) script += line + "\n";
        if (nl == std::string::npos) break;
        pos = nl + 1;
    }
    char path[] = "/tmp/fuzz-session-XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0) return 0;
    if (write(fd, script.data(), script.size()) != static_cast<ssize_t>(script.size())) {
        close(fd);
        unlink(path);
        return 0;
    }
    close(fd);
    static std::FILE* quiet = std::fopen("/dev/null", "w");
    {
        arxhost::Application app;
        app.setCommandLine([](const std::wstring&) {});
        arxhost::runSession(app, path, quiet);
    }
    unlink(path);
    return 0;
}
