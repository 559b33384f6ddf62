// VelaTonePsReactor: the persistent reactor object of an Object note, its
// filing (the note it serves, as a soft pointer), and its answer to a change of
// the entity that carries it (made or undone): the note takes the entity's new
// extents.
#include "VelaTonePsReactor.h"

#include "QkDbVelaTone.h"

ACRX_DXF_DEFINE_MEMBERS(VelaTonePsReactor, AcDbObject, AcDb::kDHL_CURRENT, AcDb::kMReleaseCurrent, 0,
                        VelaTonePsReactor, PERSISTREACTOR)

VelaTonePsReactor::VelaTonePsReactor() {}
VelaTonePsReactor::~VelaTonePsReactor() {}

AcDbObjectId VelaTonePsReactor::eLinkage() const
{
    assertReadEnabled();
    return m_linkage;
}

void VelaTonePsReactor::eLinkage(AcDbObjectId linkage)
{
    assertWriteEnabled();
    m_linkage = linkage;
}

Acad::ErrorStatus VelaTonePsReactor::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbObject::dwgOutFields(pFiler);
    if (es != Acad::eOk) return es;
    pFiler->writeSoftPointerId(m_linkage);
    return pFiler->filerStatus();
}

Acad::ErrorStatus VelaTonePsReactor::dwgInFields(AcDbDwgFiler* pFiler)
{
    assertWriteEnabled();
    Acad::ErrorStatus es = AcDbObject::dwgInFields(pFiler);
    if (es != Acad::eOk) return es;
    AcDbSoftPointerId id;
    pFiler->readSoftPointerId(&id);
    m_linkage = id;
    return pFiler->filerStatus();
}

Acad::ErrorStatus VelaTonePsReactor::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbObject::dxfOutFields(pFiler);
    if (es != Acad::eOk) return es;
    pFiler->writeString(AcDb::kDxfSubclass, _T("VelaTonePsReactor"));
    pFiler->writeObjectId(AcDb::kDxfSoftPointerId, m_linkage);
    return pFiler->filerStatus();
}

Acad::ErrorStatus VelaTonePsReactor::dxfInFields(AcDbDxfFiler* pFiler)
{
    assertWriteEnabled();
    Acad::ErrorStatus es = AcDbObject::dxfInFields(pFiler);
    if (es != Acad::eOk) return es;
    if (!pFiler->atSubclassData(_T("VelaTonePsReactor"))) return Acad::eBadDxfSequence;
    resbuf rb;
    while ((es = pFiler->readResBuf(&rb)) == Acad::eOk) {
        if (rb.restype != AcDb::kDxfSoftPointerId) {
            pFiler->pushBackItem();
            break;
        }
        AcDbObjectId id;
        acdbGetObjectId(id, rb.resval.rlname);
        m_linkage = id;
    }
    return pFiler->filerStatus();
}

void VelaTonePsReactor::modified(const AcDbObject* pObj) { followEntity(pObj); }

// An undone or redone change of the entity moves it without a modified: the
// note follows it back, since an Object note does not file its extents.
void VelaTonePsReactor::modifyUndone(const AcDbObject* pObj) { followEntity(pObj); }

void VelaTonePsReactor::followEntity(const AcDbObject* pObj)
{
    const AcDbEntity* pEnt = AcDbEntity::cast(pObj);
    if (pEnt == NULL) return;
    QkDbVelaTone* pNote = NULL;
    if (acdbOpenObject(pNote, m_linkage, AcDb::kForWrite) != Acad::eOk) return;
    if (pNote->getAttEntId() == pEnt->objectId()) {
        AcDbExtents ext;
        pEnt->getGeomExtents(ext);
        pNote->setExtents(ext);
        pNote->recordGraphicsModified(true);
    }
    pNote->close();
}
