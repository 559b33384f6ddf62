// UpdateLayeredWindow: the window's picture becomes a copy of the source bitmap's
// pixels (premultiplied blue, green, red, alpha), blended as the flags say. The
// picture is what the screen shows of the window and what hit testing reads: where
// its alpha is zero the mouse goes through.
#include <algorithm>
#include <memory>

#include "gdi/objects.h"
#include "user/window.h"
#include "winuser.h"

namespace {

std::uint32_t scaled(std::uint32_t px, unsigned factor)
{
    auto ch = [&](int shift) { return ((((px >> shift) & 0xFF) * factor + 127) / 255) << shift; };
    return ch(0) | ch(8) | ch(16) | ch(24);
}

// Keeps a pixel premultiplied: no colour channel above its alpha.
std::uint32_t clampToAlpha(std::uint32_t px)
{
    std::uint32_t a = px >> 24;
    std::uint32_t b = std::min(px & 0xFF, a), g = std::min((px >> 8) & 0xFF, a), r = std::min((px >> 16) & 0xFF, a);
    return (a << 24) | (r << 16) | (g << 8) | b;
}

}  // namespace

BOOL UpdateLayeredWindow(HWND hWnd, HDC hdcDst, POINT* pptDst, SIZE* psize, HDC hdcSrc, POINT* pptSrc,
                         COLORREF crKey, BLENDFUNCTION* pblend, DWORD dwFlags)
{
    using namespace win32::user;
    Window* w = fromHandle(hWnd);
    if (w == nullptr) return FALSE;
    if (!(w->exStyle & WS_EX_LAYERED) || !isTopLevel(w) ||
        (dwFlags & ~(ULW_ALPHA | ULW_COLORKEY | ULW_OPAQUE | ULW_EX_NORESIZE)) ||
        ((dwFlags & ULW_ALPHA) && pblend == nullptr) || (hdcSrc == nullptr && psize != nullptr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    RECT wr = windowRectOnScreen(w);
    SIZE size = psize ? *psize : SIZE{wr.right - wr.left, wr.bottom - wr.top};
    if (size.cx <= 0 || size.cy <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::unique_ptr<Surface> surface;
    if (hdcSrc != nullptr) {
        win32::gdi::Bitmap* src = win32::gdi::selectedBitmap(hdcSrc);
        POINT from = pptSrc ? *pptSrc : POINT{0, 0};
        if (src == nullptr || src->bitsPerPixel != 32 || from.x < 0 || from.y < 0 ||
            from.x + size.cx > src->width || from.y + size.cy > src->height) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        surface = std::make_unique<Surface>();
        surface->width = size.cx;
        surface->height = size.cy;
        surface->pixels.resize(static_cast<size_t>(size.cx) * size.cy);
        bool perPixel = (dwFlags & ULW_ALPHA) && (pblend->AlphaFormat & AC_SRC_ALPHA);
        unsigned constant = (dwFlags & ULW_ALPHA) ? pblend->SourceConstantAlpha : 255;
        for (int y = 0; y < size.cy; ++y) {
            const std::uint32_t* in = src->row(from.y + y) + from.x;
            std::uint32_t* out = surface->pixels.data() + static_cast<size_t>(y) * size.cx;
            for (int x = 0; x < size.cx; ++x) {
                std::uint32_t px = in[x];
                if (!perPixel || (dwFlags & ULW_OPAQUE)) px |= 0xFF000000u;
                if ((dwFlags & ULW_COLORKEY)) {
                    COLORREF rgb = RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF);
                    if (rgb == crKey) px = 0;
                }
                px = clampToAlpha(px);
                if (constant != 255) px = scaled(px, constant);
                out[x] = px;
            }
        }
    }
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (pptDst == nullptr) flags |= SWP_NOMOVE;
    if (psize == nullptr) flags |= SWP_NOSIZE;
    if (flags != (SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE))
        SetWindowPos(hWnd, nullptr, pptDst ? pptDst->x : 0, pptDst ? pptDst->y : 0, size.cx, size.cy, flags);
    w = fromHandleQuiet(hWnd);
    if (w == nullptr) return FALSE;
    if (surface) w->surface = std::move(surface);
    layoutChanged();
    (void)hdcDst;
    return TRUE;
}
