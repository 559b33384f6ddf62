// VelaToneEdReactor: attaching to the editor, and what the editor's events mean
// for the registry and for the command-running flag. Before the registry exists
// and after it is gone only the flag is kept.
#include "VelaToneEdReactor.h"

#include <shlwapi.h>

#include "QkDbVelaTone.h"
#include "VelaToneManager.h"
#include "VelaToneViewer.h"

namespace {
// The editor exists when the system registry holds it.
AcEditor* editorIfAny()
{
    AcRxObject* p = acrxSysRegistry()->at(ACRX_T("AcEditor"));
    return p != NULL ? AcEditor::cast(p) : NULL;
}
}  // namespace

VelaToneEdReactor::VelaToneEdReactor(const bool autoInitAndRelease) : m_autoInitAndRelease(autoInitAndRelease)
{
    if (autoInitAndRelease) {
        if (AcEditor* pEditor = editorIfAny())
            pEditor->addReactor(this);
        else
            m_autoInitAndRelease = false;
    }
}

VelaToneEdReactor::~VelaToneEdReactor() { Detach(); }

void VelaToneEdReactor::Attach()
{
    Detach();
    AcEditor* pEditor = editorIfAny();
    if (!m_autoInitAndRelease && pEditor != NULL) {
        pEditor->addReactor(this);
        m_autoInitAndRelease = true;
    }
}

void VelaToneEdReactor::Detach()
{
    AcEditor* pEditor = editorIfAny();
    if (m_autoInitAndRelease && pEditor != NULL) {
        pEditor->removeReactor(this);
        m_autoInitAndRelease = false;
    }
}

AcEditor* VelaToneEdReactor::Subject() const { return editorIfAny(); }
bool VelaToneEdReactor::IsAttached() const { return m_autoInitAndRelease; }

void VelaToneEdReactor::commandWillStart(const ACHAR*) { QkDbVelaTone::SetIsDraging(true); }
void VelaToneEdReactor::commandEnded(const ACHAR*) { QkDbVelaTone::SetIsDraging(false); }
void VelaToneEdReactor::commandCancelled(const ACHAR*) { QkDbVelaTone::SetIsDraging(false); }
void VelaToneEdReactor::commandFailed(const ACHAR*) { QkDbVelaTone::SetIsDraging(false); }

void VelaToneEdReactor::beginSave(AcDbDatabase* pDwg, const ACHAR* pIntendedName)
{
    VelaToneManager* pManager = qkVtManagerPtr();
    if (pManager == NULL) return;
    // The automatic saves of the host (".SV$") and of the authoring application
    // (".KV$") leave the drawing's list as it was.
    CString ext(pIntendedName != NULL ? PathFindExtensionW(pIntendedName) : _T(""));
    ext.MakeUpper();
    if (ext == _T(".SV$") || ext == _T(".KV$")) return;
    pManager->SaveVoiceHandle(pDwg);
}

void VelaToneEdReactor::layoutSwitched(const ACHAR*)
{
    if (VelaToneManager* pManager = qkVtManagerPtr()) pManager->UpdateAll(acDocManager->curDocument());
}

void VelaToneEdReactor::viewChanged()
{
    VelaToneManager* pManager = qkVtManagerPtr();
    if (pManager != NULL && g_bShowVelaTone) pManager->UpdateAll(acDocManager->curDocument());
}
