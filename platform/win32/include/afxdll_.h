// MFC extension modules. A module initialises its AFX_EXTENSION_MODULE in DllMain and
// creates a CDynLinkLibrary, which puts the module's resources on the process's
// resource chain; AfxTermExtensionModule takes them off again before it unloads.
#pragma once
#include <cstddef>

#include "win32/export.h"
#include "afx.h"

struct CRuntimeClass;
class COleObjectFactory;

// MFC's five members. The stand-in has no run-time classes or OLE factories to
// share, so the last two stay null.
struct AFX_EXTENSION_MODULE {
    BOOL bInitialized;
    HMODULE hModule;
    HMODULE hResource;
    CRuntimeClass* pFirstSharedClass;
    COleObjectFactory* pFirstSharedFactory;
};

// Records the module and makes it its own resource handle. FALSE for a null module.
W32_EXPORT BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
// Deletes the module's CDynLinkLibrary objects (every one with bAll).
W32_EXPORT void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

class W32_EXPORT CDynLinkLibrary {
public:
    // Joins the chain in front of the modules already on it; system libraries
    // (bSystem) are searched after all others.
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem = FALSE);
    CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource);
    CDynLinkLibrary(const CDynLinkLibrary&) = delete;
    CDynLinkLibrary& operator=(const CDynLinkLibrary&) = delete;
    // Leaves the chain.
    virtual ~CDynLinkLibrary();

    // MFC expects these objects on the heap, where AfxTermExtensionModule deletes
    // them; the class keeps track of which ones are, so that one made elsewhere is
    // only taken off the chain, never deleted.
    static void* operator new(std::size_t size);
    static void operator delete(void* p);

    HMODULE m_hModule;
    HMODULE m_hResource;
    BOOL m_bSystem;
    CDynLinkLibrary* m_pNextDLL;

private:
    friend void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll);
    void link();
    void unlink();
};

// The module that holds resource lpszName of type lpszType: the current resource
// handle if it has it, else the first extension module on the chain that does, else
// (as MFC does) the current resource handle again, so that the caller's lookup fails
// there.
W32_EXPORT HINSTANCE AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);
