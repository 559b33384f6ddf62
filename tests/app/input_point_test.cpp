// Input points of the drawing view: a cursor move over the view's window tells
// the current document's point monitors where it is in world units and which
// entities lie in the aperture (APERTURE pixels either side), topmost first;
// a cursor over another window tells them nothing.
#include "afxwin.h"

#include <algorithm>

#include "drawing_host.h"
#include "win32/host_windows.h"
#include "win32/message_loop.h"
#include "win32/mouse_input.h"

namespace {

// Keeps what the short form of monitorInputPoint hands on to the long one.
class Recorder : public AcEdInputPointMonitor {
public:
    using AcEdInputPointMonitor::monitorInputPoint;
    struct Point {
        bool computed = false;
        AcGePoint3d raw;
        std::vector<AcDbObjectId> aperture;
        AcApDocument* doc = nullptr;
    };
    std::vector<Point> points;
    AcEdInputPointManager* removeFrom = nullptr;  // leaves this list when told

    Acad::ErrorStatus monitorInputPoint(bool&, ACHAR*&, AcGiViewportDraw*, AcApDocument* document, bool pointComputed,
                                        int, const AcGePoint3d&, const AcGePoint3d& rawPoint, const AcGePoint3d&,
                                        const AcGePoint3d&, const AcGePoint3d&, AcDb::OsnapMask,
                                        const AcDbCustomOsnapModeArray&, AcDb::OsnapMask,
                                        const AcDbCustomOsnapModeArray&, const AcDbObjectIdArray& apertureEntities,
                                        const AcArrayObjectIdArray&, const AcGsMarkerArray&, const AcDbObjectIdArray&,
                                        const AcArrayObjectIdArray&, const AcGsMarkerArray&,
                                        const AcArray<AcGeCurve3d*>&, const AcGePoint3d&, const ACHAR*) override
    {
        Point p;
        p.computed = pointComputed;
        p.raw = rawPoint;
        p.doc = document;
        for (int i = 0; i < apertureEntities.length(); ++i) p.aperture.push_back(apertureEntities[i]);
        points.push_back(p);
        if (removeFrom != nullptr) removeFrom->removePointMonitor(this);
        return Acad::eOk;
    }
};

class InputPoints : public DrawingHost {
protected:
    void SetUp() override
    {
        DrawingHost::SetUp();
        ASSERT_TRUE(arxhost::createHostWindows());
        // 10 units high over 768 pixels, centred on the origin.
        arxhost::ViewState v;
        v.centerX = 0;
        v.centerY = 0;
        v.height = 10;
        ASSERT_TRUE(arxhost::setCurrentView(v));
        doc->inputPointManager()->addPointMonitor(&monitor);
    }
    void TearDown() override
    {
        doc->inputPointManager()->removePointMonitor(&monitor);
        DrawingHost::TearDown();
    }
    // The pixel of a world point.
    CPoint pixel(double x, double y)
    {
        acedDwgPoint w = {x, y, 0};
        CPoint p;
        acedCoordFromWorldToPixel(0, w, p);
        return p;
    }
    Recorder monitor;
};

}  // namespace

TEST_F(InputPoints, TheApertureHoldsWhatComesWithinItsBoxTopmostFirst)
{
    const double unit = 10.0 / 768;  // world units a pixel
    AcDbObjectId below = line(-1, 0, 1, 0);
    AcDbObjectId above = line(0, -1, 0, 1);
    // 9 pixels above the cursor: inside the default box of 10 pixels either side.
    AcDbObjectId near = line(-1, 9 * unit, 1, 9 * unit);
    // 12 pixels above: outside.
    line(-1, 12 * unit, 1, 12 * unit);
    CPoint at = pixel(0, 0);
    ASSERT_TRUE(arxhost::inputPointAt(at.x, at.y));
    ASSERT_EQ(monitor.points.size(), 1u);
    const Recorder::Point& p = monitor.points[0];
    EXPECT_TRUE(p.computed);
    EXPECT_EQ(p.doc, doc);
    EXPECT_NEAR(p.raw.x, 0, unit);
    EXPECT_NEAR(p.raw.y, 0, unit);
    EXPECT_EQ(p.aperture, (std::vector<AcDbObjectId>{near, above, below}));
}

TEST_F(InputPoints, ApertureSetsTheBoxWithinOneToFifty)
{
    resbuf rb;
    ASSERT_EQ(acedGetVar(L"APERTURE", &rb), RTNORM);
    EXPECT_EQ(rb.resval.rint, 10);
    const double unit = 10.0 / 768;
    AcDbObjectId far = line(-1, 20 * unit, 1, 20 * unit);
    rb.restype = RTSHORT;
    rb.resval.rint = 25;
    ASSERT_EQ(acedSetVar(L"APERTURE", &rb), RTNORM);
    CPoint at = pixel(0, 0);
    arxhost::inputPointAt(at.x, at.y);
    ASSERT_EQ(monitor.points.size(), 1u);
    EXPECT_EQ(monitor.points[0].aperture, std::vector<AcDbObjectId>{far});
    rb.resval.rint = 0;
    EXPECT_EQ(acedSetVar(L"APERTURE", &rb), RTREJ);
    rb.resval.rint = 51;
    EXPECT_EQ(acedSetVar(L"APERTURE", &rb), RTREJ);
    rb.resval.rint = 10;
    EXPECT_EQ(acedSetVar(L"APERTURE", &rb), RTNORM);
}

