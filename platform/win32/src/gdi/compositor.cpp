// Composites the layered windows' pictures over a picture of a screen rectangle:
// source-over with premultiplied alpha, bottom window first.
#include <algorithm>
#include <vector>

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

}  // namespace

namespace win32::screen {

bool compositeLayeredWindows(std::uint32_t* pixels, int width, int height, int strideBytes, RECT area)
{
    using namespace win32::user;
    if (pixels == nullptr || width <= 0 || height <= 0 || strideBytes < width * 4 ||
        area.right - area.left != width || area.bottom - area.top != height)
        return false;
    std::vector<Window*> order(desktop()->children.rbegin(), desktop()->children.rend());
    for (Window* w : order) {
        if (!(w->exStyle & WS_EX_LAYERED) || !w->surface || !reallyVisible(w)) continue;
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
    return true;
}

}  // namespace win32::screen
