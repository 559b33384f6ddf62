// What a window is and how it relates to others: validity, visibility, parent and
// owner, siblings, window longs, text and class name.
#include <algorithm>
#include <cstring>

#include "user/window.h"
#include "user/window_class.h"

using namespace win32::user;

namespace {

bool extraIndex(const Window* w, int index, size_t size)
{
    return index >= 0 && static_cast<size_t>(index) + size <= w->extra.size();
}

}  // namespace

BOOL IsWindow(HWND hWnd) { return fromHandleQuiet(hWnd) != nullptr ? TRUE : FALSE; }

BOOL IsWindowVisible(HWND hWnd)
{
    Window* w = fromHandleQuiet(hWnd);
    if (w == nullptr) return FALSE;
    for (; w != nullptr; w = w->parent)
        if (!(w->style & WS_VISIBLE)) return FALSE;
    return TRUE;
}

BOOL IsIconic(HWND hWnd)
{
    Window* w = fromHandleQuiet(hWnd);
    return w != nullptr && (w->style & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL IsChild(HWND hWndParent, HWND hWnd)
{
    Window* p = fromHandleQuiet(hWndParent);
    Window* w = fromHandleQuiet(hWnd);
    if (p == nullptr || w == nullptr) return FALSE;
    for (Window* a = w->parent; a != nullptr && a != desktop(); a = a->parent)
        if (a == p) return TRUE;
    return FALSE;
}

HWND GetParent(HWND hWnd)
{
    Window* w = fromHandle(hWnd);
    if (w == nullptr) return nullptr;
    // As on Windows: a child's parent, a popup's owner, nothing for other windows.
    if (w->style & WS_CHILD) return w->parent && w->parent != desktop() ? w->parent->handle : nullptr;
    if (w->style & WS_POPUP) return w->owner ? w->owner->handle : nullptr;
    return nullptr;
}

HWND GetWindow(HWND hWnd, UINT uCmd)
{
    Window* w = fromHandle(hWnd);
    if (w == nullptr) return nullptr;
    if (uCmd == GW_CHILD) return w->children.empty() ? nullptr : w->children.front()->handle;
    if (uCmd == GW_OWNER) return w->owner ? w->owner->handle : nullptr;
    if (w->parent == nullptr) return nullptr;
    auto& sibs = w->parent->children;
    auto it = std::find(sibs.begin(), sibs.end(), w);
    switch (uCmd) {
    case GW_HWNDFIRST: return sibs.front()->handle;
    case GW_HWNDLAST: return sibs.back()->handle;
    case GW_HWNDNEXT: return (it != sibs.end() && it + 1 != sibs.end()) ? (*(it + 1))->handle : nullptr;
    case GW_HWNDPREV: return (it != sibs.begin() && it != sibs.end()) ? (*(it - 1))->handle : nullptr;
    default: SetLastError(ERROR_INVALID_PARAMETER); return nullptr;
    }
}

HWND GetAncestor(HWND hwnd, UINT gaFlags)
{
    Window* w = fromHandle(hwnd);
    if (w == nullptr || w == desktop()) return nullptr;
    switch (gaFlags) {
    case GA_PARENT: return w->parent ? w->parent->handle : nullptr;
    case GA_ROOT: return topLevelOf(w)->handle;
    case GA_ROOTOWNER: {
        Window* r = topLevelOf(w);
        while (r->owner != nullptr) r = r->owner;
        return r->handle;
    }
    default: return nullptr;
    }
}

HWND GetDesktopWindow() { return desktop()->handle; }

LONG_PTR GetWindowLongPtrW(HWND hWnd, int nIndex)
{
    Window* w = fromHandle(hWnd);
    if (w == nullptr) return 0;
    switch (nIndex) {
    case GWL_STYLE: return static_cast<LONG_PTR>(w->style);
    case GWL_EXSTYLE: return static_cast<LONG_PTR>(w->exStyle);
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT: return reinterpret_cast<LONG_PTR>(GetParent(hWnd));
    case GWLP_ID: return w->id;
    case GWLP_USERDATA: return w->userData;
    default:
        if (!extraIndex(w, nIndex, sizeof(LONG_PTR))) {
            SetLastError(1413L);  // ERROR_INVALID_INDEX
            return 0;
        }
        LONG_PTR v;
        std::memcpy(&v, w->extra.data() + nIndex, sizeof v);
        return v;
    }
}

LONG_PTR SetWindowLongPtrW(HWND hWnd, int nIndex, LONG_PTR dwNewLong)
{
    Window* w = fromHandle(hWnd);
    if (w == nullptr) return 0;
    LONG_PTR old = GetWindowLongPtrW(hWnd, nIndex);
    switch (nIndex) {
    case GWL_STYLE: w->style = static_cast<DWORD>(dwNewLong); break;
    case GWL_EXSTYLE:
        w->exStyle = static_cast<DWORD>(dwNewLong);
        if (!(w->exStyle & WS_EX_LAYERED)) w->surface.reset();  // no longer layered: its picture goes
        break;
    case GWLP_WNDPROC: w->proc = reinterpret_cast<WNDPROC>(dwNewLong); break;
    case GWLP_HINSTANCE: w->instance = reinterpret_cast<HINSTANCE>(dwNewLong); break;
    case GWLP_ID: w->id = dwNewLong; break;
    case GWLP_USERDATA: w->userData = dwNewLong; break;
    case GWLP_HWNDPARENT:
        if (isTopLevel(w)) {
            Window* o = fromHandleQuiet(reinterpret_cast<HWND>(dwNewLong));
            w->owner = o ? topLevelOf(o) : nullptr;
            keepOwnedAboveOwners();
        }
        break;
    default:
        if (!extraIndex(w, nIndex, sizeof(LONG_PTR))) {
            SetLastError(1413L);
            return 0;
        }
        std::memcpy(w->extra.data() + nIndex, &dwNewLong, sizeof dwNewLong);
        break;
    }
    layoutChanged();
    return old;
}

int GetWindowTextW(HWND hWnd, LPWSTR lpString, int nMaxCount)
{
    if (lpString == nullptr || nMaxCount <= 0) return 0;
    lpString[0] = 0;
    if (fromHandle(hWnd) == nullptr) return 0;
    return static_cast<int>(SendMessageW(hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount), reinterpret_cast<LPARAM>(lpString)));
}

int GetWindowTextLengthW(HWND hWnd)
{
    if (fromHandle(hWnd) == nullptr) return 0;
    return static_cast<int>(SendMessageW(hWnd, WM_GETTEXTLENGTH, 0, 0));
}

BOOL SetWindowTextW(HWND hWnd, LPCWSTR lpString)
{
    if (fromHandle(hWnd) == nullptr) return FALSE;
    return static_cast<BOOL>(SendMessageW(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString)));
}

int GetClassNameW(HWND hWnd, LPWSTR lpClassName, int nMaxCount)
{
    Window* w = fromHandle(hWnd);
    if (w == nullptr || lpClassName == nullptr || nMaxCount <= 0) return 0;
    const std::wstring& name = w == desktop() ? std::wstring(L"#32769") : w->wndClass->name;
    size_t n = std::min<size_t>(name.size(), static_cast<size_t>(nMaxCount) - 1);
    std::memcpy(lpClassName, name.data(), n * sizeof(wchar_t));
    lpClassName[n] = 0;
    return static_cast<int>(n);
}
