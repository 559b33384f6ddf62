// QkDbVelaTone filing: the note's own data after the entity's, in the binary
// form and in DXF. Drawings of the authoring application carry exactly these
// layouts, so both are read and written field by field as they stand.
#include "QkDbVelaTone.h"

#include <cstdlib>
#include <cstring>

namespace {

// Sound is written to DXF in chunks of at most this many bytes.
const int kChunkBytes = 127;

AcGePoint3d pointOf(const resbuf& rb) { return AcGePoint3d(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]); }

// Tells the user that a note whose sound it cannot hold stays as it was read,
// and why; the host then keeps it as a proxy with its data unchanged.
Acad::ErrorStatus keepAsRead(const QkDbVelaTone* pNote, Adesk::UInt32 bytes)
{
    ACHAR handle[17];
    std::memset(handle, 0, sizeof handle);
    pNote->objectId().handle().getIntoAsciiBuffer(handle);
    CString format;
    format.LoadString(IDS_MSG_SOUND_KEPT);
    acutPrintf(format, handle, bytes);
    return Acad::eMakeMeProxy;
}

}  // namespace

AcDbDatabase* QkDbVelaTone::filingDatabase(AcDbDatabase* filerDb) const
{
    // A handle names an object of the drawing being read, never of whatever
    // drawing happens to be the working one. The binary filer names no database,
    // but a note being read from a drawing already belongs to it; only a note in
    // no drawing yet (a copy on its way in) falls back to the working one.
    if (filerDb != NULL) return filerDb;
    if (database() != NULL) return database();
    return acdbHostApplicationServices()->workingDatabase();
}

Acad::ErrorStatus QkDbVelaTone::dwgOutWaveFormatData(AcDbDwgFiler* pFiler) const
{
    pFiler->writeUInt16(m_WaveFormat.wFormatTag);
    pFiler->writeUInt16(m_WaveFormat.nChannels);
    pFiler->writeUInt32(m_WaveFormat.nSamplesPerSec);
    pFiler->writeUInt32(m_WaveFormat.nAvgBytesPerSec);
    pFiler->writeUInt16(m_WaveFormat.nBlockAlign);
    pFiler->writeUInt16(m_WaveFormat.wBitsPerSample);
    pFiler->writeUInt16(m_WaveFormat.cbSize);
    return pFiler->filerStatus();
}

Acad::ErrorStatus QkDbVelaTone::dwgInWaveFormatData(AcDbDwgFiler* pFiler)
{
    Adesk::UInt16 tag = 0, channels = 0, align = 0, bits = 0, cb = 0;
    Adesk::UInt32 rate = 0, avg = 0;
    pFiler->readUInt16(&tag);
    pFiler->readUInt16(&channels);
    pFiler->readUInt32(&rate);
    pFiler->readUInt32(&avg);
    pFiler->readUInt16(&align);
    pFiler->readUInt16(&bits);
    Acad::ErrorStatus es = pFiler->readUInt16(&cb);
    if (es != Acad::eOk) return es;
    m_WaveFormat.wFormatTag = tag;
    m_WaveFormat.nChannels = channels;
    m_WaveFormat.nSamplesPerSec = rate;
    m_WaveFormat.nAvgBytesPerSec = avg;
    m_WaveFormat.nBlockAlign = align;
    m_WaveFormat.wBitsPerSample = bits;
    m_WaveFormat.cbSize = cb;
    return pFiler->filerStatus();
}

Acad::ErrorStatus QkDbVelaTone::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(pFiler);
    if (es != Acad::eOk) return es;
    if ((es = pFiler->writeUInt32(kCurrentVersionNumber)) != Acad::eOk) return es;
    pFiler->writeInt16(m_Type);
    switch (m_Type) {
    case kPoint: pFiler->writePoint3d(m_Position); break;
    case kRegion:
        pFiler->writePoint3d(m_Extents.minPoint());
        pFiler->writePoint3d(m_Extents.maxPoint());
        break;
    case kObject: pFiler->writeAcDbHandle(m_AttEntId.handle()); break;
    case kReply: pFiler->writeAcDbHandle(m_ReplyId.handle()); break;
    default: break;
    }
    Adesk::UInt32 n = audioLength();
    pFiler->writeBool(m_HasRecord);
    if (m_HasRecord) {
        dwgOutWaveFormatData(pFiler);
        pFiler->writeUInt32(n);
        pFiler->writeBytes(m_pAudioData, n);
    }
    pFiler->writeString(m_Spokesman);
    pFiler->writeString(m_Datatime);
    pFiler->writeString(m_Duration);
    return pFiler->filerStatus();
}

