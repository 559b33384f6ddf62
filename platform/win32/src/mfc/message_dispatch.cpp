// The path of a message through an MFC window: AfxWndProc finds the CWnd, WindowProc
// offers the message to the class's message map (and its bases'), and what no
// entry takes goes to DefWindowProc, the window's original procedure. WM_COMMAND
// and WM_NOTIFY are matched by notification code and control id.
#include "mfc/window_map.h"

// Handlers of every shape are kept as one member pointer type and cast back to their
// own shape to be called, as MFC does.
#pragma GCC diagnostic ignored "-Wcast-function-type"

namespace {

const AFX_MSGMAP_ENTRY* findEntry(const AFX_MSGMAP* map, UINT message, UINT code, UINT id)
{
    for (; map != nullptr; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr)
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e != nullptr && e->nSig != AfxSig_end; ++e)
            if (e->nMessage == message && e->nCode == code && id >= e->nID && id <= e->nLastID) return e;
    return nullptr;
}

template <typename Pmf>
Pmf as(AFX_PMSG pfn)
{
    return reinterpret_cast<Pmf>(static_cast<AFX_PMSGW>(pfn));
}

}  // namespace

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr}};
    static const AFX_MSGMAP map = {nullptr, entries};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    UINT message = WM_COMMAND, code = static_cast<UINT>(nCode);
    if (HIWORD(static_cast<UINT>(nCode)) == WM_NOTIFY) {
        message = WM_NOTIFY;
        code = LOWORD(static_cast<UINT>(nCode));
    }
    const AFX_MSGMAP_ENTRY* e = findEntry(GetMessageMap(), message, static_cast<WORD>(code), static_cast<WORD>(nID));
    if (e == nullptr) return FALSE;
    if (pHandlerInfo != nullptr) return TRUE;
    if (e->nSig == AfxSigCmd_v) {
        (this->*(e->pfn))();
        return TRUE;
    }
    if (e->nSig == AfxSigNotify_v) {
        auto* n = static_cast<win32::mfc::NotifyData*>(pExtra);
        auto pfn = reinterpret_cast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(e->pfn);
        (this->*pfn)(n->header, n->result);
        return TRUE;
    }
    return FALSE;
}

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_NCDESTROY()
END_MESSAGE_MAP()

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
    if (wnd == nullptr || wnd->m_hWnd != hWnd) return DefWindowProcW(hWnd, nMsg, wParam, lParam);
    win32::mfc::pushMessage({hWnd, nMsg, wParam, lParam});
    LRESULT result = wnd->WindowProc(nMsg, wParam, lParam);
    win32::mfc::popMessage();
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC super = *GetSuperWndProcAddr();
    return super ? ::CallWindowProcW(super, m_hWnd, message, wParam, lParam)
                 : ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const win32::mfc::CurrentMessage* m = win32::mfc::currentMessage();
    if (m == nullptr || m->hwnd != m_hWnd) return 0;
    return DefWindowProc(m->message, m->wParam, m->lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT id = LOWORD(wParam);
    int code = HIWORD(wParam);
    (void)lParam;
    return OnCmdMsg(id, code, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header == nullptr) return FALSE;
    win32::mfc::NotifyData notify{header, pResult};
    (void)wParam;
    return OnCmdMsg(static_cast<UINT>(header->idFrom), static_cast<int>(MAKELONG(static_cast<WORD>(header->code), WM_NOTIFY)),
                    &notify, nullptr);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT result = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam)) return FALSE;
        if (pResult) *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header == nullptr || header->hwndFrom == nullptr || !OnNotify(wParam, lParam, &result)) return FALSE;
        if (pResult) *pResult = result;
        return TRUE;
    }
    const AFX_MSGMAP_ENTRY* e = findEntry(GetMessageMap(), message, 0, 0);
    if (e == nullptr) return FALSE;
    switch (e->nSig) {
    case AfxSig_vv: (this->*as<void (CWnd::*)()>(e->pfn))(); break;
    case AfxSig_vw: (this->*as<void (CWnd::*)(UINT)>(e->pfn))(static_cast<UINT>(wParam)); break;
    case AfxSig_vup: (this->*as<void (CWnd::*)(UINT_PTR)>(e->pfn))(static_cast<UINT_PTR>(wParam)); break;
    case AfxSig_vwp: (this->*as<void (CWnd::*)(UINT, CPoint)>(e->pfn))(static_cast<UINT>(wParam), CPoint(lParam)); break;
    case AfxSig_vwii:
        (this->*as<void (CWnd::*)(UINT, int, int)>(e->pfn))(static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)),
                                                            static_cast<short>(HIWORD(lParam)));
        break;
    case AfxSig_is: result = (this->*as<int (CWnd::*)(LPCREATESTRUCT)>(e->pfn))(reinterpret_cast<LPCREATESTRUCT>(lParam)); break;
    case AfxSig_bWww:
        result = (this->*as<BOOL (CWnd::*)(CWnd*, UINT, UINT)>(e->pfn))(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)),
                                                                        LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_lwl: result = (this->*as<LRESULT (CWnd::*)(WPARAM, LPARAM)>(e->pfn))(wParam, lParam); break;
    default: return FALSE;
    }
    if (pResult) *pResult = result;
    return TRUE;
}

int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMouseHover(UINT, CPoint) { Default(); }
void CWnd::OnMouseLeave() { Default(); }

void CWnd::OnNcDestroy()
{
    // The window's own procedure sees WM_NCDESTROY, then the object lets go of the
    // window and gets its chance to clean up (frames and views delete themselves).
    Default();
    if (m_pfnSuper != nullptr && IsWindow(m_hWnd))
        SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    Detach();
    PostNcDestroy();
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND h = pMsg->hwnd; h != nullptr; h = ::GetParent(h)) {
        CWnd* wnd = FromHandlePermanent(h);
        if (wnd != nullptr && wnd->PreTranslateMessage(pMsg)) return TRUE;
        if (h == hWndStop) break;
    }
    return FALSE;
}
