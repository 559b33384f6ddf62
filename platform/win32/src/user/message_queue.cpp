// Posted messages and the quit flag. PostMessageW may be called from any thread
// (the real audio backend does), so the queue has a lock; everything else happens
// on the main thread.
#include "user/message_queue.h"

#include <algorithm>
#include <deque>
#include <mutex>

#include "user/clock.h"
#include "user/scheduler.h"
#include "user/window.h"

namespace win32::user {
namespace {

struct Queue {
    std::mutex lock;
    std::deque<MSG> posted;
    bool quit = false;
    int quitCode = 0;
};

Queue& queue()
{
    static Queue* q = new Queue;
    return *q;
}

}  // namespace

bool Filter::matches(HWND target, UINT message) const
{
    if (hwnd == reinterpret_cast<HWND>(-1)) {
        if (target != nullptr) return false;
    } else if (hwnd != nullptr && target != hwnd && !IsChild(hwnd, target)) {
        return false;
    }
    if (min == 0 && max == 0) return true;
    return message >= min && message <= max;
}

MSG makeMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG m{};
    m.hwnd = hwnd;
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    m.time = static_cast<DWORD>(now());
    GetCursorPos(&m.pt);
    return m;
}

void post(const MSG& msg)
{
    Queue& q = queue();
    {
        std::lock_guard lock(q.lock);
        q.posted.push_back(msg);
    }
    wake();
}

bool takePosted(const Filter& filter, bool remove, MSG& out)
{
    Queue& q = queue();
    std::lock_guard lock(q.lock);
    for (auto it = q.posted.begin(); it != q.posted.end(); ++it) {
        if (!filter.matches(it->hwnd, it->message)) continue;
        out = *it;
        if (remove) q.posted.erase(it);
        return true;
    }
    return false;
}

bool takeQuit(bool remove, MSG& out)
{
    Queue& q = queue();
    std::lock_guard lock(q.lock);
    if (!q.quit) return false;
    out = MSG{};
    out.message = WM_QUIT;
    out.wParam = static_cast<WPARAM>(q.quitCode);
    out.time = static_cast<DWORD>(now());
    if (remove) q.quit = false;
    return true;
}

void postQuit(int code)
{
    Queue& q = queue();
    {
        std::lock_guard lock(q.lock);
        q.quit = true;
        q.quitCode = code;
    }
    wake();
}

void purgeWindow(HWND hwnd)
{
    Queue& q = queue();
    std::lock_guard lock(q.lock);
    q.posted.erase(std::remove_if(q.posted.begin(), q.posted.end(), [&](const MSG& m) { return m.hwnd == hwnd; }),
                   q.posted.end());
}

}  // namespace win32::user

using namespace win32::user;

BOOL PostMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    if (hWnd != nullptr && fromHandle(hWnd) == nullptr) return FALSE;
    post(makeMessage(hWnd, Msg, wParam, lParam));
    return TRUE;
}

void PostQuitMessage(int nExitCode) { postQuit(nExitCode); }
