// The host's windows and coordinates for modules that use MFC: the main frame,
// the drawing view, and the drawing view's client pixels and world points, both
// ways. Pixel (0, 0) is the view's top left; window number 0 is the current
// viewport.
#pragma once
#include "adesk.h"
#include "atltypes.h"
#include "wtypes.h"

typedef double acedDwgPoint[3];
class CMDIFrameWnd;
class CView;

// The host's main frame window; null before the host made its windows.
ARXHOST_EXPORT CMDIFrameWnd* acedGetAcadFrame();
// The current drawing view (a child of the main frame); null when there is none.
ARXHOST_EXPORT CView* acedGetAcadDwgView();

// The world point under a pixel of the current viewport.
ARXHOST_EXPORT void acedCoordFromPixelToWorld(const CPoint& ptIn, acedDwgPoint ptOut);
// The world point under a pixel of viewport windnum (0: the current one); FALSE,
// leaving ptOut as it was, when there is no such viewport.
ARXHOST_EXPORT BOOL acedCoordFromPixelToWorld(int windnum, CPoint ptIn, acedDwgPoint ptOut);
// The pixel of viewport windnum (0: the current one) nearest to a world point.
ARXHOST_EXPORT BOOL acedCoordFromWorldToPixel(int windnum, const acedDwgPoint ptIn, CPoint& ptOut);
