// Conversion between the SDK's wide text and UTF-8, the encoding of DXF files,
// binary drawing files and the command line. Bytes that are not valid UTF-8 are
// taken as Latin-1, so that no input is ever refused for its encoding.
#pragma once
#include <string>
#include <string_view>

namespace arx {
std::wstring fromUtf8(std::string_view text);
void fromUtf8(std::string_view text, std::wstring& out);
// Whether UTF-8 text reads as the wide text, without building a copy.
bool equalsUtf8(std::string_view utf8, std::wstring_view text);
std::string toUtf8(std::wstring_view text);
void appendUtf8(std::string& out, std::wstring_view text);
// Upper-cases ASCII letters (symbol and dictionary names compare this way).
std::wstring upperAscii(std::wstring_view text);
bool equalsNoCase(std::wstring_view a, std::wstring_view b);
}  // namespace arx
