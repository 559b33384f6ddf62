// Conversions between UTF-8 (Linux file names, narrow text) and the stand-in's wide
// text. Bytes that are not valid UTF-8 become U+DC80..U+DCFF and turn back into the
// same bytes, so a file name that is not UTF-8 still round-trips.
#pragma once
#include <string>
#include <string_view>

namespace win32 {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view wide);

}  // namespace win32
