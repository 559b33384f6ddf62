// What the built-in entities draw through the graphics interface, and how the
// host records it: each primitive with the traits set at the time, curves kept
// as curves, extents measured from what was drawn.
#include <cmath>
#include <functional>

#include "arx_test_util.h"
#include "arxhost/graphics.h"

namespace {

using arxhost::DrawnPrimitive;
using arxtest::appendToModelSpace;

constexpr double kEps = 1e-9;

void expectPoint(const AcGePoint3d& p, double x, double y, double z = 0)
{
    EXPECT_NEAR(p.x, x, kEps);
    EXPECT_NEAR(p.y, y, kEps);
    EXPECT_NEAR(p.z, z, kEps);
}

// An entity that draws what a test asks of it.
class Sketch : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(Sketch);
    std::function<void(AcGiWorldDraw*)> draw;

protected:
    Adesk::Boolean subWorldDraw(AcGiWorldDraw* mode) override
    {
        if (draw) draw(mode);
        return Adesk::kTrue;
    }
};
ACRX_DXF_DEFINE_MEMBERS(Sketch, AcDbEntity, AcDb::kDHL_CURRENT, AcDb::kMReleaseCurrent, 0, SKETCH, SketchApp)

class WorldDraw : public ::testing::Test {
protected:
    void SetUp() override { Sketch::rxInit(); }
    void TearDown() override { deleteAcRxClass(Sketch::desc()); }

    arxhost::Drawing sketch(std::function<void(AcGiWorldDraw*)> f)
    {
        auto* s = new Sketch();
        s->draw = std::move(f);
        AcDbObjectId id = appendToModelSpace(db, s);
        return arxhost::drawEntity(id);
    }

    AcDbDatabase db;
};

TEST_F(WorldDraw, ALineIsATwoPointPolylineInItsOwnColourAndLayer)
{
    auto* line = new AcDbLine(AcGePoint3d(1, 2, 0), AcGePoint3d(4, 6, 0));
    line->setColorIndex(1);
    AcDbObjectId id = appendToModelSpace(db, line);
    arxhost::Drawing d = arxhost::drawEntity(id);
    ASSERT_TRUE(d.opened);
    ASSERT_EQ(d.primitives.size(), 1u);
    const DrawnPrimitive& p = d.primitives[0];
    EXPECT_EQ(p.kind, DrawnPrimitive::kPolyline);
    ASSERT_EQ(p.points.size(), 2u);
    expectPoint(p.points[0], 1, 2);
    expectPoint(p.points[1], 4, 6);
    EXPECT_TRUE(p.color.isByACI());
    EXPECT_EQ(p.color.colorIndex(), 1);
    EXPECT_EQ(p.layer, db.clayer());
    EXPECT_EQ(p.linetype, db.byLayerLinetype());
    expectPoint(d.extents.minPoint(), 1, 2);
    expectPoint(d.extents.maxPoint(), 4, 6);
    EXPECT_FALSE(d.viewDependent);
}

TEST_F(WorldDraw, CirclesAndArcsStayCurvesWithExactExtents)
{
    AcDbObjectId circle = appendToModelSpace(db, new AcDbCircle(AcGePoint3d(5, 5, 0), AcGeVector3d::kZAxis, 2));
    // A quarter arc from 90 to 180 degrees: its extents are the quarter's box,
    // not the whole circle's.
    AcDbObjectId arc = appendToModelSpace(db, new AcDbArc(AcGePoint3d(0, 0, 0), 3, M_PI / 2, M_PI));
    arxhost::Drawing c = arxhost::drawEntity(circle);
    ASSERT_EQ(c.primitives.size(), 1u);
    EXPECT_EQ(c.primitives[0].kind, DrawnPrimitive::kCircle);
    EXPECT_NEAR(c.primitives[0].radius, 2, kEps);
    expectPoint(c.extents.minPoint(), 3, 3);
    expectPoint(c.extents.maxPoint(), 7, 7);

    arxhost::Drawing a = arxhost::drawEntity(arc);
    ASSERT_EQ(a.primitives.size(), 1u);
    const DrawnPrimitive& p = a.primitives[0];
    EXPECT_EQ(p.kind, DrawnPrimitive::kArc);
    EXPECT_EQ(p.arcType, kAcGiArcSimple);
    EXPECT_NEAR(p.startVector.x, 0, kEps);
    EXPECT_NEAR(p.startVector.y, 1, kEps);
    EXPECT_NEAR(p.sweep, M_PI / 2, kEps);
    expectPoint(a.extents.minPoint(), -3, 0);
    expectPoint(a.extents.maxPoint(), 0, 3);
}

