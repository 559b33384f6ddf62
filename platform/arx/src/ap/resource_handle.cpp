// The host's resource handle is MFC's current resource handle, so that a
// plug-in's dialogs and strings load from whatever module the document manager
// has pushed, through the Windows stand-in's own lookup.
#include "resource_handle.h"

#include "afxstat_.h"

namespace arx {

// The resource handle is MFC's: dialogs and strings of the Windows stand-in load
// from it.
HINSTANCE programResourceHandle() { return AfxGetInstanceHandle(); }
HINSTANCE currentResourceHandle() { return AfxGetResourceHandle(); }
void setCurrentResourceHandle(HINSTANCE h) { AfxSetResourceHandle(h); }

}  // namespace arx
