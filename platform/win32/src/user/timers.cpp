// SetTimer and KillTimer. A timer does not queue a message each period: when it is
// due and the queue holds nothing more urgent, GetMessage makes one WM_TIMER for it
// and sets the next due time a period later (periods missed meanwhile are dropped,
// so a late timer posts once, as on Windows).
#include <algorithm>
#include <set>
#include <vector>

#include "user/clock.h"
#include "user/idle.h"
#include "user/message_queue.h"
#include "user/window.h"

namespace win32::user {
namespace {

struct Timer {
    HWND hwnd;
    UINT_PTR id;
    UINT period;
    std::uint64_t due;
    TIMERPROC proc;
    std::uint64_t order;  // creation order, for timers due at the same time
};

struct Timers {
    std::vector<Timer> list;
    std::uint64_t nextOrder = 0;
    UINT_PTR nextThreadTimerId = 1;
    std::set<TIMERPROC> procs;
};

Timers& timers()
{
    static Timers* t = new Timers;
    return *t;
}

std::vector<Timer>::iterator findTimer(HWND hwnd, UINT_PTR id)
{
    auto& l = timers().list;
    return std::find_if(l.begin(), l.end(), [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
}

}  // namespace

bool timerProcKnown(TIMERPROC proc) { return timers().procs.count(proc) != 0; }

bool takeTimer(const Filter& filter, bool remove, MSG& out)
{
    auto& l = timers().list;
    std::uint64_t t = now();
    Timer* best = nullptr;
    for (Timer& tm : l) {
        if (tm.due > t || !filter.matches(tm.hwnd, WM_TIMER)) continue;
        if (best == nullptr || tm.due < best->due || (tm.due == best->due && tm.order < best->order)) best = &tm;
    }
    if (best == nullptr) return false;
    out = makeMessage(best->hwnd, WM_TIMER, best->id, reinterpret_cast<LPARAM>(best->proc));
    if (remove) {
        best->due += best->period;
        if (best->due <= t) best->due = t + best->period - (t - best->due) % best->period;
    }
    return true;
}

std::optional<std::uint64_t> nextTimerDue()
{
    std::optional<std::uint64_t> next;
    for (const Timer& tm : timers().list)
        if (!next || tm.due < *next) next = tm.due;
    return next;
}

void killWindowTimers(HWND hwnd)
{
    auto& l = timers().list;
    l.erase(std::remove_if(l.begin(), l.end(), [&](const Timer& t) { return t.hwnd == hwnd; }), l.end());
}

}  // namespace win32::user

using namespace win32::user;

UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc)
{
    if (hWnd != nullptr && fromHandle(hWnd) == nullptr) return 0;
    Timers& ts = timers();
    uElapse = std::clamp<UINT>(uElapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
    if (hWnd == nullptr) {
        // A thread timer: the system chooses the id, unless an existing one is reset.
        if (nIDEvent == 0 || findTimer(nullptr, nIDEvent) == ts.list.end()) nIDEvent = ts.nextThreadTimerId++;
    }
    if (lpTimerFunc != nullptr) ts.procs.insert(lpTimerFunc);
    std::uint64_t due = now() + uElapse;
    auto it = findTimer(hWnd, nIDEvent);
    if (it != ts.list.end()) {
        // Setting an existing timer again restarts it with the new period.
        it->period = uElapse;
        it->due = due;
        it->proc = lpTimerFunc;
    } else {
        ts.list.push_back(Timer{hWnd, nIDEvent, uElapse, due, lpTimerFunc, ts.nextOrder++});
    }
    return hWnd == nullptr ? nIDEvent : (nIDEvent != 0 ? nIDEvent : 1);
}

BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent)
{
    auto& l = timers().list;
    auto it = findTimer(hWnd, uIDEvent);
    if (it == l.end()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    l.erase(it);
    return TRUE;
}
