// The chain of extension modules (CDynLinkLibrary objects) and the resource search
// along it. Newer modules go in front of older ones, system libraries stay behind
// all others, and AfxFindResourceHandle walks the chain in that order after the
// current resource handle.
#include <mutex>
#include <new>
#include <set>

#include "afxdll_.h"
#include "afxstat_.h"

namespace {

struct Chain {
    std::recursive_mutex lock;
    CDynLinkLibrary* head = nullptr;
    std::set<void*> onHeap;
};

Chain& chain()
{
    static Chain* c = new Chain;  // outlives every module's static objects
    return *c;
}

}  // namespace

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule)
{
    if (hModule == nullptr)
        return FALSE;
    if (state.bInitialized)
        return TRUE;
    state.bInitialized = TRUE;
    state.hModule = hModule;
    state.hResource = hModule;
    return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll)
{
    if (!state.bInitialized && !bAll)
        return;
    Chain& c = chain();
    std::lock_guard lock(c.lock);
    for (CDynLinkLibrary* dll = c.head; dll != nullptr;) {
        CDynLinkLibrary* next = dll->m_pNextDLL;
        if (bAll || dll->m_hModule == state.hModule) {
            if (c.onHeap.count(dll) != 0)
                delete dll;
            else
                dll->unlink();  // not ours to free or destroy: it only leaves the chain
        }
        dll = next;
    }
    state.bInitialized = FALSE;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem)
    : m_hModule(state.hModule), m_hResource(state.hResource), m_bSystem(bSystem), m_pNextDLL(nullptr)
{
    link();
}

CDynLinkLibrary::CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource)
    : m_hModule(hModule), m_hResource(hResource), m_bSystem(FALSE), m_pNextDLL(nullptr)
{
    link();
}

void CDynLinkLibrary::link()
{
    Chain& c = chain();
    std::lock_guard lock(c.lock);
    if (!m_bSystem) {
        m_pNextDLL = c.head;
        c.head = this;
        return;
    }
    CDynLinkLibrary** slot = &c.head;
    while (*slot != nullptr)
        slot = &(*slot)->m_pNextDLL;
    *slot = this;
}

CDynLinkLibrary::~CDynLinkLibrary()
{
    unlink();
}

void CDynLinkLibrary::unlink()
{
    Chain& c = chain();
    std::lock_guard lock(c.lock);
    for (CDynLinkLibrary** slot = &c.head; *slot != nullptr; slot = &(*slot)->m_pNextDLL) {
        if (*slot == this) {
            *slot = m_pNextDLL;
            break;
        }
    }
    m_pNextDLL = nullptr;
}

void* CDynLinkLibrary::operator new(std::size_t size)
{
    void* p = ::operator new(size);
    Chain& c = chain();
    std::lock_guard lock(c.lock);
    c.onHeap.insert(p);
    return p;
}

void CDynLinkLibrary::operator delete(void* p)
{
    {
        Chain& c = chain();
        std::lock_guard lock(c.lock);
        c.onHeap.erase(p);
    }
    ::operator delete(p);
}

HINSTANCE AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType)
{
    HINSTANCE current = AfxGetResourceHandle();
    if (FindResourceW(current, lpszName, lpszType) != nullptr)
        return current;
    Chain& c = chain();
    std::lock_guard lock(c.lock);
    // The chain keeps system libraries at its end, so one walk gives MFC's order.
    for (CDynLinkLibrary* dll = c.head; dll != nullptr; dll = dll->m_pNextDLL) {
        if (dll->m_hResource != nullptr && FindResourceW(dll->m_hResource, lpszName, lpszType) != nullptr)
            return dll->m_hResource;
    }
    return current;
}
