// What every source of the plug-in includes: MFC (which brings in Windows), wave
// audio, GDI+, the host SDK and the plug-in's resource ids. MFC comes first
// because it refuses a windows.h included before it.
#pragma once
#include <afxwin.h>
#include <mmsystem.h>
#include <gdiplus.h>

#include "arxHeaders.h"

#include "resource.h"

// What the plug-in exports to other modules: its classes' public members and its
// free functions.
#if defined(_MSC_VER)
#define VELATONE_EXPORT __declspec(dllexport)
#else
#define VELATONE_EXPORT __attribute__((visibility("default")))
#endif
