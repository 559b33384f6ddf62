// Kernel services: global memory blocks (GlobalAlloc and friends), and the time and
// sleeping functions of sysinfoapi.h and synchapi.h. Moveable blocks are reached
// through handles that GlobalLock turns into addresses; every handle is checked, so
// a freed or made-up one fails with ERROR_INVALID_HANDLE.
#pragma once
#include "errhandlingapi.h"
#include "minwinbase.h"
#include "synchapi.h"
#include "sysinfoapi.h"
#include "win32/export.h"
#include "wtypes.h"

#define GMEM_FIXED 0x0000
#define GMEM_MOVEABLE 0x0002
#define GMEM_ZEROINIT 0x0040
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)
#define GPTR (GMEM_FIXED | GMEM_ZEROINIT)

#ifndef RC_INVOKED
W32_EXPORT HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes);
W32_EXPORT HGLOBAL GlobalReAlloc(HGLOBAL hMem, SIZE_T dwBytes, UINT uFlags);
W32_EXPORT LPVOID GlobalLock(HGLOBAL hMem);
W32_EXPORT BOOL GlobalUnlock(HGLOBAL hMem);
W32_EXPORT SIZE_T GlobalSize(HGLOBAL hMem);
W32_EXPORT HGLOBAL GlobalFree(HGLOBAL hMem);
#endif
