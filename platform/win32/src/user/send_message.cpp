// SendMessageW and CallWindowProcW: a sent message calls the window procedure at
// once, on the same thread, as it does on Windows for a window of the caller's
// thread.
#include "user/window.h"

using namespace win32::user;

LRESULT CallWindowProcW(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    if (lpPrevWndFunc == nullptr) return 0;
    return lpPrevWndFunc(hWnd, Msg, wParam, lParam);
}

LRESULT SendMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    Window* w = fromHandle(hWnd);
    if (w == nullptr) return 0;
    return CallWindowProcW(w->proc, hWnd, Msg, wParam, lParam);
}
