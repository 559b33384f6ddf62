// The "Button" class: push buttons and check boxes. A press captures the mouse; the
// release over the button clicks it, which tells the parent with BN_CLICKED.
// BM_CLICK clicks it from code (and does nothing while the button is disabled).
#include "controls/controls.h"
#include "user/window.h"
#include "user/window_class.h"

namespace win32::controls {
namespace {

constexpr int kStateIndex = 0;  // BST_* flags kept in the window's extra bytes

LONG_PTR state(HWND h) { return GetWindowLongPtrW(h, kStateIndex); }
void setState(HWND h, LONG_PTR s) { SetWindowLongPtrW(h, kStateIndex, s); }

bool isCheckBox(HWND h)
{
    DWORD type = static_cast<DWORD>(GetWindowLongPtrW(h, GWL_STYLE)) & BS_TYPEMASK;
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON ||
           type == BS_3STATE || type == BS_AUTO3STATE;
}

void click(HWND h)
{
    DWORD type = static_cast<DWORD>(GetWindowLongPtrW(h, GWL_STYLE)) & BS_TYPEMASK;
    if (type == BS_AUTOCHECKBOX) setState(h, state(h) ^ BST_CHECKED);
    if (type == BS_AUTORADIOBUTTON) setState(h, state(h) | BST_CHECKED);
    notifyParent(h, BN_CLICKED);
}

LRESULT CALLBACK buttonProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_LBUTTONDOWN:
        SetCapture(h);
        SetFocus(h);
        setState(h, state(h) | BST_PUSHED);
        return 0;
    case WM_LBUTTONUP: {
        bool pushed = (state(h) & BST_PUSHED) != 0;
        setState(h, state(h) & ~BST_PUSHED);
        if (GetCapture() == h) ReleaseCapture();
        RECT r;
        GetClientRect(h, &r);
        POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        if (pushed && PtInRect(&r, p)) click(h);
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lp) != h) setState(h, state(h) & ~BST_PUSHED);
        return 0;
    case BM_CLICK:
        if (IsWindowEnabled(h) && IsWindowVisible(h)) click(h);
        return 0;
    case BM_GETSTATE:
        return state(h);
    case BM_SETSTATE:
        setState(h, wp ? (state(h) | BST_PUSHED) : (state(h) & ~BST_PUSHED));
        return 0;
    case BM_GETCHECK:
        return isCheckBox(h) ? (state(h) & (BST_CHECKED | 2)) : BST_UNCHECKED;
    case BM_SETCHECK:
        if (isCheckBox(h)) setState(h, (state(h) & ~(BST_CHECKED | 2)) | (wp & (BST_CHECKED | 2)));
        return 0;
    default:
        return DefWindowProcW(h, msg, wp, lp);
    }
}

}  // namespace

void registerButtonClass()
{
    win32::user::WindowClass cls;
    cls.name = L"Button";
    cls.proc = buttonProc;
    cls.cbWndExtra = sizeof(LONG_PTR);
    win32::user::registerBuiltInClass(cls);
}

}  // namespace win32::controls
