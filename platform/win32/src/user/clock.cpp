// The virtual and the real clock, GetTickCount and GetLocalTime. Both clocks count
// milliseconds from 0; switching between them keeps the count going.
#include "user/clock.h"

#include <chrono>
#include <ctime>
#include <mutex>

#include "sysinfoapi.h"
#include "win32/clock.h"

namespace {

using Steady = std::chrono::steady_clock;

struct ClockState {
    std::mutex lock;
    win32::clock::Mode mode = win32::clock::Mode::Virtual;
    std::uint64_t virtualNow = 0;
    // The real clock reads base + (steady now - realStart).
    std::uint64_t base = 0;
    Steady::time_point realStart;
    SYSTEMTIME start{2025, 1, 1, 6, 9, 0, 0, 0};
};

ClockState& state()
{
    static ClockState* s = new ClockState;
    return *s;
}

std::uint64_t nowLocked(ClockState& s)
{
    if (s.mode == win32::clock::Mode::Virtual) return s.virtualNow;
    auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Steady::now() - s.realStart).count();
    return s.base + static_cast<std::uint64_t>(elapsed);
}

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
std::int64_t daysFromCivil(int y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

SYSTEMTIME civilFromMilliseconds(std::int64_t ms)
{
    std::int64_t days = ms / 86400000, rest = ms % 86400000;
    if (rest < 0) {
        rest += 86400000;
        --days;
    }
    std::int64_t z = days + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2);
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(y);
    st.wMonth = static_cast<WORD>(m);
    st.wDay = static_cast<WORD>(d);
    st.wDayOfWeek = static_cast<WORD>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday (4)
    st.wHour = static_cast<WORD>(rest / 3600000);
    st.wMinute = static_cast<WORD>(rest / 60000 % 60);
    st.wSecond = static_cast<WORD>(rest / 1000 % 60);
    st.wMilliseconds = static_cast<WORD>(rest % 1000);
    return st;
}

}  // namespace

namespace win32::user {

std::uint64_t now()
{
    ClockState& s = state();
    std::lock_guard lock(s.lock);
    return nowLocked(s);
}

bool virtualClock()
{
    ClockState& s = state();
    std::lock_guard lock(s.lock);
    return s.mode == win32::clock::Mode::Virtual;
}

void advanceTo(std::uint64_t t)
{
    ClockState& s = state();
    std::lock_guard lock(s.lock);
    if (s.mode == win32::clock::Mode::Virtual && t > s.virtualNow) s.virtualNow = t;
}

std::int64_t realDeadline(std::uint64_t t)
{
    ClockState& s = state();
    std::lock_guard lock(s.lock);
    auto at = s.realStart + std::chrono::milliseconds(static_cast<std::int64_t>(t) - static_cast<std::int64_t>(s.base));
    return std::chrono::duration_cast<std::chrono::nanoseconds>(at.time_since_epoch()).count();
}

}  // namespace win32::user

namespace win32::clock {

void setMode(Mode mode)
{
    ClockState& s = state();
    std::lock_guard lock(s.lock);
    if (mode == s.mode) return;
    std::uint64_t t = nowLocked(s);
    s.mode = mode;
    s.virtualNow = t;
    s.base = t;
    s.realStart = Steady::now();
}

Mode mode()
{
    ClockState& s = state();
    std::lock_guard lock(s.lock);
    return s.mode;
}

std::uint64_t now() { return win32::user::now(); }

void setVirtualStartTime(const SYSTEMTIME& localTime)
{
    ClockState& s = state();
    std::lock_guard lock(s.lock);
    s.start = localTime;
}

}  // namespace win32::clock

DWORD GetTickCount() { return static_cast<DWORD>(win32::user::now()); }

ULONGLONG GetTickCount64() { return win32::user::now(); }

void GetLocalTime(LPSYSTEMTIME lpSystemTime)
{
    if (lpSystemTime == nullptr) return;
    ClockState& s = state();
    std::lock_guard lock(s.lock);
    if (s.mode == win32::clock::Mode::Real) {
        auto wall = std::chrono::system_clock::now();
        std::time_t secs = std::chrono::system_clock::to_time_t(wall);
        std::tm tm{};
        localtime_r(&secs, &tm);
        auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(wall.time_since_epoch()).count() % 1000;
        lpSystemTime->wYear = static_cast<WORD>(tm.tm_year + 1900);
        lpSystemTime->wMonth = static_cast<WORD>(tm.tm_mon + 1);
        lpSystemTime->wDayOfWeek = static_cast<WORD>(tm.tm_wday);
        lpSystemTime->wDay = static_cast<WORD>(tm.tm_mday);
        lpSystemTime->wHour = static_cast<WORD>(tm.tm_hour);
        lpSystemTime->wMinute = static_cast<WORD>(tm.tm_min);
        lpSystemTime->wSecond = static_cast<WORD>(tm.tm_sec);
        lpSystemTime->wMilliseconds = static_cast<WORD>(ms);
        return;
    }
    const SYSTEMTIME& st = s.start;
    std::int64_t startMs = daysFromCivil(st.wYear, st.wMonth, st.wDay) * 86400000 + st.wHour * 3600000LL +
                           st.wMinute * 60000LL + st.wSecond * 1000LL + st.wMilliseconds;
    *lpSystemTime = civilFromMilliseconds(startMs + static_cast<std::int64_t>(s.virtualNow));
}
