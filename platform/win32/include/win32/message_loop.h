// Driving the message loop from outside, as the host program does: run it until the
// clock reaches a time, dispatch what is ready now, and say where input comes from
// while a loop waits (for example a session script feeding a modal dialog).
#pragma once
#include <cstdint>
#include <functional>

#include "win32/export.h"

namespace win32::loop {

// What the idle handler answers when a waiting message loop has nothing ready.
struct Idle {
    enum Kind {
        Acted,      // it did something (posted a message, moved the mouse): look again
        WaitUntil,  // nothing to do before `until` on the clock
        Nothing,    // nothing to do now or later: the clock moves to the next thing due
    };
    Kind kind = Nothing;
    std::uint64_t until = 0;
};
using IdleHandler = std::function<Idle()>;

// The handler a waiting loop consults before it moves the clock; null for none. It is
// not consulted again while it runs. On the virtual clock, a loop that waits with no
// handler and nothing scheduled can never wake, and the process ends with a message.
W32_EXPORT void setIdleHandler(IdleHandler handler);
// How many modal loops (dialogs run with DoModal) are running now.
W32_EXPORT int modalDepth();

// Runs the loop (each message pre-translated as MFC's pump does, then dispatched)
// until the clock reaches `until`. False when WM_QUIT ended it first (the quit stays
// posted).
W32_EXPORT bool runUntil(std::uint64_t until);
// Dispatches every message ready now, without moving the clock. False on WM_QUIT.
W32_EXPORT bool runReady();

}  // namespace win32::loop
