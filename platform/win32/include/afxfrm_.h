// The application's thread and main window: CWinThread (whose main window
// AfxGetMainWnd gives), frame windows and views.
#pragma once
#include "afxwnd_.h"

// As in MFC, a control's or dialog's Create hides CWnd's Create by design.
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Woverloaded-virtual"
#endif

class W32_EXPORT CWinThread : public CCmdTarget {
public:
    CWinThread() = default;
    CWnd* m_pMainWnd = nullptr;
    virtual CWnd* GetMainWnd();
    // Takes one message from the queue (waiting on the clock), pre-translates it
    // and dispatches it; FALSE on WM_QUIT.
    virtual BOOL PumpMessage();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
};

W32_EXPORT CWinThread* AFXAPI AfxGetThread();
W32_EXPORT CWnd* AFXAPI AfxGetMainWnd();

class W32_EXPORT CFrameWnd : public CWnd {
public:
    CFrameWnd() = default;
    ~CFrameWnd() override = default;
    static const CRect rectDefault;
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr,
                        DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);

protected:
    // A frame owns its object: it is deleted when the window is gone.
    void PostNcDestroy() override;
};

class W32_EXPORT CMDIFrameWnd : public CFrameWnd {
public:
    CMDIFrameWnd() = default;
};

class W32_EXPORT CView : public CWnd {
public:
    ~CView() override = default;
    virtual void OnDraw(CDC* pDC) = 0;

protected:
    CView() = default;
    // A view owns its object: it is deleted when the window is gone.
    void PostNcDestroy() override;
};

#if defined(__clang__)
#pragma clang diagnostic pop
#endif