TEST_F(WorldDraw, AnArcWhoseEndAngleIsBelowItsStartSweepsThroughZero)
{
    AcDbObjectId arc = appendToModelSpace(db, new AcDbArc(AcGePoint3d(0, 0, 0), 1, 1.5 * M_PI, 0.5 * M_PI));
    arxhost::Drawing a = arxhost::drawEntity(arc);
    ASSERT_EQ(a.primitives.size(), 1u);
    EXPECT_NEAR(a.primitives[0].sweep, M_PI, kEps);
    // The right half of the circle.
    expectPoint(a.extents.minPoint(), 0, -1);
    expectPoint(a.extents.maxPoint(), 1, 1);
}

TEST_F(WorldDraw, APolylineKeepsItsBulgesAndWidthsAndAClosedOneItsClosingSegment)
{
    auto* pl = new AcDbPolyline();
    pl->addVertexAt(0, AcGePoint2d(0, 0), 1.0, 0.5, 0.25);
    pl->addVertexAt(1, AcGePoint2d(2, 0), 0.0, 0.1, 0.1);
    pl->addVertexAt(2, AcGePoint2d(2, 2));
    pl->setClosed(true);
    AcDbObjectId id = appendToModelSpace(db, pl);
    arxhost::Drawing d = arxhost::drawEntity(id);
    ASSERT_EQ(d.primitives.size(), 1u);
    const DrawnPrimitive& p = d.primitives[0];
    EXPECT_EQ(p.kind, DrawnPrimitive::kPline);
    ASSERT_EQ(p.points.size(), 4u);  // three vertices and back to the first
    expectPoint(p.points[3], 0, 0);
    ASSERT_EQ(p.bulges.size(), 3u);
    EXPECT_EQ(p.bulges[0], 1.0);
    EXPECT_EQ(p.startWidths[0], 0.5);
    EXPECT_EQ(p.endWidths[0], 0.25);
    EXPECT_EQ(p.startWidths[1], 0.1);
    // The half circle under the first segment reaches y = -1, and the widest
    // width stands out by half.
    EXPECT_NEAR(d.extents.minPoint().y, -1 - 0.25, kEps);
}

TEST_F(WorldDraw, TextStartsWhereItsAlignmentPutsIt)
{
    auto* left = new AcDbText(AcGePoint3d(1, 1, 0), L"ABCD", AcDbObjectId::kNull, 2.0, 0);
    AcDbObjectId leftId = appendToModelSpace(db, left);
    auto* right = new AcDbText(AcGePoint3d(0, 0, 0), L"ABCD", AcDbObjectId::kNull, 2.0, 0);
    right->setHorizontalMode(AcDb::kTextRight);
    right->setAlignmentPoint(AcGePoint3d(10, 0, 0));
    AcDbObjectId rightId = appendToModelSpace(db, right);

    arxhost::Drawing l = arxhost::drawEntity(leftId);
    ASSERT_EQ(l.primitives.size(), 1u);
    const DrawnPrimitive& t = l.primitives[0];
    EXPECT_EQ(t.kind, DrawnPrimitive::kText);
    EXPECT_EQ(t.text, L"ABCD");
    expectPoint(t.position, 1, 1);
    EXPECT_NEAR(t.height, 2.0, kEps);
    EXPECT_NEAR(t.direction.x, 1, kEps);

    // Right aligned: it ends at the alignment point (four letters of 0.8 times
    // the height each).
    arxhost::Drawing r = arxhost::drawEntity(rightId);
    ASSERT_EQ(r.primitives.size(), 1u);
    expectPoint(r.primitives[0].position, 10 - 4 * 2.0 * 0.8, 0);
}

TEST_F(WorldDraw, AnInvisibleEntityDrawsNothing)
{
    auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    line->setVisibility(AcDb::kInvisible);
    arxhost::Drawing d = arxhost::drawEntity(appendToModelSpace(db, line));
    EXPECT_TRUE(d.opened);
    EXPECT_TRUE(d.primitives.empty());
    EXPECT_FALSE(d.extents.isValid());
}

