// The process-wide state of GDI+ startups, for the GDI+ objects of this library:
// Windows' GDI+ objects fail with GdiplusNotInitialized while no startup is active.
#pragma once
#include "win32/gdiplus_state.h"
