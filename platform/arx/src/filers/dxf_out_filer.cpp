#include "dxf_out_filer.h"

#include <cmath>

#include "adscodes.h"
#include "dxf_values.h"
#include "../core/hex.h"
#include "../core/numtext.h"
#include "../core/tags.h"
#include "../core/utf.h"

namespace arx {

void DxfText::code(int c)
{
    char buf[16];
    int n = 0;
    char digits[12];
    unsigned v = static_cast<unsigned>(c < 0 ? -c : c);
    do {
        digits[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v != 0);
    if (c < 0) digits[n++] = '-';
    int pad = n < 3 ? 3 - n : 0;
    int k = 0;
    for (int i = 0; i < pad; ++i) buf[k++] = ' ';
    for (int i = n - 1; i >= 0; --i) buf[k++] = digits[i];
    buf[k++] = '\n';
    mOut.append(buf, static_cast<size_t>(k));
}

void DxfText::text(int c, std::string_view v)
{
    code(c);
    mOut.append(v);
    mOut.push_back('\n');
}

void DxfText::wide(int c, std::wstring_view v)
{
    code(c);
    appendDxfString(mOut, v);
    mOut.push_back('\n');
}

void DxfText::integer(int c, std::int64_t v)
{
    code(c);
    appendInt(mOut, v);
    mOut.push_back('\n');
}

void DxfText::real(int c, double v, int precision)
{
    code(c);
    appendDouble(mOut, v, precision);
    mOut.push_back('\n');
}

void DxfText::point(int c, double x, double y, double z, bool withZ, int precision)
{
    real(c, x, precision);
    real(c + 10, y, precision);
    if (withZ) real(c + 20, z, precision);
}

void DxfText::handle(int c, std::uint64_t h)
{
    code(c);
    char buf[20];
    size_t n = formatHexHandle(h, buf);
    mOut.append(buf, n);
    mOut.push_back('\n');
}

void DxfText::binary(int c, const void* data, size_t len)
{
    code(c);
    appendHex(mOut, data, len);
    mOut.push_back('\n');
}

void appendDxfString(std::string& out, std::wstring_view value)
{
    size_t start = out.size();
    appendUtf8(out, value);
    // Only rewrite when needed: most values have no control characters or carets.
    bool needs = false;
    for (size_t i = start; i < out.size(); ++i) {
        auto c = static_cast<unsigned char>(out[i]);
        if (c < 0x20 || c == '^') {
            needs = true;
            break;
        }
    }
    if (!needs) return;
    std::string raw = out.substr(start);
    out.resize(start);
    for (char ch : raw) {
        auto c = static_cast<unsigned char>(ch);
        if (c == '^') {
            out.append("^ ");
        } else if (c < 0x20) {
            out.push_back('^');
            out.push_back(static_cast<char>(c + 64));
        } else {
            out.push_back(ch);
        }
    }
}

std::wstring decodeDxfString(std::string_view v)
{
    std::wstring out;
    decodeDxfString(v, out);
    return out;
}

void decodeDxfString(std::string_view v, std::wstring& out)
{
    if (v.find('^') == std::string_view::npos) return fromUtf8(v, out);
    std::string raw;
    raw.reserve(v.size());
    for (size_t i = 0; i < v.size(); ++i) {
        if (v[i] == '^' && i + 1 < v.size()) {
            char n = v[i + 1];
            if (n == ' ') {
                raw.push_back('^');
                ++i;
                continue;
            }
            if (n >= '@' && n <= '_') {
                raw.push_back(static_cast<char>(n - 64));
                ++i;
                continue;
            }
        }
        raw.push_back(v[i]);
    }
    fromUtf8(raw, out);
}

void writeTagStore(DxfText& out, std::string_view store)
{
    TagCursor cursor(store);
    Tag t;
    while (cursor.next(t)) {
        if (t.kind == TagKind::Binary)
            out.binary(t.code, t.value.data(), t.value.size());
        else
            out.text(t.code, t.value);
    }
}

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
