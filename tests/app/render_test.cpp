// The renderer: the view painted pixel for pixel (colours of the index
// palette, one-pixel strokes, linetype dashes scaled as LTSCALE and the entity
// say, fills, wide polylines, text in a real font, highlighted entities
// dashed, layers turned off left out), snapshots of the view's size, and plots
// drawn for the plot on white.
#include <cairo.h>

#include <cmath>
#include <cstring>
#include <fstream>

#include "drawing_host.h"
#include "render/aci_palette.h"

namespace {

using arx::render::aciColor;
using arx::render::Rgb;

constexpr Rgb kBackground{33, 40, 48};

// Draws nothing when it is drawn for a plot.
class ScreenOnly : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(ScreenOnly);

protected:
    Adesk::Boolean subWorldDraw(AcGiWorldDraw* mode) override
    {
        if (mode->context()->isPlotGeneration()) return Adesk::kTrue;
        AcGePoint3d pts[2] = {{-100, -50, 0}, {100, -50, 0}};
        mode->geometry().polyline(2, pts);
        return Adesk::kTrue;
    }
};
ACRX_DXF_DEFINE_MEMBERS(ScreenOnly, AcDbEntity, AcDb::kDHL_CURRENT, AcDb::kMReleaseCurrent, 0, SCREENONLY, ScreenApp)

// A painted view, and its pixels.
class Picture {
public:
    Picture() : Picture(arxhost::viewWidth(), arxhost::viewHeight()) {}
    Picture(int w, int h) : mSurface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h)) {}
    explicit Picture(cairo_surface_t* s) : mSurface(s) {}
    ~Picture() { cairo_surface_destroy(mSurface); }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    void paint()
    {
        cairo_t* cr = cairo_create(mSurface);
        EXPECT_TRUE(arxhost::paintView(cr));
        cairo_destroy(cr);
        cairo_surface_flush(mSurface);
    }
    int width() const { return cairo_image_surface_get_width(mSurface); }
    int height() const { return cairo_image_surface_get_height(mSurface); }
    Rgb at(int x, int y) const
    {
        const unsigned char* data = cairo_image_surface_get_data(mSurface);
        const int stride = cairo_image_surface_get_stride(mSurface);
        std::uint32_t v = *reinterpret_cast<const std::uint32_t*>(data + y * stride + x * 4);
        return Rgb{static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)};
    }
    // The runs of one colour along a row, from x0 to x1 inclusive: the length of
    // each run of colour c and of each gap between them.
    std::vector<int> runs(int y, int x0, int x1, Rgb c) const
    {
        std::vector<int> out;
        bool in = false;
        for (int x = x0; x <= x1; ++x) {
            bool here = at(x, y) == c;
            if (out.empty() || here != in) {
                out.push_back(0);
                in = here;
            }
            ++out.back();
        }
        return out;
    }
    int count(Rgb c, int x0 = 0, int y0 = 0, int x1 = -1, int y1 = -1) const
    {
        if (x1 < 0) x1 = width() - 1;
        if (y1 < 0) y1 = height() - 1;
        int n = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) n += at(x, y) == c ? 1 : 0;
        return n;
    }

private:
    cairo_surface_t* mSurface;
};

class Render : public DrawingHost {
protected:
    void SetUp() override
    {
        DrawingHost::SetUp();
        view(0, 0, 768);  // a unit a pixel; world (0, 0) is pixel (512, 384)
    }

    AcDbObjectId coloured(AcDbEntity* ent, int aci)
    {
        ent->setColorIndex(static_cast<Adesk::UInt16>(aci));
        return add(ent);
    }

    AcDbObjectId linetype(const wchar_t* name, std::vector<double> dashes)
    {
        auto* lt = new AcDbLinetypeTableRecord();
        lt->setName(name);
        lt->setNumDashes(static_cast<int>(dashes.size()));
        double total = 0;
        for (size_t i = 0; i < dashes.size(); ++i) {
            lt->setDashLengthAt(static_cast<int>(i), dashes[i]);
            total += std::fabs(dashes[i]);
        }
        lt->setPatternLength(total);
        AcDbLinetypeTable* table = nullptr;
        EXPECT_EQ(db->getLinetypeTable(table, AcDb::kForWrite), Acad::eOk);
        AcDbObjectId id;
        EXPECT_EQ(table->add(id, lt), Acad::eOk);
        lt->close();
        table->close();
        return id;
    }

