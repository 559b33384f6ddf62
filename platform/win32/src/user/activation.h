// The active window and the keyboard focus, kept consistent as windows come and go.
#pragma once
#include "user/window.h"

namespace win32::user {

// Makes w (a top-level window) active, with WM_ACTIVATE to the old and the new one.
void activateWindow(Window* w, WORD how);
// w is being hidden or destroyed: it gives up the focus and activation (to its owner
// or the next visible top-level window), if it or a child had them.
void windowLeaving(Window* w);
// A window is destroyed: the mouse forgets it (capture, tracking, the window last
// under the cursor).
void mouseForgetWindow(HWND hwnd);

}  // namespace win32::user
