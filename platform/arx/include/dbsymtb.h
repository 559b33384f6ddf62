// Symbol tables and their records: layers, linetypes, block definitions (model
// and paper space among them) and the tables the host keeps without editing them
// (text styles, viewports, views, UCSs, registered applications, dimension styles).
#pragma once
#include <memory>
#include <vector>

#include "dbmain.h"

class AcDbSymbolTableIterator;
class AcDbBlockTableRecordIterator;
class AcDbSortentsTable;
namespace arx {
class SymbolNameIndex;
}

#define ACDB_MODEL_SPACE ACRX_T("*Model_Space")
#define ACDB_PAPER_SPACE ACRX_T("*Paper_Space")

class ARXHOST_EXPORT AcDbSymbolTableRecord : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbSymbolTableRecord);
    ~AcDbSymbolTableRecord() override;
    Acad::ErrorStatus getName(ACHAR*& name) const;
    Acad::ErrorStatus getName(AcString& name) const;
    Acad::ErrorStatus getName(const ACHAR*& name) const;
    Acad::ErrorStatus setName(const ACHAR* name);
    bool isDependent() const { return false; }
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

protected:
    friend struct arx::ObjectAccess;
    AcDbSymbolTableRecord();
    AcString mName;
    Adesk::Int16 mFlags = 0;  // group 70
};

class ARXHOST_EXPORT AcDbSymbolTable : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbSymbolTable);
    ~AcDbSymbolTable() override;
    // Names are compared without regard to case.
    Acad::ErrorStatus getAt(const ACHAR* entryName, AcDbObjectId& recordId, bool getErasedRecord = false) const;
    Acad::ErrorStatus getAt(const ACHAR* entryName, AcDbSymbolTableRecord*& record, AcDb::OpenMode mode,
                            bool openErasedRec = false) const;
    bool has(const ACHAR* name) const;
    bool has(AcDbObjectId id) const;
    // Adds a new record (open for write afterwards); a name in use gives eDuplicateRecordName.
    Acad::ErrorStatus add(AcDbSymbolTableRecord* record);
    Acad::ErrorStatus add(AcDbObjectId& recordId, AcDbSymbolTableRecord* record);
    Acad::ErrorStatus newIterator(AcDbSymbolTableIterator*& iterator, bool atBeginning = true,
                                  bool skipDeleted = true) const;
    int numRecords() const { return static_cast<int>(mRecords.size()); }
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

protected:
    AcDbSymbolTable();
    friend struct arx::ObjectAccess;
    std::vector<AcDbObjectId> mRecords;  // in order of addition
    mutable std::unique_ptr<arx::SymbolNameIndex> mNameIndex;  // made by the first lookup by name
};

class ARXHOST_EXPORT AcDbSymbolTableIterator {
public:
    virtual ~AcDbSymbolTableIterator();
    void start(bool atBeginning = true, bool skipDeleted = true);
    bool done() const;
    Acad::ErrorStatus getRecordId(AcDbObjectId& id) const;
    Acad::ErrorStatus getRecord(AcDbSymbolTableRecord*& record, AcDb::OpenMode mode = AcDb::kForRead,
                                bool openErasedRec = false) const;
    void step(bool forward = true, bool skipDeleted = true);

private:
    friend class AcDbSymbolTable;
    AcDbSymbolTableIterator(std::vector<AcDbObjectId> ids, bool atBeginning, bool skipDeleted);
    void skip(bool forward, bool skipDeleted);
    std::vector<AcDbObjectId> mIds;
    int mPos = 0;
};

// Declares a symbol table and its record class.
#define ARX_DECLARE_SYMBOL_TABLE(TABLE, RECORD)                                                         \
    class ARXHOST_EXPORT TABLE : public AcDbSymbolTable {                                                  \
    public:                                                                                             \
        ACRX_DECLARE_MEMBERS(TABLE);                                                                    \
        TABLE();                                                                                        \
        ~TABLE() override;                                                                              \
        using AcDbSymbolTable::getAt;                                                                   \
        Acad::ErrorStatus getAt(const ACHAR* entryName, RECORD*& record, AcDb::OpenMode mode,           \
                                bool openErasedRec = false) const;                                      \
    }

