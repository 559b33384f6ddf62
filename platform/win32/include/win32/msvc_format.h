// printf formatting with the conventions of Windows' wide functions, which differ
// from the C library's: %s and %c take wide text and %S, %hs, %hc narrow; an l on an
// integer conversion still means 32 bits (Windows' long); I64, I32 and I give sizes.
// Each conversion fetches exactly the argument type its letters name, so a
// format written for Windows reads its arguments correctly here. The CAD host's
// command line formats with it too.
#pragma once
#include <cstdarg>
#include <string>

#include "win32/export.h"

namespace win32 {

// %n is refused (as Windows refuses it by default): its pointer is consumed and
// nothing is written. An unknown conversion is copied to the output as it stands.
W32_EXPORT std::wstring formatMsvc(const wchar_t* format, va_list args);

}  // namespace win32
