// What the two abstract filers implement themselves.
#include <cstdarg>
#include <cwchar>
#include <vector>

#include "dbfiler.h"
#include "../core/generation.h"

AcDbDwgFiler::~AcDbDwgFiler() = default;
AcDbDxfFiler::~AcDbDxfFiler() = default;

Acad::ErrorStatus AcDbDwgFiler::dwgVersion(AcDb::AcDbDwgVersion& ver, AcDb::MaintenanceReleaseVersion& maint) const
{
    ver = arx::hostDwgVersion();
    maint = arx::hostMaintenanceVersion();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDxfFiler::dwgVersion(AcDb::AcDbDwgVersion& ver, AcDb::MaintenanceReleaseVersion& maint) const
{
    ver = arx::hostDwgVersion();
    maint = arx::hostMaintenanceVersion();
    return Acad::eOk;
}

// vswprintf says only that the text did not fit, so the buffer grows until it
// does; a message longer than any that helps a reader is cut short.
static AcString formatMessage(const ACHAR* format, va_list ap)
{
    constexpr size_t kLongest = 1u << 16;
    for (size_t size = 512;; size *= 4) {
        std::vector<wchar_t> buf(size);
        va_list copy;
        va_copy(copy, ap);
        int n = std::vswprintf(buf.data(), buf.size(), format != nullptr ? format : L"", copy);
        va_end(copy);
        if (n >= 0) return AcString(std::wstring(buf.data(), static_cast<size_t>(n)));
        if (size >= kLongest) {
            buf.back() = 0;
            return AcString(std::wstring(buf.data()) + L"...");
        }
    }
}

Acad::ErrorStatus AcDbDxfFiler::setError(Acad::ErrorStatus es, const ACHAR* format, ...)
{
    va_list ap;
    va_start(ap, format);
    mErrorMessage = formatMessage(format, ap);
    va_end(ap);
    setFilerStatus(es);
    return es;
}

Acad::ErrorStatus AcDbDxfFiler::setError(const ACHAR* format, ...)
{
    va_list ap;
    va_start(ap, format);
    mErrorMessage = formatMessage(format, ap);
    va_end(ap);
    setFilerStatus(Acad::eDxfReadAborted);
    return Acad::eDxfReadAborted;
}
