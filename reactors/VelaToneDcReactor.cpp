#include "VelaToneDcReactor.h"

ACRX_CONS_DEFINE_MEMBERS(VelaToneDcReactor, AcApDocManagerReactor, 1)

VelaToneDcReactor::VelaToneDcReactor(const bool autoInitAndRelease) : m_autoInitAndRelease(autoInitAndRelease)
{
    if (autoInitAndRelease) {
        if (acDocManager != NULL)
            acDocManager->addReactor(this);
        else
            m_autoInitAndRelease = false;
    }
}

VelaToneDcReactor::~VelaToneDcReactor() { Detach(); }

void VelaToneDcReactor::Attach()
{
    Detach();
    if (!m_autoInitAndRelease && acDocManager != NULL) {
        acDocManager->addReactor(this);
        m_autoInitAndRelease = true;
    }
}

void VelaToneDcReactor::Detach()
{
    if (m_autoInitAndRelease && acDocManager != NULL) {
        acDocManager->removeReactor(this);
        m_autoInitAndRelease = false;
    }
}

AcApDocManager* VelaToneDcReactor::Subject() const { return acDocManager; }
bool VelaToneDcReactor::IsAttached() const { return m_autoInitAndRelease; }
