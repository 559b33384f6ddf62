// The thread's message queue: posted messages in the order they were posted, the
// quit flag, and the filter GetMessage and PeekMessage apply. Messages are taken in
// Windows' order: posted messages, then WM_QUIT, then mouse input, then WM_PAINT,
// then WM_TIMER.
#pragma once
#include <optional>

#include "winuser.h"

namespace win32::user {

struct Filter {
    HWND hwnd = nullptr;
    UINT min = 0;
    UINT max = 0;
    bool matches(HWND target, UINT message) const;
};

MSG makeMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Appends a message; safe from any thread.
void post(const MSG& msg);
bool takePosted(const Filter& filter, bool remove, MSG& out);
bool takeQuit(bool remove, MSG& out);
void postQuit(int code);
// Drops the messages posted to a window that is going away.
void purgeWindow(HWND hwnd);

// Mouse input, paint and timers, provided by their own parts.
bool takeInput(const Filter& filter, bool remove, MSG& out);
bool takePaint(const Filter& filter, MSG& out);
bool takeTimer(const Filter& filter, bool remove, MSG& out);
std::optional<std::uint64_t> nextTimerDue();
void killWindowTimers(HWND hwnd);
// Work the input side does before a message is taken (the cursor's window may have
// changed under it).
void refreshInput();

// Takes the next message in Windows' order without waiting. Runs the clock's due
// actions first.
bool peekNext(const Filter& filter, bool remove, MSG& out);
// Waits on the clock for the next message. With a deadline, gives up when the clock
// reaches it (false).
bool waitNext(const Filter& filter, MSG& out, std::optional<std::uint64_t> deadline);

}  // namespace win32::user
