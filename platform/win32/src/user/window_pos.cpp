// Showing, moving, sizing and stacking windows, and the coordinate conversions.
// Position and size changes are reported with WM_MOVE and WM_SIZE; showing and
// hiding with WM_SHOWWINDOW; showing or moving a top-level window activates it
// unless asked not to.
#include "user/activation.h"
#include "user/window.h"

namespace win32::user {
void invalidateAll(Window* w);

namespace {

void setRect(Window* w, RECT r, bool notify)
{
    RECT old = w->rect;
    w->rect = r;
    if (!notify) return;
    HWND h = w->handle;
    bool sized = (old.right - old.left) != (r.right - r.left) || (old.bottom - old.top) != (r.bottom - r.top);
    bool moved = old.left != r.left || old.top != r.top;
    if (sized) {
        RECT c = clientRectInWindow(w);
        SendMessageW(h, WM_SIZE, (w->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : SIZE_RESTORED,
                     MAKELPARAM(c.right - c.left, c.bottom - c.top));
        if ((w = fromHandleQuiet(h)) == nullptr) return;
        invalidateAll(w);
    }
    if (moved) {
        RECT c = clientRectInWindow(w);
        SendMessageW(h, WM_MOVE, 0, MAKELPARAM(w->rect.left + c.left, w->rect.top + c.top));
    }
}

void show(Window* w, bool activate)
{
    HWND h = w->handle;
    if (!(w->style & WS_VISIBLE)) {
        SendMessageW(h, WM_SHOWWINDOW, TRUE, 0);
        if ((w = fromHandleQuiet(h)) == nullptr) return;
        w->style |= WS_VISIBLE;
        invalidateAll(w);
    }
    if (activate && isTopLevel(w) && !(w->exStyle & WS_EX_NOACTIVATE)) activateWindow(w, WA_ACTIVE);
}

void hide(Window* w)
{
    if (!(w->style & WS_VISIBLE)) return;
    HWND h = w->handle;
    SendMessageW(h, WM_SHOWWINDOW, FALSE, 0);
    if ((w = fromHandleQuiet(h)) == nullptr) return;
    w->style &= ~WS_VISIBLE;
    windowLeaving(w);
}

RECT maximisedRect(const Window* w)
{
    if (isTopLevel(w)) return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT c = clientRectInWindow(w->parent);
    return RECT{0, 0, c.right - c.left, c.bottom - c.top};
}

}  // namespace

}  // namespace win32::user

using namespace win32::user;

BOOL ShowWindow(HWND hWnd, int nCmdShow)
{
    Window* w = fromHandle(hWnd);
    if (w == nullptr) return FALSE;
    BOOL wasVisible = (w->style & WS_VISIBLE) ? TRUE : FALSE;
    switch (nCmdShow) {
    case SW_HIDE:
        hide(w);
        break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
        w->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
        show(w, true);
        break;
    case SW_SHOW:
        show(w, true);
        break;
    case SW_SHOWNA:
    case SW_SHOWNOACTIVATE:
        show(w, false);
        break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
        // A minimised window stays "visible" but has no place on the screen.
        w->style |= WS_MINIMIZE;
        show(w, false);
        if ((w = fromHandleQuiet(hWnd)) != nullptr) windowLeaving(w);
        break;
    case SW_SHOWMAXIMIZED:
        w->style &= ~WS_MINIMIZE;
        w->style |= WS_MAXIMIZE;
        setRect(w, maximisedRect(w), true);
        if ((w = fromHandleQuiet(hWnd)) != nullptr) show(w, true);
        break;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return wasVisible;
    }
    layoutChanged();
    return wasVisible;
}

BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags)
{
    Window* w = fromHandle(hWnd);
    if (w == nullptr || w == desktop()) return FALSE;
    Window* after = nullptr;
    bool zorder = !(uFlags & SWP_NOZORDER);
    if (zorder && hWndInsertAfter != HWND_TOP && hWndInsertAfter != HWND_BOTTOM && hWndInsertAfter != HWND_TOPMOST &&
        hWndInsertAfter != HWND_NOTOPMOST) {
        after = fromHandle(hWndInsertAfter);
        if (after == nullptr) return FALSE;
        if (after->parent != w->parent) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        if (after == w) zorder = false;
    }
    RECT r = w->rect;
    if (!(uFlags & SWP_NOMOVE)) {
        OffsetRect(&r, X - r.left, Y - r.top);
    }
    if (!(uFlags & SWP_NOSIZE)) {
        r.right = r.left + (cx > 0 ? cx : 0);
        r.bottom = r.top + (cy > 0 ? cy : 0);
    }
    setRect(w, r, true);
    if ((w = fromHandleQuiet(hWnd)) == nullptr) return TRUE;
    if (zorder) {
        if (hWndInsertAfter == HWND_TOPMOST && isTopLevel(w)) w->exStyle |= WS_EX_TOPMOST;
        if (hWndInsertAfter == HWND_NOTOPMOST && isTopLevel(w)) w->exStyle &= ~WS_EX_TOPMOST;
        if (hWndInsertAfter == HWND_BOTTOM) {
            if (isTopLevel(w)) w->exStyle &= ~WS_EX_TOPMOST;
            unlink(w);
            w->parent->children.push_back(w);
        } else {
            linkInZOrder(w, after);
        }
        keepOwnedAboveOwners();
    }
    if (uFlags & SWP_SHOWWINDOW) {
        if (!(w->style & WS_VISIBLE)) {
            w->style |= WS_VISIBLE;
            invalidateAll(w);
        }
    } else if (uFlags & SWP_HIDEWINDOW) {
        // Unlike ShowWindow(SW_HIDE), hiding this way passes activation to no other
        // window: a dialog hidden so stays the active window until its owner takes
        // activation back (which is how MFC ends a modal dialog).
        w->style &= ~WS_VISIBLE;
    }
    if ((w = fromHandleQuiet(hWnd)) == nullptr) return TRUE;
    if (!(uFlags & SWP_NOACTIVATE) && isTopLevel(w) && reallyVisible(w) && !(w->exStyle & WS_EX_NOACTIVATE))
        activateWindow(w, WA_ACTIVE);
    layoutChanged();
    return TRUE;
}

