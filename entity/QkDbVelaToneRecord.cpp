// QkDbVelaTone: construction, accessors and the notifications it passes on.
#include "QkDbVelaTone.h"

#include <cstdlib>
#include <cstring>

ACRX_DXF_DEFINE_MEMBERS(QkDbVelaTone, AcDbEntity, AcDb::kDHL_CURRENT, AcDb::kMReleaseCurrent,
                        AcDbProxyEntity::kNoOperation, VELATONE, VelaToneApp |Product Desc: VelaTone Object |Company: Korvo Systems Ltd. |WEB Address: www.korvo-systems.example)

bool QkDbVelaTone::m_IsDraging = false;

QkDbVelaTone::QkDbVelaTone()
    : m_RefUnits(0.0),
      m_pAudioData(NULL),
      m_Duration(_T("0.0\"")),
      m_Type(kPoint),
      m_HasRecord(false),
      m_ShowRegion(true),
      m_IsPlaying(false)
{
    std::memset(&m_WaveFormat, 0, sizeof(m_WaveFormat));
}

QkDbVelaTone::~QkDbVelaTone()
{
    if (m_pAudioData != NULL) free(m_pAudioData);
}

int QkDbVelaTone::getVelaToneType() const { return m_Type; }

void QkDbVelaTone::setVelaToneType(int type) { m_Type = static_cast<Adesk::Int16>(type & 0xFFFF); }
void QkDbVelaTone::setPosition(AcGePoint3d pt) { m_Position = pt; }
void QkDbVelaTone::setExtents(AcDbExtents ext) { m_Extents = ext; }

void QkDbVelaTone::setAttachObj(AcDbObjectId id)
{
    m_AttEntId = id;
    refreshAttachedExtents();
}

// The note takes the extents of the entity it is attached to, when it opens.
void QkDbVelaTone::refreshAttachedExtents()
{
    AcDbEntity* pEnt = NULL;
    if (acdbOpenAcDbEntity(pEnt, m_AttEntId, AcDb::kForRead) != Acad::eOk) return;
    AcDbExtents ext;
    if (pEnt->getGeomExtents(ext) == Acad::eOk) m_Extents = ext;
    pEnt->close();
}

AcDbObjectId QkDbVelaTone::getAttEntId() const { return m_AttEntId; }

int QkDbVelaTone::setAudioData(unsigned char* pData)
{
    if (pData == NULL) return 0;
    if (m_pAudioData != NULL && m_pAudioData != pData) free(m_pAudioData);
    m_pAudioData = pData;
    m_HasRecord = true;
    return 1;
}

unsigned char* QkDbVelaTone::getAudioData() const { return m_pAudioData; }

void QkDbVelaTone::delAudioData()
{
    if (m_pAudioData != NULL) free(m_pAudioData);
    m_pAudioData = NULL;
}

bool QkDbVelaTone::hasRecord() const { return m_HasRecord; }

void QkDbVelaTone::setWaveFormat(const WAVEFORMATEX* pFormat)
{
    if (pFormat == NULL) return;
    m_WaveFormat.wFormatTag = pFormat->wFormatTag;
    m_WaveFormat.nChannels = pFormat->nChannels;
    m_WaveFormat.nSamplesPerSec = pFormat->nSamplesPerSec;
    m_WaveFormat.nAvgBytesPerSec = pFormat->nAvgBytesPerSec;
    m_WaveFormat.nBlockAlign = pFormat->nBlockAlign;
    m_WaveFormat.wBitsPerSample = pFormat->wBitsPerSample;
    m_WaveFormat.cbSize = pFormat->cbSize;
}

