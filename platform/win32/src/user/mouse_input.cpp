// The simulated cursor and the mouse input queue. Raw input (a movement, a button)
// updates the cursor at once; when the message loop next looks at the queue, each
// piece is turned into a message for the capture window or the window under the
// cursor, with WM_SETCURSOR (and WM_MOUSEACTIVATE for a press) sent first, as
// Windows does. Consecutive movements for the same window are merged. When windows
// appear, vanish or move under a resting cursor, a movement is made up so that the
// window now under it hears of the cursor and the one it left gets WM_MOUSELEAVE.
#include <algorithm>
#include <deque>

#include "user/activation.h"
#include "user/clock.h"
#include "user/metrics.h"
#include "user/message_queue.h"
#include "user/mouse.h"
#include "user/scheduler.h"
#include "win32/mouse_input.h"

namespace win32::user {
namespace {

enum class RawKind { Move, Down, Up };

struct Raw {
    RawKind kind;
    POINT at;  // where the cursor was
    bool control = false;  // whether Ctrl was held then
};

struct MouseState {
    POINT cursor{0, 0};
    bool leftDown = false;
    bool controlDown = false;
    std::deque<Raw> raw;
    std::deque<MSG> messages;  // input turned into messages, waiting to be taken
    HWND capture = nullptr;
    HWND lastUnder = nullptr;  // the window the last input was delivered to (or hit)
    bool layoutDirty = false;
};

MouseState& mouse()
{
    static MouseState* m = new MouseState;
    return *m;
}

LPARAM packPoint(POINT p) { return MAKELPARAM(static_cast<WORD>(static_cast<short>(p.x)), static_cast<WORD>(static_cast<short>(p.y))); }

void deliver(MSG msg)
{
    MouseState& m = mouse();
    if (msg.message == WM_MOUSEMOVE && !m.messages.empty()) {
        MSG& last = m.messages.back();
        if (last.message == WM_MOUSEMOVE && last.hwnd == msg.hwnd) {
            last = msg;
            return;
        }
    }
    m.messages.push_back(msg);
}

void convert(Raw raw)
{
    MouseState& m = mouse();
    POINT pt = raw.at;
    UINT clientMsg = raw.kind == RawKind::Move ? WM_MOUSEMOVE : raw.kind == RawKind::Down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    const WPARAM keys = keyState() | (raw.control ? MK_CONTROL : 0);
    Hit hit = hitTest(pt);
    HWND under = hit.window ? hit.window->handle : nullptr;
    m.lastUnder = under;
    trackingOnInput(under, pt);

    if (Window* cap = fromHandleQuiet(m.capture)) {
        POINT c = pt;
        ScreenToClient(cap->handle, &c);
        deliver(makeMessage(cap->handle, clientMsg, keys, packPoint(c)));
        return;
    }
    if (hit.window == nullptr) return;
    HWND target = hit.window->handle;
    SendMessageW(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target),
                 MAKELPARAM(static_cast<WORD>(hit.code), clientMsg));
    if (hit.code == HTERROR || fromHandleQuiet(target) == nullptr) return;
    if (raw.kind == RawKind::Down) {
        Window* top = topLevelOf(fromHandleQuiet(target));
        if (top != nullptr && GetActiveWindow() != top->handle) {
            LRESULT r = SendMessageW(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top->handle),
                                     MAKELPARAM(static_cast<WORD>(hit.code), clientMsg));
            if ((r == MA_ACTIVATE || r == MA_ACTIVATEANDEAT) && fromHandleQuiet(top->handle) != nullptr)
                activateWindow(top, WA_CLICKACTIVE);
            if (r == MA_ACTIVATEANDEAT || r == MA_NOACTIVATEANDEAT) return;
        }
        if (fromHandleQuiet(target) == nullptr) return;
    }
    if (hit.code == HTCLIENT) {
        POINT c = pt;
        ScreenToClient(target, &c);
        deliver(makeMessage(target, clientMsg, keys, packPoint(c)));
    } else {
        UINT ncMsg = raw.kind == RawKind::Move ? WM_NCMOUSEMOVE : raw.kind == RawKind::Down ? WM_NCLBUTTONDOWN : WM_NCLBUTTONUP;
        deliver(makeMessage(target, ncMsg, static_cast<WPARAM>(hit.code), packPoint(pt)));
    }
}

