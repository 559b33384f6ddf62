// The host program's own windows, which the CAD host stand-in makes and owns: the
// main frame, covering the 1920 x 1080 screen (AfxGetMainWnd gives it), and the
// drawing view, a child of the frame whose client area has its top-left corner at
// screen (40, 120).
#pragma once
#include "afxwin.h"

namespace win32::host {

constexpr int kViewLeft = 40;
constexpr int kViewTop = 120;

// The main frame, made on first use: a visible, borderless frame window over the
// whole screen with a small and a big icon of its own, set as the thread's main
// window.
W32_EXPORT CFrameWnd* mainFrame();
// Makes `view` (any CView: the host's own) the drawing view, a visible child of the
// main frame with the given client size. The view object is then owned by its
// window and deleted with it.
W32_EXPORT BOOL createDrawingView(CView* view, int width, int height);
// The drawing view, or null.
W32_EXPORT CView* drawingView();
// The screen rectangle of a drawing view's client area of that size.
W32_EXPORT RECT drawingViewRect(int width, int height);
// Destroys the frame and the view.
W32_EXPORT void destroyHostWindows();

}  // namespace win32::host
