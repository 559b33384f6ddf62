// The module state of the process. Extension modules share the application's state,
// as MFC extension DLLs do, so there is one current resource handle for everyone.
#include <atomic>

#include "afxstat_.h"
#include "kernel/modules.h"

namespace {

// Null until set: then the application (the main program) is meant.
std::atomic<HINSTANCE> gResourceHandle{nullptr};
std::atomic<bool> gResourceHandleSet{false};

}  // namespace

HINSTANCE AfxGetResourceHandle()
{
    return gResourceHandleSet.load() ? gResourceHandle.load() : win32::mainProgram();
}

void AfxSetResourceHandle(HINSTANCE hInstResource)
{
    gResourceHandle.store(hInstResource);
    gResourceHandleSet.store(true);
}

HINSTANCE AfxGetInstanceHandle()
{
    return win32::mainProgram();
}
