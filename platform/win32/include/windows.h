// The Win32 umbrella: what a module includes to reach the Windows stand-in. Each
// concern lives in its own header; this one only gathers them, as Windows' does.
#pragma once
#include "wtypes.h"
#include "winnt.h"
#include "winerror.h"
#include "errhandlingapi.h"
#include "libloaderapi.h"
#include "winuser.h"
#ifndef WIN32_LEAN_AND_MEAN
#include "mmsystem.h"
#endif
