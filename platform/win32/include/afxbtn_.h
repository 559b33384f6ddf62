// CButton: a push button or check box control.
#pragma once
#include "afxwnd_.h"

// As in MFC, a control's or dialog's Create hides CWnd's Create by design.
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Woverloaded-virtual"
#endif

class W32_EXPORT CButton : public CWnd {
public:
    CButton() = default;
    ~CButton() override = default;
    virtual BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int GetCheck() const;
    void SetCheck(int nCheck);
    UINT GetState() const;
    void SetState(BOOL bHighlight);
};

#if defined(__clang__)
#pragma clang diagnostic pop
#endif
