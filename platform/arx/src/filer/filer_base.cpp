// What the two abstract filers implement themselves.
#include <cstdarg>
#include <cwchar>
#include <vector>

#include "dbfiler.h"
#include "../db/host_state.h"

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

static AcString formatMessage(const ACHAR* format, va_list ap)
{
    std::vector<wchar_t> buf(512);
    va_list copy;
    va_copy(copy, ap);
    int n = std::vswprintf(buf.data(), buf.size(), format != nullptr ? format : L"", copy);
    va_end(copy);
    if (n < 0) return AcString(format != nullptr ? format : L"");
    return AcString(std::wstring(buf.data(), static_cast<size_t>(n)));
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