TEST_F(WorldDraw, TraitsApplyToWhatIsDrawnAfterThem)
{
    arxhost::Drawing d = sketch([](AcGiWorldDraw* w) {
        AcGePoint3d pts[2] = {{0, 0, 0}, {1, 0, 0}};
        w->geometry().polyline(2, pts);
        w->subEntityTraits().setColor(3);
        w->subEntityTraits().setFillType(kAcGiFillAlways);
        AcGePoint3d square[4] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
        w->geometry().polygon(4, square);
        AcCmEntityColor rgb;
        rgb.setRGB(10, 20, 30);
        w->subEntityTraits().setTrueColor(rgb);
        w->geometry().worldLine(pts);
    });
    ASSERT_EQ(d.primitives.size(), 3u);
    EXPECT_TRUE(d.primitives[0].color.isByLayer());  // the entity's own colour
    EXPECT_FALSE(d.primitives[0].filled);
    EXPECT_EQ(d.primitives[1].kind, DrawnPrimitive::kPolygon);
    EXPECT_EQ(d.primitives[1].color.colorIndex(), 3);
    EXPECT_TRUE(d.primitives[1].filled);
    EXPECT_TRUE(d.primitives[2].color.isByColor());
    EXPECT_EQ(d.primitives[2].color.red(), 10);
    EXPECT_EQ(d.primitives[2].color.blue(), 30);
}

TEST_F(WorldDraw, ThreePointFormsBecomeCirclesAndArcsAndCollinearPointsALine)
{
    arxhost::Drawing d = sketch([](AcGiWorldDraw* w) {
        w->geometry().circle(AcGePoint3d(1, 0, 0), AcGePoint3d(0, 1, 0), AcGePoint3d(-1, 0, 0));
        w->geometry().circularArc(AcGePoint3d(1, 0, 0), AcGePoint3d(0, 1, 0), AcGePoint3d(-1, 0, 0), kAcGiArcChord);
        w->geometry().circularArc(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0), AcGePoint3d(2, 0, 0));
    });
    ASSERT_EQ(d.primitives.size(), 3u);
    EXPECT_EQ(d.primitives[0].kind, DrawnPrimitive::kCircle);
    expectPoint(d.primitives[0].center, 0, 0);
    EXPECT_NEAR(d.primitives[0].radius, 1, kEps);
    EXPECT_EQ(d.primitives[1].kind, DrawnPrimitive::kArc);
    EXPECT_EQ(d.primitives[1].arcType, kAcGiArcChord);
    EXPECT_NEAR(d.primitives[1].sweep, M_PI, kEps);
    EXPECT_EQ(d.primitives[2].kind, DrawnPrimitive::kPolyline);
}

TEST_F(WorldDraw, DegenerateInputDrawsNothingAndNeverStopsTheRegeneration)
{
    bool aborted = false;
    arxhost::Drawing d = sketch([&](AcGiWorldDraw* w) {
        aborted |= w->geometry().circle(AcGePoint3d(0, 0, 0), 0, AcGeVector3d::kZAxis) != Adesk::kFalse;
        aborted |= w->geometry().circle(AcGePoint3d(0, 0, 0), NAN, AcGeVector3d::kZAxis) != Adesk::kFalse;
        aborted |= w->geometry().polyline(0, nullptr) != Adesk::kFalse;
        aborted |= w->geometry().text(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, -1, 1, 0,
                                      L"x") != Adesk::kFalse;
        aborted |= w->geometry().text(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, 1, 1, 0,
                                      nullptr) != Adesk::kFalse;
    });
    EXPECT_FALSE(aborted);
    EXPECT_TRUE(d.primitives.empty());
}

TEST_F(WorldDraw, APartOfAPolylineDrawsOnlyThoseSegments)
{
    arxhost::Drawing d = sketch([](AcGiWorldDraw* w) {
        AcDbPolyline pl;
        for (int i = 0; i < 5; ++i) pl.addVertexAt(i, AcGePoint2d(i, i * i));
        w->geometry().pline(pl, 1, 2);
    });
    ASSERT_EQ(d.primitives.size(), 1u);
    ASSERT_EQ(d.primitives[0].points.size(), 3u);
    expectPoint(d.primitives[0].points[0], 1, 1);
    expectPoint(d.primitives[0].points[2], 3, 9);
}

TEST_F(WorldDraw, ForAPlotTheEntityIsToldSo)
{
    bool plotting = false;
    auto* s = new Sketch();
    s->draw = [&](AcGiWorldDraw* w) { plotting = w->context()->isPlotGeneration() != Adesk::kFalse; };
    AcDbObjectId id = appendToModelSpace(db, s);
    arxhost::drawEntity(id, false);
    EXPECT_FALSE(plotting);
    arxhost::drawEntity(id, true);
    EXPECT_TRUE(plotting);
}

}  // namespace
