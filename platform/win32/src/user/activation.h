// The active window and the keyboard focus, kept consistent as windows come and go.
#pragma once
#include "user/window.h"

namespace win32::user {

// Makes w (a top-level window) active, with WM_ACTIVATE to the old and the new one.
void activateWindow(Window* w, WORD how);
// w is being hidden or destroyed: it gives up the focus, activation (to its owner or
// the next visible top-level window) and the capture, if it or a child had them.
void windowLeaving(Window* w);
// The cursor side of the same: capture and mouse tracking.
void mouseForgetWindow(HWND hwnd);

}  // namespace win32::user
