// The dialog manager: dialogs made from templates, dialog units, DefDlgProcW,
// EndDialog, GetDlgItem and MapDialogRect.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "user/dialog_state.h"
#include "user/window.h"
#include "user/window_class.h"

namespace win32::user {
namespace {

DialogState* dialogOf(HWND hDlg)
{
    Window* w = fromHandle(hDlg);
    return w ? w->dialog.get() : nullptr;
}

int mulDiv(int a, int b, int c)
{
    // Rounded to nearest, as Windows' MulDiv does.
    long long p = static_cast<long long>(a) * b;
    long long q = p >= 0 ? (p + c / 2) / c : -((-p + c / 2) / c);
    return static_cast<int>(q);
}

RECT toPixels(SIZE base, int x, int y, int cx, int cy)
{
    int left = mulDiv(x, base.cx, 4), top = mulDiv(y, base.cy, 8);
    return RECT{left, top, left + mulDiv(cx, base.cx, 4), top + mulDiv(cy, base.cy, 8)};
}

HWND firstTabStop(HWND hDlg)
{
    for (HWND c = GetWindow(hDlg, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        LONG_PTR style = GetWindowLongPtrW(c, GWL_STYLE);
        if ((style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED)) return c;
    }
    return nullptr;
}

// Messages whose dialog procedure result is returned directly, not through
// DWLP_MSGRESULT.
bool resultIsDirect(UINT msg) { return msg == WM_INITDIALOG; }

}  // namespace

SIZE fontBaseUnits(const wchar_t* typeface, int pointSize)
{
    // The character cell of the dialog fonts is about 1.21 em high and their average
    // character about 0.46 of that wide; this gives the well-known 6 x 13 of
    // "MS Shell Dlg" 8 and 7 x 15 of "Segoe UI" 9 at 96 dots per inch.
    (void)typeface;
    if (pointSize <= 0) pointSize = 8;
    double em = pointSize * 96.0 / 72.0;
    int height = static_cast<int>(std::lround(em * 1.21));
    int width = static_cast<int>(std::lround(height * 0.46));
    return SIZE{width > 0 ? width : 1, height > 0 ? height : 1};
}

HWND createDialogIndirect(HINSTANCE instance, const win32::res::DialogTemplate* tmpl, HWND owner, DLGPROC dlgProc,
                          LPARAM initParam)
{
    if (tmpl == nullptr || (tmpl->cDlgItems > 0 && tmpl->items == nullptr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    SIZE base = (tmpl->style & DS_SETFONT) ? fontBaseUnits(tmpl->typeface, tmpl->pointsize) : SIZE{8, 16};
    DWORD style = tmpl->style;
    DWORD exStyle = tmpl->exStyle;
    if (style & DS_MODALFRAME) exStyle |= WS_EX_DLGMODALFRAME;
    if (style & DS_CONTROL) {
        style = (style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU)) | WS_CHILD;
        exStyle |= WS_EX_CONTROLPARENT;
    }
    bool child = (style & WS_CHILD) != 0;

    RECT r = toPixels(base, tmpl->x, tmpl->y, tmpl->cx, tmpl->cy);
    RECT outer{0, 0, r.right - r.left, r.bottom - r.top};
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    int width = outer.right - outer.left, height = outer.bottom - outer.top;
    int x = r.left, y = r.top;
    Window* ownerWindow = owner ? fromHandleQuiet(owner) : nullptr;
    if (!child) {
        if (style & DS_CENTER) {
            RECT around{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
            if (ownerWindow != nullptr) around = windowRectOnScreen(ownerWindow);
            x = around.left + ((around.right - around.left) - width) / 2;
            y = around.top + ((around.bottom - around.top) - height) / 2;
        } else if (!(style & DS_ABSALIGN) && ownerWindow != nullptr) {
            POINT o = clientOriginOnScreen(ownerWindow);
            x += o.x;
            y += o.y;
        }
        // Kept on the screen, as Windows keeps dialogs.
        x = std::max(0, std::min(x, GetSystemMetrics(SM_CXSCREEN) - width));
        y = std::max(0, std::min(y, GetSystemMetrics(SM_CYSCREEN) - height));
    }

    HWND hDlg = CreateWindowExW(exStyle, L"#32770", tmpl->caption, style & ~WS_VISIBLE, x, y, width, height, owner,
                                nullptr, instance, nullptr);
    if (hDlg == nullptr) return nullptr;
    Window* w = fromHandleQuiet(hDlg);
    w->dialog = std::make_unique<DialogState>();
    w->dialog->dlgProc = dlgProc;
    w->dialog->baseUnits = base;

    for (WORD i = 0; i < tmpl->cDlgItems; ++i) {
        const win32::res::DialogItemTemplate& item = tmpl->items[i];
        RECT c = toPixels(base, item.x, item.y, item.cx, item.cy);
        HWND control = CreateWindowExW(item.exStyle | WS_EX_NOPARENTNOTIFY, item.windowClass, item.title,
                                       item.style | WS_CHILD, c.left, c.top, c.right - c.left, c.bottom - c.top, hDlg,
                                       reinterpret_cast<HMENU>(static_cast<UINT_PTR>(static_cast<WORD>(item.id))),
                                       instance, nullptr);
        if (control == nullptr && !(tmpl->style & DS_NOFAILCREATE)) {
            DWORD error = GetLastError();
            DestroyWindow(hDlg);
            SetLastError(error);
            return nullptr;
        }
    }
    if (!IsWindow(hDlg)) return nullptr;

    HWND focus = firstTabStop(hDlg);
    if (SendMessageW(hDlg, WM_INITDIALOG, reinterpret_cast<WPARAM>(focus), initParam) && IsWindow(hDlg)) {
        if (DialogState* st = dialogOf(hDlg)) st->savedFocus = focus;
    }
    if (!IsWindow(hDlg)) return nullptr;
    if (tmpl->style & WS_VISIBLE) {
        ShowWindow(hDlg, SW_SHOWNORMAL);
        if (IsWindow(hDlg)) UpdateWindow(hDlg);
    }
    return IsWindow(hDlg) ? hDlg : nullptr;
}

void registerDialogClass()
{
    WindowClass cls;
    cls.name = L"#32770";
    cls.proc = DefDlgProcW;
    cls.cbWndExtra = DLGWINDOWEXTRA;
    registerBuiltInClass(cls);
}

}  // namespace win32::user

using namespace win32::user;

LRESULT DefDlgProcW(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    DialogState* st = dialogOf(hDlg);
    if (st != nullptr && st->dlgProc != nullptr) {
        SetWindowLongPtrW(hDlg, DWLP_MSGRESULT, 0);
        INT_PTR handled = st->dlgProc(hDlg, Msg, wParam, lParam);
        if (resultIsDirect(Msg)) return handled;
        if (handled) return IsWindow(hDlg) ? GetWindowLongPtrW(hDlg, DWLP_MSGRESULT) : 0;
        st = dialogOf(hDlg);
    }
    switch (Msg) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_CLOSE:
        PostMessageW(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(hDlg, IDCANCEL)));
        return 0;
    case WM_ACTIVATE:
        if (st == nullptr) break;
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND f = GetFocus();
            if (f != nullptr && IsChild(hDlg, f)) st->savedFocus = f;
        } else {
            HWND f = IsWindow(st->savedFocus) ? st->savedFocus : firstTabStop(hDlg);
            SetFocus(f != nullptr ? f : hDlg);
        }
        return 0;
    case DM_GETDEFID:
        return st ? MAKELRESULT(static_cast<WORD>(st->defaultId), DC_HASDEFID) : 0;
    case DM_SETDEFID:
        if (st) st->defaultId = wParam;
        return TRUE;
    case WM_COMMAND:
    case WM_NOTIFY:
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hDlg, Msg, wParam, lParam);
}

