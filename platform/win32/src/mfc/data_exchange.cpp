// Dialog data exchange: UpdateData calls DoDataExchange, and DDX_Control binds a
// dialog's control to a CWnd object by subclassing it.
#include <stdexcept>
#include <string>

#include "mfc/window_map.h"

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND control = ::GetDlgItem(win32::mfc::hwndOf(m_pDlgWnd), nIDC);
    if (control == nullptr)
        throw std::invalid_argument("DDX: the dialog has no control with id " + std::to_string(nIDC));
    return control;
}

void CDataExchange::Fail() { throw std::runtime_error("DDX: the dialog data did not validate"); }

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != nullptr) return;
    HWND control = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(control))
        throw std::invalid_argument("DDX_Control: control " + std::to_string(nIDC) + " is already bound to another object");
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}
