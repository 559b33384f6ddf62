// Sleep: the calling thread waits on the stand-in's clock. On the virtual clock the
// time jumps forward at once; wave devices and other background work due meanwhile
// still happen (their notifications are posted), but no message is dispatched.
#pragma once
#include "win32/export.h"
#include "wtypes.h"

#ifndef RC_INVOKED
W32_EXPORT void Sleep(DWORD dwMilliseconds);
#endif
