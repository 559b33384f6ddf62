// The application's one thread object: its main window, and the message pump that
// MFC's loops use, with PreTranslateMessage offered along the window's parent chain
// up to the main window before each message is dispatched. The stand-in's own loop
// driver (win32::loop::runUntil) pre-translates the same way.
#include "mfc/window_map.h"
#include "user/idle.h"

namespace {

bool preTranslate(MSG* msg) { return AfxGetThread()->PreTranslateMessage(msg) != FALSE; }

// Installed when the library loads, so that every pump pre-translates.
const bool gHookInstalled = (win32::user::setPreTranslateHook(preTranslate), true);

}  // namespace

namespace win32::mfc {

bool pumpMessage()
{
    MSG msg;
    return win32::user::pumpOne(msg);
}

}  // namespace win32::mfc

CWinThread* AfxGetThread()
{
    static CWinThread* thread = new CWinThread;
    return thread;
}

CWnd* AfxGetMainWnd() { return AfxGetThread()->GetMainWnd(); }

CWnd* CWinThread::GetMainWnd() { return m_pMainWnd; }

BOOL CWinThread::PumpMessage() { return win32::mfc::pumpMessage() ? TRUE : FALSE; }

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd == nullptr) return FALSE;
    CWnd* mainWnd = AfxGetMainWnd();
    HWND mainHwnd = win32::mfc::hwndOf(mainWnd);
    if (CWnd::WalkPreTranslateTree(mainHwnd, pMsg)) return TRUE;
    // A window outside the main window's family gets the main window's last word.
    if (mainWnd != nullptr && IsWindow(pMsg->hwnd)) {
        CWnd* wnd = CWnd::FromHandle(pMsg->hwnd);
        if (wnd != nullptr && wnd->GetTopLevelParent() != mainWnd) return mainWnd->PreTranslateMessage(pMsg);
    }
    return FALSE;
}