TEST_F(InputPoints, AnEntityMovedOrErasedLeavesTheApertureWhereItWas)
{
    AcDbObjectId id = line(-1, 0, 1, 0);
    CPoint at = pixel(0, 0);
    arxhost::inputPointAt(at.x, at.y);
    AcDbLine* l = nullptr;
    ASSERT_EQ(acdbOpenObject(l, id, AcDb::kForWrite), Acad::eOk);
    l->setStartPoint(AcGePoint3d(-1, 3, 0));
    l->setEndPoint(AcGePoint3d(1, 3, 0));
    l->close();
    arxhost::inputPointAt(at.x, at.y);
    CPoint moved = pixel(0, 3);
    arxhost::inputPointAt(moved.x, moved.y);
    ASSERT_EQ(monitor.points.size(), 3u);
    EXPECT_EQ(monitor.points[0].aperture, std::vector<AcDbObjectId>{id});
    EXPECT_TRUE(monitor.points[1].aperture.empty());
    EXPECT_EQ(monitor.points[2].aperture, std::vector<AcDbObjectId>{id});
    ASSERT_EQ(acdbOpenObject(l, id, AcDb::kForWrite), Acad::eOk);
    l->erase();
    l->close();
    arxhost::inputPointAt(moved.x, moved.y);
    EXPECT_TRUE(monitor.points[3].aperture.empty());
}

TEST_F(InputPoints, EntitiesOnLayersTurnedOffAreNotInTheAperture)
{
    AcDbLayerTableRecord* layer = new AcDbLayerTableRecord;
    layer->setName(L"HIDDEN");
    layer->setIsOff(true);
    AcDbLayerTable* table = nullptr;
    ASSERT_EQ(db->getLayerTable(table, AcDb::kForWrite), Acad::eOk);
    AcDbObjectId layerId;
    ASSERT_EQ(table->add(layerId, layer), Acad::eOk);
    layer->close();
    table->close();
    AcDbLine* l = new AcDbLine(AcGePoint3d(-1, 0, 0), AcGePoint3d(1, 0, 0));
    l->setLayer(layerId);
    add(l);
    CPoint at = pixel(0, 0);
    arxhost::inputPointAt(at.x, at.y);
    ASSERT_EQ(monitor.points.size(), 1u);
    EXPECT_TRUE(monitor.points[0].aperture.empty());
}

TEST_F(InputPoints, ACursorMoveOverTheViewsWindowIsAnInputPointAndOverAnotherWindowIsNot)
{
    CView* view = acedGetAcadDwgView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetParent()->GetSafeHwnd(), acedGetAcadFrame()->GetSafeHwnd());
    CRect client;
    view->GetClientRect(&client);
    EXPECT_EQ(client.Width(), arxhost::viewWidth());
    EXPECT_EQ(client.Height(), arxhost::viewHeight());
    win32::input::mouseMove(win32::host::kViewLeft + 100, win32::host::kViewTop + 100);
    win32::loop::runReady();
    ASSERT_EQ(monitor.points.size(), 1u);
    acedDwgPoint w;
    acedCoordFromPixelToWorld(0, CPoint(100, 100), w);
    EXPECT_DOUBLE_EQ(monitor.points[0].raw.x, w[0]);
    EXPECT_DOUBLE_EQ(monitor.points[0].raw.y, w[1]);
    // Outside the view (over the frame) there is no input point.
    win32::input::mouseMove(5, 5);
    win32::loop::runReady();
    EXPECT_EQ(monitor.points.size(), 1u);
}

TEST_F(InputPoints, AMonitorThatLeavesWhileToldIsToldNoMore)
{
    Recorder second;
    monitor.removeFrom = doc->inputPointManager();
    doc->inputPointManager()->addPointMonitor(&second);
    arxhost::inputPointAt(10, 10);
    arxhost::inputPointAt(10, 10);
    EXPECT_EQ(monitor.points.size(), 1u);
    EXPECT_EQ(second.points.size(), 2u);
    doc->inputPointManager()->removePointMonitor(&second);
}

TEST_F(InputPoints, AnEntityMovedFarOutsideWhatTheDrawingCoveredIsStillFound)
{
    // Enough entities for a grid of many cells over -5..5.
    for (int i = 0; i < 400; ++i) line(-5 + i % 20 * 0.5, -5 + i / 20 * 0.5, -4.9 + i % 20 * 0.5, -5 + i / 20 * 0.5);
    AcDbObjectId id = line(0.1, 0.1, 0.2, 0.1);
    CPoint at = pixel(0.15, 0.1);
    arxhost::inputPointAt(at.x, at.y);
    ASSERT_EQ(monitor.points.size(), 1u);
    EXPECT_NE(std::find(monitor.points[0].aperture.begin(), monitor.points[0].aperture.end(), id),
              monitor.points[0].aperture.end());
    // Moved beyond the grid's edge, the line is looked for in the edge cells.
    AcDbLine* l = nullptr;
    ASSERT_EQ(acdbOpenObject(l, id, AcDb::kForWrite), Acad::eOk);
    l->setStartPoint(AcGePoint3d(6.5, 4.7, 0));
    l->setEndPoint(AcGePoint3d(6.6, 4.7, 0));
    l->close();
    CPoint moved = pixel(6.55, 4.7);
    arxhost::inputPointAt(moved.x, moved.y);
    ASSERT_EQ(monitor.points.size(), 2u);
    EXPECT_EQ(monitor.points[1].aperture, std::vector<AcDbObjectId>{id});
}
