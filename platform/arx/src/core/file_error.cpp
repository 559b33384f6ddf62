// Where the last file failure's message is kept.
#include "file_error.h"

namespace arx {
namespace {
std::string gLastError;
}

const std::string& lastFileError() { return gLastError; }
void setLastFileError(std::string message) { gLastError = std::move(message); }
}  // namespace arx