Acad::ErrorStatus QkDbVelaTone::dwgInFields(AcDbDwgFiler* pFiler)
{
    assertWriteEnabled();
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(pFiler);
    if (es != Acad::eOk) return es;
    Adesk::UInt32 version = 0;
    if ((es = pFiler->readUInt32(&version)) != Acad::eOk) return es;
    if (version > kCurrentVersionNumber) return Acad::eMakeMeProxy;
    pFiler->readInt16(&m_Type);
    AcDbDatabase* pDb = filingDatabase(NULL);
    switch (m_Type) {
    case kPoint: pFiler->readPoint3d(&m_Position); break;
    case kRegion: {
        AcGePoint3d minPt, maxPt;
        pFiler->readPoint3d(&minPt);
        pFiler->readPoint3d(&maxPt);
        m_Extents.set(minPt, maxPt);
        break;
    }
    case kObject:
    case kReply: {
        AcDbHandle handle;
        if ((es = pFiler->readAcDbHandle(&handle)) != Acad::eOk) return es;
        AcDbObjectId id;
        if (pDb != NULL) pDb->getAcDbObjectId(id, true, handle, 0);
        if (m_Type == kReply) {
            m_ReplyId = id;
        } else {
            m_AttEntId = id;
            if (pFiler->filerType() == AcDb::kFileFiler) refreshAttachedExtents();
        }
        break;
    }
    default: break;
    }
    pFiler->readBool(&m_HasRecord);
    // The new sound replaces the old one only when the whole note has been read:
    // a damaged record leaves the note with the sound it had.
    unsigned char* pBuffer = NULL;
    if (m_HasRecord) {
        dwgInWaveFormatData(pFiler);
        Adesk::UInt32 n = 0;
        if ((es = pFiler->readUInt32(&n)) != Acad::eOk) return es;
        // A length beyond the limit, or beyond what the stream still holds, is damage.
        Adesk::Int64 here = pFiler->tell();
        Adesk::Int64 left = -1;
        if (pFiler->seek(0, AcDb::kSeekFromEnd) == Acad::eOk) {
            left = pFiler->tell() - here;
            pFiler->seek(here, AcDb::kSeekFromStart);
        }
        if (left >= 0 && static_cast<Adesk::Int64>(n) > left) {
            pFiler->setFilerStatus(Acad::eFilerError);
            return pFiler->filerStatus();
        }
        // A sound that is really there but more than a note holds leaves the
        // note as it was read.
        if (n > kMaxAudioBytes) return keepAsRead(this, n);
        pBuffer = static_cast<unsigned char*>(calloc(static_cast<size_t>(n) + 1, 1));
        if (pBuffer == NULL) return keepAsRead(this, n);
        pFiler->readBytes(pBuffer, n);
    }
    AcString texts[3];
    for (int i = 0; i < 3; ++i) {
        ACHAR* pText = NULL;
        if (pFiler->readString(&pText) != Acad::eOk) break;
        texts[i] = pText;
        acutDelString(pText);
    }
    if (pFiler->filerStatus() != Acad::eOk) {
        if (pBuffer != NULL) free(pBuffer);
        return pFiler->filerStatus();
    }
    if (pBuffer != NULL) {
        if (m_pAudioData != NULL) free(m_pAudioData);
        m_pAudioData = pBuffer;
    }
    m_Spokesman = texts[0];
    m_Datatime = texts[1];
    m_Duration = texts[2];
    return pFiler->filerStatus();
}

