// The drawing view: pixels and world points both ways, the view's system
// variables, the regeneration that redraws only what changed, and the
// drawing's modified mark.
#include <functional>

#include "drawing_host.h"

namespace {

// Draws a line whose end depends on a value outside the drawing, and may ask
// where the view is while it draws.
double gProbeLength = 1;
bool gProbeAsksTheView = false;
int gProbeDraws = 0;

class Probe : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(Probe);

protected:
    Adesk::Boolean subWorldDraw(AcGiWorldDraw* mode) override
    {
        ++gProbeDraws;
        double length = gProbeLength;
        if (gProbeAsksTheView) {
            acedDwgPoint a = {0, 0, 0}, b = {0, 0, 0};
            acedCoordFromPixelToWorld(0, CPoint(0, 0), a);
            acedCoordFromPixelToWorld(0, CPoint(10, 0), b);
            length = b[0] - a[0];
        }
        AcGePoint3d pts[2] = {{0, 0, 0}, {length, 0, 0}};
        mode->geometry().polyline(2, pts);
        return Adesk::kTrue;
    }
};
ACRX_DXF_DEFINE_MEMBERS(Probe, AcDbEntity, AcDb::kDHL_CURRENT, AcDb::kMReleaseCurrent, 0, PROBE, ProbeApp)

class Views : public AcEditorReactor {
public:
    int changes = 0;
    std::vector<std::wstring> layouts;
    void viewChanged() override { ++changes; }
    void layoutSwitched(const ACHAR* name) override { layouts.push_back(name); }
};

class View : public DrawingHost {
protected:
    void SetUp() override
    {
        DrawingHost::SetUp();
        Probe::rxInit();
        gProbeLength = 1;
        gProbeAsksTheView = false;
        gProbeDraws = 0;
    }
    void TearDown() override
    {
        deleteAcRxClass(Probe::desc());
        DrawingHost::TearDown();
    }

    double shownLength(AcDbObjectId id)
    {
        arxhost::Drawing d = arxhost::shownDrawing(id);
        return d.primitives.empty() ? -1 : d.primitives[0].points[1].x;
    }
};

TEST_F(View, PixelsAndWorldPointsMapAsTheViewCentreAndHeightSay)
{
    view(10, 20, 48);  // 1024 x 768 pixels: 16 pixels a unit
    acedDwgPoint w;
    ASSERT_TRUE(acedCoordFromPixelToWorld(0, CPoint(0, 0), w));
    EXPECT_DOUBLE_EQ(w[0], 10 - 512.0 / 16);
    EXPECT_DOUBLE_EQ(w[1], 20 + 384.0 / 16);
    EXPECT_EQ(w[2], 0);
    ASSERT_TRUE(acedCoordFromPixelToWorld(0, CPoint(512, 384), w));
    EXPECT_DOUBLE_EQ(w[0], 10);
    EXPECT_DOUBLE_EQ(w[1], 20);
    // 32 pixels are 2 units across.
    acedDwgPoint a, b;
    acedCoordFromPixelToWorld(CPoint(0, 0), a);
    acedCoordFromPixelToWorld(CPoint(32, 0), b);
    EXPECT_DOUBLE_EQ(b[0] - a[0], 2.0);

    CPoint px;
    acedDwgPoint corner = {10 + 3, 20 - 2, 0};
    ASSERT_TRUE(acedCoordFromWorldToPixel(0, corner, px));
    EXPECT_EQ(px.x, 512 + 48);
    EXPECT_EQ(px.y, 384 + 32);
}

TEST_F(View, TheCurrentViewportAnswersByNumberAndNoOtherDoes)
{
    view(0, 0, 768);
    acedDwgPoint w = {7, 7, 7};
    EXPECT_TRUE(acedCoordFromPixelToWorld(2, CPoint(0, 0), w));  // model space is viewport 2
    w[0] = 7;
    EXPECT_FALSE(acedCoordFromPixelToWorld(5, CPoint(0, 0), w));
    EXPECT_EQ(w[0], 7);  // left as it was
    CPoint px(-1, -1);
    acedDwgPoint far = {1e12, 0, 0};
    EXPECT_FALSE(acedCoordFromWorldToPixel(0, far, px));
}

TEST_F(View, WithoutADrawingThereIsNoViewToAsk)
{
    app.closeDocument(doc);
    acedDwgPoint w = {7, 7, 7};
    EXPECT_FALSE(acedCoordFromPixelToWorld(0, CPoint(0, 0), w));
    EXPECT_EQ(w[0], 7);
    resbuf rb;
    EXPECT_EQ(acedGetVar(L"VIEWSIZE", &rb), RTERROR);
    arxhost::ViewState v;
    EXPECT_FALSE(arxhost::currentView(v));
}

