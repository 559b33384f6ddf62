// The calling thread's last error: every stand-in function that fails the way a
// Windows function fails sets it, as Windows does.
#pragma once
#include "win32/export.h"
#include "winerror.h"
#include "wtypes.h"

#ifndef RC_INVOKED
W32_EXPORT DWORD GetLastError();
W32_EXPORT void SetLastError(DWORD dwErrCode);
#endif