class ARXHOST_EXPORT AcDbLayerTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbLayerTableRecord);
    AcDbLayerTableRecord();
    ~AcDbLayerTableRecord() override;
    bool isOff() const { return mOff; }
    void setIsOff(bool off);
    bool isFrozen() const { return (mFlags & 1) != 0; }
    Acad::ErrorStatus setIsFrozen(bool frozen);
    bool isLocked() const { return (mFlags & 4) != 0; }
    void setIsLocked(bool locked);
    bool isPlottable() const { return mPlottable; }
    Acad::ErrorStatus setIsPlottable(bool plottable);
    AcCmColor color() const { return mColor; }
    void setColor(const AcCmColor& color);
    AcDbObjectId linetypeObjectId() const;
    void setLinetypeObjectId(AcDbObjectId id);
    AcDb::LineWeight lineWeight() const { return static_cast<AcDb::LineWeight>(mLineWeight); }
    Acad::ErrorStatus setLineWeight(AcDb::LineWeight weight);
    AcCmTransparency transparency() const { return mTransparency; }
    Acad::ErrorStatus setTransparency(const AcCmTransparency& t);
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

private:
    AcCmColor mColor;
    AcDbObjectId mLinetype;
    AcDbObjectId mPlotStyle;
    AcDbObjectId mMaterial;
    AcCmTransparency mTransparency;
    Adesk::Int16 mLineWeight = AcDb::kLnWtByLwDefault;
    bool mOff = false;
    bool mPlottable = true;
};
ARX_DECLARE_SYMBOL_TABLE(AcDbLayerTable, AcDbLayerTableRecord);

class ARXHOST_EXPORT AcDbLinetypeTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbLinetypeTableRecord);
    AcDbLinetypeTableRecord();
    ~AcDbLinetypeTableRecord() override;
    Acad::ErrorStatus comments(const ACHAR*& text) const;
    Acad::ErrorStatus setComments(const ACHAR* text);
    double patternLength() const { return mPatternLength; }
    void setPatternLength(double length) { assertWriteEnabled(); mPatternLength = length; }
    int numDashes() const { return static_cast<int>(mDashes.size()); }
    void setNumDashes(int count);
    double dashLengthAt(int index) const;
    void setDashLengthAt(int index, double value);
    bool isScaledToFit() const { return mScaledToFit; }
    void setIsScaledToFit(bool v) { assertWriteEnabled(); mScaledToFit = v; }
    // Text drawn inside a dash ("" when the dash carries none).
    const ACHAR* textAt(int index) const;
    void setTextAt(int index, const ACHAR* text);
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

    struct Dash {
        double length = 0;
        Adesk::Int16 shapeFlags = 0;  // 2 text, 4 shape
        Adesk::Int16 shapeNumber = 0;
        AcDbObjectId style;
        double scale = 1.0;
        double rotation = 0;
        double offsetX = 0;
        double offsetY = 0;
        AcString text;
    };

private:
    friend struct arx::ObjectAccess;
    AcString mComments;
    double mPatternLength = 0;
    bool mScaledToFit = false;
    std::vector<Dash> mDashes;
};
ARX_DECLARE_SYMBOL_TABLE(AcDbLinetypeTable, AcDbLinetypeTableRecord);