Acad::ErrorStatus QkDbVelaTone::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(pFiler);
    if (es != Acad::eOk) return es;
    if ((es = pFiler->writeString(AcDb::kDxfSubclass, _T("QkDbVelaTone"))) != Acad::eOk) return es;
    if ((es = pFiler->writeUInt32(AcDb::kDxfInt32, kCurrentVersionNumber)) != Acad::eOk) return es;
    pFiler->writeInt16(AcDb::kDxfInt16, m_Type);
    switch (m_Type) {
    case kPoint: pFiler->writePoint3d(AcDb::kDxfXCoord, m_Position); break;
    case kRegion:
        pFiler->writePoint3d(static_cast<AcDb::DxfCode>(11), m_Extents.minPoint());
        pFiler->writePoint3d(static_cast<AcDb::DxfCode>(12), m_Extents.maxPoint());
        break;
    case kObject: {
        ACHAR text[17];
        std::memset(text, 0, sizeof text);
        m_AttEntId.handle().getIntoAsciiBuffer(text);
        pFiler->writeString(AcDb::kDxfControlString, text);
        break;
    }
    default: break;
    }
    pFiler->writeBool(static_cast<AcDb::DxfCode>(290), m_HasRecord);
    if (m_HasRecord) {
        Adesk::UInt32 n = audioLength();
        pFiler->writeUInt16(static_cast<AcDb::DxfCode>(71), m_WaveFormat.wFormatTag);
        pFiler->writeUInt16(static_cast<AcDb::DxfCode>(72), m_WaveFormat.nChannels);
        pFiler->writeUInt32(static_cast<AcDb::DxfCode>(91), m_WaveFormat.nSamplesPerSec);
        pFiler->writeUInt32(static_cast<AcDb::DxfCode>(92), m_WaveFormat.nAvgBytesPerSec);
        pFiler->writeUInt16(static_cast<AcDb::DxfCode>(73), m_WaveFormat.nBlockAlign);
        pFiler->writeUInt16(static_cast<AcDb::DxfCode>(74), m_WaveFormat.wBitsPerSample);
        pFiler->writeUInt16(static_cast<AcDb::DxfCode>(75), m_WaveFormat.cbSize);
        pFiler->writeUInt32(static_cast<AcDb::DxfCode>(93), n);
        // 127 bytes per group while more remain; the last group holds the rest,
        // which is nothing when there is no sound at all.
        Adesk::UInt32 at = 0;
        ads_binary chunk;
        while (n - at > static_cast<Adesk::UInt32>(kChunkBytes)) {
            chunk.clen = kChunkBytes;
            chunk.buf = reinterpret_cast<char*>(m_pAudioData + at);
            pFiler->writeBChunk(AcDb::kDxfBinaryChunk, chunk);
            at += kChunkBytes;
        }
        chunk.clen = static_cast<short>(n - at);
        chunk.buf = m_pAudioData != NULL ? reinterpret_cast<char*>(m_pAudioData + at) : NULL;
        pFiler->writeBChunk(AcDb::kDxfBinaryChunk, chunk);
    }
    pFiler->writeString(AcDb::kDxfText, m_Spokesman);
    pFiler->writeString(static_cast<AcDb::DxfCode>(2), m_Datatime);
    pFiler->writeString(static_cast<AcDb::DxfCode>(3), m_Duration);
    return pFiler->filerStatus();
}