    std::wstring temp(const char* name)
    {
        std::string dir = ::testing::TempDir();
        return AcString::fromUtf8(dir.data(), dir.size()).str() + AcString::fromUtf8(name, std::strlen(name)).str();
    }
};

TEST(Palette, TheIndexColoursAreTheHostsTable)
{
    EXPECT_EQ(aciColor(1), (Rgb{255, 0, 0}));
    EXPECT_EQ(aciColor(3), (Rgb{0, 255, 0}));
    EXPECT_EQ(aciColor(8), (Rgb{128, 128, 128}));
    EXPECT_EQ(aciColor(9), (Rgb{192, 192, 192}));
    EXPECT_EQ(aciColor(10), (Rgb{255, 0, 0}));
    EXPECT_EQ(aciColor(11), (Rgb{255, 127, 127}));
    EXPECT_EQ(aciColor(20), (Rgb{255, 63, 0}));
    EXPECT_EQ(aciColor(21), (Rgb{255, 159, 127}));
    EXPECT_EQ(aciColor(25), (Rgb{153, 95, 76}));
    EXPECT_EQ(aciColor(29), (Rgb{76, 47, 38}));
    EXPECT_EQ(aciColor(140), (Rgb{0, 191, 255}));
    EXPECT_EQ(aciColor(250), (Rgb{51, 51, 51}));
    EXPECT_EQ(aciColor(255), (Rgb{255, 255, 255}));
}

TEST_F(Render, ALineIsOnePixelWideInItsColourOnTheBackground)
{
    coloured(new AcDbLine(AcGePoint3d(-100, 10, 0), AcGePoint3d(100, 10, 0)), 1);
    Picture p;
    p.paint();
    EXPECT_EQ(p.at(0, 0), kBackground);
    // y = 10 is pixel row 384 - 10.
    // A stroke covers the pixels from its start up to its end: 412 to 611.
    EXPECT_EQ(p.at(512, 374), (Rgb{255, 0, 0}));
    EXPECT_EQ(p.at(412, 374), (Rgb{255, 0, 0}));
    EXPECT_EQ(p.at(611, 374), (Rgb{255, 0, 0}));
    EXPECT_EQ(p.at(512, 373), kBackground);
    EXPECT_EQ(p.at(512, 375), kBackground);
    EXPECT_EQ(p.at(411, 374), kBackground);
    EXPECT_EQ(p.count(Rgb{255, 0, 0}), 200);
}

TEST_F(Render, ColoursByLayerFollowTheLayerAsItIsWhenPainted)
{
    AcDbObjectId l = add(new AcDbLine(AcGePoint3d(-100, 0, 0), AcGePoint3d(100, 0, 0)));
    Picture before;
    before.paint();
    EXPECT_EQ(before.at(512, 384), (Rgb{255, 255, 255}));  // layer 0 is 7: white on the dark screen
    AcDbLayerTableRecord* layer = nullptr;
    AcDbLine* line = nullptr;
    ASSERT_EQ(acdbOpenObject(line, l, AcDb::kForRead), Acad::eOk);
    AcDbObjectId layerId = line->layerId();
    line->close();
    ASSERT_EQ(acdbOpenObject(layer, layerId, AcDb::kForWrite), Acad::eOk);
    AcCmColor c;
    c.setColorIndex(5);
    layer->setColor(c);
    layer->close();
    Picture after;
    after.paint();
    EXPECT_EQ(after.at(512, 384), (Rgb{0, 0, 255}));
    ASSERT_EQ(acdbOpenObject(layer, layerId, AcDb::kForWrite), Acad::eOk);
    layer->setIsOff(true);
    layer->close();
    Picture off;
    off.paint();
    EXPECT_EQ(off.at(512, 384), kBackground);
}