void QkDbVelaTone::getWaveFormat(WAVEFORMATEX& format) const { format = m_WaveFormat; }
void QkDbVelaTone::setSpokesman(AcString text) { m_Spokesman = text; }
void QkDbVelaTone::setDatatime(AcString text) { m_Datatime = text; }
void QkDbVelaTone::setDuration(AcString text) { m_Duration = text; }
void QkDbVelaTone::getSpokesman(CString& text) const { text = m_Spokesman.kwszPtr(); }
void QkDbVelaTone::getDatatime(CString& text) const { text = m_Datatime.kwszPtr(); }
void QkDbVelaTone::getDuration(CString& text) const { text = m_Duration.kwszPtr(); }
void QkDbVelaTone::setIsPlaying(bool playing) { m_IsPlaying = playing; }
bool QkDbVelaTone::IsPlaying() const { return m_IsPlaying; }
AcGePoint3d QkDbVelaTone::getMfcBsBnt() const { return m_IconBase; }
void QkDbVelaTone::SetIsDraging(bool draging) { m_IsDraging = draging; }
bool QkDbVelaTone::IsDraging() { return m_IsDraging; }

Adesk::UInt32 QkDbVelaTone::audioLength() const
{
    return m_pAudioData != NULL ? static_cast<Adesk::UInt32>(std::strlen(reinterpret_cast<const char*>(m_pAudioData)))
                                : 0;
}

Acad::ErrorStatus QkDbVelaTone::subOpen(AcDb::OpenMode mode) { return AcDbEntity::subOpen(mode); }
Acad::ErrorStatus QkDbVelaTone::subCancel() { return AcDbEntity::subCancel(); }
Acad::ErrorStatus QkDbVelaTone::subClose() { return AcDbEntity::subClose(); }

Acad::ErrorStatus QkDbVelaTone::subGetClassID(CLSID* pClsid) const
{
    assertReadEnabled();
    return AcDbEntity::subGetClassID(pClsid);
}

// The notifications of a note as a persistent reactor: nothing of its own.
void QkDbVelaTone::cancelled(const AcDbObject* dbObj)
{
    assertReadEnabled();
    AcDbEntity::cancelled(dbObj);
}
void QkDbVelaTone::copied(const AcDbObject* dbObj, const AcDbObject* newObj)
{
    assertReadEnabled();
    AcDbEntity::copied(dbObj, newObj);
}
void QkDbVelaTone::erased(const AcDbObject* dbObj, Adesk::Boolean bErasing)
{
    assertReadEnabled();
    AcDbEntity::erased(dbObj, bErasing);
}
void QkDbVelaTone::goodbye(const AcDbObject* dbObj)
{
    assertReadEnabled();
    AcDbEntity::goodbye(dbObj);
}
void QkDbVelaTone::openedForModify(const AcDbObject* dbObj)
{
    assertReadEnabled();
    AcDbEntity::openedForModify(dbObj);
}
void QkDbVelaTone::modified(const AcDbObject* dbObj)
{
    assertReadEnabled();
    AcDbEntity::modified(dbObj);
}
void QkDbVelaTone::subObjModified(const AcDbObject* dbObj, const AcDbObject* subObj)
{
    assertReadEnabled();
    AcDbEntity::subObjModified(dbObj, subObj);
}
void QkDbVelaTone::modifyUndone(const AcDbObject* dbObj)
{
    assertReadEnabled();
    AcDbEntity::modifyUndone(dbObj);
}
void QkDbVelaTone::modifiedXData(const AcDbObject* dbObj)
{
    assertReadEnabled();
    AcDbEntity::modifiedXData(dbObj);
}
void QkDbVelaTone::unappended(const AcDbObject* dbObj)
{
    assertReadEnabled();
    AcDbEntity::unappended(dbObj);
}
void QkDbVelaTone::reappended(const AcDbObject* dbObj)
{
    assertReadEnabled();
    AcDbEntity::reappended(dbObj);
}
void QkDbVelaTone::objectClosed(const AcDbObjectId objId)
{
    assertReadEnabled();
    AcDbEntity::objectClosed(objId);
}
void QkDbVelaTone::modifiedGraphics(const AcDbEntity* dbEnt)
{
    assertReadEnabled();
    AcDbEntity::modifiedGraphics(dbEnt);
}
