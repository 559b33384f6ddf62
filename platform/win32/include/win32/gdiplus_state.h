// How many GDI+ startups are active: Windows' GDI+ objects fail with
// GdiplusNotInitialized while none is, and a host may want to see that a
// plug-in started GDI+ and shut it down again.
#pragma once
#include "win32/export.h"

namespace win32::gdiplus {

W32_EXPORT int activeStartups();

}  // namespace win32::gdiplus
