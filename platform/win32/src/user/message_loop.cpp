// GetMessageW, PeekMessageW, DispatchMessageW and Sleep over the queue and the
// clock. A loop that finds nothing ready asks the idle handler, then moves the clock
// to the next thing due: a scheduled action, a timer, the handler's wake-up time.
#include <optional>

#include "synchapi.h"
#include "user/clock.h"
#include "user/idle.h"
#include "user/message_queue.h"
#include "user/scheduler.h"
#include "user/window.h"
#include "win32/message_loop.h"

namespace win32::user {
namespace {

struct LoopState {
    win32::loop::IdleHandler idle;
    bool inIdle = false;
    int modalDepth = 0;
};

LoopState& loopState()
{
    static LoopState* s = new LoopState;
    return *s;
}

std::optional<std::uint64_t> earliest(std::optional<std::uint64_t> a, std::optional<std::uint64_t> b)
{
    if (!a) return b;
    if (!b) return a;
    return *a < *b ? a : b;
}

}  // namespace

void enterModal() { ++loopState().modalDepth; }
void leaveModal() { --loopState().modalDepth; }

bool peekNext(const Filter& filter, bool remove, MSG& out)
{
    runDueActions();
    refreshInput();
    if (takePosted(filter, remove, out)) return true;
    if (takeQuit(remove, out)) return true;
    if (takeInput(filter, remove, out)) return true;
    if (takePaint(filter, out)) return true;
    return takeTimer(filter, remove, out);
}

bool waitNext(const Filter& filter, MSG& out, std::optional<std::uint64_t> deadline)
{
    LoopState& s = loopState();
    for (;;) {
        if (peekNext(filter, true, out)) return true;
        if (deadline && now() >= *deadline) return false;
        std::optional<std::uint64_t> wakeAt;
        if (s.idle && !s.inIdle) {
            s.inIdle = true;
            win32::loop::Idle answer = s.idle();
            s.inIdle = false;
            if (answer.kind == win32::loop::Idle::Acted) continue;
            if (answer.kind == win32::loop::Idle::WaitUntil && answer.until > now()) wakeAt = answer.until;
        }
        std::optional<std::uint64_t> next = earliest(earliest(nextActionDue(), nextTimerDue()), earliest(wakeAt, deadline));
        if (next && *next < now()) next = now();
        waitUntil(next);
    }
}

}  // namespace win32::user

namespace win32::loop {

void setIdleHandler(IdleHandler handler) { win32::user::loopState().idle = std::move(handler); }

int modalDepth() { return win32::user::loopState().modalDepth; }

}  // namespace win32::loop

using namespace win32::user;

BOOL GetMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax)
{
    if (lpMsg == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    if (hWnd != nullptr && hWnd != reinterpret_cast<HWND>(-1) && fromHandle(hWnd) == nullptr) return -1;
    waitNext(Filter{hWnd, wMsgFilterMin, wMsgFilterMax}, *lpMsg, std::nullopt);
    return lpMsg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL PeekMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg)
{
    if (lpMsg == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return peekNext(Filter{hWnd, wMsgFilterMin, wMsgFilterMax}, (wRemoveMsg & PM_REMOVE) != 0, *lpMsg) ? TRUE
                                                                                                       : FALSE;
}

BOOL TranslateMessage(const MSG* lpMsg)
{
    // There is no keyboard to translate: no WM_CHAR is ever made.
    return FALSE;
}

LRESULT DispatchMessageW(const MSG* lpMsg)
{
    if (lpMsg == nullptr) return 0;
    if (lpMsg->message == WM_TIMER && lpMsg->lParam != 0) {
        // Only a procedure that SetTimer was given is called, so a forged WM_TIMER
        // cannot jump to an arbitrary address.
        auto proc = reinterpret_cast<TIMERPROC>(lpMsg->lParam);
        if (!timerProcKnown(proc)) return 0;
        proc(lpMsg->hwnd, WM_TIMER, lpMsg->wParam, static_cast<DWORD>(now()));
        return 0;
    }
    if (lpMsg->hwnd == nullptr) return 0;
    Window* w = fromHandle(lpMsg->hwnd);
    if (w == nullptr) return 0;
    return CallWindowProcW(w->proc, lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

void Sleep(DWORD dwMilliseconds)
{
    std::uint64_t until = now() + dwMilliseconds;
    if (virtualClock()) {
        runActionsUntil(until);
        return;
    }
    while (now() < until) {
        waitUntil(until);
        runDueActions();
    }
}

namespace win32::user {
namespace {
PreTranslateHook gPreTranslate = nullptr;

bool dispatchOne(MSG& m)
{
    if (m.message == WM_QUIT) {
        postQuit(static_cast<int>(m.wParam));  // leave it for the loop that owns the thread
        return false;
    }
    if (gPreTranslate == nullptr || !gPreTranslate(&m)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    return true;
}

}  // namespace

void setPreTranslateHook(PreTranslateHook hook) { gPreTranslate = hook; }

bool pumpOne(MSG& m)
{
    if (!waitNext(Filter{}, m, std::nullopt)) return false;
    if (m.message == WM_QUIT) return false;
    if (gPreTranslate == nullptr || !gPreTranslate(&m)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    return true;
}

}  // namespace win32::user

namespace win32::loop {

bool runUntil(std::uint64_t until)
{
    MSG m;
    while (win32::user::waitNext(win32::user::Filter{}, m, until))
        if (!win32::user::dispatchOne(m)) return false;
    return true;
}

bool runReady()
{
    MSG m;
    while (win32::user::peekNext(win32::user::Filter{}, true, m))
        if (!win32::user::dispatchOne(m)) return false;
    return true;
}

}  // namespace win32::loop
