// DefWindowProcW: what a window does with a message its procedure leaves alone.
#include <algorithm>
#include <cstring>

#include "user/window.h"

namespace win32::user {
LRESULT hitTestCode(Window* w, POINT screen);
}

using namespace win32::user;

namespace {

LRESULT copyText(const std::wstring& text, WPARAM size, LPARAM buffer)
{
    auto* out = reinterpret_cast<wchar_t*>(buffer);
    if (out == nullptr || size == 0) return 0;
    size_t n = std::min<size_t>(text.size(), size - 1);
    std::memcpy(out, text.data(), n * sizeof(wchar_t));
    out[n] = 0;
    return static_cast<LRESULT>(n);
}

}  // namespace

LRESULT DefWindowProcW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    Window* w = fromHandle(hWnd);
    if (w == nullptr) return 0;
    switch (Msg) {
    case WM_NCCREATE: {
        auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        if (cs != nullptr && cs->lpszName != nullptr && !IS_INTRESOURCE(cs->lpszName)) w->text = cs->lpszName;
        return TRUE;
    }
    case WM_SETTEXT:
        w->text = lParam ? reinterpret_cast<LPCWSTR>(lParam) : L"";
        return TRUE;
    case WM_GETTEXT:
        return copyText(w->text, wParam, lParam);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(w->text.size());
    case WM_CLOSE:
        DestroyWindow(hWnd);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hWnd, &ps);
        EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_NCHITTEST: {
        POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        return hitTestCode(w, pt);
    }
    case WM_SETCURSOR:
        // A child lets its parent decide first.
        if ((w->style & WS_CHILD) && w->parent != nullptr &&
            SendMessageW(w->parent->handle, WM_SETCURSOR, wParam, lParam) != 0)
            return TRUE;
        if (static_cast<short>(LOWORD(lParam)) == HTERROR && HIWORD(lParam) == WM_LBUTTONDOWN) MessageBeep(0);
        return FALSE;
    case WM_MOUSEACTIVATE:
        if ((w->style & WS_CHILD) && w->parent != nullptr) {
            LRESULT r = SendMessageW(w->parent->handle, WM_MOUSEACTIVATE, wParam, lParam);
            if (r != 0) return r;
        }
        return (w->exStyle & WS_EX_NOACTIVATE) ? MA_NOACTIVATE : MA_ACTIVATE;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !(w->style & WS_MINIMIZE)) SetFocus(hWnd);
        return 0;
    case WM_CANCELMODE:
        if (GetCapture() == hWnd) ReleaseCapture();
        return 0;
    case WM_GETICON:
        if (wParam == ICON_BIG) return reinterpret_cast<LRESULT>(w->iconBig);
        if (wParam == ICON_SMALL) return reinterpret_cast<LRESULT>(w->iconSmall);
        if (wParam == ICON_SMALL2) return reinterpret_cast<LRESULT>(w->iconSmall ? w->iconSmall : w->iconBig);
        return 0;
    case WM_SETICON: {
        HICON previous = nullptr;
        if (wParam == ICON_BIG) {
            previous = w->iconBig;
            w->iconBig = reinterpret_cast<HICON>(lParam);
        } else if (wParam == ICON_SMALL) {
            previous = w->iconSmall;
            w->iconSmall = reinterpret_cast<HICON>(lParam);
        }
        return reinterpret_cast<LRESULT>(previous);
    }
    default:
        return 0;
    }
}
