// Registers the standard control classes with the window class table.
#include "controls/controls.h"

namespace win32::controls {

void registerControlClasses()
{
    registerButtonClass();
    registerStaticClass();
    registerListViewClass();
    registerToolTipClass();
}

void notifyParent(HWND control, WORD code)
{
    HWND parent = GetParent(control);
    if (parent == nullptr) return;
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(control)), code),
                 reinterpret_cast<LPARAM>(control));
}

}  // namespace win32::controls
