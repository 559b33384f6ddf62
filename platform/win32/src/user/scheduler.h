// Work that happens on the clock outside any window procedure: wave devices filling
// and draining buffers, hover timeouts. An action only changes the stand-in's state
// and posts messages; it never calls into a window. Actions due at the same time run
// in the order they were scheduled.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>

namespace win32::user {

using ActionId = std::uint64_t;

ActionId schedule(std::uint64_t due, std::function<void()> action);
void cancel(ActionId id);
std::optional<std::uint64_t> nextActionDue();
// Runs the actions due by the current time, earliest first; true if any ran.
bool runDueActions();
// Moves the virtual clock to t, running each action due on the way at its own time.
void runActionsUntil(std::uint64_t t);

// From any thread: runs action on the main thread the next time the queue is looked
// at, and wakes a wait in progress. Used by the real audio backend.
void runOnMainThread(std::function<void()> action);
// Waits (real clock) until t or until woken; on the virtual clock moves to t.
void waitUntil(std::optional<std::uint64_t> t);
// Wakes a waitUntil on the real clock.
void wake();

}  // namespace win32::user
