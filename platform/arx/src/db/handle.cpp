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

// At most 16 digits: the 17 characters the caller provides always suffice.
void AcDbHandle::getIntoAsciiBuffer(ACHAR* pBuf) const
{
    if (pBuf == nullptr) return;
    char digits[20];
    size_t n = arx::formatHexHandle(mValue, digits);
    for (size_t i = 0; i <= n; ++i) pBuf[i] = static_cast<ACHAR>(digits[i]);
}
