// The maps between windows and CWnd objects, the creation hook that attaches a CWnd
// to its window before the window's first message (so that WM_NCCREATE, WM_CREATE
// and WM_INITDIALOG already reach the object's message map), and the stack of
// messages being handled.
#include "mfc/window_map.h"

#include <map>
#include <memory>
#include <vector>

#include "user/create_hook.h"

namespace win32::mfc {
namespace {

struct Maps {
    std::map<HWND, CWnd*> permanent;
    std::map<HWND, std::unique_ptr<CWnd>> temporary;
    std::vector<CurrentMessage> messages;
    CWnd* creating = nullptr;
};

Maps& maps()
{
    static Maps* m = new Maps;
    return *m;
}

void onCreate(HWND hwnd)
{
    Maps& m = maps();
    CWnd* pending = m.creating;
    if (pending == nullptr) return;
    m.creating = nullptr;
    pending->SubclassWindow(hwnd);
}

}  // namespace

CWnd* permanent(HWND hwnd)
{
    auto& p = maps().permanent;
    auto it = p.find(hwnd);
    return it == p.end() ? nullptr : it->second;
}

void attach(HWND hwnd, CWnd* wnd) { maps().permanent[hwnd] = wnd; }

void detach(HWND hwnd) { maps().permanent.erase(hwnd); }

CWnd* temporary(HWND hwnd)
{
    auto& t = maps().temporary;
    // Objects of windows that are gone are dropped as we go.
    for (auto it = t.begin(); it != t.end();) it = IsWindow(it->first) ? std::next(it) : t.erase(it);
    auto it = t.find(hwnd);
    if (it != t.end()) return it->second.get();
    auto wnd = std::make_unique<CWnd>(hwnd);
    CWnd* raw = wnd.get();
    t.emplace(hwnd, std::move(wnd));
    return raw;
}

void pushMessage(const CurrentMessage& m) { maps().messages.push_back(m); }

void popMessage() { maps().messages.pop_back(); }

const CurrentMessage* currentMessage()
{
    auto& m = maps().messages;
    return m.empty() ? nullptr : &m.back();
}

}  // namespace win32::mfc

void AfxHookWindowCreate(CWnd* pWnd)
{
    static bool installed = (win32::user::setCreateHook(win32::mfc::onCreate), true);
    (void)installed;
    win32::mfc::maps().creating = pWnd;
}

BOOL AfxUnhookWindowCreate()
{
    auto& m = win32::mfc::maps();
    bool wasPending = m.creating != nullptr;
    m.creating = nullptr;
    return wasPending ? FALSE : TRUE;
}
