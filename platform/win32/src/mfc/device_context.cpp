// CDC: a device context handle in an MFC object, and the temporary objects that
// CWnd::GetDC hands out until ReleaseDC.
#include <map>
#include <memory>

#include "mfc/window_map.h"

namespace {

std::map<HDC, std::unique_ptr<CDC>>& temporaries()
{
    static auto* m = new std::map<HDC, std::unique_ptr<CDC>>;
    return *m;
}

}  // namespace

CDC* CDC::FromHandle(HDC hDC)
{
    if (hDC == nullptr) return nullptr;
    auto& t = temporaries();
    auto it = t.find(hDC);
    if (it != t.end()) return it->second.get();
    auto dc = std::make_unique<CDC>();
    dc->m_hDC = hDC;
    CDC* raw = dc.get();
    t.emplace(hDC, std::move(dc));
    return raw;
}

BOOL CDC::Attach(HDC hDC)
{
    if (hDC == nullptr || m_hDC != nullptr) return FALSE;
    m_hDC = hDC;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC h = m_hDC;
    m_hDC = nullptr;
    return h;
}

CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }

int CWnd::ReleaseDC(CDC* pDC)
{
    if (pDC == nullptr) return 0;
    HDC h = pDC->m_hDC;
    int released = ::ReleaseDC(m_hWnd, h);
    temporaries().erase(h);  // pDC is gone with it
    return released;
}
