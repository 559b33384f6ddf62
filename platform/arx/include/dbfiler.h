// The two filers through which objects file themselves: AcDbDwgFiler for the
// binary form (drawing files, undo, copies) and AcDbDxfFiler for DXF group codes.
// An object's dwgOutFields/dxfOutFields write through them, its dwgInFields/
// dxfInFields read through them; the filer's status is the result of the whole
// filing operation.
#pragma once
#include "AcString.h"
#include "acadstrc.h"
#include "acdb.h"
#include "adsdef.h"
#include "dbid.h"
#include "gepnt2d.h"
#include "gepnt3d.h"

class AcDbDatabase;

class ARXHOST_EXPORT AcDbDwgFiler {
public:
    virtual ~AcDbDwgFiler();

    virtual Acad::ErrorStatus filerStatus() const = 0;
    virtual AcDb::FilerType filerType() const = 0;
    virtual void setFilerStatus(Acad::ErrorStatus es) = 0;
    virtual void resetFilerStatus() = 0;
    // Sets the status to es unless an earlier error is already recorded.
    void setError(Acad::ErrorStatus es)
    {
        if (filerStatus() == Acad::eOk) setFilerStatus(es);
    }
    virtual Acad::ErrorStatus dwgVersion(AcDb::AcDbDwgVersion& ver, AcDb::MaintenanceReleaseVersion& maint) const;
    // The binary filer names no database: an object reaches the database it is
    // read into through its own database().

    virtual Acad::ErrorStatus readHardOwnershipId(AcDbHardOwnershipId* id) = 0;
    virtual Acad::ErrorStatus writeHardOwnershipId(const AcDbHardOwnershipId& id) = 0;
    virtual Acad::ErrorStatus readSoftOwnershipId(AcDbSoftOwnershipId* id) = 0;
    virtual Acad::ErrorStatus writeSoftOwnershipId(const AcDbSoftOwnershipId& id) = 0;
    virtual Acad::ErrorStatus readHardPointerId(AcDbHardPointerId* id) = 0;
    virtual Acad::ErrorStatus writeHardPointerId(const AcDbHardPointerId& id) = 0;
    virtual Acad::ErrorStatus readSoftPointerId(AcDbSoftPointerId* id) = 0;
    virtual Acad::ErrorStatus writeSoftPointerId(const AcDbSoftPointerId& id) = 0;

    virtual Acad::ErrorStatus readInt8(Adesk::Int8* v) = 0;
    virtual Acad::ErrorStatus writeInt8(Adesk::Int8 v) = 0;
    // Hands out a copy allocated with acutNewBuffer; release it with acutDelBuffer.
    virtual Acad::ErrorStatus readString(ACHAR** text) = 0;
    virtual Acad::ErrorStatus writeString(const ACHAR* text) = 0;
    virtual Acad::ErrorStatus readString(AcString& text) = 0;
    virtual Acad::ErrorStatus writeString(const AcString& text) = 0;
    // The chunk's bytes are allocated with acutNewBuffer.
    virtual Acad::ErrorStatus readBChunk(ads_binary* chunk) = 0;
    virtual Acad::ErrorStatus writeBChunk(const ads_binary& chunk) = 0;
    virtual Acad::ErrorStatus readAcDbHandle(AcDbHandle* handle) = 0;
    virtual Acad::ErrorStatus writeAcDbHandle(const AcDbHandle& handle) = 0;
    virtual Acad::ErrorStatus readInt64(Adesk::Int64* v) = 0;
    virtual Acad::ErrorStatus writeInt64(Adesk::Int64 v) = 0;
    virtual Acad::ErrorStatus readInt32(Adesk::Int32* v) = 0;
    virtual Acad::ErrorStatus writeInt32(Adesk::Int32 v) = 0;
    virtual Acad::ErrorStatus readInt16(Adesk::Int16* v) = 0;
    virtual Acad::ErrorStatus writeInt16(Adesk::Int16 v) = 0;
    virtual Acad::ErrorStatus readUInt64(Adesk::UInt64* v) = 0;
    virtual Acad::ErrorStatus writeUInt64(Adesk::UInt64 v) = 0;
    virtual Acad::ErrorStatus readUInt32(Adesk::UInt32* v) = 0;
    virtual Acad::ErrorStatus writeUInt32(Adesk::UInt32 v) = 0;
    virtual Acad::ErrorStatus readUInt16(Adesk::UInt16* v) = 0;
    virtual Acad::ErrorStatus writeUInt16(Adesk::UInt16 v) = 0;
    virtual Acad::ErrorStatus readUInt8(Adesk::UInt8* v) = 0;
    virtual Acad::ErrorStatus writeUInt8(Adesk::UInt8 v) = 0;
    virtual Acad::ErrorStatus readBoolean(Adesk::Boolean* v) = 0;
    virtual Acad::ErrorStatus writeBoolean(Adesk::Boolean v) = 0;
    virtual Acad::ErrorStatus readBool(bool* v) = 0;
    virtual Acad::ErrorStatus writeBool(bool v) = 0;
    virtual Acad::ErrorStatus readDouble(double* v) = 0;
    virtual Acad::ErrorStatus writeDouble(double v) = 0;
    virtual Acad::ErrorStatus readPoint2d(AcGePoint2d* p) = 0;
    virtual Acad::ErrorStatus writePoint2d(const AcGePoint2d& p) = 0;
    virtual Acad::ErrorStatus readPoint3d(AcGePoint3d* p) = 0;
    virtual Acad::ErrorStatus writePoint3d(const AcGePoint3d& p) = 0;
    virtual Acad::ErrorStatus readVector2d(AcGeVector2d* v) = 0;
    virtual Acad::ErrorStatus writeVector2d(const AcGeVector2d& v) = 0;
    virtual Acad::ErrorStatus readVector3d(AcGeVector3d* v) = 0;
    virtual Acad::ErrorStatus writeVector3d(const AcGeVector3d& v) = 0;
    virtual Acad::ErrorStatus readBytes(void* buffer, Adesk::UIntPtr count) = 0;
    virtual Acad::ErrorStatus writeBytes(const void* buffer, Adesk::UIntPtr count) = 0;
    virtual Acad::ErrorStatus readAddress(void** p) = 0;
    virtual Acad::ErrorStatus writeAddress(const void* p) = 0;
    virtual Acad::ErrorStatus seek(Adesk::Int64 offset, int method) = 0;
    virtual Adesk::Int64 tell() const = 0;

protected:
    AcDbDwgFiler() = default;
};

