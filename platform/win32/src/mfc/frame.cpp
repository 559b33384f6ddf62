// Frame windows and views (which delete themselves with their window), and the host
// program's main frame and drawing view.
#include "mfc/window_map.h"
#include "win32/host_windows.h"

namespace {

void registerFrameClass()
{
    static bool done = false;
    if (done) return;
    done = true;
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = L"AfxFrameOrView";
    RegisterClassW(&wc);
}

class HostFrame : public CMDIFrameWnd {
public:
    HostFrame() = default;
};

struct HostWindows {
    HostFrame* frame = nullptr;
    HWND frameHwnd = nullptr;
    CView* view = nullptr;
    HWND viewHwnd = nullptr;
};

HostWindows& hostWindows()
{
    static HostWindows* h = new HostWindows;
    return *h;
}

// Icons of the main frame: distinct handles that stand for its pictures.
int gSmallIcon, gBigIcon;

}  // namespace

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    registerFrameClass();
    (void)lpszMenuName;
    (void)pContext;
    int width = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : rect.right - rect.left;
    int height = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : rect.bottom - rect.top;
    return CreateEx(dwExStyle, lpszClassName ? lpszClassName : L"AfxFrameOrView", lpszWindowName, dwStyle, rect.left,
                    rect.top, width, height, win32::mfc::hwndOf(pParentWnd), nullptr);
}

void CFrameWnd::PostNcDestroy() { delete this; }

void CView::PostNcDestroy() { delete this; }

namespace win32::host {

CFrameWnd* mainFrame()
{
    HostWindows& h = hostWindows();
    if (h.frame != nullptr && IsWindow(h.frameHwnd)) return h.frame;
    registerFrameClass();
    auto* frame = new HostFrame;
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (!frame->Create(L"AfxFrameOrView", AfxGetAppName(), WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, screen)) {
        delete frame;
        return nullptr;
    }
    frame->SetIcon(reinterpret_cast<HICON>(&gSmallIcon), FALSE);
    frame->SetIcon(reinterpret_cast<HICON>(&gBigIcon), TRUE);
    h.frame = frame;
    h.frameHwnd = frame->m_hWnd;
    AfxGetThread()->m_pMainWnd = frame;
    return frame;
}

RECT drawingViewRect(int width, int height) { return RECT{kViewLeft, kViewTop, kViewLeft + width, kViewTop + height}; }

BOOL createDrawingView(CView* view, int width, int height)
{
    CFrameWnd* frame = mainFrame();
    if (frame == nullptr || view == nullptr || width <= 0 || height <= 0) return FALSE;
    registerFrameClass();
    // The frame has no border, so its client coordinates are screen coordinates.
    RECT r = drawingViewRect(width, height);
    if (!view->CreateEx(0, L"AfxFrameOrView", L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, r, frame, 0xE900))
        return FALSE;
    hostWindows().view = view;
    hostWindows().viewHwnd = view->m_hWnd;
    return TRUE;
}

CView* drawingView()
{
    HostWindows& h = hostWindows();
    return h.view != nullptr && IsWindow(h.viewHwnd) && CWnd::FromHandlePermanent(h.viewHwnd) == h.view ? h.view
                                                                                                        : nullptr;
}

void destroyHostWindows()
{
    HostWindows& h = hostWindows();
    if (h.frame != nullptr && IsWindow(h.frameHwnd)) h.frame->DestroyWindow();  // the view goes with it
    if (AfxGetThread()->m_pMainWnd == h.frame) AfxGetThread()->m_pMainWnd = nullptr;
    h = HostWindows{};
}

}  // namespace win32::host
