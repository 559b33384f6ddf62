// The message of the last failed file operation ("file: line 12: ..."), kept
// for the host program to show: reading and writing drawings and linetype files
// report through it.
#pragma once
#include <string>

namespace arx {
const std::string& lastFileError();
void setLastFileError(std::string message);
}  // namespace arx
