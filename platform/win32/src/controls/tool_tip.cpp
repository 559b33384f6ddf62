// The "tooltips_class32" class. Tools are windows (TTF_IDISHWND) or rectangles of a
// window. The owner relays its mouse messages (TTM_RELAYEVENT); when the cursor has
// rested on a tool for the initial delay, the tip window shows the tool's text
// below the cursor, until the cursor leaves the tool, a button is pressed, or the
// automatic pop delay runs out. Without TTS_ALWAYSTIP a tip shows only while the
// tool's window (or one of its ancestors) is the active window. What would show is
// observable: the tip window is visible and its text is the tip's text.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "commctrl.h"
#include "controls/controls.h"
#include "user/window.h"
#include "user/window_class.h"

namespace win32::controls {
namespace {

constexpr UINT_PTR kInitialTimer = 1;
constexpr UINT_PTR kPopTimer = 2;
constexpr UINT_PTR kCheckTimer = 3;
constexpr UINT kCheckPeriod = 100;

struct Tool {
    UINT flags = 0;
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    RECT rect{};
    HINSTANCE hinst = nullptr;
    std::wstring text;
    UINT textId = 0;  // a string table id when hinst is set
    LPARAM lParam = 0;
};

struct ToolTip {
    std::vector<Tool> tools;
    bool active = true;
    int maxWidth = -1;
    int initial = -1, autopop = -1, reshow = -1;  // -1: the defaults
    int current = -1;     // the tool under the cursor, from the last relayed move
    int suppressed = -1;  // a tool whose tip a click or a timeout ended
    bool shown = false;
};

ToolTip* tipOf(HWND h) { return reinterpret_cast<ToolTip*>(GetWindowLongPtrW(h, 0)); }

int delay(const ToolTip* t, int which)
{
    UINT dbl = GetDoubleClickTime();
    switch (which) {
    case TTDT_INITIAL: return t->initial >= 0 ? t->initial : static_cast<int>(dbl);
    case TTDT_AUTOPOP: return t->autopop >= 0 ? t->autopop : static_cast<int>(dbl * 10);
    case TTDT_RESHOW: return t->reshow >= 0 ? t->reshow : static_cast<int>(dbl / 5);
    default: return 0;
    }
}

HWND toolWindow(const Tool& tool) { return (tool.flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(tool.id) : tool.hwnd; }

int findTool(ToolTip* t, HWND hwnd, UINT_PTR id)
{
    for (size_t i = 0; i < t->tools.size(); ++i)
        if (t->tools[i].hwnd == hwnd && t->tools[i].id == id) return static_cast<int>(i);
    return -1;
}

int findTool(ToolTip* t, const TTTOOLINFOW* ti)
{
    if (ti == nullptr || ti->cbSize < TTTOOLINFOW_V1_SIZE) return -1;
    return findTool(t, ti->hwnd, ti->uId);
}

std::wstring resolvedText(const Tool& tool)
{
    if (tool.textId != 0) {
        const wchar_t* p = nullptr;
        int n = LoadStringW(tool.hinst, tool.textId, reinterpret_cast<LPWSTR>(&p), 0);
        return n > 0 && p ? std::wstring(p, static_cast<size_t>(n)) : std::wstring();
    }
    return tool.text;
}

bool setToolText(Tool& tool, HINSTANCE hinst, LPWSTR text)
{
    if (text == LPSTR_TEXTCALLBACKW) return false;  // no TTN_GETDISPINFO here
    tool.hinst = hinst;
    tool.textId = 0;
    tool.text.clear();
    if (text != nullptr && IS_INTRESOURCE(text)) {
        if (hinst == nullptr) return false;
        tool.textId = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(text));
    } else if (text != nullptr) {
        tool.text = text;
    }
    return true;
}

// Whether the cursor is over the tool now.
bool cursorOn(const Tool& tool)
{
    POINT p;
    GetCursorPos(&p);
    HWND under = WindowFromPoint(p);
    HWND w = toolWindow(tool);
    if (under == nullptr || w == nullptr) return false;
    if (tool.flags & TTF_IDISHWND) return under == w || IsChild(w, under);
    if (under != w) return false;
    ScreenToClient(w, &p);
    return PtInRect(&tool.rect, p);
}

bool ownerActive(HWND tip, const Tool& tool)
{
    if (GetWindowLongPtrW(tip, GWL_STYLE) & TTS_ALWAYSTIP) return true;
    HWND active = GetActiveWindow();
    HWND w = toolWindow(tool);
    return active != nullptr && (active == w || IsChild(active, w));
}

void hide(HWND h, ToolTip* t)
{
    KillTimer(h, kPopTimer);
    KillTimer(h, kCheckTimer);
    if (t->shown) {
        t->shown = false;
        ShowWindow(h, SW_HIDE);
    }
}

void showCurrent(HWND h, ToolTip* t)
{
    if (t->current < 0 || !t->active) return;
    const Tool& tool = t->tools[static_cast<size_t>(t->current)];
    std::wstring text = resolvedText(tool);
    if (text.empty() || !ownerActive(h, tool) || !cursorOn(tool)) return;
    SetWindowTextW(h, text.c_str());
    // A plain box below the cursor: about 6 pixels a character, wrapped at the
    // maximum width.
    POINT p;
    GetCursorPos(&p);
    int perLine = static_cast<int>(text.size()) * 6 + 8;
    int width = t->maxWidth > 0 ? std::min(perLine, t->maxWidth) : perLine;
    int lines = (perLine + width - 1) / std::max(width, 1);
    SetWindowPos(h, HWND_TOPMOST, p.x, p.y + 20, width, lines * 15 + 6, SWP_NOACTIVATE);
    ShowWindow(h, SW_SHOWNA);
    t->shown = true;
    SetTimer(h, kPopTimer, static_cast<UINT>(delay(t, TTDT_AUTOPOP)), nullptr);
    SetTimer(h, kCheckTimer, kCheckPeriod, nullptr);
}

void relay(HWND h, ToolTip* t, const MSG* m)
{
    if (m == nullptr || !t->active) return;
    switch (m->message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        KillTimer(h, kInitialTimer);
        hide(h, t);
        t->suppressed = t->current;
        return;
    case WM_MOUSEMOVE: {
        int found = -1;
        POINT c{static_cast<short>(LOWORD(m->lParam)), static_cast<short>(HIWORD(m->lParam))};
        for (size_t i = 0; i < t->tools.size() && found < 0; ++i) {
            const Tool& tool = t->tools[i];
            if (tool.flags & TTF_IDISHWND) {
                if (m->hwnd == reinterpret_cast<HWND>(tool.id)) found = static_cast<int>(i);
            } else if (m->hwnd == tool.hwnd && PtInRect(&tool.rect, c)) {
                found = static_cast<int>(i);
            }
        }
        if (found == t->current) return;
        bool wasShown = t->shown;
        hide(h, t);
        KillTimer(h, kInitialTimer);
        t->current = found;
        if (found != t->suppressed) t->suppressed = -1;
        if (found >= 0 && found != t->suppressed)
            SetTimer(h, kInitialTimer, static_cast<UINT>(delay(t, wasShown ? TTDT_RESHOW : TTDT_INITIAL)), nullptr);
        return;
    }
    default:
        return;
    }
}

void onTimer(HWND h, ToolTip* t, UINT_PTR id)
{
    if (id == kInitialTimer) {
        KillTimer(h, kInitialTimer);
        showCurrent(h, t);
    } else if (id == kPopTimer) {
        hide(h, t);
        t->suppressed = t->current;
    } else if (id == kCheckTimer) {
        if (t->current < 0 || !cursorOn(t->tools[static_cast<size_t>(t->current)])) {
            hide(h, t);
            t->current = -1;
            t->suppressed = -1;
        }
    }
}

void forget(HWND h, ToolTip* t, int index)
{
    if (t->current == index) {
        KillTimer(h, kInitialTimer);
        hide(h, t);
        t->current = -1;
    } else if (t->current > index) {
        --t->current;
    }
    if (t->suppressed == index) t->suppressed = -1;
    else if (t->suppressed > index) --t->suppressed;
    t->tools.erase(t->tools.begin() + index);
}

void fillInfo(const Tool& tool, TTTOOLINFOW* ti)
{
    ti->uFlags = tool.flags;
    ti->hwnd = tool.hwnd;
    ti->uId = tool.id;
    ti->rect = tool.rect;
    ti->hinst = tool.hinst;
    if (ti->cbSize >= TTTOOLINFOW_V2_SIZE) ti->lParam = tool.lParam;
}

LRESULT CALLBACK toolTipProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    ToolTip* t = tipOf(h);
    if (msg == WM_NCCREATE) {
        SetWindowLongPtrW(h, 0, reinterpret_cast<LONG_PTR>(new ToolTip));
        SetWindowLongPtrW(h, GWL_EXSTYLE, GetWindowLongPtrW(h, GWL_EXSTYLE) | WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
        return DefWindowProcW(h, msg, wp, lp);
    }
    if (msg == WM_NCDESTROY) {
        delete t;
        SetWindowLongPtrW(h, 0, 0);
        return 0;
    }
    if (t == nullptr) return DefWindowProcW(h, msg, wp, lp);
    switch (msg) {
    case TTM_ADDTOOLW: {
        auto* ti = reinterpret_cast<const TTTOOLINFOW*>(lp);
        if (ti == nullptr || ti->cbSize < TTTOOLINFOW_V1_SIZE) return FALSE;
        Tool tool;
        tool.flags = ti->uFlags;
        tool.hwnd = ti->hwnd;
        tool.id = ti->uId;
        tool.rect = ti->rect;
        if (ti->cbSize >= TTTOOLINFOW_V2_SIZE) tool.lParam = ti->lParam;
        if (!setToolText(tool, ti->hinst, ti->lpszText)) return FALSE;
        int existing = findTool(t, tool.hwnd, tool.id);
        if (existing >= 0) forget(h, t, existing);
        t->tools.push_back(tool);
        return TRUE;
    }
    case TTM_DELTOOLW: {
        int i = findTool(t, reinterpret_cast<const TTTOOLINFOW*>(lp));
        if (i >= 0) forget(h, t, i);
        return 0;
    }
    case TTM_NEWTOOLRECTW: {
        auto* ti = reinterpret_cast<const TTTOOLINFOW*>(lp);
        int i = findTool(t, ti);
        if (i >= 0) t->tools[static_cast<size_t>(i)].rect = ti->rect;
        return 0;
    }
    case TTM_UPDATETIPTEXTW: {
        auto* ti = reinterpret_cast<const TTTOOLINFOW*>(lp);
        int i = findTool(t, ti);
        if (i < 0) return 0;
        Tool& tool = t->tools[static_cast<size_t>(i)];
        setToolText(tool, ti->hinst, ti->lpszText);
        if (t->shown && t->current == i) SetWindowTextW(h, resolvedText(tool).c_str());
        return 0;
    }
    case TTM_GETTEXTW: {
        auto* ti = reinterpret_cast<TTTOOLINFOW*>(lp);
        int i = findTool(t, ti);
        if (ti == nullptr || ti->lpszText == nullptr || wp == 0) return 0;
        std::wstring text = i >= 0 ? resolvedText(t->tools[static_cast<size_t>(i)]) : std::wstring();
        size_t n = std::min<size_t>(text.size(), wp - 1);
        std::memcpy(ti->lpszText, text.data(), n * sizeof(wchar_t));
        ti->lpszText[n] = 0;
        return static_cast<LRESULT>(n);
    }
    case TTM_GETTOOLINFOW: {
        auto* ti = reinterpret_cast<TTTOOLINFOW*>(lp);
        int i = findTool(t, ti);
        if (i < 0) return FALSE;
        fillInfo(t->tools[static_cast<size_t>(i)], ti);
        return TRUE;
    }
    case TTM_GETCURRENTTOOLW: {
        if (!t->shown || t->current < 0) return FALSE;
        auto* ti = reinterpret_cast<TTTOOLINFOW*>(lp);
        if (ti != nullptr && ti->cbSize >= TTTOOLINFOW_V1_SIZE) fillInfo(t->tools[static_cast<size_t>(t->current)], ti);
        return TRUE;
    }
    case TTM_GETTOOLCOUNT:
        return static_cast<LRESULT>(t->tools.size());
    case TTM_RELAYEVENT:
        relay(h, t, reinterpret_cast<const MSG*>(lp));
        return 0;
    case TTM_ACTIVATE:
        t->active = wp != 0;
        if (!t->active) {
            KillTimer(h, kInitialTimer);
            hide(h, t);
            t->current = -1;
        }
        return 0;
    case TTM_POP:
        KillTimer(h, kInitialTimer);
        hide(h, t);
        return 0;
    case TTM_SETMAXTIPWIDTH: {
        int old = t->maxWidth;
        t->maxWidth = static_cast<int>(lp);
        return old;
    }
    case TTM_GETMAXTIPWIDTH:
        return t->maxWidth;
    case TTM_SETDELAYTIME: {
        int value = static_cast<short>(LOWORD(lp));
        if (wp == TTDT_AUTOMATIC) {
            t->initial = value < 0 ? -1 : value;
            t->autopop = value < 0 ? -1 : value * 10;
            t->reshow = value < 0 ? -1 : value / 5;
        } else if (wp == TTDT_INITIAL) {
            t->initial = value < 0 ? -1 : value;
        } else if (wp == TTDT_AUTOPOP) {
            t->autopop = value < 0 ? -1 : value;
        } else if (wp == TTDT_RESHOW) {
            t->reshow = value < 0 ? -1 : value;
        }
        return 0;
    }
    case TTM_GETDELAYTIME:
        return delay(t, static_cast<int>(wp));
    case WM_TIMER:
        onTimer(h, t, wp);
        return 0;
    default:
        return DefWindowProcW(h, msg, wp, lp);
    }
}

bool alwaysTransparent(const win32::user::Window*) { return true; }

}  // namespace

void registerToolTipClass()
{
    win32::user::WindowClass cls;
    cls.name = TOOLTIPS_CLASSW;
    cls.proc = toolTipProc;
    cls.cbWndExtra = sizeof(LONG_PTR);
    cls.transparentToMouse = alwaysTransparent;
    win32::user::registerBuiltInClass(cls);
}

}  // namespace win32::controls
