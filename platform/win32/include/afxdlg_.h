// Dialogs: CDialog, modeless (Create) or modal (DoModal runs a nested message loop
// until EndDialog), made from a template in the module's resources; and dialog data
// exchange, which binds controls of the template to CWnd objects (DDX_Control).
#pragma once
#include "afxwnd_.h"
#include "win32/dialog_template.h"

// As in MFC, a control's or dialog's Create hides CWnd's Create by design.
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Woverloaded-virtual"
#endif

class W32_EXPORT CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);
    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    // The control with this id; a dialog without it is a programming error, which
    // throws std::invalid_argument naming the id.
    HWND PrepareCtrl(int nIDC);
    void Fail();
};

// Attaches the dialog's control nIDC to rControl (once), so that rControl's
// message map sees its messages.
W32_EXPORT void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

class W32_EXPORT CDialog : public CWnd {
public:
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual ~CDialog();

    // Modeless: makes the dialog from its template; a null parent means the main
    // window.
    virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    // Modal: disables the owner, runs a message loop until EndDialog, and returns the
    // result given to EndDialog (-1 when the dialog could not be made or WM_QUIT
    // ended the loop).
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    UINT m_nIDHelp;
    LPCTSTR m_lpszTemplateName;
    CWnd* m_pParentWnd;

protected:
    CDialog();
    BOOL CreateIndirect(const win32::res::DialogTemplate* lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst);
    HWND PreModal();
    void PostModal();
    LRESULT HandleInitDialog(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()
};

#if defined(__clang__)
#pragma clang diagnostic pop
#endif
