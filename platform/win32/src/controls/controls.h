// The standard controls the stand-in offers: buttons, static text, the list view
// and the tool tip. Each keeps its state behind its window and is driven by its
// messages, as the real controls are.
#pragma once
#include "winuser.h"

namespace win32::controls {

void registerControlClasses();
void registerButtonClass();
void registerStaticClass();
void registerListViewClass();
void registerToolTipClass();

// Sends WM_COMMAND with a notification code from a child control to its parent.
void notifyParent(HWND control, WORD code);

}  // namespace win32::controls
