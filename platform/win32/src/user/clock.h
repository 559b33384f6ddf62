// The clock inside the stand-in: the time, and moving it on (virtual clock only).
#pragma once
#include <cstdint>

namespace win32::user {

std::uint64_t now();
bool virtualClock();
// Moves the virtual clock forward to t; earlier times leave it where it is.
void advanceTo(std::uint64_t t);
// The real clock's time t as a point of std::chrono::steady_clock, in nanoseconds.
std::int64_t realDeadline(std::uint64_t t);

}  // namespace win32::user
