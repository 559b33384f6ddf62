// Redrawing without changing the drawing: acedRedraw draws an entity again,
// blanks it out until it is drawn again or the view regenerated whole,
// highlights it or takes the highlight off; acedSSSetFirst with no set clears
// the pickfirst selection.
#include <gtest/gtest.h>

#include <cairo.h>

#include "acedads.h"
#include "arxHeaders.h"
#include "arxhost/application.h"
#include "arxhost/view.h"

namespace {

class Redraw : public ::testing::Test {
protected:
    void SetUp() override
    {
        app.setCommandLine([](const std::wstring&) {});
        std::string error;
        doc = app.newDocument(error);
        std::string message;
        app.runCommand(L"LINE", {L"0,0", L"100,50", L""}, message);
        app.runCommand(L"ZOOM", {L"E"}, message);
        AcDbBlockTableRecord* ms = nullptr;
        acdbOpenObject(ms, doc->database()->modelSpaceId(), AcDb::kForRead);
        AcDbBlockTableRecordIterator* it = nullptr;
        ms->newIterator(it);
        it->getEntityId(line);
        delete it;
        ms->close();
        acdbGetAdsName(name, line);
    }

    // Pixels of the screen that are not the background's colour.
    static int inkedPixels()
    {
        const int w = arxhost::viewWidth(), h = arxhost::viewHeight();
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
        cairo_t* cr = cairo_create(s);
        arxhost::paintView(cr);
        cairo_surface_flush(s);
        const auto* data = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(s));
        const int stride = cairo_image_surface_get_stride(s) / 4;
        const std::uint32_t background = data[0];
        int inked = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) inked += data[y * stride + x] != background;
        cairo_destroy(cr);
        cairo_surface_destroy(s);
        return inked;
    }

    static bool highlighted(AcDbObjectId id)
    {
        AcDbEntity* e = nullptr;
        if (acdbOpenObject(e, id, AcDb::kForRead) != Acad::eOk) return false;
        bool on = e->isHighlighted();
        e->close();
        return on;
    }

    arxhost::Application app;
    AcApDocument* doc = nullptr;
    AcDbObjectId line;
    ads_name name{};
};

TEST_F(Redraw, BlankedEntitiesVanishUntilDrawnAgainOrRegenerated)
{
    const int shown = inkedPixels();
    ASSERT_GT(shown, 50);
    EXPECT_EQ(acedRedraw(name, 2), RTNORM);
    EXPECT_EQ(inkedPixels(), 0);
    EXPECT_EQ(acedRedraw(name, 1), RTNORM);
    EXPECT_EQ(inkedPixels(), shown);
    EXPECT_EQ(acedRedraw(name, 2), RTNORM);
    std::string message;
    app.runCommand(L"REGEN", message);
    EXPECT_EQ(inkedPixels(), shown);
    // Blanking changes nothing in the drawing.
    EXPECT_FALSE(line.isErased());
}

TEST_F(Redraw, HighlightOnAndOffAndWhatIsRefused)
{
    EXPECT_EQ(acedRedraw(name, 3), RTNORM);
    EXPECT_TRUE(highlighted(line));
    EXPECT_EQ(acedRedraw(name, -4), RTNORM);
    EXPECT_FALSE(highlighted(line));
    EXPECT_EQ(acedRedraw(name, 5), RTERROR);
    EXPECT_EQ(acedRedraw(nullptr, 0), RTNORM);  // the whole view
    // An entity of a drawing that is not the current one.
    std::string error;
    app.newDocument(error);
    EXPECT_EQ(acedRedraw(name, 2), RTERROR);
}

TEST_F(Redraw, SettingNoPickfirstSetClearsTheSelection)
{
    double x = 0, y = 0;
    arxhost::ViewState v;
    ASSERT_TRUE(arxhost::currentView(v));
    // The middle of the line, in pixels.
    const double scale = arxhost::viewHeight() / v.height;
    x = arxhost::viewWidth() / 2.0 + (50 - v.centerX) * scale;
    y = arxhost::viewHeight() / 2.0 - (25 - v.centerY) * scale;
    ASSERT_EQ(arxhost::clickView(static_cast<int>(x), static_cast<int>(y)), arxhost::ClickResult::kSelected);
    ASSERT_EQ(arxhost::selectedEntities().size(), 1u);
    ASSERT_TRUE(highlighted(line));
    EXPECT_EQ(acedSSSetFirst(nullptr, nullptr), RTNORM);
    EXPECT_TRUE(arxhost::selectedEntities().empty());
    EXPECT_FALSE(highlighted(line));
    ads_name set = {1, 2};
    EXPECT_EQ(acedSSSetFirst(set, nullptr), RTERROR);
}

}  // namespace
