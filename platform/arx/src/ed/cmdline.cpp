// The command line: what modules print with acutPrintf.
#include <cstdarg>
#include <cstdio>

#include "acutads.h"
#include "win32/msvc_format.h"
#include "../ap/app_state.h"
#include "../core/utf.h"

// Formats as Windows' wide printf does (%s is wide text), as modules written
// for the host expect.
int acutPrintf(const ACHAR* format, ...)
{
    if (format == nullptr) return RTERROR;
    va_list ap;
    va_start(ap, format);
    std::wstring text = win32::formatMsvc(format, ap);
    va_end(ap);
    const int n = static_cast<int>(text.size());
    if (arx::AppState* app = arx::appState()) {
        app->print(text);
    } else {
        std::string utf8 = arx::toUtf8(text);
        std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    }
    return n;
}
