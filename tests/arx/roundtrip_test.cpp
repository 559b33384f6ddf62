// Round trips through both files: a drawing with every built-in entity and
// field goes DXF -> binary -> DXF and binary -> DXF -> binary and comes out the
// same, with every handle as it was.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "arx_test_util.h"
#include "temp_dir.h"

namespace {
using namespace arxtest;

struct Ids {
    AcDbObjectId line, circle, arc, pline, text, blockCircle, xrec, layer, block;
};

AcDbObjectId addLayer(AcDbDatabase& db, const ACHAR* name)
{
    Opened<AcDbLayerTable> layers(db.layerTableId(), AcDb::kForWrite);
    auto* layer = new AcDbLayerTableRecord();
    layer->setName(name);
    AcCmColor c;
    c.setRGB(1, 2, 3);
    layer->setColor(c);
    layer->setLineWeight(AcDb::kLnWt050);
    layer->setTransparency(AcCmTransparency(Adesk::UInt8(100)));
    layer->setIsPlottable(false);
    AcDbObjectId id;
    layers->add(id, layer);
    layer->close();
    return id;
}

// A drawing with every built-in entity, every field away from its default.
Ids buildDrawing(AcDbDatabase& db)
{
    Ids ids;
    ids.layer = addLayer(db, L"Rich");
    {
        Opened<AcDbRegAppTable> apps(db.regAppTableId(), AcDb::kForWrite);
        auto* app = new AcDbRegAppTableRecord();
        app->setName(L"TESTAPP");
        apps->add(app);
        app->close();
    }
    auto* line = new AcDbLine({1, 2, 3}, {4.25, -5.5, 6});
    line->setThickness(0.5);
    line->setNormal({0, 1, 1});
    line->setColorIndex(3);
    line->setLinetypeScale(2.5);
    line->setLineWeight(AcDb::kLnWt025);
    line->setVisibility(AcDb::kInvisible);
    line->setTransparency(AcCmTransparency(Adesk::UInt8(128)));
    ids.line = appendToModelSpace(db, line);
    {
        Opened<AcDbLine> l(ids.line, AcDb::kForWrite);
        l->setLayer(L"Rich");
        l->setLinetype(L"Continuous");
        resbuf* xd = acutBuildList(1001, L"TESTAPP", 1000, L"note", 1070, 42, 1040, 0.125, 1005,
                                   handleOf(db.layerTableId()).c_str() == nullptr ? L"" : L"2", RTNONE);
        EXPECT_EQ(l->setXData(xd), Acad::eOk);
        acutRelRb(xd);
        EXPECT_EQ(l->createExtensionDictionary(), Acad::eOk);
    }
    {
        Opened<AcDbLine> l(ids.line);
        Opened<AcDbDictionary> xdict(l->extensionDictionary(), AcDb::kForWrite);
        auto* xrec = new AcDbXrecord();
        resbuf* data = acutBuildList(1, L"kept", 40, 9.75, RTNONE);
        xrec->setFromRbChain(*data);
        acutRelRb(data);
        xdict->setAt(L"DATA", xrec, ids.xrec);
        xrec->close();
    }
    auto* circle = new AcDbCircle({10, 0, 1}, {0.6, 0, 0.8}, 2.5);
    circle->setThickness(1.5);
    AcCmColor tc;
    tc.setRGB(200, 100, 50);
    circle->setColor(tc);
    ids.circle = appendToModelSpace(db, circle);
    auto* arc = new AcDbArc({-3, 4, 0}, {0, 0, -1}, 7, 0.25, 4.5);
    arc->setThickness(-1);
    arc->setColorIndex(0);
    ids.arc = appendToModelSpace(db, arc);
    auto* pl = new AcDbPolyline();
    pl->addVertexAt(0, {0, 0}, 0.5, 0.1, 0.2);
    pl->addVertexAt(1, {10, 0}, -1.0, 0.3, 0.4);
    pl->addVertexAt(2, {10, 10}, 0, 0, 0);
    pl->addVertexAt(3, {0, 10}, 0.25, 1, 1);
    pl->setClosed(true);
    pl->setElevation(2.5);
    pl->setThickness(3);
    pl->setNormal({0, -1, 1});
    ids.pline = appendToModelSpace(db, pl);
    auto* text = new AcDbText({1, 1, 0}, L"Mixed ^caret\ttab \u00e9t\u00e9", AcDbObjectId::kNull, 2.5, 0.5);
    text->setWidthFactor(0.75);
    text->setOblique(0.2);
    text->setHorizontalMode(AcDb::kTextCenter);
    text->setVerticalMode(AcDb::kTextTop);
    text->setAlignmentPoint({5, 6, 0});
    text->setThickness(0.1);
    text->setNormal({1, 0, 0});
    ids.text = appendToModelSpace(db, text);
    {
        Opened<AcDbBlockTable> blocks(db.blockTableId(), AcDb::kForWrite);
        auto* block = new AcDbBlockTableRecord();
        block->setName(L"PART");
        block->setOrigin({1, 1, 1});
        blocks->add(ids.block, block);
        block->close();
    }
    ids.blockCircle = appendTo(ids.block, new AcDbCircle({0, 0, 0}, {0, 0, 1}, 0.5));
    return ids;
}

void expectSameDrawing(AcDbDatabase& db, const Ids& ids, const char* where)
{
    SCOPED_TRACE(where);
    auto find = [&](AcDbObjectId original) {
        AcDbObjectId id;
        EXPECT_EQ(db.getAcDbObjectId(id, false, original.handle()), Acad::eOk);
        return id;
    };
    {
        Opened<AcDbLine> l(find(ids.line));
        ASSERT_TRUE(l);
        EXPECT_EQ(l->startPoint(), AcGePoint3d(1, 2, 3));
        EXPECT_EQ(l->endPoint(), AcGePoint3d(4.25, -5.5, 6));
        EXPECT_EQ(l->thickness(), 0.5);
        EXPECT_TRUE(l->normal().isEqualTo(AcGeVector3d(0, 1, 1).normal()));
        EXPECT_EQ(l->colorIndex(), 3);
        EXPECT_EQ(l->linetypeScale(), 2.5);
        EXPECT_EQ(l->lineWeight(), AcDb::kLnWt025);
        EXPECT_EQ(l->visibility(), AcDb::kInvisible);
        EXPECT_EQ(l->transparency().alpha(), 128);
        ACHAR* layer = l->layer();
        EXPECT_STREQ(layer, L"Rich");
        acutDelString(layer);
        ACHAR* lt = l->linetype();
        EXPECT_STREQ(lt, L"Continuous");
        acutDelString(lt);
        resbuf* xd = l->xData(L"TESTAPP");
        ASSERT_NE(xd, nullptr);
        EXPECT_STREQ(xd->resval.rstring, L"TESTAPP");
        ASSERT_NE(xd->rbnext, nullptr);
        EXPECT_STREQ(xd->rbnext->resval.rstring, L"note");
        EXPECT_EQ(xd->rbnext->rbnext->resval.rint, 42);
        EXPECT_EQ(xd->rbnext->rbnext->rbnext->resval.rreal, 0.125);
        acutRelRb(xd);
        EXPECT_EQ(l->extensionDictionary().handle(), [&] {
            Opened<AcDbXrecord> x(find(ids.xrec));
            return x ? x->ownerId().handle() : AcDbHandle();
        }());
    }
    {
        Opened<AcDbCircle> c(find(ids.circle));
        ASSERT_TRUE(c);
        EXPECT_TRUE(c->center().isEqualTo({10, 0, 1}));
        EXPECT_EQ(c->radius(), 2.5);
        EXPECT_EQ(c->thickness(), 1.5);
        EXPECT_TRUE(c->normal().isEqualTo({0.6, 0, 0.8}));
        EXPECT_TRUE(c->color().isByColor());
        EXPECT_EQ(c->color().red(), 200);
        EXPECT_EQ(c->color().blue(), 50);
    }
    {
        Opened<AcDbArc> a(find(ids.arc));
        ASSERT_TRUE(a);
        EXPECT_TRUE(a->center().isEqualTo({-3, 4, 0}));
        EXPECT_EQ(a->radius(), 7);
        EXPECT_NEAR(a->startAngle(), 0.25, 1e-12);
        EXPECT_NEAR(a->endAngle(), 4.5, 1e-12);
        EXPECT_TRUE(a->normal().isEqualTo({0, 0, -1}));
        EXPECT_EQ(a->thickness(), -1);
        EXPECT_EQ(a->colorIndex(), 0);
    }
    {
        Opened<AcDbPolyline> p(find(ids.pline));
        ASSERT_TRUE(p);
        ASSERT_EQ(p->numVerts(), 4u);
        const double bulges[] = {0.5, -1.0, 0, 0.25};
        const double sw[] = {0.1, 0.3, 0, 1}, ew[] = {0.2, 0.4, 0, 1};
        for (unsigned i = 0; i < 4; ++i) {
            double b, s, e;
            p->getBulgeAt(i, b);
            p->getWidthsAt(i, s, e);
            EXPECT_EQ(b, bulges[i]) << i;
            EXPECT_EQ(s, sw[i]) << i;
            EXPECT_EQ(e, ew[i]) << i;
        }
        AcGePoint2d p2;
        p->getPointAt(2, p2);
        EXPECT_EQ(p2, AcGePoint2d(10, 10));
        EXPECT_TRUE(p->isClosed());
        EXPECT_EQ(p->elevation(), 2.5);
        EXPECT_EQ(p->thickness(), 3);
        EXPECT_TRUE(p->normal().isEqualTo(AcGeVector3d(0, -1, 1).normal()));
    }
    {
        Opened<AcDbText> t(find(ids.text));
        ASSERT_TRUE(t);
        EXPECT_STREQ(t->textStringConst(), L"Mixed ^caret\ttab \u00e9t\u00e9");
        EXPECT_TRUE(t->position().isEqualTo({1, 1, 0}));
        EXPECT_TRUE(t->alignmentPoint().isEqualTo({5, 6, 0}));
        EXPECT_EQ(t->height(), 2.5);
        EXPECT_NEAR(t->rotation(), 0.5, 1e-12);
        EXPECT_EQ(t->widthFactor(), 0.75);
        EXPECT_NEAR(t->oblique(), 0.2, 1e-12);
        EXPECT_EQ(t->horizontalMode(), AcDb::kTextCenter);
        EXPECT_EQ(t->verticalMode(), AcDb::kTextTop);
        EXPECT_EQ(t->thickness(), 0.1);
        EXPECT_TRUE(t->normal().isEqualTo({1, 0, 0}));
    }
    {
        Opened<AcDbCircle> c(find(ids.blockCircle));
        ASSERT_TRUE(c);
        EXPECT_EQ(c->blockId().handle(), ids.block.handle());
    }
    {
        Opened<AcDbXrecord> x(find(ids.xrec));
        ASSERT_TRUE(x);
        resbuf* rb = nullptr;
        x->rbChain(&rb);
        ASSERT_NE(rb, nullptr);
        EXPECT_STREQ(rb->resval.rstring, L"kept");
        ASSERT_NE(rb->rbnext, nullptr);
        EXPECT_EQ(rb->rbnext->resval.rreal, 9.75);
        acutRelRb(rb);
    }
    {
        Opened<AcDbLayerTableRecord> layer(find(ids.layer));
        ASSERT_TRUE(layer);
        EXPECT_TRUE(layer->color().isByColor());
        EXPECT_EQ(layer->color().green(), 2);
        EXPECT_EQ(layer->lineWeight(), AcDb::kLnWt050);
        EXPECT_EQ(layer->transparency().alpha(), 100);
        EXPECT_FALSE(layer->isPlottable());
    }
}

// Every object by handle: its class name (proxies by the class they stand for).
std::map<Adesk::UInt64, std::wstring> inventory(AcDbDatabase& db)
{
    std::map<Adesk::UInt64, std::wstring> out;
    for (Adesk::UInt64 h = 1; h < db.handseed().value(); ++h) {
        AcDbObjectId id;
        if (db.getAcDbObjectId(id, false, AcDbHandle(h)) != Acad::eOk || !id.isResident() || id.isErased()) continue;
        AcDbObject* obj = nullptr;
        if (acdbOpenObject(obj, id, AcDb::kForRead) != Acad::eOk) continue;
        if (auto* pe = AcDbProxyEntity::cast(obj))
            out[h] = std::wstring(L"proxy ") + pe->originalDxfName();
        else if (auto* po = AcDbProxyObject::cast(obj))
            out[h] = std::wstring(L"proxy ") + po->originalDxfName();
        else
            out[h] = obj->isA()->name();
        obj->close();
    }
    return out;
}

TEST(RoundTrip, DxfThenBinaryThenDxfKeepsEverything)
{
    TempDir dir;
    AcDbDatabase db;
    Ids ids = buildDrawing(db);
    expectSameDrawing(db, ids, "memory");
    save(db, dir.file("1.dxf"));
    AcDbDatabase a(false, true);
    open(a, dir.file("1.dxf"));
    expectSameDrawing(a, ids, "after DXF");
    save(a, dir.file("2.dwg"));
    AcDbDatabase b(false, true);
    open(b, dir.file("2.dwg"));
    expectSameDrawing(b, ids, "after DXF and binary");
    save(b, dir.file("3.dxf"));
    EXPECT_EQ(readText(dir.file("1.dxf")), readText(dir.file("3.dxf")));
    EXPECT_EQ(inventory(db), inventory(b));
}

TEST(RoundTrip, BinaryThenDxfThenBinaryKeepsEverything)
{
    TempDir dir;
    AcDbDatabase db;
    Ids ids = buildDrawing(db);
    save(db, dir.file("1.dwg"));
    AcDbDatabase a(false, true);
    open(a, dir.file("1.dwg"));
    expectSameDrawing(a, ids, "after binary");
    save(a, dir.file("2.dxf"));
    AcDbDatabase b(false, true);
    open(b, dir.file("2.dxf"));
    expectSameDrawing(b, ids, "after binary and DXF");
    save(b, dir.file("3.dwg"));
    AcDbDatabase c(false, true);
    open(c, dir.file("3.dwg"));
    expectSameDrawing(c, ids, "after binary, DXF and binary");
    save(c, dir.file("4.dxf"));
    save(c, dir.file("5.dwg"));
    EXPECT_EQ(readText(dir.file("2.dxf")), readText(dir.file("4.dxf")));
    EXPECT_EQ(readText(dir.file("3.dwg")), readText(dir.file("5.dwg")));
    EXPECT_EQ(inventory(db), inventory(c));
}

TEST(RoundTrip, SavingAgainNamesEveryObjectAsBefore)
{
    TempDir dir;
    AcDbDatabase db;
    buildDrawing(db);
    save(db, dir.file("a.dwg"));
    AcDbDatabase back(false, true);
    open(back, dir.file("a.dwg"));
    EXPECT_EQ(back.handseed(), db.handseed());
    // New objects after a read take handles above everything the file had.
    AcDbObjectId fresh = addLine(back);
    EXPECT_GE(fresh.handle().value(), db.handseed().value());
    save(back, dir.file("b.dxf"));
    std::string dxf = readText(dir.file("b.dxf"));
    auto header = groups(dxf);
    for (size_t i = 0; i + 1 < header.size(); ++i)
        if (header[i].first == 9 && header[i].second == "$HANDSEED") {
            EXPECT_EQ(AcDbHandle(header[i + 1].second.c_str()).value(), fresh.handle().value() + 1);
        }
}

TEST(RoundTrip, BothGenerationsWriteTheirVersions)
{
    TempDir dir;
    AcDbDatabase db;
    addLine(db);
    ASSERT_EQ(db.dxfOut(dir.wfile("10.dxf").c_str(), 16, AcDb::kDHL_1024), Acad::eOk);
    ASSERT_EQ(db.dxfOut(dir.wfile("13.dxf").c_str(), 16, AcDb::kDHL_1027), Acad::eOk);
    EXPECT_TRUE(hasGroup(groups(readText(dir.file("10.dxf"))), 1, "AC1024"));
    EXPECT_TRUE(hasGroup(groups(readText(dir.file("13.dxf"))), 1, "AC1027"));
    EXPECT_EQ(db.dxfOut(dir.wfile("old.dxf").c_str(), 16, AcDb::kDHL_1021), Acad::eInvalidDwgVersion);
    ASSERT_EQ(db.saveAs(dir.wfile("10.dwg").c_str(), AcDb::kDHL_1024), Acad::eOk);
    AcDbDatabase back(false, true);
    ASSERT_EQ(back.readDwgFile(dir.wfile("10.dwg").c_str()), Acad::eOk);
    EXPECT_EQ(back.originalFileVersion(), AcDb::kDHL_1024);
    AcDbDatabase fromDxf(false, true);
    ASSERT_EQ(fromDxf.dxfIn(dir.wfile("10.dxf").c_str()), Acad::eOk);
    EXPECT_EQ(fromDxf.originalFileVersion(), AcDb::kDHL_1024);
    const ACHAR* name = nullptr;
    fromDxf.getFilename(name);
    EXPECT_EQ(std::wstring(name), dir.wfile("10.dxf"));
}

TEST(RoundTrip, ObjectsTheHostMakesWhileReadingTakeNoHandleOfTheFile)
{
    // No tables: the host makes them, and layer NEW for the line. Handle 11,
    // the next after the line's, belongs to a dictionary later in the file.
    TempDir dir;
    writeText(dir.file("min.dxf"),
              "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1027\n  0\nENDSEC\n"
              "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  5\n10\n  8\nNEW\n 10\n0\n 20\n0\n 30\n0\n 11\n1\n 21\n2\n"
              " 31\n0\n  0\nENDSEC\n  0\nSECTION\n  2\nOBJECTS\n  0\nDICTIONARY\n  5\nC\n100\nAcDbDictionary\n"
              "  3\nMINE\n350\n11\n  0\nDICTIONARY\n  5\n11\n330\nC\n100\nAcDbDictionary\n  0\nENDSEC\n  0\nEOF\n");
    AcDbDatabase db(false, true);
    open(db, dir.file("min.dxf"));
    AcDbObjectId line, dict;
    ASSERT_EQ(db.getAcDbObjectId(line, false, AcDbHandle(0x10)), Acad::eOk);
    ASSERT_EQ(db.getAcDbObjectId(dict, false, AcDbHandle(0x11)), Acad::eOk);
    Opened<AcDbLine> l(line);
    ASSERT_TRUE(l);
    EXPECT_EQ(l->endPoint(), AcGePoint3d(1, 2, 0));
    EXPECT_EQ(l->blockId(), db.modelSpaceId());
    ACHAR* layer = l->layer();
    EXPECT_STREQ(layer, L"NEW");
    acutDelString(layer);
    EXPECT_GT(l->layerId().handle().value(), 0x11u);
    Opened<AcDbDictionary> d(dict);
    EXPECT_TRUE(d);
    Opened<AcDbDictionary> nod(db.namedObjectsDictionaryId());
    EXPECT_TRUE(nod->has(L"MINE"));
    EXPECT_TRUE(nod->has(L"ACAD_LAYOUT"));  // what a drawing needs was added
    save(db, dir.file("again.dwg"));
    AcDbDatabase back(false, true);
    open(back, dir.file("again.dwg"));
}

TEST(RoundTrip, ErasedObjectsAreNotWritten)
{
    TempDir dir;
    AcDbDatabase db;
    AcDbObjectId gone = addLine(db), kept = addLine(db);
    {
        Opened<AcDbEntity> e(gone, AcDb::kForWrite);
        e->erase();
    }
    for (const char* name : {"e.dxf", "e.dwg"}) {
        save(db, dir.file(name));
        AcDbDatabase back(false, true);
        open(back, dir.file(name));
        AcDbObjectId id;
        EXPECT_NE(back.getAcDbObjectId(id, false, gone.handle()), Acad::eOk) << name;
        EXPECT_EQ(back.getAcDbObjectId(id, false, kept.handle()), Acad::eOk) << name;
    }
}

}  // namespace
