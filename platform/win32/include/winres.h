// What a resource script includes for the names its dialogs use: window, dialog and
// control styles, the list view's styles, the dialog command ids, and IDC_STATIC for
// controls that need no id.
#pragma once
#include "winuser.h"
#include "commctrl.h"

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
