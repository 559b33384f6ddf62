// A window class for the conformance tests that records every message its windows
// receive, and lets a test answer some of them. Expected sequences are named
// constant data, compared after keeping only the messages the stand-in models, so
// each sequence states Windows' order for those messages (Windows sends others in
// between, which are not part of the statement).
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "windows.h"

namespace recorder {

struct Recorded {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
};

// A handler may answer a message; returning false leaves it to DefWindowProcW.
using Handler = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT&)>;

inline std::vector<Recorded>& log()
{
    static std::vector<Recorded> l;
    return l;
}

inline std::map<HWND, Handler>& handlers()
{
    static std::map<HWND, Handler> h;
    return h;
}

inline Handler& pendingHandler()
{
    static Handler h;
    return h;
}

inline LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    log().push_back(Recorded{hwnd, msg, wp, lp, GetTickCount()});
    auto it = handlers().find(hwnd);
    if (it == handlers().end() && pendingHandler()) it = handlers().emplace(hwnd, pendingHandler()).first;
    if (it != handlers().end()) {
        LRESULT result = 0;
        Handler h = it->second;
        if (h(hwnd, msg, wp, lp, result)) return result;
    }
    if (msg == WM_NCDESTROY) handlers().erase(hwnd);
    return DefWindowProcW(hwnd, msg, wp, lp);
}

inline void registerClass()
{
    static bool done = false;
    if (done) return;
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.lpszClassName = L"Recorder";
    ASSERT_NE(RegisterClassW(&wc), 0);
    done = true;
}

// A recording window; the handler, when given, sees its messages from WM_NCCREATE on.
inline HWND make(DWORD exStyle, DWORD style, int x, int y, int w, int h, HWND parent = nullptr,
                 Handler handler = nullptr, UINT_PTR id = 0)
{
    registerClass();
    pendingHandler() = std::move(handler);
    HWND hwnd = CreateWindowExW(exStyle, L"Recorder", L"", style, x, y, w, h, parent,
                                reinterpret_cast<HMENU>(id), nullptr, nullptr);
    pendingHandler() = nullptr;
    return hwnd;
}

// The messages the stand-in models; sequences are compared on these alone.
inline const std::set<UINT>& modelled()
{
    static const std::set<UINT> m{WM_NCCREATE,     WM_CREATE,      WM_SIZE,         WM_MOVE,       WM_SHOWWINDOW,
                                  WM_ACTIVATE,     WM_SETFOCUS,    WM_KILLFOCUS,    WM_DESTROY,    WM_NCDESTROY,
                                  WM_ENABLE,       WM_CAPTURECHANGED, WM_SETCURSOR, WM_MOUSEMOVE,  WM_LBUTTONDOWN,
                                  WM_LBUTTONUP,    WM_MOUSEHOVER,  WM_MOUSELEAVE,   WM_TIMER,      WM_MOUSEACTIVATE};
    return m;
}

struct Expected {
    HWND* hwnd;  // the window, filled in by the test before the comparison
    UINT message;
};

inline std::string name(UINT m)
{
    static const std::map<UINT, const char*> names{
        {WM_NCCREATE, "WM_NCCREATE"},     {WM_CREATE, "WM_CREATE"},         {WM_SIZE, "WM_SIZE"},
        {WM_MOVE, "WM_MOVE"},             {WM_SHOWWINDOW, "WM_SHOWWINDOW"}, {WM_ACTIVATE, "WM_ACTIVATE"},
        {WM_SETFOCUS, "WM_SETFOCUS"},     {WM_KILLFOCUS, "WM_KILLFOCUS"},   {WM_DESTROY, "WM_DESTROY"},
        {WM_NCDESTROY, "WM_NCDESTROY"},   {WM_ENABLE, "WM_ENABLE"},         {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"},
        {WM_SETCURSOR, "WM_SETCURSOR"},   {WM_MOUSEMOVE, "WM_MOUSEMOVE"},   {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
        {WM_LBUTTONUP, "WM_LBUTTONUP"},   {WM_MOUSEHOVER, "WM_MOUSEHOVER"}, {WM_MOUSELEAVE, "WM_MOUSELEAVE"},
        {WM_TIMER, "WM_TIMER"},           {WM_MOUSEACTIVATE, "WM_MOUSEACTIVATE"}};
    auto it = names.find(m);
    return it != names.end() ? it->second : std::to_string(m);
}

// The recorded messages (modelled ones only) of the given windows, as "window:message".
inline std::vector<std::string> recordedFor(const std::map<HWND, std::string>& windows)
{
    std::vector<std::string> out;
    for (const Recorded& r : log())
        if (windows.count(r.hwnd) && modelled().count(r.message))
            out.push_back(windows.at(r.hwnd) + ":" + name(r.message));
    return out;
}

inline std::vector<UINT> messagesOf(HWND hwnd, const std::set<UINT>& only)
{
    std::vector<UINT> out;
    for (const Recorded& r : log())
        if (r.hwnd == hwnd && only.count(r.message)) out.push_back(r.message);
    return out;
}

// Dispatches everything that is ready now, without moving the clock.
inline void pumpReady()
{
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
}

}  // namespace recorder
