// Writes two DXF drawings made through the host's API, for the ezdxf tests:
//   new.dxf   a new drawing as AcDbDatabase(true) makes it, with nothing added
//   rich.dxf  every built-in entity with its fields, a block, layers, extended
//             data, an extension dictionary with an xrecord, a draw order table,
//             and a custom entity and object of a class defined here with
//             persistent reactors between them
// usage: interop_make_drawings DIR
#include <cstdio>
#include <string>

#include "arxHeaders.h"

namespace interopdrawings {

class InteropNote : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(InteropNote);
    AcGePoint3d mAt{3, 4, 0};
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* f) const override
    {
        AcDbEntity::dwgOutFields(f);
        f->writePoint3d(mAt);
        return f->filerStatus();
    }
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* f) override
    {
        AcDbEntity::dwgInFields(f);
        f->readPoint3d(&mAt);
        return f->filerStatus();
    }
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* f) const override
    {
        AcDbEntity::dxfOutFields(f);
        f->writeString(AcDb::kDxfSubclass, L"InteropNote");
        f->writePoint3d(AcDb::kDxfXCoord, mAt);
        char bytes[300];
        for (int i = 0; i < 300; ++i) bytes[i] = static_cast<char>(i);
        for (int at = 0; at < 300; at += 127) {
            ads_binary chunk{static_cast<short>(at + 127 <= 300 ? 127 : 300 - at), bytes + at};
            f->writeBChunk(AcDb::kDxfBinaryChunk, chunk);
        }
        return f->filerStatus();
    }
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* f) override { return AcDbEntity::dxfInFields(f); }
};
ACRX_DXF_DEFINE_MEMBERS(InteropNote, AcDbEntity, AcDb::kDHL_CURRENT, AcDb::kMReleaseCurrent, 0, INTEROPNOTE,
                        InteropApp)

class InteropLink : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(InteropLink);
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* f) const override
    {
        AcDbObject::dxfOutFields(f);
        f->writeString(AcDb::kDxfSubclass, L"InteropLink");
        f->writeInt32(AcDb::kDxfInt32, 7);
        return f->filerStatus();
    }
};
ACRX_DXF_DEFINE_MEMBERS(InteropLink, AcDbObject, AcDb::kDHL_CURRENT, AcDb::kMReleaseCurrent, 0, INTEROPLINK,
                        InteropApp)

bool ok(Acad::ErrorStatus es, const char* what)
{
    if (es != Acad::eOk) std::fprintf(stderr, "%s: %ls\n", what, acadErrorStatusText(es));
    return es == Acad::eOk;
}

AcDbObjectId append(AcDbDatabase& db, AcDbObjectId block, AcDbEntity* ent)
{
    AcDbBlockTableRecord* btr = nullptr;
    AcDbObjectId id;
    if (!ok(acdbOpenObject(btr, block, AcDb::kForWrite), "open block")) return id;
    ok(btr->appendAcDbEntity(id, ent), "append");
    ent->close();
    btr->close();
    return id;
}

