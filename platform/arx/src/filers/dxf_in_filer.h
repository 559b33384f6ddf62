// DxfInFiler: hands the groups of one DXF record to an object's dxfInFields as
// result buffers. The object sees the groups after the record's type; its
// extended data (1001 onwards) is not part of what it reads.
#pragma once
#include <string>
#include <vector>

#include "dbfiler.h"
#include "dxf_record.h"

namespace arx {

struct ClassEntry;

class DxfInFiler final : public AcDbDxfFiler {
public:
    DxfInFiler(const DxfRecord& record, size_t first, AcDbDatabase* db);

    // The group that the last readResBuf returned, for keeping it unchanged.
    size_t currentIndex() const { return mLast; }
    size_t position() const { return mPos; }
    void setPosition(size_t pos) { mPos = pos; }
    const DxfRecord& record() const { return mRecord; }
    // Line of the group being read, for messages.
    std::uint64_t currentLine() const;

    Acad::ErrorStatus filerStatus() const override { return mStatus; }
    AcDb::FilerType filerType() const override { return AcDb::kFileFiler; }
    void setFilerStatus(Acad::ErrorStatus es) override { mStatus = es; }
    void resetFilerStatus() override { mStatus = Acad::eOk; }
    AcDbDatabase* database() const override { return mDb; }

    Acad::ErrorStatus readResBuf(resbuf* rb) override;
    Acad::ErrorStatus pushBackItem() override;
    bool atEOF() override { return mPos >= mEnd; }
    bool atSubclassData(const ACHAR* subclassName) override;
    bool atExtendedData() override { return mPos < mRecord.size() && mRecord.tag(mPos).code >= 1000; }
    bool atEndOfObject() override { return atEOF() || atExtendedData(); }
    void haltAtClassBoundaries(bool halt) override { mHalt = halt; }

    // A reading filer writes nothing.
    Acad::ErrorStatus writeResBuf(const resbuf&) override { return Acad::eIsReading; }
    Acad::ErrorStatus writeObjectId(AcDb::DxfCode, const AcDbObjectId&) override { return Acad::eIsReading; }
    Acad::ErrorStatus writeInt8(AcDb::DxfCode, Adesk::Int8) override { return Acad::eIsReading; }
    Acad::ErrorStatus writeString(AcDb::DxfCode, const ACHAR*) override { return Acad::eIsReading; }
    Acad::ErrorStatus writeString(AcDb::DxfCode, const AcString&) override { return Acad::eIsReading; }
    Acad::ErrorStatus writeBChunk(AcDb::DxfCode, const ads_binary&) override { return Acad::eIsReading; }
    Acad::ErrorStatus writeAcDbHandle(AcDb::DxfCode, const AcDbHandle&) override { return Acad::eIsReading; }
    Acad::ErrorStatus writeInt64(AcDb::DxfCode, Adesk::Int64) override { return Acad::eIsReading; }
    Acad::ErrorStatus writeInt32(AcDb::DxfCode, Adesk::Int32) override { return Acad::eIsReading; }
    Acad::ErrorStatus writeInt16(AcDb::DxfCode, Adesk::Int16) override { return Acad::eIsReading; }
    Acad::ErrorStatus writeUInt64(AcDb::DxfCode, Adesk::UInt64) override { return Acad::eIsReading; }
    Acad::ErrorStatus writeUInt32(AcDb::DxfCode, Adesk::UInt32) override { return Acad::eIsReading; }
    Acad::ErrorStatus writeUInt16(AcDb::DxfCode, Adesk::UInt16) override { return Acad::eIsReading; }
    Acad::ErrorStatus writeUInt8(AcDb::DxfCode, Adesk::UInt8) override { return Acad::eIsReading; }
    Acad::ErrorStatus writeBoolean(AcDb::DxfCode, Adesk::Boolean) override { return Acad::eIsReading; }
    Acad::ErrorStatus writeBool(AcDb::DxfCode, bool) override { return Acad::eIsReading; }
    Acad::ErrorStatus writeDouble(AcDb::DxfCode, double, int) override { return Acad::eIsReading; }
    Acad::ErrorStatus writePoint2d(AcDb::DxfCode, const AcGePoint2d&, int) override { return Acad::eIsReading; }
    Acad::ErrorStatus writePoint3d(AcDb::DxfCode, const AcGePoint3d&, int) override { return Acad::eIsReading; }
    Acad::ErrorStatus writeVector2d(AcDb::DxfCode, const AcGeVector2d&, int) override { return Acad::eIsReading; }
    Acad::ErrorStatus writeVector3d(AcDb::DxfCode, const AcGeVector3d&, int) override { return Acad::eIsReading; }
    Acad::ErrorStatus writeAngle(AcDb::DxfCode, double, int) override { return Acad::eIsReading; }

    // The CLASSES entries of the file, for proxy records that name their class by number.
    void setClasses(const std::vector<ClassEntry>* classes) { mClasses = classes; }
    const std::vector<ClassEntry>* classes() const { return mClasses; }

private:
    const std::vector<ClassEntry>* mClasses = nullptr;
    Acad::ErrorStatus bad(const char* what);

    const DxfRecord& mRecord;
    size_t mPos;
    size_t mEnd;
    size_t mLast;
    size_t mBeforeLast;
    AcDbDatabase* mDb;
    Acad::ErrorStatus mStatus = Acad::eOk;
    bool mHalt = false;
    std::wstring mText;  // the last string handed out
};

}  // namespace arx
