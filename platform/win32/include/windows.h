// The Win32 umbrella: what a module includes to reach the Windows stand-in. Each
// concern lives in its own header; this one only gathers them, as Windows' does.
// It defines _WINDOWS_, by which MFC's headers know it came first.
#pragma once
#ifndef _WINDOWS_
#define _WINDOWS_
#endif
#include "wtypes.h"
#include "winnt.h"
#include "winerror.h"
#include "errhandlingapi.h"
#include "libloaderapi.h"
#include "winbase.h"
#include "wingdi.h"
#include "winuser.h"
#ifndef WIN32_LEAN_AND_MEAN
#include "mmsystem.h"
#include "objbase.h"
#endif
