// Numbers as DXF text: reals are written as the shortest text that reads back to
// the same double (with a decimal point, as DXF readers expect), and parsed
// strictly so that garbage in a file is reported, not guessed at.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace arx {
void appendDouble(std::string& out, double v, int precision = -1);
void appendInt(std::string& out, std::int64_t v);
void appendUInt(std::string& out, std::uint64_t v);
// Surrounding spaces are allowed; anything else that is not part of the number fails.
bool parseDouble(std::string_view text, double& v);
bool parseInt(std::string_view text, std::int64_t& v);
std::string_view trimSpaces(std::string_view text);
}  // namespace arx
