// The host's windows for plug-ins: the main frame is the Windows stand-in's frame
// over the screen, and the drawing view is made as its child the first time a
// plug-in asks for it while a drawing is open, its client area kept the size of
// the view the renderer paints.
#include "win32/host_windows.h"
#include "arxhost/view.h"
#include "rxmfcapi.h"
#include "../ap/app_state.h"

namespace {

// The view window: the renderer paints the view, so the window draws nothing itself.
class DrawingViewWindow final : public CView {
public:
    void OnDraw(CDC*) override {}
};

}  // namespace

CMDIFrameWnd* acedGetAcadFrame()
{
    return dynamic_cast<CMDIFrameWnd*>(win32::host::mainFrame());
}

CView* acedGetAcadDwgView()
{
    arx::AppState* app = arx::appState();
    if (app == nullptr || app->current == nullptr) return nullptr;
    const int width = arxhost::viewWidth(), height = arxhost::viewHeight();
    CView* view = win32::host::drawingView();
    if (view == nullptr) {
        auto* made = new DrawingViewWindow;
        if (!win32::host::createDrawingView(made, width, height)) {
            delete made;
            return nullptr;
        }
        return made;
    }
    // The view's size may have changed since the window was made (arxhost --view).
    RECT want = win32::host::drawingViewRect(width, height), client;
    view->GetClientRect(&client);
    if (client.right != width || client.bottom != height)
        view->MoveWindow(want.left, want.top, width, height, TRUE);
    return view;
}
