// AcString's formatting and conversions.
#include <cstdarg>
#include <cwchar>
#include <vector>

#include "AcString.h"
#include "utf.h"

std::string AcString::utf8() const { return arx::toUtf8(mText); }

AcString AcString::fromUtf8(const char* s, size_t len) { return AcString(arx::fromUtf8(std::string_view(s, len))); }

AcString& AcString::format(const ACHAR* fmt, ...)
{
    std::vector<wchar_t> buf(256);
    for (;;) {
        va_list ap;
        va_start(ap, fmt);
        int n = std::vswprintf(buf.data(), buf.size(), fmt, ap);
        va_end(ap);
        if (n >= 0 && static_cast<size_t>(n) < buf.size()) {
            mText.assign(buf.data(), static_cast<size_t>(n));
            return *this;
        }
        if (buf.size() > (1u << 24)) {  // a format that never fits: give up on it
            mText.clear();
            return *this;
        }
        buf.resize(buf.size() * 4);
    }
}

int AcString::compareNoCase(const ACHAR* s) const
{
    std::wstring a = arx::upperAscii(mText), b = arx::upperAscii(s ? s : L"");
    return a < b ? -1 : (a == b ? 0 : 1);
}

AcString& AcString::makeUpper()
{
    mText = arx::upperAscii(mText);
    return *this;
}
