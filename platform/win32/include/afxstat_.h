// The process's module state: the instance handle of the application (the main
// program) and the current resource handle, where resource lookups start.
#pragma once
#include "win32/export.h"
#include "afx.h"

// The main program until someone sets another handle.
W32_EXPORT HINSTANCE AfxGetResourceHandle();
W32_EXPORT void AfxSetResourceHandle(HINSTANCE hInstResource);
W32_EXPORT HINSTANCE AfxGetInstanceHandle();
