// AcDbDatabase: one drawing in memory. It owns the id table (every object's stub
// and handle), the symbol tables, the named objects dictionary and what a file
// brought that the host keeps without understanding it.
#pragma once
#include "dbmain.h"

class AcDbBlockTable;
class AcDbLayerTable;
class AcDbLinetypeTable;
class AcDbTextStyleTable;
class AcDbViewportTable;
class AcDbViewTable;
class AcDbUCSTable;
class AcDbRegAppTable;
class AcDbDimStyleTable;
class AcDbDictionary;
class AcDbSymbolTable;
namespace arx {
class DatabaseImpl;
}

class ARXHOST_EXPORT AcDbDatabase : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbDatabase);
    // With buildDefaultDrawing the database starts as a new drawing (tables,
    // model and paper space, layouts); without it, it is empty and ready to read.
    explicit AcDbDatabase(bool buildDefaultDrawing = true, bool noDocument = false);
    ~AcDbDatabase() override;

    // Adds a new object; it gets the next handle and is open for write.
    Acad::ErrorStatus addAcDbObject(AcDbObject* obj);
    Acad::ErrorStatus addAcDbObject(AcDbObjectId& id, AcDbObject* obj);
    // Finds the id of a handle; with createIfNotFound an id is reserved for a
    // handle that names no object yet.
    Acad::ErrorStatus getAcDbObjectId(AcDbObjectId& retId, bool createIfNotFound, const AcDbHandle& objHandle,
                                      Adesk::UInt32 xRefId = 0);
    AcDbHandle handseed() const;

    Acad::ErrorStatus getBlockTable(AcDbBlockTable*& table, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getLayerTable(AcDbLayerTable*& table, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getLinetypeTable(AcDbLinetypeTable*& table, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getTextStyleTable(AcDbTextStyleTable*& table, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getViewportTable(AcDbViewportTable*& table, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getViewTable(AcDbViewTable*& table, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getUCSTable(AcDbUCSTable*& table, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getRegAppTable(AcDbRegAppTable*& table, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getDimStyleTable(AcDbDimStyleTable*& table, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getNamedObjectsDictionary(AcDbDictionary*& dict, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getLayoutDictionary(AcDbDictionary*& dict, AcDb::OpenMode mode = AcDb::kForRead);

    AcDbObjectId blockTableId() const;
    AcDbObjectId layerTableId() const;
    AcDbObjectId linetypeTableId() const;
    AcDbObjectId textStyleTableId() const;
    AcDbObjectId viewportTableId() const;
    AcDbObjectId viewTableId() const;
    AcDbObjectId UCSTableId() const;
    AcDbObjectId regAppTableId() const;
    AcDbObjectId dimStyleTableId() const;
    AcDbObjectId namedObjectsDictionaryId() const;
    AcDbObjectId layoutDictionaryId() const;
    // The block table record of the space being edited: model space while
    // TILEMODE is 1, else the paper space of the current layout.
    AcDbObjectId currentSpaceId() const;
    AcDbObjectId modelSpaceId() const;
    AcDbObjectId paperSpaceId() const;
    bool tilemode() const;
    Acad::ErrorStatus setTilemode(bool tilemode);
    AcDbObjectId clayer() const;
    Acad::ErrorStatus setClayer(AcDbObjectId layerId);
    AcDbObjectId byLayerLinetype() const;
    AcDbObjectId byBlockLinetype() const;
    AcDbObjectId continuousLinetype() const;

    // Drawing files. Reading builds the drawing aside and replaces this
    // database's content only when the whole file was read; a failed read leaves
    // it as it was.
    Acad::ErrorStatus readDwgFile(const ACHAR* fileName);
    Acad::ErrorStatus saveAs(const ACHAR* fileName);
    Acad::ErrorStatus saveAs(const ACHAR* fileName, AcDb::AcDbDwgVersion dwgVer);
    Acad::ErrorStatus dxfIn(const ACHAR* dxfFilename, const ACHAR* logFilename = nullptr);
    Acad::ErrorStatus dxfOut(const ACHAR* fileName, int precision = 16,
                             AcDb::AcDbDwgVersion dwgVer = AcDb::kDHL_CURRENT, bool saveThumbnailImage = false);
    Acad::ErrorStatus getFilename(const ACHAR*& fileName) const;
    AcDb::AcDbDwgVersion originalFileVersion() const;

    // The global linetype scale (LTSCALE): every dash of every linetype is drawn
    // this many times its length. Refused unless positive.
    double ltscale() const;
    Acad::ErrorStatus setLtscale(double scale);

    // Loads a linetype (or "*" for all) from a linetype definition file.
    Acad::ErrorStatus loadLineTypeFile(const ACHAR* ltName, const ACHAR* fileName);

    arx::DatabaseImpl* impl() const { return mImpl; }

private:
    friend class arx::DatabaseImpl;
    arx::DatabaseImpl* mImpl;
};

// Every database alive in the process (the host program and module unloading use it).
ARXHOST_EXPORT int acdbActiveDatabaseCount();
