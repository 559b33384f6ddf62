// CCmdTarget and CWnd: an MFC window object attached to a window handle, whose
// messages go through the class's message map (and its bases') before the window's
// original procedure. CDC wraps a device context handle.
#pragma once
#include "afx.h"
#include "afxmsg_.h"
#include "atltypes.h"
#include "commctrl.h"

class CWnd;
class CDataExchange;
struct CCreateContext;
struct AFX_CMDHANDLERINFO;

class W32_EXPORT CCmdTarget : public CObject {
public:
    CCmdTarget() = default;
    // Routes a command (WM_COMMAND) or notification (WM_NOTIFY, with the message in
    // the high word of nCode) to the message map; TRUE when a handler took it.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

protected:
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

class W32_EXPORT CDC : public CObject {
public:
    CDC() = default;
    HDC m_hDC = nullptr;
    operator HDC() const { return m_hDC; }
    // Like MFC, may be called on a null pointer (and then gives null).
    HDC GetSafeHdc() const;
    // A temporary object for a device context handle, kept until the handle is
    // released through CWnd::ReleaseDC.
    static CDC* PASCAL FromHandle(HDC hDC);
    BOOL Attach(HDC hDC);
    HDC Detach();
};

class W32_EXPORT CWnd : public CCmdTarget {
public:
    CWnd();
    explicit CWnd(HWND hWnd);
    // Destroys the window if this object still owns one.
    virtual ~CWnd();

    HWND m_hWnd;
    operator HWND() const { return GetSafeHwnd(); }
    // Like MFC, may be called on a null pointer (and then gives null), as in
    // pParentWnd->GetSafeHwnd().
    HWND GetSafeHwnd() const;

    // The CWnd of a window: the one attached to it, or a temporary one made for it
    // (which lives while the window does).
    static CWnd* PASCAL FromHandle(HWND hWnd);
    static CWnd* PASCAL FromHandlePermanent(HWND hWnd);
    BOOL Attach(HWND hWndNew);
    HWND Detach();
    // Attaches to an existing window and routes its messages through this object's
    // message map, the window's own procedure handling the rest.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                          int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    virtual BOOL DestroyWindow();

    // Styles.
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);

    // Showing, position and z-order. The insert-after windows of SetWindowPos.
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    void GetWindowRect(LPRECT lpRect) const;
    void GetClientRect(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void Invalidate(BOOL bErase = TRUE);
    void UpdateWindow();

    // Enabling, focus and activation.
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    CWnd* SetFocus();
    static CWnd* PASCAL GetFocus();
    CWnd* SetActiveWindow();
    static CWnd* PASCAL GetActiveWindow();
    CWnd* SetCapture();
    static CWnd* PASCAL GetCapture();

    // Relations, text and icons.
    CWnd* GetParent() const;
    CWnd* GetTopLevelParent() const;
    CWnd* GetDlgItem(int nID) const;
    void GetDlgItem(int nID, HWND* phWnd) const;
    int GetDlgCtrlID() const;
    void SetWindowText(LPCTSTR lpszString);
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    // The window's device context as a temporary CDC, and its release.
    CDC* GetDC();
    int ReleaseDC(CDC* pDC);
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    HICON GetIcon(BOOL bBigIcon) const;

    // Messages and timers.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, void(CALLBACK* lpfnTimer)(HWND, UINT, UINT_PTR, DWORD));
    BOOL KillTimer(UINT_PTR nIDEvent);

    // Dialog data exchange: calls DoDataExchange.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // The message path: WindowProc gives the message to OnWndMsg (the message map)
    // and what that leaves to DefWindowProc (the window's original procedure).
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The current message, to its window's original procedure.
    LRESULT Default();

    // Modal loops (CDialog::DoModal).
    int RunModalLoop(DWORD dwFlags = 0);
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int nResult);

    // Default handlers: each gives the message to Default().
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg void OnClose();
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseHover(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();

    // Walks from the message's window up through its parents (and owners) to
    // hWndStop, offering the message to each attached CWnd's PreTranslateMessage.
    static BOOL PASCAL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

protected:
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PreSubclassWindow();
    // Called after the window is gone (WM_NCDESTROY); windows that own themselves
    // (frames, views) delete their object here.
    virtual void PostNcDestroy();
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual WNDPROC* GetSuperWndProcAddr();

    WNDPROC m_pfnSuper;
    UINT m_nFlags;
    int m_nModalResult;

    DECLARE_MESSAGE_MAP()

    friend class CDialog;
    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend void AfxHookWindowCreate(CWnd* pWnd);
};

// The window procedure of every MFC-attached window.
W32_EXPORT LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
// The next window created on this thread is attached to pWnd before its first
// message.
W32_EXPORT void AfxHookWindowCreate(CWnd* pWnd);
W32_EXPORT BOOL AfxUnhookWindowCreate();

// Flags of m_nFlags.
#define WF_MODALLOOP 0x0004
#define WF_CONTINUEMODAL 0x0008
// RunModalLoop flags.
#define MLF_NOIDLEMSG 0x0001
#define MLF_NOKICKIDLE 0x0002
#define MLF_SHOWONIDLE 0x0004
#define WM_KICKIDLE 0x036A