TEST_F(Render, DashesAreTheLinetypesLengthsTimesLtscaleAndTheEntitysScale)
{
    AcDbObjectId dashed = linetype(L"TESTDASH", {20, -10});
    auto* l = new AcDbLine(AcGePoint3d(-200, 0, 0), AcGePoint3d(200, 0, 0));
    l->setLinetype(dashed);
    l->setColorIndex(2);
    AcDbObjectId id = add(l);
    const Rgb yellow{255, 255, 0};
    Picture p;
    p.paint();
    std::vector<int> runs = p.runs(384, 312, 312 + 89, yellow);
    ASSERT_GE(runs.size(), 6u);
    EXPECT_EQ(runs[0], 20);
    EXPECT_EQ(runs[1], 10);
    EXPECT_EQ(runs[2], 20);
    resbuf rb;
    rb.restype = RTREAL;
    rb.resval.rreal = 2;
    ASSERT_EQ(acedSetVar(L"LTSCALE", &rb), RTNORM);
    EXPECT_EQ(db->ltscale(), 2);
    Picture twice;
    twice.paint();
    runs = twice.runs(384, 312, 312 + 119, yellow);
    EXPECT_EQ(runs[0], 40);
    EXPECT_EQ(runs[1], 20);
    AcDbLine* e = nullptr;
    ASSERT_EQ(acdbOpenObject(e, id, AcDb::kForWrite), Acad::eOk);
    e->setLinetypeScale(0.25);
    e->close();
    Picture quarter;
    quarter.paint();
    runs = quarter.runs(384, 312, 312 + 59, yellow);
    EXPECT_EQ(runs[0], 10);
    EXPECT_EQ(runs[1], 5);
    rb.resval.rreal = -1;
    EXPECT_EQ(acedSetVar(L"LTSCALE", &rb), RTREJ);
}

TEST_F(Render, APatternStartingWithAGapStartsWithTheGap)
{
    AcDbObjectId gapFirst = linetype(L"GAPFIRST", {-10, 20});
    auto* l = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(200, 0, 0));
    l->setLinetype(gapFirst);
    l->setColorIndex(2);
    add(l);
    Picture p;
    p.paint();
    std::vector<int> runs = p.runs(384, 512, 512 + 59, Rgb{255, 255, 0});
    ASSERT_GE(runs.size(), 3u);
    EXPECT_EQ(p.at(512, 384), kBackground);
    EXPECT_EQ(runs[0], 10);
    EXPECT_EQ(runs[1], 20);
}

TEST_F(Render, AHighlightedEntityIsDrawnDashed)
{
    AcDbObjectId id = coloured(new AcDbLine(AcGePoint3d(-100, 0, 0), AcGePoint3d(100, 0, 0)), 1);
    AcDbEntity* e = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(e, id, AcDb::kForRead), Acad::eOk);
    e->highlight();
    e->close();
    Picture p;
    p.paint();
    std::vector<int> runs = p.runs(384, 412, 451, Rgb{255, 0, 0});
    ASSERT_GE(runs.size(), 4u);
    EXPECT_EQ(runs[0], 6);
    EXPECT_EQ(runs[1], 4);
}

TEST_F(Render, FilledPolygonsAndWidePolylinesAreFilled)
{
    auto* pl = new AcDbPolyline();
    pl->addVertexAt(0, AcGePoint2d(-50, 50), 0, 10, 10);
    pl->addVertexAt(1, AcGePoint2d(50, 50));
    coloured(pl, 3);
    Picture p;
    p.paint();
    // Ten units wide about y = 50: rows 384 - 55 .. 384 - 45.
    EXPECT_EQ(p.at(512, 334), (Rgb{0, 255, 0}));
    EXPECT_EQ(p.at(512, 330), (Rgb{0, 255, 0}));
    EXPECT_EQ(p.at(512, 338), (Rgb{0, 255, 0}));
    EXPECT_EQ(p.at(512, 327), kBackground);
    EXPECT_EQ(p.at(512, 341), kBackground);
    EXPECT_GE(p.count(Rgb{0, 255, 0}), 100 * 9);
}

TEST_F(Render, BulgesDrawArcs)
{
    auto* pl = new AcDbPolyline();
    pl->addVertexAt(0, AcGePoint2d(-100, 0), 1.0);  // a half circle below the chord
    pl->addVertexAt(1, AcGePoint2d(100, 0));
    coloured(pl, 4);
    Picture p;
    p.paint();
    // Its lowest point is (0, -100): pixel (512, 484); nothing above the chord.
    EXPECT_EQ(p.at(512, 484), (Rgb{0, 255, 255}));
    EXPECT_EQ(p.count(Rgb{0, 255, 255}, 0, 0, 1023, 380), 0);
}

