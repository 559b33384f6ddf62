#include "VelaToneEdReactor.h"

#include "QkDbVelaTone.h"

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
