// The simulated mouse, as the host program drives it. Each call is one piece of
// input, like a movement or a button of a real mouse: it updates the cursor at once
// and is turned into window messages (WM_SETCURSOR, WM_MOUSEMOVE, WM_LBUTTONDOWN,
// ...) for the window under the cursor, or the capture, when the message loop next
// looks at the queue.
#pragma once
#include "win32/export.h"
#include "wtypes.h"

namespace win32::input {

W32_EXPORT void mouseMove(int x, int y);
W32_EXPORT void leftButtonDown();
W32_EXPORT void leftButtonUp();
W32_EXPORT bool leftButtonIsDown();
// Holds (true) or lets go of the Ctrl key: mouse input made while it is held
// carries MK_CONTROL in its key state.
W32_EXPORT void setControlKey(bool down);
W32_EXPORT bool controlKeyIsDown();

}  // namespace win32::input