void addRaw(RawKind kind)
{
    // Movements waiting to be turned into messages are merged: only where the cursor
    // went matters.
    MouseState& m = mouse();
    if (kind == RawKind::Move && !m.raw.empty() && m.raw.back().kind == RawKind::Move &&
        m.raw.back().control == m.controlDown)
        m.raw.back().at = m.cursor;
    else
        m.raw.push_back(Raw{kind, m.cursor, m.controlDown});
    wake();
}

}  // namespace

POINT cursorPosition() { return mouse().cursor; }

WPARAM keyState() { return mouse().leftDown ? MK_LBUTTON : 0; }

void layoutChanged() { mouse().layoutDirty = true; }

void refreshInput()
{
    MouseState& m = mouse();
    if (!m.layoutDirty) return;
    m.layoutDirty = false;
    Hit hit = hitTest(m.cursor);
    HWND under = hit.window ? hit.window->handle : nullptr;
    if (under != m.lastUnder && m.raw.empty()) m.raw.push_back(Raw{RawKind::Move, m.cursor});
}

bool takeInput(const Filter& filter, bool remove, MSG& out)
{
    // Input becomes a message only when the queue gets to it, one piece at a time, so
    // WM_SETCURSOR for each piece is sent just before its message is taken.
    MouseState& m = mouse();
    for (;;) {
        for (auto it = m.messages.begin(); it != m.messages.end(); ++it) {
            if (!filter.matches(it->hwnd, it->message)) continue;
            out = *it;
            if (remove) m.messages.erase(it);
            return true;
        }
        if (m.raw.empty()) return false;
        Raw r = m.raw.front();
        m.raw.pop_front();
        convert(r);
    }
}

void mouseForgetWindow(HWND hwnd)
{
    MouseState& m = mouse();
    if (m.capture == hwnd) {
        m.capture = nullptr;
        SendMessageW(hwnd, WM_CAPTURECHANGED, 0, 0);
    }
    if (m.lastUnder == hwnd) m.lastUnder = nullptr;
    trackingForget(hwnd);
    layoutChanged();
}

}  // namespace win32::user

namespace win32::input {

using namespace win32::user;

void mouseMove(int x, int y)
{
    // The cursor stays on the screen, as a real one does.
    MouseState& m = mouse();
    m.cursor = POINT{std::clamp(x, 0, kScreenWidth - 1), std::clamp(y, 0, kScreenHeight - 1)};
    addRaw(RawKind::Move);
}

void leftButtonDown()
{
    mouse().leftDown = true;
    addRaw(RawKind::Down);
}

void leftButtonUp()
{
    mouse().leftDown = false;
    addRaw(RawKind::Up);
}

bool leftButtonIsDown() { return mouse().leftDown; }

void setControlKey(bool down) { mouse().controlDown = down; }
bool controlKeyIsDown() { return mouse().controlDown; }

}  // namespace win32::input

using namespace win32::user;

BOOL GetCursorPos(LPPOINT lpPoint)
{
    if (lpPoint == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *lpPoint = mouse().cursor;
    return TRUE;
}

BOOL SetCursorPos(int X, int Y)
{
    // Moving the cursor is input like any movement.
    win32::input::mouseMove(X, Y);
    return TRUE;
}

HWND SetCapture(HWND hWnd)
{
    MouseState& m = mouse();
    HWND previous = m.capture;
    if (hWnd != nullptr && fromHandle(hWnd) == nullptr) return nullptr;
    if (previous == hWnd) return previous;
    m.capture = hWnd;
    if (previous != nullptr && fromHandleQuiet(previous) != nullptr)
        SendMessageW(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hWnd));
    return previous;
}

BOOL ReleaseCapture()
{
    MouseState& m = mouse();
    HWND previous = m.capture;
    m.capture = nullptr;
    if (previous != nullptr && fromHandleQuiet(previous) != nullptr) SendMessageW(previous, WM_CAPTURECHANGED, 0, 0);
    layoutChanged();
    return TRUE;
}

HWND GetCapture() { return fromHandleQuiet(mouse().capture) ? mouse().capture : nullptr; }
