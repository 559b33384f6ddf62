#include "resource_handle.h"

#include "afxstat_.h"

namespace arx {

// The resource handle is MFC's: dialogs and strings of the Windows stand-in load
// from it.
HINSTANCE programResourceHandle() { return AfxGetInstanceHandle(); }
HINSTANCE currentResourceHandle() { return AfxGetResourceHandle(); }
void setCurrentResourceHandle(HINSTANCE h) { AfxSetResourceHandle(h); }

}  // namespace arx
