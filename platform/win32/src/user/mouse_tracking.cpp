// TrackMouseEvent and _TrackMouseEvent: one tracked window at a time. WM_MOUSELEAVE
// is posted when input finds the cursor over another window (a child counts as
// another window) and ends all tracking; WM_MOUSEHOVER is posted when the cursor has
// rested within the hover rectangle for the hover time, and ends hover tracking.
// The check runs on input, not when windows change, so a window hidden and shown
// again before the loop looks at the queue keeps its tracking.
#include "commctrl.h"
#include "user/clock.h"
#include "user/message_queue.h"
#include "user/metrics.h"
#include "user/mouse.h"
#include "user/scheduler.h"

namespace win32::user {
namespace {

struct Tracking {
    HWND hwnd = nullptr;
    DWORD flags = 0;  // TME_HOVER | TME_LEAVE
    DWORD hoverTime = kHoverTime;
    RECT hoverRect{};
    ActionId hoverCheck = 0;
};

Tracking& tracking()
{
    static Tracking* t = new Tracking;
    return *t;
}

RECT hoverRectAround(POINT p)
{
    return RECT{p.x - kHoverWidth / 2, p.y - kHoverHeight / 2, p.x + kHoverWidth / 2 + 1, p.y + kHoverHeight / 2 + 1};
}

void stopHover()
{
    Tracking& t = tracking();
    if (t.hoverCheck != 0) cancel(t.hoverCheck);
    t.hoverCheck = 0;
    t.flags &= ~TME_HOVER;
}

void clear()
{
    stopHover();
    tracking() = Tracking{};
}

void startHover(POINT at)
{
    Tracking& t = tracking();
    if (t.hoverCheck != 0) cancel(t.hoverCheck);
    t.hoverRect = hoverRectAround(at);
    t.hoverCheck = schedule(now() + t.hoverTime, [] {
        Tracking& tr = tracking();
        tr.hoverCheck = 0;
        if (!(tr.flags & TME_HOVER) || fromHandleQuiet(tr.hwnd) == nullptr) return;
        POINT p = cursorPosition();
        Hit hit = hitTest(p);
        if (hit.window == nullptr || hit.window->handle != tr.hwnd || !PtInRect(&tr.hoverRect, p)) return;
        POINT c = p;
        ScreenToClient(tr.hwnd, &c);
        post(makeMessage(tr.hwnd, WM_MOUSEHOVER, keyState(), MAKELPARAM(static_cast<WORD>(c.x), static_cast<WORD>(c.y))));
        tr.flags &= ~TME_HOVER;
        if (tr.flags == 0) tr = Tracking{};
    });
}

}  // namespace

void trackingOnInput(HWND under, POINT screen)
{
    Tracking& t = tracking();
    if (t.hwnd == nullptr) return;
    if (under != t.hwnd) {
        HWND left = t.hwnd;
        bool leave = (t.flags & TME_LEAVE) != 0;
        clear();
        if (leave && fromHandleQuiet(left) != nullptr) post(makeMessage(left, WM_MOUSELEAVE, 0, 0));
        return;
    }
    if ((t.flags & TME_HOVER) && !PtInRect(&t.hoverRect, screen)) startHover(screen);
}

void trackingForget(HWND hwnd)
{
    if (tracking().hwnd == hwnd) clear();
}

}  // namespace win32::user

using namespace win32::user;

BOOL TrackMouseEvent(LPTRACKMOUSEEVENT lpEventTrack)
{
    if (lpEventTrack == nullptr || lpEventTrack->cbSize != sizeof(TRACKMOUSEEVENT)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    Tracking& t = tracking();
    DWORD flags = lpEventTrack->dwFlags;
    if (flags & TME_QUERY) {
        *lpEventTrack = TRACKMOUSEEVENT{sizeof(TRACKMOUSEEVENT), t.flags, t.hwnd, t.hwnd ? t.hoverTime : 0};
        return TRUE;
    }
    if (flags & ~(TME_HOVER | TME_LEAVE | TME_CANCEL)) {
        // Non-client tracking is not offered: no window of the stand-in needs it.
        SetLastError(ERROR_INVALID_FLAGS);
        return FALSE;
    }
    HWND hwnd = lpEventTrack->hwndTrack;
    if (fromHandle(hwnd) == nullptr) return FALSE;
    if (flags & TME_CANCEL) {
        if (t.hwnd == hwnd) {
            if (flags & TME_HOVER) stopHover();
            t.flags &= ~(flags & TME_LEAVE);
            if (t.flags == 0) clear();
        }
        return TRUE;
    }
    POINT p = cursorPosition();
    Hit hit = hitTest(p);
    HWND under = hit.window ? hit.window->handle : nullptr;
    if (under != hwnd) {
        // The cursor is not over the window: it has left it already.
        if (flags & TME_LEAVE) post(makeMessage(hwnd, WM_MOUSELEAVE, 0, 0));
        return TRUE;
    }
    if (t.hwnd != hwnd) clear();
    t.hwnd = hwnd;
    t.flags |= flags & (TME_HOVER | TME_LEAVE);
    if (flags & TME_HOVER) {
        t.hoverTime = lpEventTrack->dwHoverTime == HOVER_DEFAULT ? kHoverTime : lpEventTrack->dwHoverTime;
        startHover(p);
    }
    return TRUE;
}

BOOL _TrackMouseEvent(LPTRACKMOUSEEVENT lpEventTrack) { return TrackMouseEvent(lpEventTrack); }