class ARXHOST_EXPORT AcDbDxfFiler {
public:
    // Default precision of written reals: the shortest text that reads back to
    // the same double.
    enum { kDfltPrec = -1, kMaxPrec = 16 };

    virtual ~AcDbDxfFiler();

    virtual Acad::ErrorStatus filerStatus() const = 0;
    virtual AcDb::FilerType filerType() const = 0;
    virtual void setFilerStatus(Acad::ErrorStatus es) = 0;
    virtual void resetFilerStatus() = 0;
    virtual Acad::ErrorStatus dwgVersion(AcDb::AcDbDwgVersion& ver, AcDb::MaintenanceReleaseVersion& maint) const;
    virtual AcDbDatabase* database() const = 0;

    // Records an error with a message (printf format); the status becomes es.
    virtual Acad::ErrorStatus setError(Acad::ErrorStatus es, const ACHAR* format, ...);
    virtual Acad::ErrorStatus setError(const ACHAR* format, ...);
    virtual const ACHAR* errorMessage() const { return mErrorMessage.kwszPtr(); }

    // Reading. readResBuf fills rb with the next group of the current object;
    // strings and binary chunks in it belong to the filer and stay valid until the
    // next read. At the end of the object it returns eEndOfFile.
    virtual Acad::ErrorStatus readResBuf(resbuf* rb) = 0;
    // The group just read is read again by the next readResBuf.
    virtual Acad::ErrorStatus pushBackItem() = 0;
    virtual bool atEOF() = 0;
    virtual bool atSubclassData(const ACHAR* subclassName) = 0;
    virtual bool atExtendedData() = 0;
    virtual bool atEndOfObject() = 0;
    virtual void haltAtClassBoundaries(bool halt) = 0;
    virtual bool includesDefaultValues() const { return false; }
    virtual int precision() const { return kDfltPrec; }
    virtual void setPrecision(int prec) {}

    // Writing.
    virtual Acad::ErrorStatus writeResBuf(const resbuf& rb) = 0;
    virtual Acad::ErrorStatus writeObjectId(AcDb::DxfCode code, const AcDbObjectId& id) = 0;
    virtual Acad::ErrorStatus writeInt8(AcDb::DxfCode code, Adesk::Int8 v) = 0;
    virtual Acad::ErrorStatus writeString(AcDb::DxfCode code, const ACHAR* text) = 0;
    virtual Acad::ErrorStatus writeString(AcDb::DxfCode code, const AcString& text) = 0;
    virtual Acad::ErrorStatus writeBChunk(AcDb::DxfCode code, const ads_binary& chunk) = 0;
    virtual Acad::ErrorStatus writeAcDbHandle(AcDb::DxfCode code, const AcDbHandle& handle) = 0;
    virtual Acad::ErrorStatus writeInt64(AcDb::DxfCode code, Adesk::Int64 v) = 0;
    virtual Acad::ErrorStatus writeInt32(AcDb::DxfCode code, Adesk::Int32 v) = 0;
    virtual Acad::ErrorStatus writeInt16(AcDb::DxfCode code, Adesk::Int16 v) = 0;
    virtual Acad::ErrorStatus writeUInt64(AcDb::DxfCode code, Adesk::UInt64 v) = 0;
    virtual Acad::ErrorStatus writeUInt32(AcDb::DxfCode code, Adesk::UInt32 v) = 0;
    virtual Acad::ErrorStatus writeUInt16(AcDb::DxfCode code, Adesk::UInt16 v) = 0;
    virtual Acad::ErrorStatus writeUInt8(AcDb::DxfCode code, Adesk::UInt8 v) = 0;
    virtual Acad::ErrorStatus writeBoolean(AcDb::DxfCode code, Adesk::Boolean v) = 0;
    virtual Acad::ErrorStatus writeBool(AcDb::DxfCode code, bool v) = 0;
    virtual Acad::ErrorStatus writeDouble(AcDb::DxfCode code, double v, int prec = kDfltPrec) = 0;
    virtual Acad::ErrorStatus writePoint2d(AcDb::DxfCode code, const AcGePoint2d& p, int prec = kDfltPrec) = 0;
    virtual Acad::ErrorStatus writePoint3d(AcDb::DxfCode code, const AcGePoint3d& p, int prec = kDfltPrec) = 0;
    virtual Acad::ErrorStatus writeVector2d(AcDb::DxfCode code, const AcGeVector2d& v, int prec = kDfltPrec) = 0;
    virtual Acad::ErrorStatus writeVector3d(AcDb::DxfCode code, const AcGeVector3d& v, int prec = kDfltPrec) = 0;
    virtual Acad::ErrorStatus writeAngle(AcDb::DxfCode code, double angle, int prec = kDfltPrec) = 0;

protected:
    AcDbDxfFiler() = default;
    AcString mErrorMessage;
};
