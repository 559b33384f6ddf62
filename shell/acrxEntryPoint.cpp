// The plug-in's entry point and its one application object: what happens at
// each of the host's application messages, the run-time classes it registers (in
// this order), its one command and its one LISP function. IMPLEMENT_ARX_ENTRYPOINT
// also defines the module handle, which DllMain sets.
#include "QkDbVelaTone.h"
#include "VelaToneDcReactor.h"
#include "VelaToneEnReactor.h"
#include "VelaToneManDlg.h"
#include "VelaToneAudio.h"
#include "VelaToneManager.h"
#include "VelaToneObReactor.h"
#include "VelaTonePmReactor.h"
#include "VelaTonePsReactor.h"
#include "VelaToneViewer.h"

HINSTANCE VelaToneResourceInstance();

class CVelaToneViewerApp : public AcRxArxApp {
public:
    CVelaToneViewerApp() : AcRxArxApp(), m_gdiplusToken(0) {}

    AcRx::AppRetCode On_kInitAppMsg(void* pkt) override
    {
        AcRx::AppRetCode retCode = AcRxArxApp::On_kInitAppMsg(pkt);
        Gdiplus::GdiplusStartupInput gdiplusStartupInput;
        Gdiplus::GdiplusStartup(&m_gdiplusToken, &gdiplusStartupInput, NULL);
        // The registry, once: it reads the stored list of every open document.
        if (g_pVtManager == NULL) g_pVtManager = new VelaToneManager();
        return retCode;
    }

    AcRx::AppRetCode On_kUnloadAppMsg(void* pkt) override
    {
        AcRx::AppRetCode retCode = AcRxArxApp::On_kUnloadAppMsg(pkt);
        // A sound the manager still plays stops: its window's code goes with the module.
        StopWaveData();
        Gdiplus::GdiplusShutdown(m_gdiplusToken);
        // After the classes: the registry stores every open document's list,
        // then drops it. Notifications that come later find no registry.
        if (g_pVtManager != NULL) {
            VelaToneManager* pManager = g_pVtManager;
            g_pVtManager = NULL;
            delete pManager;
        }
        return retCode;
    }

    AcRx::AppRetCode On_kLoadDwgMsg(void*) override
    {
        acedDefun(_T("VelaToneShow"), 1);
        return AcRx::kRetOK;
    }

    AcRx::AppRetCode On_kUnloadDwgMsg(void*) override
    {
        acedUndef(_T("VelaToneShow"), 1);
        return AcRx::kRetOK;
    }

    AcRx::AppRetCode On_kInvkSubrMsg(void*) override
    {
        if (acedGetFunCode() == 1) acedRetInt(g_bShowVelaTone ? 1 : 0);
        return AcRx::kRetOK;
    }

    void RegisterServerComponents() override {}

    // VOICEMAN: the voice manager dialog, with the plug-in's own resources.
    static void VelaToneCM_VOICEMAN()
    {
        HINSTANCE hResource = _hdllInstance != NULL ? _hdllInstance : VelaToneResourceInstance();
        acDocManager->pushResourceHandle(hResource);
        try {
            // OK and Cancel both just close it; its end removes Find's highlight.
            CVelaToneManDlg dlg;
            dlg.DoModal();
        } catch (...) {
            acDocManager->popResourceHandle();
            throw;
        }
        acDocManager->popResourceHandle();
    }

private:
    ULONG_PTR m_gdiplusToken;
};

ACDB_REGISTER_OBJECT_ENTRY_AUTO(VelaTonePsReactor)
ACDB_REGISTER_OBJECT_ENTRY_AUTO(VelaToneObReactor)
ACDB_REGISTER_OBJECT_ENTRY_AUTO(VelaToneDcReactor)
ACDB_REGISTER_OBJECT_ENTRY_AUTO(VelaToneEnReactor)
ACDB_REGISTER_OBJECT_ENTRY_AUTO(VelaTonePmReactor)
ACDB_REGISTER_OBJECT_ENTRY_AUTO(QkDbVelaTone)

ACED_ARXCOMMAND_ENTRYBYID_AUTO(CVelaToneViewerApp, VelaToneCM_, VOICEMAN, IDS_VOICEMAN, ACRX_CMD_TRANSPARENT, NULL)

IMPLEMENT_ARX_ENTRYPOINT(CVelaToneViewerApp)
