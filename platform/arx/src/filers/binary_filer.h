// BinaryFiler: the host's binary filer. It writes an object's fields into a byte
// buffer and reads them back with every read bounds-checked, for drawing files,
// undo images, copies and proxies. Values are little-endian; texts are UTF-8 with
// a 32-bit length; references are 64-bit handles resolved in the filer's database.
#pragma once
#include <cstring>
#include <string>
#include <string_view>

#include "dbfiler.h"

namespace arx {

class BinaryFiler final : public AcDbDwgFiler {
public:
    // A writer appending to out (which must outlive the filer).
    BinaryFiler(AcDb::FilerType type, AcDbDatabase* db, std::string& out);
    // A reader over input (which must outlive the filer).
    BinaryFiler(AcDb::FilerType type, AcDbDatabase* db, std::string_view input);

    bool isReading() const { return mOut == nullptr; }
    size_t position() const { return mPos; }
    size_t remaining() const { return mIn.size() - mPos; }
    std::string_view rest() const { return mIn.substr(mPos); }
    void skipToEnd() { mPos = mIn.size(); }
    void setVersion(AcDb::AcDbDwgVersion ver, AcDb::MaintenanceReleaseVersion maint)
    {
        mVersion = ver;
        mMaint = maint;
    }
    // A length-prefixed run of bytes, never longer than what is left.
    Acad::ErrorStatus readBlob(std::string& out);
    // The same without a copy: a view into the filer's input.
    Acad::ErrorStatus readBlob(std::string_view& out) { return readUtf8(out); }
    Acad::ErrorStatus writeBlob(std::string_view bytes);
    // Reads a handle without resolving it.
    Acad::ErrorStatus readRawHandle(std::uint64_t& h);

    Acad::ErrorStatus filerStatus() const override { return mStatus; }
    AcDb::FilerType filerType() const override { return mType; }
    void setFilerStatus(Acad::ErrorStatus es) override { mStatus = es; }
    void resetFilerStatus() override { mStatus = Acad::eOk; }
    Acad::ErrorStatus dwgVersion(AcDb::AcDbDwgVersion& ver, AcDb::MaintenanceReleaseVersion& maint) const override;
    AcDbDatabase* database() const { return mDb; }

    Acad::ErrorStatus readHardOwnershipId(AcDbHardOwnershipId* id) override { return readId(id); }
    Acad::ErrorStatus writeHardOwnershipId(const AcDbHardOwnershipId& id) override { return writeId(id); }
    Acad::ErrorStatus readSoftOwnershipId(AcDbSoftOwnershipId* id) override { return readId(id); }
    Acad::ErrorStatus writeSoftOwnershipId(const AcDbSoftOwnershipId& id) override { return writeId(id); }
    Acad::ErrorStatus readHardPointerId(AcDbHardPointerId* id) override { return readId(id); }
    Acad::ErrorStatus writeHardPointerId(const AcDbHardPointerId& id) override { return writeId(id); }
    Acad::ErrorStatus readSoftPointerId(AcDbSoftPointerId* id) override { return readId(id); }
    Acad::ErrorStatus writeSoftPointerId(const AcDbSoftPointerId& id) override { return writeId(id); }

