// A voice note's icon on the screen: 32 pixels square at every zoom, in the
// square the view's mapping predicts.
#include <cairo.h>

#include "note_drawing_fixture.h"

namespace {

struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    bool empty() const { return right < 0; }
};

class NoteScreen : public NoteDrawing {
protected:
    // The non-background pixels painted within a square of the view and a
    // margin around it: their bounding box, and how many lie in the margin.
    Box paintedAround(int x0, int y0, int size, int margin, int& inMargin)
    {
        const int w = arxhost::viewWidth(), h = arxhost::viewHeight();
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
        cairo_t* cr = cairo_create(s);
        EXPECT_TRUE(arxhost::paintView(cr));
        cairo_destroy(cr);
        cairo_surface_flush(s);
        const unsigned char* data = cairo_image_surface_get_data(s);
        const int stride = cairo_image_surface_get_stride(s);
        const std::uint32_t background = *reinterpret_cast<const std::uint32_t*>(data) & 0xFFFFFF;
        Box box;
        inMargin = 0;
        for (int y = y0 - margin; y < y0 + size + margin; ++y)
            for (int x = x0 - margin; x < x0 + size + margin; ++x) {
                std::uint32_t v = *reinterpret_cast<const std::uint32_t*>(data + y * stride + x * 4) & 0xFFFFFF;
                if (v == background) continue;
                const bool inside = x >= x0 && x < x0 + size && y >= y0 && y < y0 + size;
                if (!inside) {
                    ++inMargin;
                    continue;
                }
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
            }
        cairo_surface_destroy(s);
        return box;
    }

    // Paints the view at a height and finds the icon where the mapping puts
    // its square: from the icon base's pixel, 32 pixels right and up.
    Box iconAt(AcDbObjectId id, double viewHeight)
    {
        const double cx = 10.5, cy = 10.5;
        EXPECT_TRUE(arxhost::setCurrentView({cx, cy, viewHeight}));
        AcGePoint3d base = with(id, [](QkDbVelaTone* n) { return n->getMfcBsBnt(); });
        const double perUnit = arxhost::viewHeight() / viewHeight;
        const int px = static_cast<int>(std::lround(arxhost::viewWidth() / 2.0 + (base.x - cx) * perUnit));
        const int py = static_cast<int>(std::lround(arxhost::viewHeight() / 2.0 - (base.y - cy) * perUnit));
        int inMargin = 0;
        Box box = paintedAround(px, py - 32, 32, 3, inMargin);
        EXPECT_EQ(inMargin, 0) << "pixels of the icon outside its square at view height " << viewHeight;
        // Relative to the square's corner.
        box.left -= px;
        box.right -= px;
        box.top -= py - 32;
        box.bottom -= py - 32;
        return box;
    }
};

TEST_F(NoteScreen, TheMicrophoneIs32PixelsOfTheViewAtEveryZoom)
{
    AcDbObjectId id = pointNote(AcGePoint3d(10, 10, 0));
    Box near = iconAt(id, 24.0);   // 32 pixels are 1 unit
    Box far = iconAt(id, 240.0);   // 32 pixels are 10 units
    ASSERT_FALSE(near.empty());
    ASSERT_FALSE(far.empty());
    // The stand spans a quarter to three quarters across (pixels 8 to 24), the
    // foot reaches down to a sixteenth and the head up to seven eighths.
    EXPECT_NEAR(near.left, 8, 1);
    EXPECT_NEAR(near.right, 24, 1);
    EXPECT_NEAR(near.top, 32 - 28, 1);
    EXPECT_NEAR(near.bottom, 32 - 2, 1);
    EXPECT_EQ(near.left, far.left);
    EXPECT_EQ(near.right, far.right);
    EXPECT_EQ(near.top, far.top);
    EXPECT_EQ(near.bottom, far.bottom);
}

TEST_F(NoteScreen, TheSpeakerIs32PixelsOfTheViewAtEveryZoom)
{
    AcDbObjectId id = pointNote(AcGePoint3d(10, 10, 0), 400);
    Box near = iconAt(id, 24.0);
    Box far = iconAt(id, 2.4);
    ASSERT_FALSE(near.empty());
    // The outer wave reaches half the icon from the dot at a quarter across.
    EXPECT_NEAR(near.right, 8 + 16, 1);
    EXPECT_NEAR(near.left, 8 - 1, 1);
    EXPECT_EQ(near.left, far.left);
    EXPECT_EQ(near.right, far.right);
    EXPECT_EQ(near.top, far.top);
    EXPECT_EQ(near.bottom, far.bottom);
}

}  // namespace
