// Hexadecimal text of binary chunks (DXF groups 310-319 and 1004) and handles.
// Decoding is table driven because drawings carry most of their bytes this way.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace arx {
// Appends the upper-case hexadecimal text of the bytes.
void appendHex(std::string& out, const void* data, size_t len);
// Decodes pairs of hexadecimal digits (either case) into out; returns false on an
// odd length or a character that is not a digit, leaving out unspecified.
bool decodeHex(std::string_view text, unsigned char* out);
// Parses a handle: 1 to 16 hexadecimal digits. Returns false otherwise.
bool parseHexHandle(std::string_view text, std::uint64_t& value);
bool parseHexHandle(std::wstring_view text, std::uint64_t& value);
// Writes the handle's digits (upper case, no leading zeros) into buf (>= 17 chars).
size_t formatHexHandle(std::uint64_t value, char* buf);
// The same digits as a string, for messages and files.
std::string hexHandle(std::uint64_t value);
}  // namespace arx
