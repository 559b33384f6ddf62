// arxrc: compiles a resource script into C++ for the module it belongs to.
//
//   arxrc [-I dir]... [-D NAME[=VALUE]]... [--depfile file.d] -o out.cpp script.rc
//
// Errors go to standard error as "file:line: message" and the exit status is 1; the
// output file is written only when the whole script compiled, and replaced at once.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "compiler.h"
#include "generator.h"

namespace {

int usage()
{
    std::cerr << "usage: arxrc [-I dir]... [-D NAME[=VALUE]]... [--depfile file.d] -o out.cpp script.rc\n";
    return 2;
}

// Make's rules for a depfile: spaces and # escaped.
std::string depfileName(const std::string& path)
{
    std::string out;
    for (char c : std::filesystem::absolute(path).lexically_normal().string()) {
        if (c == ' ' || c == '#')
            out += '\\';
        out += c;
    }
    return out;
}

bool writeAtomically(const std::string& path, const std::string& content)
{
    std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out || !out.write(content.data(), static_cast<std::streamsize>(content.size())) || !out.flush())
            return false;
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    return !ec;
}

}  // namespace

int main(int argc, char** argv)
{
    arxrc::Options options;
    std::string output, depfile, input;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](std::string& into) {
            if (arg.size() > 2 && (arg.rfind("-I", 0) == 0 || arg.rfind("-D", 0) == 0)) {
                into = arg.substr(2);
                return true;
            }
            if (i + 1 >= argc)
                return false;
            into = argv[++i];
            return true;
        };
        std::string v;
        if (arg.rfind("-I", 0) == 0) {
            if (!value(v))
                return usage();
            options.includeDirs.push_back(v);
        } else if (arg.rfind("-D", 0) == 0) {
            if (!value(v))
                return usage();
            auto eq = v.find('=');
            options.defines.emplace_back(v.substr(0, eq), eq == std::string::npos ? "1" : v.substr(eq + 1));
        } else if (arg == "-o") {
            if (i + 1 >= argc)
                return usage();
            output = argv[++i];
        } else if (arg == "--depfile") {
            if (i + 1 >= argc)
                return usage();
            depfile = argv[++i];
        } else if (!arg.empty() && arg[0] == '-') {
            return usage();
        } else if (input.empty()) {
            input = arg;
        } else {
            return usage();
        }
    }
    if (input.empty() || output.empty())
        return usage();

    try {
        arxrc::Script script = arxrc::compileScript(input, options);
        if (!writeAtomically(output, arxrc::generateCpp(script))) {
            std::cerr << "arxrc: cannot write " << output << "\n";
            return 1;
        }
        if (!depfile.empty()) {
            std::string deps = depfileName(output) + ":";
            for (const std::string& d : script.dependencies)
                deps += " \\\n  " + depfileName(d);
            if (!writeAtomically(depfile, deps + "\n")) {
                std::cerr << "arxrc: cannot write " << depfile << "\n";
                return 1;
            }
        }
    } catch (const arxrc::RcError& e) {
        std::cerr << e.what() << "\n";
        return 1;
    } catch (const std::exception& e) {
        // Only running out of memory or the like gets here; still no crash.
        std::cerr << input << ": arxrc: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