BOOL MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint)
{
    return SetWindowPos(hWnd, nullptr, X, Y, nWidth, nHeight,
                        SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0 : SWP_NOREDRAW));
}

BOOL GetWindowRect(HWND hWnd, LPRECT lpRect)
{
    Window* w = fromHandle(hWnd);
    if (w == nullptr || lpRect == nullptr) return FALSE;
    *lpRect = windowRectOnScreen(w);
    return TRUE;
}

BOOL GetClientRect(HWND hWnd, LPRECT lpRect)
{
    Window* w = fromHandle(hWnd);
    if (w == nullptr || lpRect == nullptr) return FALSE;
    RECT c = clientRectInWindow(w);
    *lpRect = RECT{0, 0, c.right - c.left, c.bottom - c.top};
    return TRUE;
}

BOOL ClientToScreen(HWND hWnd, LPPOINT lpPoint)
{
    Window* w = fromHandle(hWnd);
    if (w == nullptr || lpPoint == nullptr) return FALSE;
    POINT o = clientOriginOnScreen(w);
    lpPoint->x += o.x;
    lpPoint->y += o.y;
    return TRUE;
}

BOOL ScreenToClient(HWND hWnd, LPPOINT lpPoint)
{
    Window* w = fromHandle(hWnd);
    if (w == nullptr || lpPoint == nullptr) return FALSE;
    POINT o = clientOriginOnScreen(w);
    lpPoint->x -= o.x;
    lpPoint->y -= o.y;
    return TRUE;
}

int MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints)
{
    POINT from{0, 0}, to{0, 0};
    if (hWndFrom != nullptr) {
        Window* w = fromHandle(hWndFrom);
        if (w == nullptr) return 0;
        from = clientOriginOnScreen(w);
    }
    if (hWndTo != nullptr) {
        Window* w = fromHandle(hWndTo);
        if (w == nullptr) return 0;
        to = clientOriginOnScreen(w);
    }
    LONG dx = from.x - to.x, dy = from.y - to.y;
    for (UINT i = 0; i < cPoints && lpPoints != nullptr; ++i) {
        lpPoints[i].x += dx;
        lpPoints[i].y += dy;
    }
    return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}
