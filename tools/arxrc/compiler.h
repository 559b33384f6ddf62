// The resource compiler as a library: a script file in, a checked Script out.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "script.h"

namespace arxrc {

struct Options {
    std::vector<std::string> includeDirs;
    std::vector<std::pair<std::string, std::string>> defines;  // -D NAME[=VALUE]
};

// Throws RcError ("file:line: message") for anything wrong in the script.
Script compileScript(const std::string& path, const Options& options);

}  // namespace arxrc
