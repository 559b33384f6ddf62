// The stand-in's clock, which every timer, wave device, hover timeout and
// GetTickCount reads. The virtual clock (the default) moves only when the message
// loop has nothing ready, straight to the next thing due, or when Sleep is called:
// sessions and tests run the same on every machine, and a minute of them takes
// milliseconds. The real clock follows the machine's monotonic clock, for
// interactive runs.
#pragma once
#include <cstdint>

#include "minwinbase.h"
#include "win32/export.h"

namespace win32::clock {

enum class Mode { Virtual, Real };

// Switches the clock; the time on it carries on from where it was.
W32_EXPORT void setMode(Mode mode);
W32_EXPORT Mode mode();
// Milliseconds on the clock since the process started using it (0 at first).
W32_EXPORT std::uint64_t now();
// The local date and time that GetLocalTime gives at clock time 0 when the clock is
// virtual (by default Monday 6 January 2025, 09:00:00.000). The real clock gives the
// machine's local time.
W32_EXPORT void setVirtualStartTime(const SYSTEMTIME& localTime);

}  // namespace win32::clock
