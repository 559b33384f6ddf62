// A small MFC extension module for the tests: its DllMain does what a plug-in's does
// (initialise the extension module, join the resource chain, leave it on detach),
// and it reports what it sees of itself.
#include "afxdllx.h"

namespace {
AFX_EXTENSION_MODULE gExtension = {};
int gAttached = 0;
}  // namespace

extern "C" int DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(gExtension, hInstance))
            return 0;
        new CDynLinkLibrary(gExtension);
        ++gAttached;
    } else if (dwReason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(gExtension);
        --gAttached;
    }
    return 1;
}

// The module's handle as the module itself finds it, from one of its own addresses.
extern "C" HMODULE testModuleHandle()
{
    HMODULE self = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&gExtension), &self))
        return nullptr;
    return self;
}

extern "C" int testModuleAttached()
{
    return gAttached;
}
