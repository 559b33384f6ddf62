// GetSystemMetrics, SystemParametersInfoW for the mouse hover settings,
// AdjustWindowRectEx and GetDoubleClickTime. The frame sizes are those of a
// desktop at 96 dots per inch.
#include "user/metrics.h"

#include "user/window.h"
#include "winuser.h"

namespace win32::user {

int metric(int index)
{
    switch (index) {
    case SM_CXSCREEN: return kScreenWidth;
    case SM_CYSCREEN: return kScreenHeight;
    case SM_CYCAPTION: return 23;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME:
    case SM_CYFRAME: return 4;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 4;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CYSMCAPTION: return 19;
    case SM_CMOUSEBUTTONS: return 3;
    default: return 0;
    }
}

}  // namespace win32::user

int GetSystemMetrics(int nIndex) { return win32::user::metric(nIndex); }

UINT GetDoubleClickTime() { return win32::user::kDoubleClickTime; }

BOOL SystemParametersInfoW(UINT uiAction, UINT uiParam, PVOID pvParam, UINT fWinIni)
{
    if (pvParam == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    switch (uiAction) {
    case SPI_GETMOUSEHOVERTIME: *static_cast<UINT*>(pvParam) = win32::user::kHoverTime; return TRUE;
    case SPI_GETMOUSEHOVERWIDTH: *static_cast<UINT*>(pvParam) = win32::user::kHoverWidth; return TRUE;
    case SPI_GETMOUSEHOVERHEIGHT: *static_cast<UINT*>(pvParam) = win32::user::kHoverHeight; return TRUE;
    default: SetLastError(ERROR_INVALID_PARAMETER); return FALSE;
    }
}

BOOL AdjustWindowRectEx(LPRECT lpRect, DWORD dwStyle, BOOL bMenu, DWORD dwExStyle)
{
    if (lpRect == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    RECT in = win32::user::frameInsets(dwStyle, dwExStyle);
    lpRect->left -= in.left;
    lpRect->top -= in.top;
    lpRect->right += in.right;
    lpRect->bottom += in.bottom;
    (void)bMenu;  // no window of the stand-in has a menu bar
    return TRUE;
}
