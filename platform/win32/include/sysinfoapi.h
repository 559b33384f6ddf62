// Time as the system reports it, read from the stand-in's clock (win32/clock.h):
// GetTickCount counts the clock's milliseconds, GetLocalTime is the date and time
// the clock has reached.
#pragma once
#include "minwinbase.h"
#include "win32/export.h"

#ifndef RC_INVOKED
W32_EXPORT DWORD GetTickCount();
W32_EXPORT ULONGLONG GetTickCount64();
W32_EXPORT void GetLocalTime(LPSYSTEMTIME lpSystemTime);
#endif
