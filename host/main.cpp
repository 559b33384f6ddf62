// arxhost: the command-line CAD host. It plays the 2010 or the 2013 generation
// of the host, loads the VelaTone plug-in of its generation (or another module, or
// none), opens and saves drawings, and runs session scripts.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "arxhost/application.h"
#include "arxhost/runtime.h"
#include "arxhost/view.h"
#include "convert.h"
#include "session.h"
#include "win32/audio_devices.h"
#include "win32/clock.h"

namespace {

const char* kUsage =
    "usage: arxhost [OPTIONS] COMMAND ...\n"
    "\n"
    "Commands:\n"
    "  convert IN OUT   open the drawing IN (DXF or binary, told by its content) and\n"
    "                   save it as OUT: DXF when OUT ends in .dxf, the host's binary\n"
    "                   drawing when it ends in .dwg. Prints the drawing's objects by\n"
    "                   class. Exits 0 on success; on failure prints the reason\n"
    "                   (file and line or byte) and exits 1.\n"
    "  run SCRIPT       run a session script: one action a line (open, new, save,\n"
    "                   saveas, close, activate, autosave, command, input, cancel,\n"
    "                   lisp, load, unload; move, press, release, click, wait, mic,\n"
    "                   speaker, nodevice, answer, snapshot, plot);\n"
    "                   see docs/session-scripts.md. The command line is echoed to\n"
    "                   stdout; a failing action stops the run with SCRIPT:LINE and\n"
    "                   the reason on stderr, exit code 1.\n"
    "\n"
    "Options:\n"
    "  --release 2010|2013  the host generation to play: 2010 writes DXF AC1024 and\n"
    "                   drawing version 29 and loads modules built for it (SDK R18);\n"
    "                   2013, the default, AC1027 and version 31 (SDK R19)\n"
    "  --plugin FILE    load this module instead of the VelaTone plug-in of the\n"
    "                   generation (VelaToneViewer2010_x64.arx or ..2013_x64.arx\n"
    "                   next to arxhost)\n"
    "  --no-plugin      load no module\n"
    "  --real-time      run on the machine's clock and sound devices instead of the\n"
    "                   virtual clock and devices (for interactive use)\n"
    "  --view WxH       the drawing view's size in pixels (default 1024x768): what\n"
    "                   snapshot and plot write, and what pixels map to\n"
    "  -h, --help       this text\n";

int usageError(const std::string& what)
{
    std::fprintf(stderr, "arxhost: %s\n%s", what.c_str(), kUsage);
    return 2;
}

std::wstring wide(const std::string& s) { return AcString::fromUtf8(s.data(), s.size()).str(); }

// The folder of the arxhost program, where the plug-ins are built.
std::filesystem::path programFolder()
{
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path() : exe.parent_path();
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    std::vector<std::string> rest;
    std::string plugin;
    bool noPlugin = false;
    int year = 2013;
    int viewWidth = 1024, viewHeight = 768;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-h" || a == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (a == "--release") {
            if (i + 1 >= args.size()) return usageError("--release needs 2010 or 2013");
            const std::string& value = args[++i];
            if (value != "2010" && value != "2013") return usageError("--release must be 2010 or 2013, not " + value);
            year = std::stoi(value);
            continue;
        }
        if (a == "--plugin") {
            if (i + 1 >= args.size()) return usageError("--plugin needs a module file");
            plugin = args[++i];
            continue;
        }
        if (a == "--view") {
            if (i + 1 >= args.size()) return usageError("--view needs a size such as 1024x768");
            const std::string& value = args[++i];
            int w = 0, h = 0;
            char x = 0, extra = 0;
            if (std::sscanf(value.c_str(), "%d%c%d%c", &w, &x, &h, &extra) != 3 || (x != 'x' && x != 'X') ||
                w < 16 || h < 16 || w > 8192 || h > 8192)
                return usageError("--view must be WIDTHxHEIGHT, each 16 to 8192 pixels, not " + value);
            viewWidth = w;
            viewHeight = h;
            continue;
        }
        if (a == "--no-plugin") {
            noPlugin = true;
            continue;
        }
        if (a == "--real-time") {
            win32::clock::setMode(win32::clock::Mode::Real);
            win32::audio::setBackend(win32::audio::Backend::Real);
            continue;
        }
        if (a.size() > 1 && a[0] == '-') return usageError("unknown option " + a);
        rest.push_back(a);
    }
    if (rest.empty()) return usageError("a command is needed");
    if (rest[0] != "convert" && rest[0] != "run") return usageError("unknown command " + rest[0]);
    if (rest[0] == "convert" && rest.size() != 3) return usageError("convert needs IN and OUT");
    if (rest[0] == "run" && rest.size() != 2) return usageError("run needs a SCRIPT");

    arxhost::setGeneration(year);
    arxhost::setViewSize(viewWidth, viewHeight);
    arxhost::addSupportPath(programFolder().wstring());
    arxhost::Application app;
    if (!noPlugin) {
        if (plugin.empty())
            plugin = (programFolder() / ("VelaToneViewer" + std::to_string(year) + "_x64.arx")).string();
        std::string error;
        if (!app.loadModule(wide(plugin), error)) {
            std::fprintf(stderr, "arxhost: %s\n", error.c_str());
            return 1;
        }
    }
    if (rest[0] == "convert") return arxhost::runConvert(app, rest[1], rest[2]);
    return arxhost::runSession(app, rest[1]);
}
