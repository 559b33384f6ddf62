// Update regions and WM_PAINT. Each window keeps the bounds of what needs painting;
// when the queue has no posted message and no input, GetMessage hands out WM_PAINT
// for a visible window that has some, until BeginPaint/EndPaint or ValidateRect
// empties it. Windows updated with UpdateLayeredWindow are never painted this way.
#include "user/message_queue.h"
#include "user/window.h"
#include "wingdi.h"

namespace win32::user {
namespace {

void invalidate(Window* w, const RECT* r, bool erase)
{
    if (w->exStyle & WS_EX_LAYERED) return;
    RECT client = clientRectInWindow(w);
    RECT full{0, 0, client.right - client.left, client.bottom - client.top};
    RECT add = full;
    if (r != nullptr && !IntersectRect(&add, r, &full)) return;
    if (IsRectEmpty(&add)) return;
    if (w->updatePending)
        UnionRect(&w->update, &w->update, &add);
    else
        w->update = add;
    w->updatePending = true;
    w->eraseRequested = w->eraseRequested || erase;
}

}  // namespace

bool takePaint(const Filter& filter, MSG& out)
{
    Window* found = nullptr;
    forEachWindow([&](Window* w) {
        if (found == nullptr && w->updatePending && reallyVisible(w) && filter.matches(w->handle, WM_PAINT))
            found = w;
    });
    if (found == nullptr) return false;
    out = makeMessage(found->handle, WM_PAINT, 0, 0);
    return true;
}

// A window shown or resized needs painting (children included).
void invalidateAll(Window* w)
{
    invalidate(w, nullptr, true);
    for (Window* c : w->children) invalidateAll(c);
}

}  // namespace win32::user

using namespace win32::user;

BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase)
{
    if (hWnd == nullptr) {
        forEachWindow([&](Window* w) { invalidate(w, nullptr, bErase); });
        return TRUE;
    }
    Window* w = fromHandle(hWnd);
    if (w == nullptr) return FALSE;
    invalidate(w, lpRect, bErase != FALSE);
    return TRUE;
}

BOOL ValidateRect(HWND hWnd, const RECT* lpRect)
{
    Window* w = fromHandle(hWnd);
    if (w == nullptr) return FALSE;
    if (lpRect == nullptr || !w->updatePending) {
        w->updatePending = false;
        w->eraseRequested = false;
        return TRUE;
    }
    // Only bounds are kept, so a partial validation empties the region only when it
    // covers all of it.
    RECT common;
    if (IntersectRect(&common, lpRect, &w->update) && EqualRect(&common, &w->update)) {
        w->updatePending = false;
        w->eraseRequested = false;
    }
    return TRUE;
}

BOOL GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL bErase)
{
    Window* w = fromHandle(hWnd);
    if (w == nullptr) return FALSE;
    if (lpRect != nullptr) {
        if (w->updatePending)
            *lpRect = w->update;
        else
            SetRectEmpty(lpRect);
    }
    return w->updatePending ? TRUE : FALSE;
}

BOOL UpdateWindow(HWND hWnd)
{
    Window* w = fromHandle(hWnd);
    if (w == nullptr) return FALSE;
    if (w->updatePending && reallyVisible(w)) SendMessageW(hWnd, WM_PAINT, 0, 0);
    return TRUE;
}

HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint)
{
    Window* w = fromHandle(hWnd);
    if (w == nullptr || lpPaint == nullptr) return nullptr;
    *lpPaint = PAINTSTRUCT{};
    lpPaint->hdc = GetDC(hWnd);
    lpPaint->fErase = w->eraseRequested ? TRUE : FALSE;
    if (w->updatePending) lpPaint->rcPaint = w->update;
    w->updatePending = false;
    w->eraseRequested = false;
    return lpPaint->hdc;
}

BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint)
{
    if (lpPaint != nullptr && lpPaint->hdc != nullptr) ReleaseDC(hWnd, lpPaint->hdc);
    return TRUE;
}
