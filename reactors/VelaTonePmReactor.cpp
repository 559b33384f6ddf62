// VelaTonePmReactor: binding the hover monitor to its document's input point
// manager and letting go of it. What it does with input points comes with the
// tag window.
#include "VelaTonePmReactor.h"

ACRX_CONS_DEFINE_MEMBERS(VelaTonePmReactor, AcEdInputPointMonitor, 1)

VelaTonePmReactor::VelaTonePmReactor(AcApDocument* pDoc) : m_pDocument(NULL)
{
    if (pDoc != NULL) {
        m_pDocument = pDoc;
        pDoc->inputPointManager()->addPointMonitor(this);
    }
}

VelaTonePmReactor::~VelaTonePmReactor()
{
    Detach();
    // Place of the tag window: one that is not playing is hidden when a
    // monitor goes. The tag window does not exist yet.
}

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

void VelaTonePmReactor::Abandon() { m_pDocument = NULL; }

AcApDocument* VelaTonePmReactor::Subject() const { return m_pDocument; }
bool VelaTonePmReactor::IsAttached() const { return m_pDocument != NULL; }