TEST_F(Render, TextIsSetInARealFontWithCapitalsAsTallAsItsHeight)
{
    coloured(new AcDbText(AcGePoint3d(0, 0, 0), L"HHHH", AcDbObjectId::kNull, 40, 0), 2);
    Picture p;
    p.paint();
    int top = -1, bottom = -1, left = -1;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x)
            if (!(p.at(x, y) == kBackground)) {
                if (top < 0) top = y;
                bottom = y;
                if (left < 0 || x < left) left = x;
            }
    ASSERT_GE(top, 0);
    // The baseline is at row 384; capitals 40 pixels tall stand on it (give
    // or take the smoothing of their edges).
    EXPECT_NEAR(bottom, 384, 2);
    EXPECT_NEAR(bottom - top + 1, 40, 3);
    EXPECT_GE(left, 512);
    EXPECT_LE(left, 512 + 8);
}

TEST_F(Render, SnapshotsAreExactlyTheViewsPixels)
{
    line(-10, 0, 10, 0);
    std::string error;
    std::wstring file = temp("snap.png");
    ASSERT_TRUE(arxhost::writeSnapshot(file, error)) << error;
    Picture p(cairo_image_surface_create_from_png(AcString(file).utf8().c_str()));
    EXPECT_EQ(p.width(), 1024);
    EXPECT_EQ(p.height(), 768);
    ASSERT_TRUE(arxhost::setViewSize(320, 200));
    ASSERT_TRUE(arxhost::writeSnapshot(file, error)) << error;
    Picture small(cairo_image_surface_create_from_png(AcString(file).utf8().c_str()));
    EXPECT_EQ(small.width(), 320);
    EXPECT_EQ(small.height(), 200);
    EXPECT_FALSE(arxhost::writeSnapshot(L"/no/such/dir/x.png", error));
    EXPECT_NE(error.find("/no/such/dir/x.png"), std::string::npos);
}

TEST_F(Render, APlotIsDrawnForThePlotOnWhite)
{
    ScreenOnly::rxInit();
    add(new ScreenOnly());
    add(new AcDbLine(AcGePoint3d(-100, 50, 0), AcGePoint3d(100, 50, 0)));
    std::string error;
    std::wstring png = temp("plot.png");
    ASSERT_TRUE(arxhost::plotView(png, error)) << error;
    Picture plot(cairo_image_surface_create_from_png(AcString(png).utf8().c_str()));
    EXPECT_EQ(plot.at(0, 0), (Rgb{255, 255, 255}));
    EXPECT_EQ(plot.at(512, 334), (Rgb{0, 0, 0}));    // colour 7 is black on paper
    EXPECT_EQ(plot.at(512, 434), (Rgb{255, 255, 255}));  // drew nothing for the plot
    Picture screen;
    screen.paint();
    EXPECT_EQ(screen.at(512, 434), (Rgb{255, 255, 255}));  // but did on the screen

    std::wstring pdf = temp("plot.pdf");
    ASSERT_TRUE(arxhost::plotView(pdf, error)) << error;
    std::ifstream in(AcString(pdf).utf8(), std::ios::binary);
    std::string head(5, '\0');
    in.read(head.data(), 5);
    EXPECT_EQ(head, "%PDF-");
    EXPECT_FALSE(arxhost::plotView(temp("plot.svg"), error));
    EXPECT_NE(error.find(".pdf or .png"), std::string::npos);
    deleteAcRxClass(ScreenOnly::desc());
}

TEST_F(Render, PaperSpaceIsShownOnWhite)
{
    add(new AcDbLine(AcGePoint3d(-100, 0, 0), AcGePoint3d(100, 0, 0)), db->paperSpaceId());
    resbuf rb;
    rb.restype = RTSHORT;
    rb.resval.rint = 0;
    ASSERT_EQ(acedSetVar(L"TILEMODE", &rb), RTNORM);
    view(0, 0, 768);
    Picture p;
    p.paint();
    EXPECT_EQ(p.at(0, 0), (Rgb{255, 255, 255}));
    EXPECT_EQ(p.at(512, 384), (Rgb{0, 0, 0}));
}

}  // namespace
