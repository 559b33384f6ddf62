// The host's windows as MFC objects: the application's main frame and the
// current drawing's view window.
#pragma once
#include "adesk.h"
#include "afxwin.h"

// The host's main frame window.
ARXHOST_EXPORT CMDIFrameWnd* acedGetAcadFrame();
// The window of the current drawing's view, its client area the view's pixels;
// null while no drawing is open.
ARXHOST_EXPORT CView* acedGetAcadDwgView();