TEST_F(View, TheViewsSizeChangesThePixelSizeAndOnlySensibleSizesAreTaken)
{
    view(0, 0, 48);
    ASSERT_TRUE(arxhost::setViewSize(640, 480));
    acedDwgPoint a, b;
    acedCoordFromPixelToWorld(0, CPoint(0, 0), a);
    acedCoordFromPixelToWorld(0, CPoint(32, 0), b);
    EXPECT_DOUBLE_EQ(b[0] - a[0], 32 * 48.0 / 480);
    EXPECT_DOUBLE_EQ(a[0], -320 * 48.0 / 480);
    EXPECT_FALSE(arxhost::setViewSize(0, 480));
    EXPECT_FALSE(arxhost::setViewSize(640, 9000));
    EXPECT_EQ(arxhost::viewWidth(), 640);
    resbuf rb;
    ASSERT_EQ(acedGetVar(L"SCREENSIZE", &rb), RTNORM);
    EXPECT_EQ(rb.restype, RTPOINT);
    EXPECT_EQ(rb.resval.rpoint[0], 640);
    EXPECT_EQ(rb.resval.rpoint[1], 480);
}

TEST_F(View, ViewctrAndViewsizeTellTheViewAndCannotBeSet)
{
    view(3, 4, 12.5);
    resbuf rb;
    ASSERT_EQ(acedGetVar(L"viewctr", &rb), RTNORM);
    EXPECT_EQ(rb.restype, RT3DPOINT);
    EXPECT_EQ(rb.resval.rpoint[0], 3);
    EXPECT_EQ(rb.resval.rpoint[1], 4);
    ASSERT_EQ(acedGetVar(L"VIEWSIZE", &rb), RTNORM);
    EXPECT_EQ(rb.restype, RTREAL);
    EXPECT_EQ(rb.resval.rreal, 12.5);
    rb.resval.rreal = 99;
    EXPECT_EQ(acedSetVar(L"VIEWSIZE", &rb), RTREJ);
    EXPECT_EQ(acedGetVar(L"NOSUCHVAR", &rb), RTERROR);
    EXPECT_EQ(currentView().height, 12.5);
}

TEST_F(View, AnEmptyDrawingShowsTheDefaultAreaAndAnOpenedOneAllItHolds)
{
    arxhost::ViewState v = currentView();
    EXPECT_EQ(v.centerX, 6);
    EXPECT_EQ(v.centerY, 4.5);
    EXPECT_EQ(v.height, 9);
    line(0, 0, 100, 0);
    line(0, 0, 0, 10);
    std::string dir = ::testing::TempDir();
    std::wstring path = AcString::fromUtf8(dir.data(), dir.size()).str() + L"extents.dxf";
    std::string error;
    ASSERT_TRUE(app.saveDocument(doc, path, error)) << error;
    ASSERT_NE(app.openDocument(path, error), nullptr) << error;
    // Everything in it, a few pixels in from the edges: 100 units across
    // 1024 - 8 pixels.
    v = currentView();
    EXPECT_NEAR(v.centerX, 50, 1e-9);
    EXPECT_NEAR(v.centerY, 5, 1e-9);
    EXPECT_NEAR(v.height, 100.0 * 768 / (1024 - 8), 1e-9);
}

TEST_F(View, ARegenerationRedrawsOnlyTheEntitiesThatChanged)
{
    AcDbObjectId a = line(0, 0, 1, 0);
    line(0, 1, 1, 1);
    line(0, 2, 1, 2);
    EXPECT_EQ(arxhost::regenerateView(), 3u);
    EXPECT_EQ(arxhost::regenerateView(), 0u);
    AcDbLine* l = nullptr;
    ASSERT_EQ(acdbOpenObject(l, a, AcDb::kForWrite), Acad::eOk);
    l->setEndPoint(AcGePoint3d(5, 0, 0));
    l->close();
    EXPECT_EQ(arxhost::regenerateView(), 1u);
    EXPECT_EQ(arxhost::shownDrawing(a).primitives[0].points[1].x, 5);
    // Opened for write and closed without a change: nothing to draw.
    ASSERT_EQ(acdbOpenObject(l, a, AcDb::kForWrite), Acad::eOk);
    l->close();
    EXPECT_EQ(arxhost::regenerateView(), 0u);
    // A change the entity says leaves its drawing as it was is not drawn.
    ASSERT_EQ(acdbOpenObject(l, a, AcDb::kForWrite), Acad::eOk);
    l->setThickness(2);
    l->recordGraphicsModified(false);
    l->close();
    EXPECT_EQ(arxhost::regenerateView(), 0u);
    // REGEN draws everything.
    EXPECT_EQ(arxhost::regenerateAll(), 3u);
    EXPECT_EQ(run(L"REGEN"), arxhost::CommandResult::kEnded);
    EXPECT_NE(commandLine.find(L"Regenerating model."), std::wstring::npos);
}

TEST_F(View, AnErasedEntityLeavesTheViewAndAnUnerasedOneComesBack)
{
    AcDbObjectId a = line(0, 0, 1, 0);
    arxhost::regenerateView();
    AcDbLine* l = nullptr;
    ASSERT_EQ(acdbOpenObject(l, a, AcDb::kForWrite), Acad::eOk);
    l->erase();
    l->close();
    EXPECT_FALSE(arxhost::shownDrawing(a).opened);
    ASSERT_EQ(acdbOpenObject(l, a, AcDb::kForWrite, true), Acad::eOk);
    l->erase(false);
    l->close();
    EXPECT_TRUE(arxhost::shownDrawing(a).opened);
}

