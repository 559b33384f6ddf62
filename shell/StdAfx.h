// What every source of the plug-in includes: the Windows and MFC surface, GDI+
// and wave audio, and the host SDK.
// MFC's headers come first: they include <windows.h> themselves and refuse a
// source that included it before them.
#pragma once
#include <afxwin.h>
#include <mmsystem.h>
#include <gdiplus.h>

#include "arxHeaders.h"
#include "acdocman.h"
#include "aced.h"
#include "acedads.h"
#include "acrxEntryPoint.h"
#include "rxdlinkr.h"

#include "resource.h"
