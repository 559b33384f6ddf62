// The window tree and its handle table: handles, the desktop, z-order, and the
// geometry every other part asks of a window (screen positions, client areas,
// whether it is really visible and enabled).
#include <algorithm>
#include <functional>
#include <unordered_map>

#include "user/dialog_state.h"
#include "user/metrics.h"
#include "user/window.h"
#include "user/window_class.h"

namespace win32::user {

Window::Window() = default;
Window::~Window() = default;

namespace {

struct Tree {
    std::unordered_map<std::uintptr_t, Window*> byHandle;
    std::uintptr_t nextHandle = 0x10000;
    Window* desktop = nullptr;
};

Tree& tree()
{
    static Tree* t = new Tree;
    return *t;
}

bool isTopmost(const Window* w) { return (w->exStyle & WS_EX_TOPMOST) != 0; }

}  // namespace

HWND newHandle()
{
    // Handles count up in steps of two and are never reused; the special values
    // (0, 1, -1, -2, HWND_MESSAGE, HWND_BROADCAST) can never come out.
    Tree& t = tree();
    t.nextHandle += 2;
    return reinterpret_cast<HWND>(t.nextHandle);
}

void registerWindow(Window* w) { tree().byHandle[reinterpret_cast<std::uintptr_t>(w->handle)] = w; }

void unregisterWindow(Window* w) { tree().byHandle.erase(reinterpret_cast<std::uintptr_t>(w->handle)); }

Window* desktop()
{
    Tree& t = tree();
    if (t.desktop == nullptr) {
        auto* d = new Window;
        d->handle = newHandle();
        d->style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN;
        d->rect = RECT{0, 0, kScreenWidth, kScreenHeight};
        d->text = L"";
        t.desktop = d;
        registerWindow(d);
    }
    return t.desktop;
}

Window* fromHandleQuiet(HWND hwnd)
{
    if (hwnd == nullptr) return nullptr;
    desktop();
    Tree& t = tree();
    auto it = t.byHandle.find(reinterpret_cast<std::uintptr_t>(hwnd));
    return it == t.byHandle.end() ? nullptr : it->second;
}

Window* fromHandle(HWND hwnd)
{
    Window* w = fromHandleQuiet(hwnd);
    if (w == nullptr) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return w;
}

bool isTopLevel(const Window* w) { return w->parent != nullptr && w->parent == tree().desktop; }

Window* topLevelOf(Window* w)
{
    while (w != nullptr && w->parent != nullptr && !isTopLevel(w)) w = w->parent;
    return w != nullptr && isTopLevel(w) ? w : nullptr;
}

void forEachWindow(const std::function<void(Window*)>& visit)
{
    std::function<void(Window*)> walk = [&](Window* w) {
        std::vector<Window*> kids = w->children;
        for (Window* c : kids) {
            visit(c);
            walk(c);
        }
    };
    walk(desktop());
}

RECT frameInsets(DWORD style, DWORD exStyle)
{
    // The border: a sizing frame, a dialog frame, or a thin line; then the client
    // edge styles inside it; the caption on top.
    int border = 0;
    if (style & WS_THICKFRAME)
        border = metric(SM_CXFRAME);
    else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
        border = metric(SM_CXDLGFRAME);
    else if (style & WS_BORDER)
        border = metric(SM_CXBORDER);
    if (exStyle & WS_EX_CLIENTEDGE) border += metric(SM_CXEDGE);
    if (exStyle & WS_EX_STATICEDGE) border += metric(SM_CXBORDER);
    int caption = 0;
    if ((style & WS_CAPTION) == WS_CAPTION)
        caption = (exStyle & WS_EX_TOOLWINDOW) ? metric(SM_CYSMCAPTION) : metric(SM_CYCAPTION);
    return RECT{border, border + caption, border, border};
}

RECT clientRectInWindow(const Window* w)
{
    if (w == tree().desktop) return RECT{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
    RECT in = frameInsets(w->style, w->exStyle);
    LONG width = w->rect.right - w->rect.left, height = w->rect.bottom - w->rect.top;
    RECT r{in.left, in.top, width - in.right, height - in.bottom};
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

POINT clientOriginOnScreen(const Window* w)
{
    RECT onScreen = windowRectOnScreen(w);
    RECT client = clientRectInWindow(w);
    return POINT{onScreen.left + client.left, onScreen.top + client.top};
}

RECT windowRectOnScreen(const Window* w)
{
    RECT r = w->rect;
    if (w->parent != nullptr && w->parent != tree().desktop) {
        POINT o = clientOriginOnScreen(w->parent);
        OffsetRect(&r, o.x, o.y);
    }
    return r;
}

RECT clientRectOnScreen(const Window* w)
{
    RECT c = clientRectInWindow(w);
    RECT s = windowRectOnScreen(w);
    OffsetRect(&c, s.left, s.top);
    return c;
}

bool reallyVisible(const Window* w)
{
    for (; w != nullptr; w = w->parent)
        if (!(w->style & WS_VISIBLE) || (w->style & WS_MINIMIZE)) return false;
    return true;
}

bool reallyEnabled(const Window* w)
{
    for (; w != nullptr; w = w->parent)
        if (w->style & WS_DISABLED) return false;
    return true;
}

std::vector<Window*> ownedBy(const Window* w)
{
    std::vector<Window*> out;
    for (Window* c : desktop()->children)
        if (c->owner == w) out.push_back(c);
    return out;
}

void unlink(Window* w)
{
    if (w->parent == nullptr) return;
    auto& kids = w->parent->children;
    kids.erase(std::remove(kids.begin(), kids.end(), w), kids.end());
}

void linkInZOrder(Window* w, Window* after)
{
    auto& kids = w->parent->children;
    kids.erase(std::remove(kids.begin(), kids.end(), w), kids.end());
    auto pos = kids.begin();
    if (after != nullptr && after->parent == w->parent) {
        pos = std::find(kids.begin(), kids.end(), after);
        if (pos != kids.end()) ++pos;
        // A window that is not topmost cannot go above the topmost band.
        if (!isTopmost(w))
            while (pos != kids.begin() && pos != kids.end() && isTopmost(*pos)) ++pos;
        // A topmost window cannot go below the band either.
        if (isTopmost(w)) {
            auto firstOrdinary = std::find_if(kids.begin(), kids.end(), [](Window* k) { return !isTopmost(k); });
            if (pos > firstOrdinary) pos = firstOrdinary;
        }
    } else if (!isTopmost(w)) {
        pos = std::find_if(kids.begin(), kids.end(), [](Window* k) { return !isTopmost(k); });
    }
    kids.insert(pos, w);
}

void keepOwnedAboveOwners()
{
    // Walk the top-level list from the bottom; any window above which its owner
    // sits is moved to just above the owner. Repeat until nothing moves (ownership
    // chains are short).
    auto& kids = desktop()->children;
    for (bool moved = true; moved;) {
        moved = false;
        for (size_t i = 0; i < kids.size(); ++i) {
            Window* w = kids[i];
            if (w->owner == nullptr) continue;
            auto ownerPos = std::find(kids.begin(), kids.end(), w->owner);
            if (ownerPos == kids.end()) continue;
            size_t o = static_cast<size_t>(ownerPos - kids.begin());
            if (o > i) continue;  // the owner is below: fine
            // A topmost owner may own ordinary windows; they may not rise into the
            // topmost band, so they stay where they are.
            if (isTopmost(w->owner) && !isTopmost(w)) continue;
            kids.erase(kids.begin() + static_cast<long>(i));
            auto at = std::find(kids.begin(), kids.end(), w->owner);
            kids.insert(at, w);
            moved = true;
            break;
        }
    }
}

}  // namespace win32::user
