// Which window takes the mouse at a point. Hidden and minimised windows are passed
// over; so are disabled child windows (the point falls to what lies beneath, as on
// Windows), layered windows where their alpha is zero, layered windows that are
// also WS_EX_TRANSPARENT, and windows whose class is transparent to the mouse.
#include "user/mouse.h"
#include "user/window_class.h"

namespace win32::user {
namespace {

bool takesPoint(const Window* w, POINT pt)
{
    if (w->destroying || !(w->style & WS_VISIBLE) || (w->style & WS_MINIMIZE)) return false;
    RECT r = windowRectOnScreen(w);
    if (!PtInRect(&r, pt)) return false;
    if (w->exStyle & WS_EX_LAYERED) {
        if ((w->exStyle & WS_EX_TRANSPARENT) || !w->surface) return false;
        int x = pt.x - r.left, y = pt.y - r.top;
        if (x >= w->surface->width || y >= w->surface->height) return false;
        if (w->surface->alphaAt(x, y) == 0) return false;
    }
    if (w->wndClass != nullptr && w->wndClass->transparentToMouse != nullptr && w->wndClass->transparentToMouse(w))
        return false;
    return true;
}

Window* childAt(Window* parent, POINT pt)
{
    RECT client = clientRectOnScreen(parent);
    if (!PtInRect(&client, pt)) return parent;
    for (Window* c : parent->children) {
        if ((c->style & WS_DISABLED) || !takesPoint(c, pt)) continue;
        return childAt(c, pt);
    }
    return parent;
}

}  // namespace

LRESULT hitTestCode(Window* w, POINT pt)
{
    RECT r = windowRectOnScreen(w);
    if (!PtInRect(&r, pt)) return HTNOWHERE;
    RECT client = clientRectOnScreen(w);
    if (PtInRect(&client, pt)) return HTCLIENT;
    RECT caption{client.left, r.top, client.right, client.top};
    if ((w->style & WS_CAPTION) == WS_CAPTION && PtInRect(&caption, pt)) return HTCAPTION;
    return HTBORDER;
}

Hit hitTest(POINT pt)
{
    for (Window* top : desktop()->children) {
        if (!takesPoint(top, pt)) continue;
        if (top->style & WS_DISABLED) return Hit{top, HTERROR};
        Window* w = childAt(top, pt);
        return Hit{w, hitTestCode(w, pt)};
    }
    return Hit{};
}

}  // namespace win32::user

HWND WindowFromPoint(POINT Point)
{
    win32::user::Hit hit = win32::user::hitTest(Point);
    return hit.window ? hit.window->handle : nullptr;
}
