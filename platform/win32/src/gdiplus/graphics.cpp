// GDI+ Graphics over a device context, and DrawImage with cairo: the image is
// composited source-over into the bitmap selected into the device context (a
// 32-bit DIB section, premultiplied, which is also what UpdateLayeredWindow reads).
// A bottom-up DIB is drawn through a flipped transformation, so the picture lands
// upright whichever way its rows are stored.
#include <cairo.h>

#include <memory>
#include <mutex>
#include <set>

#include "gdi/objects.h"
#include "gdiplus/image.h"
#include "gdiplus/startup.h"

using namespace Gdiplus;

namespace {

struct GraphicsData : public GpGraphics {
    HDC hdc = nullptr;
};

std::mutex gLock;
std::set<GraphicsData*>& liveGraphics()
{
    static auto* s = new std::set<GraphicsData*>;
    return *s;
}

GraphicsData* checked(GpGraphics* g)
{
    std::lock_guard lock(gLock);
    auto* data = static_cast<GraphicsData*>(g);
    return liveGraphics().count(data) ? data : nullptr;
}

GpStatus draw(GpGraphics* graphics, GpImage* image, int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh)
{
    GraphicsData* g = checked(graphics);
    win32::gdiplus::ImageData* img = win32::gdiplus::liveImage(image);
    if (g == nullptr || img == nullptr) return InvalidParameter;
    if (win32::gdiplus::activeStartups() == 0) return GdiplusNotInitialized;
    if (sw <= 0 || sh <= 0) return InvalidParameter;
    if (dw == 0 || dh == 0) return Ok;
    win32::gdi::DeviceContext* dc = win32::gdi::dcOf(g->hdc);
    if (dc == nullptr) return Win32Error;  // the device context is gone
    win32::gdi::Bitmap* target = win32::gdi::selectedBitmap(g->hdc);
    if (target == nullptr || target->stock || target->bitsPerPixel != 32) return Ok;  // nothing to draw into

    cairo_surface_t* dst = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(target->pixels.data()),
                                                               CAIRO_FORMAT_ARGB32, target->width, target->height,
                                                               target->width * 4);
    cairo_surface_t* src = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(img->pixels.data()),
                                                               CAIRO_FORMAT_ARGB32, img->width, img->height,
                                                               img->width * 4);
    cairo_t* cr = cairo_create(dst);
    if (!target->topDown) {
        cairo_translate(cr, 0, target->height);
        cairo_scale(cr, 1, -1);
    }
    cairo_rectangle(cr, dx, dy, dw, dh);
    cairo_clip(cr);
    cairo_translate(cr, dx, dy);
    double scaleX = static_cast<double>(dw) / sw, scaleY = static_cast<double>(dh) / sh;
    cairo_scale(cr, scaleX, scaleY);
    cairo_translate(cr, -sx, -sy);
    cairo_rectangle(cr, sx, sy, sw, sh);
    cairo_clip(cr);
    cairo_set_source_surface(cr, src, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr),
                             scaleX == 1.0 && scaleY == 1.0 ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_BILINEAR);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_NONE);
    cairo_paint(cr);
    cairo_status_t status = cairo_status(cr);
    cairo_destroy(cr);
    cairo_surface_flush(dst);
    cairo_surface_destroy(src);
    cairo_surface_destroy(dst);
    return status == CAIRO_STATUS_SUCCESS ? Ok : GenericError;
}

}  // namespace

namespace Gdiplus::DllExports {

GpStatus GdipCreateFromHDC(HDC hdc, GpGraphics** graphics)
{
    if (graphics != nullptr) *graphics = nullptr;
    if (graphics == nullptr || win32::gdi::dcOf(hdc) == nullptr) return InvalidParameter;
    if (win32::gdiplus::activeStartups() == 0) return GdiplusNotInitialized;
    auto* g = new GraphicsData;
    g->hdc = hdc;
    std::lock_guard lock(gLock);
    liveGraphics().insert(g);
    *graphics = g;
    return Ok;
}

GpStatus GdipDeleteGraphics(GpGraphics* graphics)
{
    GraphicsData* g = checked(graphics);
    if (g == nullptr) return InvalidParameter;
    {
        std::lock_guard lock(gLock);
        liveGraphics().erase(g);
    }
    delete g;
    return Ok;
}

GpStatus GdipDrawImageI(GpGraphics* graphics, GpImage* image, INT x, INT y)
{
    win32::gdiplus::ImageData* img = win32::gdiplus::liveImage(image);
    if (img == nullptr) return InvalidParameter;
    return draw(graphics, image, x, y, img->width, img->height, 0, 0, img->width, img->height);
}

GpStatus GdipDrawImageRectI(GpGraphics* graphics, GpImage* image, INT x, INT y, INT width, INT height)
{
    win32::gdiplus::ImageData* img = win32::gdiplus::liveImage(image);
    if (img == nullptr) return InvalidParameter;
    return draw(graphics, image, x, y, width, height, 0, 0, img->width, img->height);
}

GpStatus GdipDrawImageRectRectI(GpGraphics* graphics, GpImage* image, INT dstx, INT dsty, INT dstwidth,
                                INT dstheight, INT srcx, INT srcy, INT srcwidth, INT srcheight, GpUnit srcUnit,
                                const GpImageAttributes* imageAttributes, DrawImageAbort callback, VOID* callbackData)
{
    if (imageAttributes != nullptr) return NotImplemented;
    if (srcUnit != UnitPixel) return NotImplemented;
    if (callback != nullptr && callback(callbackData)) return Aborted;
    return draw(graphics, image, dstx, dsty, dstwidth, dstheight, srcx, srcy, srcwidth, srcheight);
}

}  // namespace Gdiplus::DllExports
