// The command line: what modules print with acutPrintf.
#include <cstdarg>
#include <cwchar>
#include <vector>

#include "acutads.h"
#include "../ap/app_state.h"
#include "../core/utf.h"

int acutPrintf(const ACHAR* format, ...)
{
    if (format == nullptr) return RTERROR;
    std::vector<wchar_t> buf(512);
    int n;
    for (;;) {
        va_list ap;
        va_start(ap, format);
        n = std::vswprintf(buf.data(), buf.size(), format, ap);
        va_end(ap);
        if (n >= 0) break;
        if (buf.size() >= (1u << 20)) return RTERROR;  // not a format that fits any line
        buf.resize(buf.size() * 4);
    }
    std::wstring text(buf.data(), static_cast<size_t>(n));
    if (arx::AppState* app = arx::appState()) {
        app->print(text);
    } else {
        std::string utf8 = arx::toUtf8(text);
        std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    }
    return n;
}
