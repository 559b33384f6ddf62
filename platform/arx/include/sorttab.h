// AcDbSortentsTable: the draw order of a block's entities. An entity is drawn in
// the order of its sort handle, which is its own handle unless the table says
// otherwise.
#pragma once
#include <vector>

#include "dbmain.h"

class ARXHOST_EXPORT AcDbSortentsTable : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbSortentsTable);
    AcDbSortentsTable();
    ~AcDbSortentsTable() override;
    AcDbObjectId blockId() const { return mBlock; }
    Acad::ErrorStatus setBlockId(AcDbObjectId id);
    // Moves the entities, keeping their relative order, below all others.
    Acad::ErrorStatus moveToBottom(const AcDbObjectIdArray& ar);
    Acad::ErrorStatus moveToTop(const AcDbObjectIdArray& ar);
    // Every entity of the block in draw order.
    Acad::ErrorStatus getFullDrawOrder(AcDbObjectIdArray& ents, Adesk::UInt8 honorSortentsMask = 0) const;
    Acad::ErrorStatus getSortHandle(AcDbObjectId id, AcDbHandle& h) const;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

private:
    Acad::ErrorStatus reorder(const AcDbObjectIdArray& ar, bool toBottom);
    AcDbObjectId mBlock;
    // Entities whose sort handle differs from their own handle.
    std::vector<std::pair<AcDbObjectId, AcDbHandle>> mSortHandles;
};