TEST_F(View, MovingTheViewRedrawsOnlyWhatAskedWhereTheViewIs)
{
    gProbeAsksTheView = true;
    AcDbObjectId probe = add(new Probe());
    line(0, 0, 1, 1);
    view(0, 0, 768);  // one unit a pixel
    arxhost::regenerateView();
    EXPECT_TRUE(arxhost::shownDrawing(probe).viewDependent);
    EXPECT_DOUBLE_EQ(shownLength(probe), 10);
    view(0, 0, 76.8);  // the host draws what the change needs at once
    EXPECT_EQ(arxhost::lastRegenerationCount(), 1u);
    EXPECT_DOUBLE_EQ(shownLength(probe), 1);
    // A size change of the view is a view change too.
    ASSERT_TRUE(arxhost::setViewSize(512, 384));
    EXPECT_EQ(arxhost::regenerateView(), 1u);
    EXPECT_DOUBLE_EQ(shownLength(probe), 2);
}

TEST_F(View, AcdbEntUpdRedrawsOneEntityAtOnce)
{
    AcDbObjectId probe = add(new Probe());
    arxhost::regenerateView();
    gProbeLength = 7;
    // Nothing in the drawing changed: a regeneration keeps what it had.
    EXPECT_EQ(arxhost::regenerateView(), 0u);
    EXPECT_EQ(shownLength(probe), 1);
    ads_name name;
    ASSERT_EQ(acdbGetAdsName(name, probe), Acad::eOk);
    EXPECT_EQ(acdbEntUpd(name), RTNORM);
    EXPECT_EQ(shownLength(probe), 7);
    // An entity of no open drawing cannot be drawn.
    AcDbDatabase other;
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, other.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    AcDbObjectId stray;
    auto* l = new AcDbLine();
    ms->appendAcDbEntity(stray, l);
    l->close();
    ms->close();
    ASSERT_EQ(acdbGetAdsName(name, stray), Acad::eOk);
    EXPECT_EQ(acdbEntUpd(name), RTERROR);
}

TEST_F(View, EditorReactorsHearEveryViewChange)
{
    Views views;
    acedEditor->addReactor(&views);
    line(0, 0, 10, 10);
    run(L"ZOOM", {L"E"});
    run(L"ZOOM", {L"2X"});
    run(L"-PAN", {L"0,0", L"1,1"});
    run(L"ZOOM", {L"P"});
    acedEditor->removeReactor(&views);
    EXPECT_EQ(views.changes, 4);
}

TEST_F(View, DbmodMarksAChangedDrawingUntilItIsSaved)
{
    resbuf rb;
    ASSERT_EQ(acedGetVar(L"DBMOD", &rb), RTNORM);
    EXPECT_EQ(rb.resval.rint, 0);
    line(0, 0, 1, 1);
    ASSERT_EQ(acedGetVar(L"DBMOD", &rb), RTNORM);
    EXPECT_EQ(rb.resval.rint, 1);
    std::string dir = ::testing::TempDir();
    std::string error;
    ASSERT_TRUE(app.saveDocument(doc, AcString::fromUtf8(dir.data(), dir.size()).str() + L"dbmod.dxf", error))
        << error;
    ASSERT_EQ(acedGetVar(L"DBMOD", &rb), RTNORM);
    EXPECT_EQ(rb.resval.rint, 0);
}

TEST_F(View, TilemodeSwitchesToPaperSpaceWithItsOwnViewAndEntities)
{
    Views views;
    acedEditor->addReactor(&views);
    AcDbObjectId modelLine = line(0, 0, 1, 1);
    AcDbObjectId paperLine = add(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(2, 0, 0)), db->paperSpaceId());
    view(100, 100, 10);
    EXPECT_EQ(run(L"TILEMODE", {L"0"}), arxhost::CommandResult::kEnded);
    EXPECT_FALSE(db->tilemode());
    EXPECT_TRUE(arxhost::shownDrawing(paperLine).opened);
    EXPECT_FALSE(arxhost::shownDrawing(modelLine).opened);
    EXPECT_NE(currentView().centerX, 100);  // paper space has a view of its own
    resbuf rb;
    ASSERT_EQ(acedGetVar(L"CVPORT", &rb), RTNORM);
    EXPECT_EQ(rb.resval.rint, 1);
    rb.restype = RTSHORT;
    rb.resval.rint = 1;
    EXPECT_EQ(acedSetVar(L"TILEMODE", &rb), RTNORM);
    EXPECT_EQ(currentView().centerX, 100);
    rb.resval.rint = 3;
    EXPECT_EQ(acedSetVar(L"TILEMODE", &rb), RTREJ);
    acedEditor->removeReactor(&views);
    ASSERT_EQ(views.layouts.size(), 2u);
    EXPECT_EQ(views.layouts[1], L"Model");
}

}  // namespace
