#include "VelaTonePmReactor.h"

ACRX_CONS_DEFINE_MEMBERS(VelaTonePmReactor, AcEdInputPointMonitor, 1)

VelaTonePmReactor::VelaTonePmReactor(AcApDocument* pDoc) : m_pDocument(NULL)
{
    if (pDoc != NULL) {
        m_pDocument = pDoc;
        pDoc->inputPointManager()->addPointMonitor(this);
    }
}

VelaTonePmReactor::~VelaTonePmReactor() { Detach(); }

bool VelaTonePmReactor::excludeFromOsnapCalculation(const AcArray<AcDbObjectId>&, Adesk::GsMarker) { return false; }

void VelaTonePmReactor::Attach(AcApDocument* pDoc)
{
    Detach();
    if (m_pDocument == NULL) {
        m_pDocument = pDoc;
        if (pDoc != NULL) pDoc->inputPointManager()->addPointMonitor(this);
    }
}

void VelaTonePmReactor::Detach()
{
    if (m_pDocument != NULL) {
        m_pDocument->inputPointManager()->removePointMonitor(this);
        m_pDocument = NULL;
    }
}

AcApDocument* VelaTonePmReactor::Subject() const { return m_pDocument; }
bool VelaTonePmReactor::IsAttached() const { return m_pDocument != NULL; }
