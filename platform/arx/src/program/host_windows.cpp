// The host's own windows: the main frame and the drawing view, a CView of the
// view's size whose cursor moves become the input points of the current
// document; and the SDK's calls that hand them to modules.
#include "afxwin.h"
#include "arxhost/view.h"
#include "rxmfcapi.h"
#include "win32/host_windows.h"

#include "../ed/inputpoint.h"
#include "../view/doc_view.h"

namespace {

class DrawingView : public CView {
public:
    DrawingView() = default;

protected:
    void OnDraw(CDC*) override {}
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DrawingView, CView)
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

void DrawingView::OnMouseMove(UINT nFlags, CPoint point)
{
    CView::OnMouseMove(nFlags, point);
    // The mouse reaches this window only where no other window lies over it,
    // so a cursor over the tag window or a dialog gives the drawing no point.
    if (arx::sendInputPoint(point.x, point.y)) arx::refreshCurrentView();
}

}  // namespace

namespace arxhost {

bool createHostWindows()
{
    if (win32::host::drawingView() != nullptr) return true;
    if (win32::host::mainFrame() == nullptr) return false;
    auto* view = new DrawingView;
    if (win32::host::createDrawingView(view, viewWidth(), viewHeight())) return true;
    delete view;
    return false;
}

bool inputPointAt(int x, int y)
{
    if (!arx::sendInputPoint(x, y)) return false;
    arx::refreshCurrentView();
    return true;
}

void destroyHostWindows() { win32::host::destroyHostWindows(); }

}  // namespace arxhost

CMDIFrameWnd* acedGetAcadFrame()
{
    if (win32::host::drawingView() == nullptr) return nullptr;
    return dynamic_cast<CMDIFrameWnd*>(win32::host::mainFrame());
}

CView* acedGetAcadDwgView() { return win32::host::drawingView(); }
