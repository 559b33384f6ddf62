// A hook the MFC layer uses to attach its CWnd to a window before the window's first
// message, as MFC does with a CBT hook on Windows.
#pragma once
#include "winuser.h"

namespace win32::user {

using CreateHook = void (*)(HWND hwnd);
void setCreateHook(CreateHook hook);
void runCreateHook(HWND hwnd);

}  // namespace win32::user
