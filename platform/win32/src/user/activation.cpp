// SetActiveWindow, SetFocus and EnableWindow. One top-level window is active and one
// window (it or one of its descendants) has the keyboard focus. A disabled or
// minimised window cannot take the focus; activating a child window does nothing.
#include "user/activation.h"

namespace win32::user {
namespace {

HWND gActive = nullptr;
HWND gFocus = nullptr;

bool contains(Window* outer, Window* inner)
{
    for (; inner != nullptr; inner = inner->parent)
        if (inner == outer) return true;
    return false;
}

void setFocusTo(Window* w)
{
    HWND old = gFocus;
    HWND target = w ? w->handle : nullptr;
    if (old == target) return;
    gFocus = target;
    if (old != nullptr && fromHandleQuiet(old) != nullptr) SendMessageW(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(target), 0);
    if (target != nullptr && gFocus == target) SendMessageW(target, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
}

}  // namespace

void activateWindow(Window* w, WORD how)
{
    HWND target = w ? w->handle : nullptr;
    HWND old = gActive;
    if (old == target) return;
    gActive = target;
    if (old != nullptr && fromHandleQuiet(old) != nullptr)
        SendMessageW(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(target));
    if (target != nullptr && gActive == target)
        SendMessageW(target, WM_ACTIVATE, MAKEWPARAM(how, 0), reinterpret_cast<LPARAM>(old));
    if (target == nullptr) setFocusTo(nullptr);
}

void windowLeaving(Window* w)
{
    Window* focus = fromHandleQuiet(gFocus);
    if (focus != nullptr && contains(w, focus)) setFocusTo(nullptr);
    if (gActive != w->handle) return;
    // Activation passes to the owner if it can take it, else to the topmost other
    // visible, enabled top-level window.
    Window* next = nullptr;
    if (w->owner != nullptr && reallyVisible(w->owner) && !(w->owner->style & WS_DISABLED)) next = w->owner;
    if (next == nullptr)
        for (Window* c : desktop()->children)
            if (c != w && !c->destroying && reallyVisible(c) && !(c->style & WS_DISABLED)) {
                next = c;
                break;
            }
    activateWindow(next, WA_ACTIVE);
}

}  // namespace win32::user

using namespace win32::user;

HWND SetActiveWindow(HWND hWnd)
{
    HWND previous = gActive;
    if (hWnd == nullptr) {
        activateWindow(nullptr, WA_INACTIVE);
        return previous;
    }
    Window* w = fromHandle(hWnd);
    if (w == nullptr) return nullptr;
    if (!isTopLevel(w)) return previous;  // Windows ignores children here
    activateWindow(w, WA_ACTIVE);
    return previous;
}

HWND GetActiveWindow() { return fromHandleQuiet(gActive) ? gActive : nullptr; }

HWND GetForegroundWindow() { return GetActiveWindow(); }

HWND SetFocus(HWND hWnd)
{
    HWND previous = fromHandleQuiet(gFocus) ? gFocus : nullptr;
    if (hWnd == nullptr) {
        setFocusTo(nullptr);
        return previous;
    }
    Window* w = fromHandle(hWnd);
    if (w == nullptr) return nullptr;
    for (Window* a = w; a != nullptr && a != desktop(); a = a->parent)
        if (a->style & (WS_DISABLED | WS_MINIMIZE)) return nullptr;
    Window* top = topLevelOf(w);
    if (top != nullptr && gActive != top->handle) {
        activateWindow(top, WA_ACTIVE);
        if (fromHandleQuiet(hWnd) == nullptr) return nullptr;
    }
    setFocusTo(w);
    return previous;
}

HWND GetFocus() { return fromHandleQuiet(gFocus) ? gFocus : nullptr; }

BOOL EnableWindow(HWND hWnd, BOOL bEnable)
{
    Window* w = fromHandle(hWnd);
    if (w == nullptr) return FALSE;
    bool wasDisabled = (w->style & WS_DISABLED) != 0;
    if (bEnable && wasDisabled) {
        w->style &= ~WS_DISABLED;
        SendMessageW(hWnd, WM_ENABLE, TRUE, 0);
        layoutChanged();
    } else if (!bEnable && !wasDisabled) {
        w->style |= WS_DISABLED;
        Window* focus = fromHandleQuiet(gFocus);
        if (focus != nullptr) {
            bool inside = false;
            for (Window* f = focus; f != nullptr; f = f->parent)
                if (f == w) inside = true;
            if (inside) setFocusTo(nullptr);
        }
        HWND capture = GetCapture();
        if (capture != nullptr && (capture == hWnd || IsChild(hWnd, capture))) SendMessageW(capture, WM_CANCELMODE, 0, 0);
        SendMessageW(hWnd, WM_ENABLE, FALSE, 0);
        layoutChanged();
    }
    return wasDisabled ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hWnd)
{
    Window* w = fromHandle(hWnd);
    return w != nullptr && !(w->style & WS_DISABLED);
}
