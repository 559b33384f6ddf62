// CreateWindowExW and DestroyWindow with Windows' order of messages: WM_NCCREATE,
// WM_CREATE, WM_SIZE, WM_MOVE, then the showing of a WS_VISIBLE window; on the way
// out, owned windows first, then WM_DESTROY to the window and (after it) to each
// child, WM_NCDESTROY to the children before the window itself.
#include "user/activation.h"
#include "user/create_hook.h"
#include "user/dialog_state.h"
#include "user/message_queue.h"
#include "user/window.h"
#include "user/window_class.h"

namespace win32::user {
namespace {

CreateHook gCreateHook = nullptr;

void notifyMoveAndSize(Window* w)
{
    RECT c = clientRectInWindow(w);
    SendMessageW(w->handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.right - c.left, c.bottom - c.top));
    if (fromHandleQuiet(w->handle) == nullptr) return;
    POINT o{w->rect.left + c.left, w->rect.top + c.top};
    SendMessageW(w->handle, WM_MOVE, 0, MAKELPARAM(o.x, o.y));
}

// Sends the final messages to w and its children and frees them.
void destroyTree(HWND hwnd)
{
    Window* w = fromHandleQuiet(hwnd);
    if (w == nullptr) return;
    w->destroying = true;
    SendMessageW(hwnd, WM_DESTROY, 0, 0);
    w = fromHandleQuiet(hwnd);
    if (w == nullptr) return;
    std::vector<HWND> kids;
    for (Window* c : w->children) kids.push_back(c->handle);
    for (HWND k : kids) {
        if (Window* c = fromHandleQuiet(k)) c->destroying = true;
        destroyTree(k);
    }
    SendMessageW(hwnd, WM_NCDESTROY, 0, 0);
    w = fromHandleQuiet(hwnd);
    if (w == nullptr) return;
    killWindowTimers(hwnd);
    purgeWindow(hwnd);
    mouseForgetWindow(hwnd);
    for (Window* o : ownedBy(w)) o->owner = nullptr;
    unlink(w);
    unregisterWindow(w);
    delete w;
}

}  // namespace

void setCreateHook(CreateHook hook) { gCreateHook = hook; }

void runCreateHook(HWND hwnd)
{
    if (gCreateHook != nullptr) gCreateHook(hwnd);
}

}  // namespace win32::user

using namespace win32::user;

HWND CreateWindowExW(DWORD dwExStyle, LPCWSTR lpClassName, LPCWSTR lpWindowName, DWORD dwStyle, int X, int Y,
                     int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam)
{
    const WindowClass* cls = findClass(lpClassName);
    if (cls == nullptr) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    Window* parentWindow = nullptr;
    if (hWndParent != nullptr && hWndParent != HWND_DESKTOP) {
        parentWindow = fromHandle(hWndParent);
        if (parentWindow == nullptr) return nullptr;
    }
    bool child = (dwStyle & (WS_CHILD | WS_POPUP)) == WS_CHILD;
    if (child && parentWindow == nullptr) {
        SetLastError(1406L);  // ERROR_TLW_WITH_WSCHILD
        return nullptr;
    }
    if (!child && !(dwStyle & WS_POPUP)) dwStyle |= WS_CAPTION | WS_CLIPSIBLINGS;  // overlapped windows always have a caption

    auto* w = new Window;
    w->handle = newHandle();
    w->wndClass = cls;
    w->proc = cls->proc;
    w->instance = hInstance;
    w->style = dwStyle & ~WS_VISIBLE;
    w->exStyle = dwExStyle;
    w->extra.assign(static_cast<size_t>(cls->cbWndExtra), 0);
    if (child) {
        w->parent = parentWindow;
        w->id = reinterpret_cast<LONG_PTR>(hMenu);
    } else {
        w->parent = desktop();
        w->owner = parentWindow ? topLevelOf(parentWindow) : nullptr;
    }
    if (X == CW_USEDEFAULT) X = Y = 0;
    if (nWidth == CW_USEDEFAULT) {
        nWidth = child ? 0 : 960;
        nHeight = child ? 0 : 540;
    }
    w->rect = RECT{X, Y, X + (nWidth > 0 ? nWidth : 0), Y + (nHeight > 0 ? nHeight : 0)};
    registerWindow(w);
    linkInZOrder(w, nullptr);
    keepOwnedAboveOwners();
    HWND hwnd = w->handle;
    runCreateHook(hwnd);

    CREATESTRUCTW cs{lpParam, hInstance, hMenu, hWndParent, nHeight, nWidth, Y, X, static_cast<LONG>(dwStyle),
                     lpWindowName, lpClassName, dwExStyle};
    if (!SendMessageW(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        if (fromHandleQuiet(hwnd)) destroyTree(hwnd);
        return nullptr;
    }
    if (fromHandleQuiet(hwnd) == nullptr) return nullptr;
    if (SendMessageW(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    w = fromHandleQuiet(hwnd);
    if (w == nullptr) return nullptr;
    notifyMoveAndSize(w);
    if ((dwStyle & WS_VISIBLE) && fromHandleQuiet(hwnd) != nullptr) ShowWindow(hwnd, SW_SHOW);
    layoutChanged();
    return fromHandleQuiet(hwnd) ? hwnd : nullptr;
}

BOOL DestroyWindow(HWND hWnd)
{
    Window* w = fromHandle(hWnd);
    if (w == nullptr || w == desktop()) return FALSE;
    if (w->destroying) return TRUE;
    w->destroying = true;
    // Owned windows go first, completely.
    std::vector<HWND> owned;
    for (Window* o : ownedBy(w)) owned.push_back(o->handle);
    for (HWND o : owned) DestroyWindow(o);
    w = fromHandleQuiet(hWnd);
    if (w == nullptr) return TRUE;
    // Hidden first, as Windows does: a child through ShowWindow (so it hears
    // WM_SHOWWINDOW), a top-level window quietly.
    if (w->style & WS_VISIBLE) {
        if (w->style & WS_CHILD) {
            ShowWindow(hWnd, SW_HIDE);
        } else {
            w->style &= ~WS_VISIBLE;
            windowLeaving(w);
        }
    } else {
        windowLeaving(w);
    }
    if (fromHandleQuiet(hWnd) == nullptr) return TRUE;
    destroyTree(hWnd);
    layoutChanged();
    return TRUE;
}
