// The binary filer's reads and writes: fixed-size values copied in and out of the
// buffer, texts and blobs with a length in front, and every read checked against
// what is left so that a damaged record fails with a status instead of reading
// past its end.
#include "binary_filer.h"

#include "acutads.h"
#include "../core/utf.h"
#include "dbmain.h"
#include "../core/generation.h"

namespace arx {

BinaryFiler::BinaryFiler(AcDb::FilerType type, AcDbDatabase* db, std::string& out)
    : mType(type), mDb(db), mOut(&out), mBase(out.size()), mVersion(hostDwgVersion()), mMaint(hostMaintenanceVersion())
{
}

BinaryFiler::BinaryFiler(AcDb::FilerType type, AcDbDatabase* db, std::string_view input)
    : mType(type), mDb(db), mIn(input), mVersion(hostDwgVersion()), mMaint(hostMaintenanceVersion())
{
}

Acad::ErrorStatus BinaryFiler::dwgVersion(AcDb::AcDbDwgVersion& ver, AcDb::MaintenanceReleaseVersion& maint) const
{
    ver = mVersion;
    maint = mMaint;
    return Acad::eOk;
}

Acad::ErrorStatus BinaryFiler::readId(AcDbObjectId* id)
{
    std::uint64_t h = 0;
    Acad::ErrorStatus es = get(&h);
    if (es != Acad::eOk) return es;
    *id = AcDbObjectId::kNull;
    if (h == 0) return Acad::eOk;
    if (mDb == nullptr) return fail(Acad::eNoDatabase);
    // A handle that names nothing yet reserves its id: the object may come later.
    return mDb->getAcDbObjectId(*id, true, AcDbHandle(h));
}

Acad::ErrorStatus BinaryFiler::writeId(const AcDbObjectId& id) { return put<std::uint64_t>(id.isNull() ? 0 : id.handle().value()); }

Acad::ErrorStatus BinaryFiler::readRawHandle(std::uint64_t& h) { return get(&h); }

Acad::ErrorStatus BinaryFiler::readAcDbHandle(AcDbHandle* handle)
{
    std::uint64_t h = 0;
    Acad::ErrorStatus es = get(&h);
    if (es == Acad::eOk) *handle = AcDbHandle(h);
    return es;
}

Acad::ErrorStatus BinaryFiler::writeAcDbHandle(const AcDbHandle& handle) { return put<std::uint64_t>(handle.value()); }

Acad::ErrorStatus BinaryFiler::readUtf8(std::string_view& text)
{
    std::uint32_t len = 0;
    Acad::ErrorStatus es = get(&len);
    if (es != Acad::eOk) return es;
    if (len > remaining()) return fail(Acad::eEndOfFile);
    text = mIn.substr(mPos, len);
    mPos += len;
    return Acad::eOk;
}

Acad::ErrorStatus BinaryFiler::readString(ACHAR** text)
{
    *text = nullptr;
    std::string_view utf8;
    Acad::ErrorStatus es = readUtf8(utf8);
    if (es != Acad::eOk) return es;
    std::wstring w = fromUtf8(utf8);
    acutNewString(w.c_str(), *text);
    return Acad::eOk;
}

Acad::ErrorStatus BinaryFiler::readString(AcString& text)
{
    std::string_view utf8;
    Acad::ErrorStatus es = readUtf8(utf8);
    if (es == Acad::eOk) text = AcString(fromUtf8(utf8));
    return es;
}

Acad::ErrorStatus BinaryFiler::writeString(const ACHAR* text)
{
    std::string utf8 = toUtf8(text != nullptr ? text : L"");
    return writeBlob(utf8);
}

// The whole text, NUL characters too: a text read from a file may hold them.
Acad::ErrorStatus BinaryFiler::writeString(const AcString& text) { return writeBlob(toUtf8(text.str())); }

Acad::ErrorStatus BinaryFiler::readBlob(std::string& out)
{
    std::string_view bytes;
    Acad::ErrorStatus es = readUtf8(bytes);
    if (es == Acad::eOk) out.assign(bytes);
    return es;
}

Acad::ErrorStatus BinaryFiler::writeBlob(std::string_view bytes)
{
    if (bytes.size() > 0xFFFFFFFFu) return fail(Acad::eOutOfMemory);
    Acad::ErrorStatus es = put(static_cast<std::uint32_t>(bytes.size()));
    if (es != Acad::eOk) return es;
    mOut->append(bytes);
    return Acad::eOk;
}

Acad::ErrorStatus BinaryFiler::readBChunk(ads_binary* chunk)
{
    chunk->clen = 0;
    chunk->buf = nullptr;
    Adesk::Int16 len = 0;
    Acad::ErrorStatus es = get(&len);
    if (es != Acad::eOk) return es;
    if (len < 0 || static_cast<size_t>(len) > remaining()) return fail(Acad::eEndOfFile);
    chunk->buf = static_cast<char*>(acutNewBuffer(static_cast<size_t>(len) + 1));
    std::memcpy(chunk->buf, mIn.data() + mPos, static_cast<size_t>(len));
    chunk->clen = len;
    mPos += static_cast<size_t>(len);
    return Acad::eOk;
}

Acad::ErrorStatus BinaryFiler::writeBChunk(const ads_binary& chunk)
{
    if (chunk.clen < 0 || (chunk.clen > 0 && chunk.buf == nullptr)) return fail(Acad::eInvalidInput);
    Acad::ErrorStatus es = put(static_cast<Adesk::Int16>(chunk.clen));
    if (es != Acad::eOk) return es;
    mOut->append(chunk.buf != nullptr ? chunk.buf : "", static_cast<size_t>(chunk.clen));
    return Acad::eOk;
}

Acad::ErrorStatus BinaryFiler::readBool(bool* v)
{
    Adesk::UInt8 b = 0;
    Acad::ErrorStatus es = get(&b);
    if (es == Acad::eOk) *v = b != 0;
    return es;
}

Acad::ErrorStatus BinaryFiler::readPoint2d(AcGePoint2d* p)
{
    double c[2];
    for (double& d : c)
        if (Acad::ErrorStatus es = get(&d); es != Acad::eOk) return es;
    p->set(c[0], c[1]);
    return Acad::eOk;
}

Acad::ErrorStatus BinaryFiler::writePoint2d(const AcGePoint2d& p)
{
    put(p.x);
    return put(p.y);
}

Acad::ErrorStatus BinaryFiler::readPoint3d(AcGePoint3d* p)
{
    double c[3];
    for (double& d : c)
        if (Acad::ErrorStatus es = get(&d); es != Acad::eOk) return es;
    p->set(c[0], c[1], c[2]);
    return Acad::eOk;
}

Acad::ErrorStatus BinaryFiler::writePoint3d(const AcGePoint3d& p)
{
    put(p.x);
    put(p.y);
    return put(p.z);
}

Acad::ErrorStatus BinaryFiler::readVector2d(AcGeVector2d* v)
{
    AcGePoint2d p;
    Acad::ErrorStatus es = readPoint2d(&p);
    if (es == Acad::eOk) *v = AcGeVector2d(p.x, p.y);
    return es;
}

Acad::ErrorStatus BinaryFiler::writeVector2d(const AcGeVector2d& v) { return writePoint2d(AcGePoint2d(v.x, v.y)); }

Acad::ErrorStatus BinaryFiler::readVector3d(AcGeVector3d* v)
{
    AcGePoint3d p;
    Acad::ErrorStatus es = readPoint3d(&p);
    if (es == Acad::eOk) *v = p.asVector();
    return es;
}

Acad::ErrorStatus BinaryFiler::writeVector3d(const AcGeVector3d& v) { return writePoint3d(AcGePoint3d(v.x, v.y, v.z)); }

Acad::ErrorStatus BinaryFiler::readBytes(void* buffer, Adesk::UIntPtr count)
{
    if (mStatus != Acad::eOk) return mStatus;
    if (mOut != nullptr) return fail(Acad::eIsWriting);
    if (count > remaining()) return fail(Acad::eEndOfFile);
    if (count > 0) std::memcpy(buffer, mIn.data() + mPos, count);
    mPos += count;
    return Acad::eOk;
}

Acad::ErrorStatus BinaryFiler::writeBytes(const void* buffer, Adesk::UIntPtr count)
{
    if (mStatus != Acad::eOk) return mStatus;
    if (mOut == nullptr) return fail(Acad::eIsReading);
    if (count > 0 && buffer == nullptr) return fail(Acad::eInvalidInput);
    mOut->append(static_cast<const char*>(buffer), count);
    return Acad::eOk;
}

// Addresses only mean something inside this process, so only in-memory filers
// carry them; a file gets a null address.
Acad::ErrorStatus BinaryFiler::readAddress(void** p)
{
    std::uint64_t v = 0;
    Acad::ErrorStatus es = get(&v);
    if (es == Acad::eOk) *p = mType == AcDb::kFileFiler ? nullptr : reinterpret_cast<void*>(v);
    return es;
}

Acad::ErrorStatus BinaryFiler::writeAddress(const void* p)
{
    return put<std::uint64_t>(mType == AcDb::kFileFiler ? 0 : reinterpret_cast<std::uint64_t>(p));
}

Acad::ErrorStatus BinaryFiler::seek(Adesk::Int64 offset, int method)
{
    if (!isReading()) return fail(Acad::eIsWriting);
    Adesk::Int64 base = method == AcDb::kSeekFromStart     ? 0
                        : method == AcDb::kSeekFromCurrent ? static_cast<Adesk::Int64>(mPos)
                                                           : static_cast<Adesk::Int64>(mIn.size());
    Adesk::Int64 target = base + offset;
    if (target < 0 || target > static_cast<Adesk::Int64>(mIn.size())) return fail(Acad::eInvalidInput);
    mPos = static_cast<size_t>(target);
    return Acad::eOk;
}

}  // namespace arx