class ARXHOST_EXPORT AcDbBlockTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbBlockTableRecord);
    AcDbBlockTableRecord();
    ~AcDbBlockTableRecord() override;
    // Adds a new entity to the database and to this block; it is open for write.
    Acad::ErrorStatus appendAcDbEntity(AcDbEntity* entity);
    Acad::ErrorStatus appendAcDbEntity(AcDbObjectId& id, AcDbEntity* entity);
    Acad::ErrorStatus newIterator(AcDbBlockTableRecordIterator*& iterator, bool atBeginning = true,
                                  bool skipDeleted = true) const;
    AcDbObjectId getLayoutId() const { return mLayout; }
    Acad::ErrorStatus setLayoutId(AcDbObjectId id);
    bool isLayout() const { return !mLayout.isNull(); }
    AcGePoint3d origin() const { return mOrigin; }
    Acad::ErrorStatus setOrigin(const AcGePoint3d& pt);
    bool isAnonymous() const { return (mBlockFlags & 1) != 0; }
    // The draw order table in this block's extension dictionary ("ACAD_SORTENTS").
    Acad::ErrorStatus getSortentsTable(AcDbSortentsTable*& table, AcDb::OpenMode mode,
                                       bool createIfNecessary = false);
    int entityCount() const { return static_cast<int>(mEntities.size()); }
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

private:
    friend struct arx::ObjectAccess;
    friend class AcDbBlockTableRecordIterator;
    std::vector<AcDbObjectId> mEntities;  // in order of appending
    AcDbObjectId mLayout;
    AcDbObjectId mBlockBegin;
    AcDbObjectId mBlockEnd;
    AcGePoint3d mOrigin;
    Adesk::Int16 mBlockFlags = 0;  // group 70 of the BLOCK entity
};
ARX_DECLARE_SYMBOL_TABLE(AcDbBlockTable, AcDbBlockTableRecord);

class ARXHOST_EXPORT AcDbBlockTableRecordIterator {
public:
    ~AcDbBlockTableRecordIterator();
    void start(bool atBeginning = true, bool skipDeletedEntities = true);
    bool done() const;
    void step(bool forward = true, bool skipDeletedEntities = true);
    Acad::ErrorStatus getEntityId(AcDbObjectId& entityId) const;
    Acad::ErrorStatus getEntity(AcDbEntity*& entity, AcDb::OpenMode openMode = AcDb::kForRead,
                                bool openErasedEntity = false) const;
    Acad::ErrorStatus seek(AcDbObjectId id);
    AcDbBlockTableRecord* blockTableRecord() const { return nullptr; }

private:
    friend class AcDbBlockTableRecord;
    AcDbBlockTableRecordIterator(std::vector<AcDbObjectId> ids, bool atBeginning, bool skipDeleted);
    void skip(bool forward, bool skipDeleted);
    std::vector<AcDbObjectId> mIds;
    int mPos = 0;
};

// The tables the host files and keeps but does not edit: their records carry a
// name and whatever groups the drawing gave them.
#define ARX_DECLARE_KEPT_RECORD(RECORD)                                          \
    class ARXHOST_EXPORT RECORD : public AcDbSymbolTableRecord {                     \
    public:                                                                      \
        ACRX_DECLARE_MEMBERS(RECORD);                                            \
        RECORD();                                                                \
        ~RECORD() override;                                                      \
        Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;             \
        Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;      \
    }
ARX_DECLARE_KEPT_RECORD(AcDbTextStyleTableRecord);
ARX_DECLARE_KEPT_RECORD(AcDbViewportTableRecord);
ARX_DECLARE_KEPT_RECORD(AcDbViewTableRecord);
ARX_DECLARE_KEPT_RECORD(AcDbUCSTableRecord);
ARX_DECLARE_KEPT_RECORD(AcDbRegAppTableRecord);
ARX_DECLARE_KEPT_RECORD(AcDbDimStyleTableRecord);
ARX_DECLARE_SYMBOL_TABLE(AcDbTextStyleTable, AcDbTextStyleTableRecord);
ARX_DECLARE_SYMBOL_TABLE(AcDbViewportTable, AcDbViewportTableRecord);
ARX_DECLARE_SYMBOL_TABLE(AcDbViewTable, AcDbViewTableRecord);
ARX_DECLARE_SYMBOL_TABLE(AcDbUCSTable, AcDbUCSTableRecord);
ARX_DECLARE_SYMBOL_TABLE(AcDbRegAppTable, AcDbRegAppTableRecord);
ARX_DECLARE_SYMBOL_TABLE(AcDbDimStyleTable, AcDbDimStyleTableRecord);
