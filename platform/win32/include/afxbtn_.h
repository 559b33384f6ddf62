// CButton: a push button or check box control.
#pragma once
#include "afxwnd_.h"

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
