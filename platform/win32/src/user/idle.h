// The modal-loop count kept for win32::loop::modalDepth, and the check that a
// TIMERPROC came from SetTimer.
#pragma once
#include "winuser.h"

namespace win32::user {

void enterModal();
void leaveModal();
bool timerProcKnown(TIMERPROC proc);

}  // namespace win32::user

namespace win32::user {

// MFC's pre-translation of each message the pump takes (PreTranslateMessage down
// the window's parent chain); true when it handled the message.
using PreTranslateHook = bool (*)(MSG* msg);
void setPreTranslateHook(PreTranslateHook hook);
// GetMessage, pre-translation and dispatch of one message, as MFC's pump does it;
// false (with msg holding it) on WM_QUIT.
bool pumpOne(MSG& msg);

}  // namespace win32::user
