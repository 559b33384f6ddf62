// The message loop on the virtual clock: timers post WM_TIMER at their periods, the
// clock moves only to the next thing due, Sleep moves it without dispatching,
// posted messages come before input, paint and timers, WM_QUIT after posted
// messages, and the clock gives GetTickCount and GetLocalTime.
#include <gtest/gtest.h>

#include <vector>

#include "window_recorder.h"
#include "win32/clock.h"
#include "win32/message_loop.h"
#include "windows.h"

namespace {

struct Tick {
    UINT_PTR id;
    DWORD at;
};

std::vector<Tick> timerTicks(HWND hwnd)
{
    std::vector<Tick> out;
    for (const recorder::Recorded& r : recorder::log())
        if (r.hwnd == hwnd && r.message == WM_TIMER) out.push_back(Tick{r.wParam, r.time});
    return out;
}

// Runs the message loop until the clock reaches `until`.
void runUntil(DWORD until) { ASSERT_TRUE(win32::loop::runUntil(until)); }

}  // namespace

TEST(VirtualClock, StartsAtZeroAndMovesOnlyToWhatIsDue)
{
    EXPECT_EQ(win32::clock::mode(), win32::clock::Mode::Virtual);
    EXPECT_EQ(GetTickCount(), 0u);
    HWND w = recorder::make(0, WS_POPUP, 0, 0, 10, 10);
    ASSERT_EQ(SetTimer(w, 7, 250, nullptr), 7u);
    MSG m;
    EXPECT_FALSE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));  // peeking never moves the clock
    EXPECT_EQ(GetTickCount(), 0u);
    ASSERT_TRUE(GetMessageW(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_TIMER));
    EXPECT_EQ(m.wParam, 7u);
    EXPECT_EQ(GetTickCount(), 250u);  // straight to the timer, not a millisecond more
    EXPECT_EQ(m.time, 250u);
}

TEST(Timers, PostAtTheirPeriodsOnTheVirtualClock)
{
    HWND w = recorder::make(0, WS_POPUP, 0, 0, 10, 10);
    SetTimer(w, 1, 100, nullptr);
    SetTimer(w, 2, 300, nullptr);
    runUntil(1000);
    std::vector<Tick> ticks = timerTicks(w);
    std::vector<DWORD> one, two;
    for (const Tick& t : ticks) (t.id == 1 ? one : two).push_back(t.at);
    EXPECT_EQ(one, (std::vector<DWORD>{100, 200, 300, 400, 500, 600, 700, 800, 900, 1000}));
    EXPECT_EQ(two, (std::vector<DWORD>{300, 600, 900}));
    // At 300 ms both are due: the one set first (id 1) comes first.
    auto at300 = std::find_if(ticks.begin(), ticks.end(), [](const Tick& t) { return t.at == 300; });
    ASSERT_NE(at300, ticks.end());
    EXPECT_EQ(at300->id, 1u);
}

TEST(Timers, SleepMovesTheClockAndMissedPeriodsGiveOneMessage)
{
    HWND w = recorder::make(0, WS_POPUP, 0, 0, 10, 10);
    SetTimer(w, 1, 100, nullptr);
    Sleep(350);
    EXPECT_EQ(GetTickCount(), 350u);
    EXPECT_TRUE(timerTicks(w).empty());  // Sleep dispatches nothing
    recorder::pumpReady();
    ASSERT_EQ(timerTicks(w).size(), 1u);  // three periods passed: one WM_TIMER
    EXPECT_EQ(timerTicks(w)[0].at, 350u);
    runUntil(420);
    ASSERT_EQ(timerTicks(w).size(), 2u);
    EXPECT_EQ(timerTicks(w)[1].at, 400u);  // the period keeps its phase
}

TEST(Timers, KillTimerStopsItAndSetTimerAgainRestartsIt)
{
    HWND w = recorder::make(0, WS_POPUP, 0, 0, 10, 10);
    SetTimer(w, 1, 100, nullptr);
    runUntil(150);
    EXPECT_TRUE(KillTimer(w, 1));
    EXPECT_FALSE(KillTimer(w, 1));
    SetTimer(w, 2, 100, nullptr);
    runUntil(170);
    SetTimer(w, 2, 50, nullptr);  // reset: the period starts again from now
    runUntil(300);
    std::vector<DWORD> at;
    for (const Tick& t : timerTicks(w)) at.push_back(t.at);
    EXPECT_EQ(at, (std::vector<DWORD>{100, 220, 270}));
}

TEST(Timers, PeriodsBelowTheMinimumAreRaisedAndDestroyedWindowsLoseTheirTimers)
{
    HWND w = recorder::make(0, WS_POPUP, 0, 0, 10, 10);
    SetTimer(w, 1, 1, nullptr);
    runUntil(25);
    std::vector<DWORD> at;
    for (const Tick& t : timerTicks(w)) at.push_back(t.at);
    EXPECT_EQ(at, (std::vector<DWORD>{USER_TIMER_MINIMUM, 2 * USER_TIMER_MINIMUM}));
    DestroyWindow(w);
    EXPECT_FALSE(KillTimer(w, 1));
    EXPECT_EQ(SetTimer(w, 1, 100, nullptr), 0u);
}

