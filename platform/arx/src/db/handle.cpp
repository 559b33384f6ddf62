// AcDbHandle: an object's name in its database, unique there and kept in files,
// read from and written as hexadecimal text.
#include "dbhandle.h"
#include "../core/hex.h"

AcDbHandle::AcDbHandle(const ACHAR* hexText)
{
    std::uint64_t v = 0;
    if (hexText != nullptr && arx::parseHexHandle(std::wstring_view(hexText), v)) mValue = v;
}

AcDbHandle::AcDbHandle(const char* hexText)
{
    std::uint64_t v = 0;
    if (hexText != nullptr && arx::parseHexHandle(std::string_view(hexText), v)) mValue = v;
}

// The digits and a terminator, or an empty buffer when they do not fit.
template <class Ch>
static bool handleIntoBuffer(std::uint64_t value, Ch* buf, size_t nBufLen)
{
    if (buf == nullptr) return false;
    char tmp[20];
    size_t n = arx::formatHexHandle(value, tmp);
    if (n + 1 > nBufLen) {
        if (nBufLen > 0) buf[0] = 0;
        return false;
    }
    for (size_t i = 0; i <= n; ++i) buf[i] = static_cast<Ch>(tmp[i]);
    return true;
}

bool AcDbHandle::getIntoAsciiBuffer(char* buf, size_t nBufLen) const { return handleIntoBuffer(mValue, buf, nBufLen); }
bool AcDbHandle::getIntoAsciiBuffer(ACHAR* buf, size_t nBufLen) const { return handleIntoBuffer(mValue, buf, nBufLen); }
