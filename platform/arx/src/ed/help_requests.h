// The help topics programs asked for with acedHelp, in order, for the host
// program and tests to look at (there is no help viewer to open them).
#pragma once
#include <string>
#include <vector>

namespace arx {
struct HelpRequest {
    std::wstring file;  // empty: the host's own help
    std::wstring topic;
    int command = 0;
};
const std::vector<HelpRequest>& helpRequests();
void clearHelpRequests();
}  // namespace arx
