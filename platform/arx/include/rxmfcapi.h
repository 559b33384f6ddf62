// The host's windows and coordinates for modules that use MFC: the main frame,
// the drawing view's window, and the view's client pixels and world points, both
// ways. Pixel (0, 0) is the view's top left; window number 0 is the current
// viewport.
#pragma once
#include "adesk.h"
#include "atltypes.h"
#include "wtypes.h"

// MFC's classes (afxwin.h), which a module that uses these includes first.
class CMDIFrameWnd;
class CView;

// The host's main frame window.
ARXHOST_EXPORT CMDIFrameWnd* acedGetAcadFrame();
// The window of the current drawing's view, its client area the view's pixels;
// null while no drawing is open.
ARXHOST_EXPORT CView* acedGetAcadDwgView();

typedef double acedDwgPoint[3];

// The world point under a pixel of the current viewport.
ARXHOST_EXPORT void acedCoordFromPixelToWorld(const CPoint& ptIn, acedDwgPoint ptOut);
// The world point under a pixel of viewport windnum (0: the current one); FALSE,
// leaving ptOut as it was, when there is no such viewport.
ARXHOST_EXPORT BOOL acedCoordFromPixelToWorld(int windnum, CPoint ptIn, acedDwgPoint ptOut);
// The pixel of viewport windnum (0: the current one) nearest to a world point.
ARXHOST_EXPORT BOOL acedCoordFromWorldToPixel(int windnum, const acedDwgPoint ptIn, CPoint& ptOut);
