// CDialog: dialogs made from templates in the module's resources, modeless with
// Create and modal with DoModal, whose loop pumps messages (waiting on the clock and
// asking the idle handler for input) until EndDialog. OK and Cancel end the dialog
// through OnOK and OnCancel.
#include <stdexcept>

#include "mfc/window_map.h"
#include "user/dialog_state.h"
#include "user/idle.h"

using win32::mfc::hwndOf;

namespace {

const win32::res::DialogTemplate* findTemplate(LPCTSTR name, HINSTANCE& instance)
{
    instance = AfxFindResourceHandle(name, RT_DIALOG);
    HRSRC info = FindResourceW(instance, name, RT_DIALOG);
    if (info == nullptr || SizeofResource(instance, info) < sizeof(win32::res::DialogTemplate)) return nullptr;
    return static_cast<const win32::res::DialogTemplate*>(LockResource(LoadResource(instance, info)));
}

}  // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, &CDialog::OnOK)
ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
ON_MESSAGE(WM_INITDIALOG, &CDialog::HandleInitDialog)
END_MESSAGE_MAP()

CDialog::CDialog() : m_nIDHelp(0), m_lpszTemplateName(nullptr), m_pParentWnd(nullptr) {}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_nIDHelp(0), m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd)
{
    if (IS_INTRESOURCE(lpszTemplateName)) m_nIDHelp = LOWORD(reinterpret_cast<ULONG_PTR>(lpszTemplateName));
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate), m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)), m_pParentWnd(pParentWnd)
{
}

CDialog::~CDialog()
{
    if (m_hWnd != nullptr && win32::mfc::permanent(m_hWnd) == this) DestroyWindow();
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) { return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd); }

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
        m_nIDHelp = LOWORD(reinterpret_cast<ULONG_PTR>(lpszTemplateName));
    HINSTANCE instance = nullptr;
    const win32::res::DialogTemplate* tmpl = findTemplate(lpszTemplateName, instance);
    if (tmpl == nullptr) return FALSE;
    return CreateIndirect(tmpl, pParentWnd, instance);
}

BOOL CDialog::CreateIndirect(const win32::res::DialogTemplate* lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    if (pParentWnd == nullptr) pParentWnd = AfxGetMainWnd();
    m_pParentWnd = pParentWnd;
    AfxHookWindowCreate(this);
    HWND h = win32::user::createDialogIndirect(hInst, lpDialogTemplate, hwndOf(pParentWnd), nullptr, 0);
    AfxUnhookWindowCreate();
    if (h == nullptr) {
        if (m_hWnd != nullptr && !IsWindow(m_hWnd)) Detach();
        return FALSE;
    }
    return TRUE;
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

BOOL CDialog::OnInitDialog()
{
    // Binding the controls is part of initialisation; a dialog whose exchange fails
    // ends at once.
    if (!UpdateData(FALSE)) {
        EndDialog(-1);
        return FALSE;
    }
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    // Keyboard navigation (IsDialogMessage) has no keyboard to serve here; mouse
    // messages are dispatched as usual.
    return CWnd::PreTranslateMessage(pMsg);
}

void CDialog::EndDialog(int nResult)
{
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL)) EndModalLoop(nResult);
    ::EndDialog(m_hWnd, nResult);
}

HWND CDialog::PreModal()
{
    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    // The owner: the parent given, else the main window, taken up to its top level.
    HWND owner = hwndOf(m_pParentWnd);
    if (owner == nullptr) owner = hwndOf(AfxGetMainWnd());
    while (owner != nullptr && ::GetParent(owner) != nullptr) owner = ::GetParent(owner);
    return owner;
}

void CDialog::PostModal() { m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL); }

INT_PTR CDialog::DoModal()
{
    HINSTANCE instance = nullptr;
    const win32::res::DialogTemplate* tmpl = findTemplate(m_lpszTemplateName, instance);
    if (tmpl == nullptr) return -1;
    HWND owner = PreModal();
    AfxUnhookWindowCreate();
    bool enableOwner = false;
    if (owner != nullptr && ::IsWindowEnabled(owner)) {
        ::EnableWindow(owner, FALSE);
        enableOwner = true;
    }
    AfxHookWindowCreate(this);
    HWND h = win32::user::createDialogIndirect(instance, tmpl, owner, nullptr, 0);
    AfxUnhookWindowCreate();
    if (h != nullptr) {
        if (m_nFlags & WF_CONTINUEMODAL) {
            DWORD flags = MLF_SHOWONIDLE;
            if (GetStyle() & DS_NOIDLEMSG) flags |= MLF_NOIDLEMSG;
            RunModalLoop(flags);
        }
        if (m_hWnd != nullptr)
            ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                           SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    } else if (m_hWnd != nullptr && !IsWindow(m_hWnd)) {
        Detach();
    }
    if (enableOwner) ::EnableWindow(owner, TRUE);
    if (owner != nullptr && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(owner);
    if (m_hWnd != nullptr) DestroyWindow();
    PostModal();
    return m_nModalResult;
}
