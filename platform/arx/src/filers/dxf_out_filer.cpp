// Each typed write of the DXF filer as group text; the first bad code stops the
// filer and later writes do nothing, so the status names the first fault.
#include "dxf_out_filer.h"

#include <cmath>

#include "adscodes.h"
#include "dxf_values.h"
#include "../core/numtext.h"

namespace arx {

DxfOutFiler::DxfOutFiler(std::string& out, AcDbDatabase* db, AcDb::AcDbDwgVersion ver, int precision)
    : mText(out), mDb(db), mVersion(ver), mPrecision(precision > 0 && precision <= 16 ? precision : kDfltPrec)
{
}

Acad::ErrorStatus DxfOutFiler::dwgVersion(AcDb::AcDbDwgVersion& ver, AcDb::MaintenanceReleaseVersion& maint) const
{
    ver = mVersion;
    maint = mVersion == AcDb::kDHL_1024 ? AcDb::kMRelease6 : AcDb::kMRelease8;
    return Acad::eOk;
}

bool DxfOutFiler::validCode(int code)
{
    if (mStatus != Acad::eOk) return false;
    if (code < 0 || code > 1071) {
        setError(Acad::eInvalidDxfCode, L"group code %d cannot be written", code);
        return false;
    }
    return true;
}

Acad::ErrorStatus DxfOutFiler::integer(int code, std::int64_t v)
{
    if (!validCode(code)) return mStatus;
    mText.integer(code, v);
    return Acad::eOk;
}

Acad::ErrorStatus DxfOutFiler::writeUInt64(AcDb::DxfCode code, Adesk::UInt64 v)
{
    if (!validCode(code)) return mStatus;
    mText.code(code);
    appendUInt(mText.out(), v);
    mText.out().push_back('\n');
    return Acad::eOk;
}

Acad::ErrorStatus DxfOutFiler::writeString(AcDb::DxfCode code, const ACHAR* text)
{
    if (!validCode(code)) return mStatus;
    mText.wide(code, text != nullptr ? text : L"");
    return Acad::eOk;
}

// The whole text, NUL characters too (in caret notation): a text read from a
// file may hold them.
Acad::ErrorStatus DxfOutFiler::writeString(AcDb::DxfCode code, const AcString& text)
{
    if (!validCode(code)) return mStatus;
    mText.wide(code, text.str());
    return Acad::eOk;
}

Acad::ErrorStatus DxfOutFiler::writeBChunk(AcDb::DxfCode code, const ads_binary& chunk)
{
    if (!validCode(code)) return mStatus;
    if (chunk.clen < 0 || (chunk.clen > 0 && chunk.buf == nullptr)) {
        setError(Acad::eInvalidInput, L"binary chunk of group %d has no bytes", static_cast<int>(code));
        return mStatus;
    }
    mText.binary(code, chunk.buf, static_cast<size_t>(chunk.clen));
    return Acad::eOk;
}

Acad::ErrorStatus DxfOutFiler::writeAcDbHandle(AcDb::DxfCode code, const AcDbHandle& handle)
{
    if (!validCode(code)) return mStatus;
    mText.handle(code, handle.value());
    return Acad::eOk;
}

Acad::ErrorStatus DxfOutFiler::writeObjectId(AcDb::DxfCode code, const AcDbObjectId& id)
{
    if (!validCode(code)) return mStatus;
    mText.handle(code, id.isNull() ? 0 : id.handle().value());
    return Acad::eOk;
}

Acad::ErrorStatus DxfOutFiler::writeDouble(AcDb::DxfCode code, double v, int prec)
{
    if (!validCode(code)) return mStatus;
    mText.real(code, v, effectivePrecision(prec));
    return Acad::eOk;
}

Acad::ErrorStatus DxfOutFiler::writeAngle(AcDb::DxfCode code, double angle, int prec)
{
    // Angles are radians in memory and degrees in DXF.
    return writeDouble(code, angle * 180.0 / M_PI, prec);
}

Acad::ErrorStatus DxfOutFiler::writePoint2d(AcDb::DxfCode code, const AcGePoint2d& p, int prec)
{
    if (!validCode(code)) return mStatus;
    mText.point(code, p.x, p.y, 0, false, effectivePrecision(prec));
    return Acad::eOk;
}

Acad::ErrorStatus DxfOutFiler::writePoint3d(AcDb::DxfCode code, const AcGePoint3d& p, int prec)
{
    if (!validCode(code)) return mStatus;
    mText.point(code, p.x, p.y, p.z, true, effectivePrecision(prec));
    return Acad::eOk;
}

Acad::ErrorStatus DxfOutFiler::writeVector2d(AcDb::DxfCode code, const AcGeVector2d& v, int prec)
{
    return writePoint2d(code, AcGePoint2d(v.x, v.y), prec);
}

Acad::ErrorStatus DxfOutFiler::writeVector3d(AcDb::DxfCode code, const AcGeVector3d& v, int prec)
{
    return writePoint3d(code, AcGePoint3d(v.x, v.y, v.z), prec);
}

Acad::ErrorStatus DxfOutFiler::writeResBuf(const resbuf& rb)
{
    if (!validCode(rb.restype)) return mStatus;
    std::string tags;
    if (!appendResbufAsTags(tags, &rb)) {
        setError(Acad::eInvalidResBuf, L"a value of type %d has no DXF form", static_cast<int>(rb.restype));
        return mStatus;
    }
    writeTagStore(mText, tags);
    return Acad::eOk;
}

}  // namespace arx
