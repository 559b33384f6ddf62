// Entities: the common properties (layer, colour index and true colour,
// linetype, visibility, transparency) and each built-in entity's extents,
// transformation and grip points.
#include <gtest/gtest.h>

#include <cmath>

#include "arx_test_util.h"
#include "departures.h"
#include "temp_dir.h"

namespace {
using namespace arxtest;

void expectPoint(const AcGePoint3d& p, double x, double y, double z, double tol = 1e-9)
{
    EXPECT_NEAR(p.x, x, tol);
    EXPECT_NEAR(p.y, y, tol);
    EXPECT_NEAR(p.z, z, tol);
}

TEST(EntityProperties, LayerColourLinetypeVisibilityTransparency)
{
    AcDbDatabase db;
    {
        Opened<AcDbLayerTable> layers(db.layerTableId(), AcDb::kForWrite);
        auto* layer = new AcDbLayerTableRecord();
        layer->setName(L"Notes");
        layers->add(layer);
        layer->close();
    }
    AcDbObjectId id = addLine(db);
    Opened<AcDbLine> line(id, AcDb::kForWrite);
    ACHAR* name = line->layer();
    EXPECT_STREQ(name, L"0");  // the current layer of a new drawing
    acutDelString(name);
    EXPECT_EQ(line->setLayer(L"notes"), Acad::eOk);
    name = line->layer();
    EXPECT_STREQ(name, L"Notes");
    acutDelString(name);
    EXPECT_EQ(line->setLayer(L"missing"), Acad::eKeyNotFound);
    EXPECT_EQ(line->setLayer(AcDbObjectId::kNull), Acad::eNullObjectId);

    EXPECT_EQ(line->colorIndex(), 256);  // by layer
    EXPECT_EQ(line->setColorIndex(1), Acad::eOk);
    EXPECT_EQ(line->colorIndex(), 1);
    EXPECT_EQ(line->setColorIndex(300), Acad::eInvalidInput);
    AcCmColor tc;
    tc.setRGB(10, 200, 30);
    EXPECT_EQ(line->setColor(tc), Acad::eOk);
    EXPECT_TRUE(line->color().isByColor());
    EXPECT_EQ(line->color().green(), 200);

    ACHAR* lt = line->linetype();
    EXPECT_STREQ(lt, L"ByLayer");
    acutDelString(lt);
    EXPECT_EQ(line->setLinetype(L"Continuous"), Acad::eOk);
    EXPECT_EQ(line->linetypeId(), db.continuousLinetype());
    EXPECT_EQ(line->setLinetypeScale(0), Acad::eInvalidInput);
    EXPECT_EQ(line->setLinetypeScale(2.5), Acad::eOk);

    EXPECT_EQ(line->visibility(), AcDb::kVisible);
    line->setVisibility(AcDb::kInvisible);
    EXPECT_EQ(line->visibility(), AcDb::kInvisible);
    EXPECT_TRUE(line->transparency().isByLayer());
    line->setTransparency(AcCmTransparency(Adesk::UInt8(77)));
    EXPECT_EQ(line->transparency().alpha(), 77);
    EXPECT_EQ(line->setLineWeight(AcDb::kLnWt050), Acad::eOk);
}

TEST(EntityProperties, ColorValues)
{
    AcCmColor c;
    EXPECT_TRUE(c.isByLayer());
    EXPECT_EQ(c.colorIndex(), 256);
    c.setColorIndex(0);
    EXPECT_TRUE(c.isByBlock());
    c.setColorIndex(42);
    AcCmColor d;
    ASSERT_EQ(d.setColor(c.color()), Acad::eOk);
    EXPECT_EQ(d, c);
    EXPECT_EQ(d.setColor(0xC3000000u), Acad::eInvalidInput);  // index 0 is not an index colour
    c.setRGB(255, 0, 0);
    EXPECT_EQ(c.colorIndex(), 1);  // nearest palette entry
    EXPECT_EQ(acdbColorIndexToRGB(1), 0xFF0000u);
    EXPECT_EQ(acdbColorIndexToRGB(7), 0xFFFFFFu);
    // The shades of a hue darken in the host's steps, channels truncated.
    EXPECT_EQ(acdbColorIndexToRGB(12), 0xCC0000u);
    EXPECT_EQ(acdbColorIndexToRGB(16), 0x7F0000u);
    EXPECT_EQ(acdbColorIndexToRGB(20), 0xFF3F00u);
    EXPECT_EQ(acdbColorIndexToRGB(250), 0x333333u);
    c.setRGB(204, 0, 0);
    EXPECT_EQ(c.colorIndex(), 12);
    AcCmTransparency t;
    t.serializeIn(AcCmTransparency(Adesk::UInt8(10)).serializeOut());
    EXPECT_TRUE(t.isByAlpha());
    EXPECT_EQ(t.alpha(), 10);
}

TEST(Line, ExtentsTransformAndGrips)
{
    AcDbLine line({1, 2, 0}, {4, -1, 3});
    AcDbExtents ext;
    ASSERT_EQ(line.getGeomExtents(ext), Acad::eOk);
    expectPoint(ext.minPoint(), 1, -1, 0);
    expectPoint(ext.maxPoint(), 4, 2, 3);
    ASSERT_EQ(line.transformBy(AcGeMatrix3d::translation({1, 1, 1})), Acad::eOk);
    expectPoint(line.startPoint(), 2, 3, 1);
    ASSERT_EQ(line.transformBy(AcGeMatrix3d::rotation(M_PI / 2, AcGeVector3d::kZAxis)), Acad::eOk);
    expectPoint(line.startPoint(), -3, 2, 1);
    AcGePoint3dArray grips;
    AcDbIntArray modes, ids;
    ASSERT_EQ(line.getGripPoints(grips, modes, ids), Acad::eOk);
    ASSERT_EQ(grips.length(), 3);
    expectPoint(grips[0], -3, 2, 1);
    AcDbIntArray which;
    which.append(1);
    ASSERT_EQ(line.moveGripPointsAt(which, {1, 0, 0}), Acad::eOk);
    AcGePoint3d end = line.endPoint();
    expectPoint(end, grips[1].x + 1, grips[1].y, grips[1].z);
}

// Most lines are flat and keep no extrusion of their own; one that is not
// keeps its thickness and normal through every change and both files, and
// becomes flat again when both go back.
TEST(Line, ThicknessAndNormalThroughChangesFilesAndCancel)
{
    AcDbDatabase db;
    AcDbObjectId flatId = addLine(db, {0, 0, 0}, {1, 0, 0});
    AcDbObjectId tiltedId = addLine(db, {0, 0, 0}, {2, 0, 0});
    {
        Opened<AcDbLine> line(tiltedId, AcDb::kForWrite);
        EXPECT_EQ(line->setNormal({0, 0, 0}), Acad::eInvalidInput);
        ASSERT_EQ(line->setNormal({0, -3, 0}), Acad::eOk);
        ASSERT_EQ(line->setThickness(2), Acad::eOk);
        EXPECT_EQ(line->normal(), AcGeVector3d(0, -1, 0));
        AcDbExtents ext;
        ASSERT_EQ(line->getGeomExtents(ext), Acad::eOk);
        expectPoint(ext.minPoint(), 0, -2, 0);
        // A quarter turn about X takes the extrusion from -Y to -Z.
        ASSERT_EQ(line->transformBy(AcGeMatrix3d::rotation(M_PI / 2, AcGeVector3d::kXAxis)), Acad::eOk);
        EXPECT_NEAR(line->thickness(), 2, 1e-12);
        EXPECT_NEAR(line->normal().z, -1, 1e-12);
    }
    {
        // Cancelling puts back the extrusion the open began with.
        Opened<AcDbLine> line(tiltedId, AcDb::kForWrite);
        ASSERT_EQ(line->setThickness(0), Acad::eOk);
        ASSERT_EQ(line->setNormal({0, 0, 1}), Acad::eOk);
        EXPECT_EQ(line->thickness(), 0);
        line->cancel();
        line.ptr = nullptr;
    }
    {
        Opened<AcDbLine> line(tiltedId);
        EXPECT_NEAR(line->thickness(), 2, 1e-12);
        EXPECT_NEAR(line->normal().z, -1, 1e-12);
    }
    TempDir dir;
    for (const char* name : {"lines.dxf", "lines.dwg"}) {
        save(db, dir.file(name));
        AcDbDatabase back(false, true);
        open(back, dir.file(name));
        AcDbObjectId id;
        ASSERT_EQ(back.getAcDbObjectId(id, false, tiltedId.handle()), Acad::eOk);
        {
            Opened<AcDbLine> line(id, AcDb::kForWrite);
            EXPECT_NEAR(line->thickness(), 2, 1e-12) << name;
            EXPECT_NEAR(line->normal().z, -1, 1e-12) << name;
            // Flat again: thickness 0 and the normal +Z.
            ASSERT_EQ(line->setThickness(0), Acad::eOk);
            ASSERT_EQ(line->setNormal({0, 0, 5}), Acad::eOk);
            EXPECT_EQ(line->normal(), AcGeVector3d::kZAxis);
        }
        ASSERT_EQ(back.getAcDbObjectId(id, false, flatId.handle()), Acad::eOk);
        Opened<AcDbLine> flat(id);
        EXPECT_EQ(flat->thickness(), 0) << name;
        EXPECT_EQ(flat->normal(), AcGeVector3d::kZAxis) << name;
    }
}

TEST(Circle, ExtentsFollowTheNormal)
{
    AcDbCircle circle({0, 0, 0}, {0, 0, 1}, 2);
    AcDbExtents ext;
    ASSERT_EQ(circle.getGeomExtents(ext), Acad::eOk);
    expectPoint(ext.minPoint(), -2, -2, 0);
    expectPoint(ext.maxPoint(), 2, 2, 0);
    AcDbCircle tilted({0, 0, 0}, {1, 0, 0}, 2);  // in the YZ plane
    AcDbExtents e2;
    tilted.getGeomExtents(e2);
    expectPoint(e2.minPoint(), 0, -2, -2);
    expectPoint(e2.maxPoint(), 0, 2, 2);
    ASSERT_EQ(circle.transformBy(AcGeMatrix3d::scaling(3, {1, 0, 0})), Acad::eOk);
    EXPECT_NEAR(circle.radius(), 6, 1e-12);
    expectPoint(circle.center(), -2, 0, 0);
    AcGeMatrix3d squash;
    squash(0, 0) = 2;  // not uniform
    EXPECT_EQ(circle.transformBy(squash), Acad::eCannotScaleNonUniformly);
    AcGePoint3dArray grips;
    AcDbIntArray m, g;
    circle.getGripPoints(grips, m, g);
    ASSERT_EQ(grips.length(), 5);
    expectPoint(grips[0], -2, 0, 0);
    AcDbIntArray which;
    which.append(1);
    circle.moveGripPointsAt(which, {1, 0, 0});
    EXPECT_NEAR(circle.radius(), 7, 1e-12);
    EXPECT_EQ(circle.setRadius(-1), Acad::eInvalidInput);
}

TEST(Arc, ExtentsCoverOnlyTheSweep)
{
    AcDbArc arc({0, 0, 0}, 1, 0, M_PI / 2);  // the first quadrant
    AcDbExtents ext;
    ASSERT_EQ(arc.getGeomExtents(ext), Acad::eOk);
    expectPoint(ext.minPoint(), 0, 0, 0);
    expectPoint(ext.maxPoint(), 1, 1, 0);
    AcDbArc wide({0, 0, 0}, 1, M_PI / 4, 7 * M_PI / 4);  // all but the right side
    wide.getGeomExtents(ext = AcDbExtents());
    EXPECT_NEAR(ext.minPoint().x, -1, 1e-12);
    EXPECT_NEAR(ext.maxPoint().x, std::cos(M_PI / 4), 1e-12);
    EXPECT_NEAR(ext.maxPoint().y, 1, 1e-12);
    // A mirror reverses the direction of the sweep.
    AcGeMatrix3d mirror;
    mirror.setToMirroring(AcGePoint3d::kOrigin, AcGeVector3d::kXAxis);
    ASSERT_EQ(arc.transformBy(mirror), Acad::eOk);
    expectPoint(arc.startPoint(), 0, 1, 0, 1e-9);
    expectPoint(arc.endPoint(), -1, 0, 0, 1e-9);
    AcGePoint3dArray grips;
    AcDbIntArray m, g;
    arc.getGripPoints(grips, m, g);
    ASSERT_EQ(grips.length(), 4);
    expectPoint(grips[1], -std::sqrt(0.5), std::sqrt(0.5), 0, 1e-9);
}

TEST(Polyline, VerticesBulgesWidthsAndExtents)
{
    AcDbPolyline pl;
    pl.addVertexAt(0, {0, 0}, 0, 0.5, 1.0);
    pl.addVertexAt(1, {2, 0}, 1.0);  // a half circle to the next vertex, on the right
    pl.addVertexAt(2, {2, 2});
    EXPECT_EQ(pl.numVerts(), 3u);
    double bulge = 0, sw = 0, ew = 0;
    ASSERT_EQ(pl.getBulgeAt(1, bulge), Acad::eOk);
    EXPECT_EQ(bulge, 1.0);
    ASSERT_EQ(pl.getWidthsAt(0, sw, ew), Acad::eOk);
    EXPECT_EQ(sw, 0.5);
    EXPECT_EQ(ew, 1.0);
    EXPECT_EQ(pl.getBulgeAt(9, bulge), Acad::eInvalidIndex);
    EXPECT_EQ(pl.setWidthsAt(0, -1, 0), Acad::eNegativeValueNotAllowed);
    EXPECT_TRUE(pl.hasBulges());
    EXPECT_TRUE(pl.hasWidth());
    EXPECT_FALSE(pl.isClosed());
    pl.setClosed(true);
    EXPECT_TRUE(pl.isClosed());
    pl.setWidthsAt(0, 0, 0);
    AcDbExtents ext;
    ASSERT_EQ(pl.getGeomExtents(ext), Acad::eOk);
    // The half circle from (2,0) to (2,2) bulges out to x = 3.
    EXPECT_NEAR(ext.maxPoint().x, 3, 1e-9);
    EXPECT_NEAR(ext.minPoint().x, 0, 1e-9);
    ASSERT_EQ(pl.transformBy(AcGeMatrix3d::translation({0, 0, 5})), Acad::eOk);
    EXPECT_NEAR(pl.elevation(), 5, 1e-12);
    AcGePoint3d p3;
    pl.getPointAt(1, p3);
    expectPoint(p3, 2, 0, 5);
    AcGeMatrix3d mirror;
    mirror.setToMirroring(AcGePoint3d::kOrigin, AcGeVector3d::kXAxis);
    ASSERT_EQ(pl.transformBy(mirror), Acad::eOk);
    pl.getBulgeAt(1, bulge);
    EXPECT_EQ(bulge, -1.0);
    AcGePoint3dArray grips;
    AcDbIntArray m, g;
    pl.getGripPoints(grips, m, g);
    EXPECT_EQ(grips.length(), 3);
    EXPECT_EQ(pl.removeVertexAt(0), Acad::eOk);
    EXPECT_EQ(pl.numVerts(), 2u);
    EXPECT_EQ(pl.setConstantWidth(0.25), Acad::eOk);
    double cw = 0;
    EXPECT_EQ(pl.getConstantWidth(cw), Acad::eOk);
    EXPECT_EQ(cw, 0.25);
}

TEST(Text, ExtentsTransformAndGrips)
{
    departsFromHost(Departure::kShortOfHost,
                    "text extents are estimated from the height (a character 0.8 of it wide), without font metrics");
    AcDbText text({1, 1, 0}, L"ABCD", AcDbObjectId::kNull, 2.0, 0);
    AcDbExtents ext;
    ASSERT_EQ(text.getGeomExtents(ext), Acad::eOk);
    expectPoint(ext.minPoint(), 1, 1, 0);
    EXPECT_GT(ext.maxPoint().x, 1 + 4);  // four characters about 0.8 of the height wide
    EXPECT_NEAR(ext.maxPoint().y, 3, 1e-12);
    ASSERT_EQ(text.transformBy(AcGeMatrix3d::rotation(M_PI / 2, AcGeVector3d::kZAxis)), Acad::eOk);
    EXPECT_NEAR(text.rotation(), M_PI / 2, 1e-12);
    expectPoint(text.position(), -1, 1, 0);
    ASSERT_EQ(text.transformBy(AcGeMatrix3d::scaling(2)), Acad::eOk);
    EXPECT_NEAR(text.height(), 4, 1e-12);
    AcGePoint3dArray grips;
    AcDbIntArray m, g;
    text.getGripPoints(grips, m, g);
    EXPECT_EQ(grips.length(), 1);
    text.setHorizontalMode(AcDb::kTextCenter);
    grips.removeAll();
    text.getGripPoints(grips, m, g);
    EXPECT_EQ(grips.length(), 2);
    EXPECT_EQ(text.setHeight(0), Acad::eInvalidInput);
}

}  // namespace
