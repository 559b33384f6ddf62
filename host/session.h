// `arxhost run SCRIPT`: runs a session script, one action a line, echoing the
// command line to stdout. See docs/session-scripts.md.
#pragma once
#include <cstdio>
#include <string>

namespace arxhost {
class Application;
// Runs the script; on a failing action prints "SCRIPT:LINE: why" to errors and
// returns 1.
int runSession(Application& app, const std::string& scriptPath, std::FILE* errors = stderr);
}  // namespace arxhost