    Acad::ErrorStatus readInt8(Adesk::Int8* v) override { return get(v); }
    Acad::ErrorStatus writeInt8(Adesk::Int8 v) override { return put(v); }
    Acad::ErrorStatus readString(ACHAR** text) override;
    Acad::ErrorStatus writeString(const ACHAR* text) override;
    Acad::ErrorStatus readString(AcString& text) override;
    Acad::ErrorStatus writeString(const AcString& text) override;
    Acad::ErrorStatus readBChunk(ads_binary* chunk) override;
    Acad::ErrorStatus writeBChunk(const ads_binary& chunk) override;
    Acad::ErrorStatus readAcDbHandle(AcDbHandle* handle) override;
    Acad::ErrorStatus writeAcDbHandle(const AcDbHandle& handle) override;
    Acad::ErrorStatus readInt64(Adesk::Int64* v) override { return get(v); }
    Acad::ErrorStatus writeInt64(Adesk::Int64 v) override { return put(v); }
    Acad::ErrorStatus readInt32(Adesk::Int32* v) override { return get(v); }
    Acad::ErrorStatus writeInt32(Adesk::Int32 v) override { return put(v); }
    Acad::ErrorStatus readInt16(Adesk::Int16* v) override { return get(v); }
    Acad::ErrorStatus writeInt16(Adesk::Int16 v) override { return put(v); }
    Acad::ErrorStatus readUInt64(Adesk::UInt64* v) override { return get(v); }
    Acad::ErrorStatus writeUInt64(Adesk::UInt64 v) override { return put(v); }
    Acad::ErrorStatus readUInt32(Adesk::UInt32* v) override { return get(v); }
    Acad::ErrorStatus writeUInt32(Adesk::UInt32 v) override { return put(v); }
    Acad::ErrorStatus readUInt16(Adesk::UInt16* v) override { return get(v); }
    Acad::ErrorStatus writeUInt16(Adesk::UInt16 v) override { return put(v); }
    Acad::ErrorStatus readUInt8(Adesk::UInt8* v) override { return get(v); }
    Acad::ErrorStatus writeUInt8(Adesk::UInt8 v) override { return put(v); }
    // Filed as one byte, like bool.
    Acad::ErrorStatus readBoolean(Adesk::Boolean* v) override
    {
        bool b = false;
        Acad::ErrorStatus es = readBool(&b);
        if (es == Acad::eOk) *v = b ? Adesk::kTrue : Adesk::kFalse;
        return es;
    }
    Acad::ErrorStatus writeBoolean(Adesk::Boolean v) override { return writeBool(v != Adesk::kFalse); }
    Acad::ErrorStatus readBool(bool* v) override;
    Acad::ErrorStatus writeBool(bool v) override { return put(static_cast<Adesk::UInt8>(v ? 1 : 0)); }
    Acad::ErrorStatus readDouble(double* v) override { return get(v); }
    Acad::ErrorStatus writeDouble(double v) override { return put(v); }
    Acad::ErrorStatus readPoint2d(AcGePoint2d* p) override;
    Acad::ErrorStatus writePoint2d(const AcGePoint2d& p) override;
    Acad::ErrorStatus readPoint3d(AcGePoint3d* p) override;
    Acad::ErrorStatus writePoint3d(const AcGePoint3d& p) override;
    Acad::ErrorStatus readVector2d(AcGeVector2d* v) override;
    Acad::ErrorStatus writeVector2d(const AcGeVector2d& v) override;
    Acad::ErrorStatus readVector3d(AcGeVector3d* v) override;
    Acad::ErrorStatus writeVector3d(const AcGeVector3d& v) override;
    Acad::ErrorStatus readBytes(void* buffer, Adesk::UIntPtr count) override;
    Acad::ErrorStatus writeBytes(const void* buffer, Adesk::UIntPtr count) override;
    Acad::ErrorStatus readAddress(void** p) override;
    Acad::ErrorStatus writeAddress(const void* p) override;
    Acad::ErrorStatus seek(Adesk::Int64 offset, int method) override;
    Adesk::Int64 tell() const override { return static_cast<Adesk::Int64>(isReading() ? mPos : mOut->size() - mBase); }

private:
    template <class T>
    Acad::ErrorStatus put(T v)
    {
        if (mStatus != Acad::eOk) return mStatus;
        if (mOut == nullptr) return fail(Acad::eIsReading);
        mOut->append(reinterpret_cast<const char*>(&v), sizeof v);
        return Acad::eOk;
    }
    template <class T>
    Acad::ErrorStatus get(T* v)
    {
        if (mStatus != Acad::eOk) return mStatus;
        if (mOut != nullptr) return fail(Acad::eIsWriting);
        if (remaining() < sizeof(T)) return fail(Acad::eEndOfFile);
        std::memcpy(v, mIn.data() + mPos, sizeof(T));
        mPos += sizeof(T);
        return Acad::eOk;
    }
    Acad::ErrorStatus fail(Acad::ErrorStatus es)
    {
        if (mStatus == Acad::eOk) mStatus = es;
        return es;
    }
    Acad::ErrorStatus readId(AcDbObjectId* id);
    Acad::ErrorStatus writeId(const AcDbObjectId& id);
    Acad::ErrorStatus readUtf8(std::string_view& text);

    AcDb::FilerType mType;
    AcDbDatabase* mDb;
    std::string* mOut = nullptr;
    size_t mBase = 0;  // where this filer's output starts in mOut
    std::string_view mIn;
    size_t mPos = 0;
    Acad::ErrorStatus mStatus = Acad::eOk;
    AcDb::AcDbDwgVersion mVersion;
    AcDb::MaintenanceReleaseVersion mMaint;
};

}  // namespace arx
