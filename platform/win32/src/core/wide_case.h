// Unicode upper and lower case of single characters, independent of the process's
// locale (Windows' case mapping does not depend on the C library's locale either).
#pragma once

namespace win32 {

wchar_t upperCase(wchar_t c);
wchar_t lowerCase(wchar_t c);

}  // namespace win32
