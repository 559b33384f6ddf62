// The plug-in's static objects, defined in this one file so that they come up
// in this order when the library loads and go in the reverse order when it is
// unloaded: the empty subentity path, the document reactor, the editor reactor,
// and the shared object reactor. The library's attach routine then records the
// module handle (defined, null, with the entry point) and joins the host's MFC
// resource chain.
#include "VelaToneViewer.h"
#include "VelaToneDcReactor.h"
#include "VelaToneEdReactor.h"
#include "VelaToneObReactor.h"

#include <afxdllx.h>

AcDbFullSubentPath g_NullSubentPath;
VelaToneDcReactor g_DocReactor;
VelaToneEdReactor g_EdReactor;
VelaToneObReactor g_ObjReactor;

bool g_bShowVelaTone = true;
VelaToneManager* g_pVtManager = NULL;

static AFX_EXTENSION_MODULE VelaToneViewerDLL = {};

extern "C" VELATONE_EXPORT BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH) {
        _hdllInstance = hInstance;
        if (!AfxInitExtensionModule(VelaToneViewerDLL, hInstance)) return FALSE;
        new CDynLinkLibrary(VelaToneViewerDLL);
    } else if (dwReason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(VelaToneViewerDLL);
    }
    return TRUE;
}

HINSTANCE VelaToneResourceInstance() { return VelaToneViewerDLL.hResource; }

bool IsShowVelaTone() { return g_bShowVelaTone; }
void SetVelaToneVar(bool bShow) { g_bShowVelaTone = bShow; }
VelaToneManager* qkVtManagerPtr() { return g_pVtManager; }
VelaToneObReactor* vtObjRectPtr() { return &g_ObjReactor; }