Acad::ErrorStatus QkDbVelaTone::dxfInFields(AcDbDxfFiler* pFiler)
{
    assertWriteEnabled();
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(pFiler);
    if (es != Acad::eOk || !pFiler->atSubclassData(_T("QkDbVelaTone"))) return pFiler->filerStatus();

    resbuf rb = {};
    es = pFiler->readResBuf(&rb);
    if (es != Acad::eOk && es != Acad::eEndOfFile) return pFiler->filerStatus();  // a value that does not parse
    if (es == Acad::eEndOfFile || rb.restype != AcDb::kDxfInt32) {
        if (es == Acad::eOk) pFiler->pushBackItem();
        pFiler->setError(Acad::eInvalidDxfCode, _T("\nError: expected group code %d (version #)"), AcDb::kDxfInt32);
        return pFiler->filerStatus();
    }
    if (static_cast<Adesk::UInt32>(rb.resval.rlong) > kCurrentVersionNumber) return Acad::eMakeMeProxy;

    delAudioData();
    AcGePoint3d pendingMin, pendingMax;
    AcDbDatabase* pDb = filingDatabase(pFiler->database());
    // The sound is what group 93 announces: bytes before any 93 and bytes past
    // the announced length are dropped. The buffer grows with the bytes that
    // arrive, never with what a 93 announces.
    unsigned char* pBuffer = NULL;
    bool announcedAny = false;
    Adesk::UInt32 announced = 0;
    Adesk::UInt32 written = 0;
    Adesk::UInt32 capacity = 0;   // bytes of sound the buffer has room for
    Adesk::UInt32 tooLarge = 0;   // the sound's length when the note cannot hold it
    while ((es = pFiler->readResBuf(&rb)) == Acad::eOk) {
        bool stop = false;
        switch (rb.restype) {
        case 1: m_Spokesman = rb.resval.rstring; break;
        case 2: m_Datatime = rb.resval.rstring; break;
        case 3: m_Duration = rb.resval.rstring; break;
        case 10: m_Position = pointOf(rb); break;
        case 11: pendingMin = pointOf(rb); break;
        case 12: pendingMax = pointOf(rb); break;
        case 70: m_Type = rb.resval.rint; break;
        case 71: m_WaveFormat.wFormatTag = static_cast<WORD>(rb.resval.rint); break;
        case 72: m_WaveFormat.nChannels = static_cast<WORD>(rb.resval.rint); break;
        case 73: m_WaveFormat.nBlockAlign = static_cast<WORD>(rb.resval.rint); break;
        case 74: m_WaveFormat.wBitsPerSample = static_cast<WORD>(rb.resval.rint); break;
        case 75: m_WaveFormat.cbSize = static_cast<WORD>(rb.resval.rint); break;
        case 91: m_WaveFormat.nSamplesPerSec = static_cast<DWORD>(rb.resval.rlong); break;
        case 92: m_WaveFormat.nAvgBytesPerSec = static_cast<DWORD>(rb.resval.rlong); break;
        case 93:
            // A second 93 starts the sound over.
            if (pBuffer != NULL) free(pBuffer);
            pBuffer = NULL;
            capacity = written = 0;
            announced = static_cast<Adesk::UInt32>(rb.resval.rlong);
            announcedAny = true;
            break;
        case 102: {
            AcDbHandle handle(rb.resval.rstring);
            AcDbObjectId id;
            if (pDb != NULL) pDb->getAcDbObjectId(id, true, handle, 0);
            m_AttEntId = id;
            if (pFiler->filerType() == AcDb::kFileFiler) refreshAttachedExtents();
            break;
        }
        case 290: m_HasRecord = rb.resval.rint != 0; break;
        case 310: {
            if (!announcedAny || rb.resval.rbinary.clen <= 0) break;
            Adesk::UInt32 take = static_cast<Adesk::UInt32>(rb.resval.rbinary.clen);
            if (take > announced - written) take = announced - written;
            if (take == 0) break;
            if (written + take > kMaxAudioBytes) {
                tooLarge = announced;
                stop = true;
                break;
            }
            if (written + take > capacity) {
                Adesk::UInt32 grown = capacity < 4096 ? 4096 : capacity * 2;
                if (grown > announced) grown = announced;
                if (grown > kMaxAudioBytes) grown = kMaxAudioBytes;
                unsigned char* pGrown = static_cast<unsigned char*>(realloc(pBuffer, static_cast<size_t>(grown) + 1));
                if (pGrown == NULL) {
                    tooLarge = announced;
                    stop = true;
                    break;
                }
                pBuffer = pGrown;
                capacity = grown;
            }
            std::memcpy(pBuffer + written, rb.resval.rbinary.buf, take);
            written += take;
            break;
        }
        default:
            pFiler->pushBackItem();
            es = Acad::eEndOfFile;
            stop = true;
            break;
        }
        if (stop) break;
    }
    if (tooLarge != 0) {
        if (pBuffer != NULL) free(pBuffer);
        return keepAsRead(this, tooLarge);
    }
    // A 93 makes the sound, even when no byte followed it: the buffer ends
    // with a zero byte after what arrived.
    if (announcedAny && pBuffer == NULL) pBuffer = static_cast<unsigned char*>(malloc(1));
    if (pBuffer != NULL) pBuffer[written] = 0;
    m_pAudioData = pBuffer;
    if (m_Type == kRegion) m_Extents.set(pendingMin, pendingMax);
    if (es != Acad::eEndOfFile) return Acad::eInvalidResBuf;
    return pFiler->filerStatus();
}
