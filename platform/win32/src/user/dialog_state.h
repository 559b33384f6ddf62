// What the dialog manager keeps for each dialog window, and how dialogs are made
// from templates.
#pragma once
#include "win32/dialog_template.h"
#include "win32/export.h"
#include "winuser.h"

namespace win32::user {

struct DialogState {
    DLGPROC dlgProc = nullptr;
    SIZE baseUnits{8, 16};  // average character width and height of the dialog's font
    INT_PTR result = 0;
    bool ended = false;
    HWND savedFocus = nullptr;
    WPARAM defaultId = IDOK;
};

// The dialog base units of a font: the average width and the height of its
// characters in pixels at 96 dots per inch. "MS Shell Dlg" 8 gives 6 by 13.
W32_EXPORT SIZE fontBaseUnits(const wchar_t* typeface, int pointSize);

// Makes a dialog from a template, as CreateDialogIndirectParam does: the dialog
// window (class "#32770", hidden), its controls in template order, WM_INITDIALOG,
// and then showing it when the template says WS_VISIBLE. Positions and sizes are
// converted from dialog units with the template font's base units. A control of an
// unknown class fails the whole dialog (ERROR_CANNOT_FIND_WND_CLASS) unless the
// template has DS_NOFAILCREATE.
W32_EXPORT HWND createDialogIndirect(HINSTANCE instance, const win32::res::DialogTemplate* tmpl, HWND owner,
                                     DLGPROC dlgProc, LPARAM initParam);

void registerDialogClass();

}  // namespace win32::user