bool writeRich(const std::wstring& path)
{
    InteropNote::rxInit();
    InteropLink::rxInit();
    acrxBuildClassHierarchy();
    AcDbDatabase db;
    AcDbLayerTable* layers = nullptr;
    db.getLayerTable(layers, AcDb::kForWrite);
    auto* layer = new AcDbLayerTableRecord();
    layer->setName(L"NOTES");
    AcCmColor c;
    c.setColorIndex(2);
    layer->setColor(c);
    layers->add(layer);
    layer->close();
    layers->close();
    AcDbRegAppTable* apps = nullptr;
    db.getRegAppTable(apps, AcDb::kForWrite);
    auto* app = new AcDbRegAppTableRecord();
    app->setName(L"INTEROP");
    apps->add(app);
    app->close();
    apps->close();

    const AcDbObjectId ms = db.modelSpaceId();
    auto* line = new AcDbLine({0, 0, 0}, {10, 5, 0});
    line->setColorIndex(1);
    AcDbObjectId lineId = append(db, ms, line);
    append(db, ms, new AcDbCircle({5, 5, 0}, {0, 0, 1}, 2.5));
    append(db, ms, new AcDbArc({1, 1, 0}, 3, 0.5, 2.5));
    auto* pl = new AcDbPolyline();
    pl->addVertexAt(0, {0, 0}, 0.5, 0.1, 0.2);
    pl->addVertexAt(1, {4, 0}, -1, 0.3, 0.3);
    pl->addVertexAt(2, {4, 4});
    pl->setClosed(true);
    append(db, ms, pl);
    auto* text = new AcDbText({2, 2, 0}, L"Interop text", AcDbObjectId::kNull, 1.5, 0.3);
    text->setHorizontalMode(AcDb::kTextCenter);
    text->setAlignmentPoint({3, 2, 0});
    append(db, ms, text);
    AcDbObjectId noteId = append(db, ms, new InteropNote());
    append(db, db.paperSpaceId(), new AcDbLine({0, 0, 0}, {1, 1, 0}));

    AcDbBlockTable* blocks = nullptr;
    db.getBlockTable(blocks, AcDb::kForWrite);
    auto* block = new AcDbBlockTableRecord();
    block->setName(L"PART");
    AcDbObjectId blockId;
    blocks->add(blockId, block);
    block->close();
    blocks->close();
    append(db, blockId, new AcDbCircle({0, 0, 0}, {0, 0, 1}, 1));

    AcDbLine* l = nullptr;
    acdbOpenObject(l, lineId, AcDb::kForWrite);
    resbuf* xd = acutBuildList(1001, L"INTEROP", 1000, L"hello", 1070, 5, 1040, 2.5, RTNONE);
    ok(l->setXData(xd), "xdata");
    acutRelRb(xd);
    ok(l->createExtensionDictionary(), "xdict");
    AcDbObjectId xdictId = l->extensionDictionary();
    l->close();
    AcDbDictionary* xdict = nullptr;
    acdbOpenObject(xdict, xdictId, AcDb::kForWrite);
    auto* xrec = new AcDbXrecord();
    resbuf* data = acutBuildList(1, L"kept", 40, 1.25, 70, 3, RTNONE);
    xrec->setFromRbChain(*data);
    acutRelRb(data);
    AcDbObjectId xrecId;
    xdict->setAt(L"DATA", xrec, xrecId);
    xrec->close();
    auto* link = new InteropLink();
    AcDbObjectId linkId;
    xdict->setAt(L"LINK", link, linkId);
    link->close();
    xdict->close();
    AcDbEntity* n = nullptr;
    acdbOpenObject(n, noteId, AcDb::kForWrite);
    ok(n->setLayer(L"NOTES"), "note layer");
    n->addPersistentReactor(linkId);
    n->close();

    AcDbBlockTableRecord* msr = nullptr;
    acdbOpenObject(msr, ms, AcDb::kForRead);
    AcDbSortentsTable* sortents = nullptr;
    if (ok(msr->getSortentsTable(sortents, AcDb::kForWrite, true), "sortents")) {
        AcDbObjectIdArray move;
        move.append(noteId);
        sortents->moveToBottom(move);
        sortents->close();
    }
    msr->close();
    return ok(db.dxfOut(path.c_str()), "dxfOut");
}

}  // namespace interopdrawings

using namespace interopdrawings;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: interop_make_drawings DIR\n");
        return 2;
    }
    std::string dir = argv[1];
    std::wstring wdir(dir.begin(), dir.end());
    AcDbDatabase fresh(true);
    if (!ok(fresh.dxfOut((wdir + L"/new.dxf").c_str()), "new drawing")) return 1;
    return writeRich(wdir + L"/rich.dxf") ? 0 : 1;
}