BOOL EndDialog(HWND hDlg, INT_PTR nResult)
{
    DialogState* st = dialogOf(hDlg);
    if (st == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    st->result = nResult;
    st->ended = true;
    SetWindowPos(hDlg, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    PostMessageW(hDlg, WM_NULL, 0, 0);  // wakes a loop waiting for the dialog to end
    return TRUE;
}

HWND GetDlgItem(HWND hDlg, int nIDDlgItem)
{
    Window* w = fromHandle(hDlg);
    if (w == nullptr) return nullptr;
    for (Window* c : w->children)
        if (static_cast<int>(c->id) == nIDDlgItem || static_cast<WORD>(c->id) == static_cast<WORD>(nIDDlgItem))
            return c->handle;
    SetLastError(1421L);  // ERROR_CONTROL_ID_NOT_FOUND
    return nullptr;
}

int GetDlgCtrlID(HWND hWnd)
{
    Window* w = fromHandle(hWnd);
    return w && (w->style & WS_CHILD) ? static_cast<int>(w->id) : 0;
}

BOOL MapDialogRect(HWND hDlg, LPRECT lpRect)
{
    DialogState* st = dialogOf(hDlg);
    if (st == nullptr || lpRect == nullptr) return FALSE;
    // Each corner converts on its own, as Windows does it.
    lpRect->left = mulDiv(lpRect->left, st->baseUnits.cx, 4);
    lpRect->right = mulDiv(lpRect->right, st->baseUnits.cx, 4);
    lpRect->top = mulDiv(lpRect->top, st->baseUnits.cy, 8);
    lpRect->bottom = mulDiv(lpRect->bottom, st->baseUnits.cy, 8);
    return TRUE;
}
