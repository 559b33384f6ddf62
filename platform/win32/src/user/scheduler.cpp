// The time-ordered list of scheduled actions, the hand-over of work from other
// threads, and the wait for the next thing due.
#include "user/scheduler.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

#include "user/clock.h"

namespace win32::user {
namespace {

struct Scheduler {
    // Keyed by (due, id): ids grow, so equal times keep their scheduling order.
    std::map<std::pair<std::uint64_t, ActionId>, std::function<void()>> actions;
    std::map<ActionId, std::uint64_t> dueOf;
    ActionId nextId = 1;
    std::mutex crossLock;
    std::condition_variable wakeUp;
    std::vector<std::function<void()>> fromOtherThreads;
    bool woken = false;
};

Scheduler& scheduler()
{
    static Scheduler* s = new Scheduler;
    return *s;
}

bool runCrossThreadWork()
{
    Scheduler& s = scheduler();
    std::vector<std::function<void()>> work;
    {
        std::lock_guard lock(s.crossLock);
        work.swap(s.fromOtherThreads);
        s.woken = false;
    }
    for (auto& w : work) w();
    return !work.empty();
}

}  // namespace

ActionId schedule(std::uint64_t due, std::function<void()> action)
{
    Scheduler& s = scheduler();
    ActionId id = s.nextId++;
    s.actions.emplace(std::make_pair(due, id), std::move(action));
    s.dueOf[id] = due;
    wake();
    return id;
}

void cancel(ActionId id)
{
    Scheduler& s = scheduler();
    auto it = s.dueOf.find(id);
    if (it == s.dueOf.end()) return;
    s.actions.erase(std::make_pair(it->second, id));
    s.dueOf.erase(it);
}

std::optional<std::uint64_t> nextActionDue()
{
    Scheduler& s = scheduler();
    if (s.actions.empty()) return std::nullopt;
    return s.actions.begin()->first.first;
}

bool runDueActions()
{
    Scheduler& s = scheduler();
    bool ran = runCrossThreadWork();
    for (;;) {
        if (s.actions.empty() || s.actions.begin()->first.first > now()) break;
        auto first = s.actions.begin();
        auto action = std::move(first->second);
        s.dueOf.erase(first->first.second);
        s.actions.erase(first);
        action();
        ran = true;
    }
    return ran;
}

void runActionsUntil(std::uint64_t t)
{
    Scheduler& s = scheduler();
    runDueActions();
    if (virtualClock()) {
        while (!s.actions.empty() && s.actions.begin()->first.first <= t) {
            advanceTo(s.actions.begin()->first.first);
            runDueActions();
        }
    }
    advanceTo(t);
    runDueActions();
}

void runOnMainThread(std::function<void()> action)
{
    Scheduler& s = scheduler();
    {
        std::lock_guard lock(s.crossLock);
        s.fromOtherThreads.push_back(std::move(action));
    }
    wake();
}

void wake()
{
    Scheduler& s = scheduler();
    {
        std::lock_guard lock(s.crossLock);
        s.woken = true;
    }
    s.wakeUp.notify_all();
}

void waitUntil(std::optional<std::uint64_t> t)
{
    Scheduler& s = scheduler();
    if (virtualClock()) {
        if (!t) {
            std::fflush(stdout);
            std::fprintf(stderr,
                         "win32: the message loop waits for a message on the virtual clock, but nothing is "
                         "scheduled and nothing can post one\n");
            std::abort();
        }
        advanceTo(*t);
        return;
    }
    std::unique_lock lock(s.crossLock);
    if (s.woken || !s.fromOtherThreads.empty()) {
        s.woken = false;
        return;
    }
    if (!t) {
        s.wakeUp.wait(lock, [&] { return s.woken || !s.fromOtherThreads.empty(); });
    } else {
        std::chrono::steady_clock::time_point deadline{std::chrono::nanoseconds(realDeadline(*t))};
        s.wakeUp.wait_until(lock, deadline, [&] { return s.woken || !s.fromOtherThreads.empty(); });
    }
    s.woken = false;
}

}  // namespace win32::user
