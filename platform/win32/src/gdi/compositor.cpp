// Composites the layered windows' pictures over a picture of a screen rectangle:
// source-over with premultiplied alpha, bottom window first; the whole screen's
// windows also paints the dialogs among them, in their z-order.
#include <algorithm>
#include <vector>

#include "gdi/window_painter.h"
#include "user/window.h"
#include "win32/screen.h"

namespace {

std::uint32_t over(std::uint32_t src, std::uint32_t dst)
{
    std::uint32_t inv = 255 - (src >> 24);
    if (inv == 255) return dst;
    if (inv == 0) return src;
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        std::uint32_t s = (src >> shift) & 0xFF, d = (dst >> shift) & 0xFF;
        std::uint32_t v = s + (d * inv + 127) / 255;
        out |= std::min<std::uint32_t>(v, 255) << shift;
    }
    return out;
}

// One layered window's picture over the screen picture, clipped to it.
void blendLayered(std::uint32_t* pixels, int strideBytes, RECT area, const win32::user::Window* w)
{
    using namespace win32::user;
    RECT r = windowRectOnScreen(w);
    const Surface& s = *w->surface;
    int x0 = std::max<int>(r.left, area.left), x1 = std::min<int>(r.left + s.width, area.right);
    int y0 = std::max<int>(r.top, area.top), y1 = std::min<int>(r.top + s.height, area.bottom);
    for (int y = y0; y < y1; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(reinterpret_cast<std::uint8_t*>(pixels) +
                                                     static_cast<size_t>(y - area.top) * strideBytes);
        const std::uint32_t* src = s.pixels.data() + static_cast<size_t>(y - r.top) * s.width;
        for (int x = x0; x < x1; ++x) row[x - area.left] = over(src[x - r.left], row[x - area.left]);
    }
}

bool validPicture(const std::uint32_t* pixels, int width, int height, int strideBytes, RECT area)
{
    return pixels != nullptr && width > 0 && height > 0 && strideBytes >= width * 4 &&
           area.right - area.left == width && area.bottom - area.top == height;
}

}  // namespace

namespace win32::screen {

bool compositeLayeredWindows(std::uint32_t* pixels, int width, int height, int strideBytes, RECT area)
{
    using namespace win32::user;
    if (!validPicture(pixels, width, height, strideBytes, area)) return false;
    std::vector<Window*> order(desktop()->children.rbegin(), desktop()->children.rend());
    for (Window* w : order)
        if ((w->exStyle & WS_EX_LAYERED) && w->surface && reallyVisible(w)) blendLayered(pixels, strideBytes, area, w);
    return true;
}

bool compositeWindows(std::uint32_t* pixels, int width, int height, int strideBytes, RECT area)
{
    using namespace win32::user;
    if (!validPicture(pixels, width, height, strideBytes, area) ||
        strideBytes != cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, width))
        return false;
    cairo_surface_t* surface = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(pixels),
                                                                   CAIRO_FORMAT_ARGB32, width, height, strideBytes);
    cairo_t* cr = cairo_create(surface);
    cairo_translate(cr, -area.left, -area.top);
    std::vector<Window*> order(desktop()->children.rbegin(), desktop()->children.rend());
    for (Window* w : order) {
        if (!reallyVisible(w)) continue;
        if ((w->exStyle & WS_EX_LAYERED) && w->surface) {
            cairo_surface_flush(surface);
            blendLayered(pixels, strideBytes, area, w);
            cairo_surface_mark_dirty(surface);
        } else if (win32::gdi::paintsAsDialog(w)) {
            win32::gdi::paintDialog(cr, w);
        }
    }
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
    return true;
}

}  // namespace win32::screen
