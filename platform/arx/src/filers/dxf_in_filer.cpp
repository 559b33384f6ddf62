// Reading one group at a time: the value parsed by its code's kind (points from
// their x, y and z groups, handles resolved in the database), every bad value
// reported with its line, and one step of push-back for a reader that looked too
// far.
#include "dxf_in_filer.h"

#include "adscodes.h"
#include "dxf_text.h"
#include "dxf_values.h"
#include "../core/hex.h"
#include "../core/numtext.h"
#include "../core/utf.h"
#include "dbmain.h"

namespace arx {

DxfInFiler::DxfInFiler(const DxfRecord& record, size_t first, AcDbDatabase* db)
    : mRecord(record), mPos(first), mEnd(record.size()), mLast(first), mBeforeLast(first), mDb(db)
{
}

std::uint64_t DxfInFiler::currentLine() const
{
    if (mRecord.empty()) return 0;
    size_t i = mLast < mRecord.size() ? mLast : mRecord.size() - 1;
    return mRecord.tag(i).line;
}

Acad::ErrorStatus DxfInFiler::bad(const char* what)
{
    mLast = mPos;
    setError(Acad::eInvalidResBuf, L"line %llu: group %d: %s", static_cast<unsigned long long>(mRecord.tag(mPos).line),
             static_cast<int>(mRecord.tag(mPos).code), what);
    return Acad::eInvalidResBuf;
}

Acad::ErrorStatus DxfInFiler::readResBuf(resbuf* rb)
{
    if (mStatus != Acad::eOk) return mStatus;
    // Extended data belongs to the object's owner of filing, not to its class.
    if (mPos >= mEnd || mRecord.tag(mPos).code >= 1000) return Acad::eEndOfFile;
    const DxfTag& t = mRecord.tag(mPos);
    std::string_view v = mRecord.value(mPos);
    rb->rbnext = nullptr;
    rb->restype = t.code;
    size_t consumed = 1;
    switch (dxfValueType(t.code)) {
    case DxfValueType::kString:
    case DxfValueType::kHandle:
        decodeDxfString(v, mText);
        rb->resval.rstring = mText.data();
        break;
    case DxfValueType::kPoint: {
        double c[3] = {0, 0, 0};
        if (!parseDouble(v, c[0])) return bad("not a number");
        // y, then z if present: a 2D point has no z group.
        for (int i = 1; i < 3 && mPos + consumed < mEnd; ++i) {
            const DxfTag& n = mRecord.tag(mPos + consumed);
            if (n.code != t.code + 10 * i) break;
            if (!parseDouble(mRecord.value(mPos + consumed), c[i])) {
                mPos += consumed;
                return bad("not a number");
            }
            ++consumed;
        }
        if (consumed < 2) return bad("coordinate without its y group");
        for (int i = 0; i < 3; ++i) rb->resval.rpoint[i] = c[i];
        break;
    }
    case DxfValueType::kDouble:
        if (!parseDouble(v, rb->resval.rreal)) return bad("not a number");
        break;
    case DxfValueType::kInt16:
    case DxfValueType::kBool: {
        std::int64_t n = 0;
        if (!parseInt(v, n) || n < -32768 || n > 65535) return bad("not a 16-bit integer");
        rb->resval.rint = static_cast<short>(n);
        break;
    }
    case DxfValueType::kInt32: {
        std::int64_t n = 0;
        if (!parseInt(v, n) || n < INT32_MIN || n > static_cast<std::int64_t>(UINT32_MAX))
            return bad("not a 32-bit integer");
        rb->resval.rlong = static_cast<Adesk::Int32>(static_cast<std::uint32_t>(n));
        break;
    }
    case DxfValueType::kInt64: {
        std::int64_t n = 0;
        if (!parseInt(v, n)) return bad("not an integer");
        rb->resval.mnInt64 = n;
        break;
    }
    case DxfValueType::kBinary:
        if (!t.binary) return bad("binary data expected");
        if (v.size() > 32767) return bad("binary chunk longer than 32767 bytes");
        rb->resval.rbinary.clen = static_cast<short>(v.size());
        rb->resval.rbinary.buf = const_cast<char*>(v.data());
        break;
    case DxfValueType::kObjectId: {
        std::uint64_t h = 0;
        std::string_view hv = trimSpaces(v);
        if (!parseHexHandle(hv, h)) return bad("not a handle");
        AcDbObjectId id;
        if (h != 0) {
            if (mDb == nullptr) return bad("no database to resolve the handle in");
            mDb->getAcDbObjectId(id, true, AcDbHandle(h));
        }
        rb->resval.rlname[0] = id.asOldId();
        rb->resval.rlname[1] = 0;
        break;
    }
    case DxfValueType::kInvalid: return bad("unknown group code");
    }
    mBeforeLast = mLast;
    mLast = mPos;
    mPos += consumed;
    return Acad::eOk;
}

Acad::ErrorStatus DxfInFiler::pushBackItem()
{
    mPos = mLast;
    mLast = mBeforeLast;
    return Acad::eOk;
}

bool DxfInFiler::atSubclassData(const ACHAR* subclassName)
{
    if (mPos >= mEnd) return false;
    const DxfTag& t = mRecord.tag(mPos);
    if (t.code != 100) return false;
    if (!equalsUtf8(mRecord.value(mPos), subclassName != nullptr ? subclassName : L"")) return false;
    mBeforeLast = mLast;
    mLast = mPos;
    ++mPos;
    return true;
}

}  // namespace arx
