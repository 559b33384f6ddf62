// The mouse inside the stand-in: hit testing, and the tracking of hover and leave.
#pragma once
#include "user/window.h"

namespace win32::user {

struct Hit {
    Window* window = nullptr;  // null: over no window of ours (the desktop)
    LRESULT code = HTNOWHERE;
};

// The window that takes the mouse at a screen point: the topmost visible top-level
// window there (a layered one only where its picture's alpha is not zero), then its
// topmost visible, enabled child there, and so on down. A disabled top-level window
// takes the point with HTERROR and passes nothing on.
Hit hitTest(POINT screen);
LRESULT hitTestCode(Window* w, POINT screen);

POINT cursorPosition();
WPARAM keyState();

// Mouse tracking: told of every mouse event with the window under the cursor.
void trackingOnInput(HWND under, POINT screen);
void trackingForget(HWND hwnd);

}  // namespace win32::user