TEST(MessageQueue, PostedMessagesComeBeforeTimersAndQuitAfterPostedMessages)
{
    HWND w = recorder::make(0, WS_POPUP, 0, 0, 10, 10);
    SetTimer(w, 1, 10, nullptr);
    Sleep(10);
    PostQuitMessage(3);
    PostMessageW(w, WM_APP, 1, 0);
    PostMessageW(w, WM_APP + 1, 2, 0);
    MSG m;
    std::vector<UINT> order;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        order.push_back(m.message);
        if (m.message == WM_QUIT) {
            EXPECT_EQ(m.wParam, 3u);
        }
    }
    EXPECT_EQ(order, (std::vector<UINT>{WM_APP, WM_APP + 1, WM_QUIT, WM_TIMER}));
}

TEST(MessageQueue, PaintComesAfterPostedMessagesAndBeforeTimers)
{
    HWND w = recorder::make(0, WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
    recorder::pumpReady();
    SetTimer(w, 1, 10, nullptr);
    Sleep(10);
    InvalidateRect(w, nullptr, TRUE);
    PostMessageW(w, WM_APP, 0, 0);
    MSG m;
    std::vector<UINT> order;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        order.push_back(m.message);
        DispatchMessageW(&m);  // DefWindowProc validates, so WM_PAINT comes once
    }
    EXPECT_EQ(order, (std::vector<UINT>{WM_APP, WM_PAINT, WM_TIMER}));
    RECT r;
    EXPECT_FALSE(GetUpdateRect(w, &r, FALSE));
}

TEST(MessageQueue, SendMessageCallsTheProcedureAtOnceAndFiltersSelectWindows)
{
    HWND a = recorder::make(0, WS_POPUP, 0, 0, 10, 10, nullptr, [](HWND, UINT msg, WPARAM wp, LPARAM, LRESULT& r) {
        if (msg != WM_APP) return false;
        r = static_cast<LRESULT>(wp * 2);
        return true;
    });
    HWND b = recorder::make(0, WS_POPUP, 0, 0, 10, 10);
    EXPECT_EQ(SendMessageW(a, WM_APP, 21, 0), 42);
    PostMessageW(a, WM_APP + 1, 0, 0);
    PostMessageW(b, WM_APP + 2, 0, 0);
    MSG m;
    ASSERT_TRUE(PeekMessageW(&m, b, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_APP + 2));
    EXPECT_FALSE(PeekMessageW(&m, b, 0, 0, PM_REMOVE));
    ASSERT_TRUE(PeekMessageW(&m, nullptr, WM_APP + 1, WM_APP + 1, PM_NOREMOVE));
    ASSERT_TRUE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));  // PM_NOREMOVE left it there
    EXPECT_EQ(m.hwnd, a);
    EXPECT_FALSE(PostMessageW(reinterpret_cast<HWND>(0x1234), WM_APP, 0, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST(MessageQueue, MessagesPostedToAWindowGoWithIt)
{
    HWND w = recorder::make(0, WS_POPUP, 0, 0, 10, 10);
    PostMessageW(w, WM_APP, 0, 0);
    DestroyWindow(w);
    MSG m;
    EXPECT_FALSE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST(MessageLoop, TheIdleHandlerIsAskedBeforeTheClockMoves)
{
    HWND w = recorder::make(0, WS_POPUP, 0, 0, 10, 10);
    int asked = 0;
    win32::loop::setIdleHandler([&] {
        ++asked;
        if (asked == 1) {
            PostMessageW(w, WM_APP, 0, 0);
            return win32::loop::Idle{win32::loop::Idle::Acted};
        }
        return win32::loop::Idle{win32::loop::Idle::WaitUntil, 500};
    });
    MSG m;
    ASSERT_TRUE(GetMessageW(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_APP));
    EXPECT_EQ(GetTickCount(), 0u);
    SetTimer(w, 1, 800, nullptr);
    ASSERT_TRUE(win32::loop::runUntil(600));  // the handler's wake-up time comes first
    EXPECT_GE(asked, 2);
    EXPECT_EQ(GetTickCount(), 600u);
    win32::loop::setIdleHandler(nullptr);
}

// Windows would wait for ever; the virtual clock knows nothing can come.
TEST(MessageLoopDeathTest, WaitingForeverOnTheVirtualClockEndsTheProcess_DepartsFromWindows)
{
    EXPECT_DEATH(
        {
            MSG m;
            GetMessageW(&m, nullptr, 0, 0);
        },
        "nothing is scheduled");
}

TEST(LocalTime, FollowsTheVirtualClockFromItsStart)
{
    SYSTEMTIME start{2024, 2, 4, 29, 23, 59, 59, 900};  // a leap day, one tenth before midnight
    win32::clock::setVirtualStartTime(start);
    SYSTEMTIME t;
    GetLocalTime(&t);
    EXPECT_EQ(t.wDay, 29);
    Sleep(100);
    GetLocalTime(&t);
    EXPECT_EQ(t.wYear, 2024);
    EXPECT_EQ(t.wMonth, 3);
    EXPECT_EQ(t.wDay, 1);
    EXPECT_EQ(t.wDayOfWeek, 5);  // a Friday
    EXPECT_EQ(t.wHour, 0);
    EXPECT_EQ(t.wMinute, 0);
    EXPECT_EQ(t.wSecond, 0);
    EXPECT_EQ(t.wMilliseconds, 0);
}

TEST(RealClock, MovesByItselfAndCarriesOnFromTheVirtualTime)
{
    Sleep(5000);
    win32::clock::setMode(win32::clock::Mode::Real);
    DWORD a = GetTickCount();
    EXPECT_GE(a, 5000u);
    Sleep(20);
    EXPECT_GE(GetTickCount(), a + 20);
    EXPECT_LT(GetTickCount(), a + 5000);
}
