// DxfOutFiler: writes the groups an object files through dxfOutFields as DXF
// text (each group as DxfText writes it), checking each code it is given.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "dbfiler.h"
#include "dxf_text.h"

namespace arx {

struct ClassEntry;

class DxfOutFiler final : public AcDbDxfFiler {
public:
    // Writes into out; flush is called between objects to bound memory.
    DxfOutFiler(std::string& out, AcDbDatabase* db, AcDb::AcDbDwgVersion ver, int precision);

    DxfText& text() { return mText; }

    Acad::ErrorStatus filerStatus() const override { return mStatus; }
    AcDb::FilerType filerType() const override { return AcDb::kFileFiler; }
    void setFilerStatus(Acad::ErrorStatus es) override { mStatus = es; }
    void resetFilerStatus() override { mStatus = Acad::eOk; }
    Acad::ErrorStatus dwgVersion(AcDb::AcDbDwgVersion& ver, AcDb::MaintenanceReleaseVersion& maint) const override;
    AcDbDatabase* database() const override { return mDb; }
    int precision() const override { return mPrecision; }
    void setPrecision(int prec) override { mPrecision = prec; }

    // A writing filer reads nothing.
    Acad::ErrorStatus readResBuf(resbuf*) override { return Acad::eIsWriting; }
    Acad::ErrorStatus pushBackItem() override { return Acad::eIsWriting; }
    bool atEOF() override { return true; }
    bool atSubclassData(const ACHAR*) override { return false; }
    bool atExtendedData() override { return false; }
    bool atEndOfObject() override { return true; }
    void haltAtClassBoundaries(bool) override {}

    Acad::ErrorStatus writeResBuf(const resbuf& rb) override;
    Acad::ErrorStatus writeObjectId(AcDb::DxfCode code, const AcDbObjectId& id) override;
    Acad::ErrorStatus writeInt8(AcDb::DxfCode code, Adesk::Int8 v) override { return integer(code, v); }
    Acad::ErrorStatus writeString(AcDb::DxfCode code, const ACHAR* text) override;
    Acad::ErrorStatus writeString(AcDb::DxfCode code, const AcString& text) override;
    Acad::ErrorStatus writeBChunk(AcDb::DxfCode code, const ads_binary& chunk) override;
    Acad::ErrorStatus writeAcDbHandle(AcDb::DxfCode code, const AcDbHandle& handle) override;
    Acad::ErrorStatus writeInt64(AcDb::DxfCode code, Adesk::Int64 v) override { return integer(code, v); }
    Acad::ErrorStatus writeInt32(AcDb::DxfCode code, Adesk::Int32 v) override { return integer(code, v); }
    Acad::ErrorStatus writeInt16(AcDb::DxfCode code, Adesk::Int16 v) override { return integer(code, v); }
    Acad::ErrorStatus writeUInt64(AcDb::DxfCode code, Adesk::UInt64 v) override;
    Acad::ErrorStatus writeUInt32(AcDb::DxfCode code, Adesk::UInt32 v) override { return integer(code, v); }
    Acad::ErrorStatus writeUInt16(AcDb::DxfCode code, Adesk::UInt16 v) override { return integer(code, v); }
    Acad::ErrorStatus writeUInt8(AcDb::DxfCode code, Adesk::UInt8 v) override { return integer(code, v); }
    Acad::ErrorStatus writeBoolean(AcDb::DxfCode code, Adesk::Boolean v) override { return integer(code, v ? 1 : 0); }
    Acad::ErrorStatus writeBool(AcDb::DxfCode code, bool v) override { return integer(code, v ? 1 : 0); }
    Acad::ErrorStatus writeDouble(AcDb::DxfCode code, double v, int prec = kDfltPrec) override;
    Acad::ErrorStatus writePoint2d(AcDb::DxfCode code, const AcGePoint2d& p, int prec = kDfltPrec) override;
    Acad::ErrorStatus writePoint3d(AcDb::DxfCode code, const AcGePoint3d& p, int prec = kDfltPrec) override;
    Acad::ErrorStatus writeVector2d(AcDb::DxfCode code, const AcGeVector2d& v, int prec = kDfltPrec) override;
    Acad::ErrorStatus writeVector3d(AcDb::DxfCode code, const AcGeVector3d& v, int prec = kDfltPrec) override;
    Acad::ErrorStatus writeAngle(AcDb::DxfCode code, double angle, int prec = kDfltPrec) override;

    // The CLASSES entries of the file, for proxy records that name their class by number.
    void setClasses(const std::vector<ClassEntry>* classes) { mClasses = classes; }
    const std::vector<ClassEntry>* classes() const { return mClasses; }

private:
    const std::vector<ClassEntry>* mClasses = nullptr;
    Acad::ErrorStatus integer(int code, std::int64_t v);
    bool validCode(int code);
    int effectivePrecision(int prec) const { return prec == kDfltPrec ? mPrecision : prec; }

    DxfText mText;
    AcDbDatabase* mDb;
    AcDb::AcDbDwgVersion mVersion;
    int mPrecision;
    Acad::ErrorStatus mStatus = Acad::eOk;
};

}  // namespace arx
