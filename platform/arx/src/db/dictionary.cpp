// AcDbDictionary: named references to objects that the dictionary owns.
#include "acutads.h"
#include "builtin.h"
#include "database_impl.h"
#include "dbdict.h"
#include "notify.h"
#include "object_access.h"
#include "../core/utf.h"

using arx::ObjectAccess;

ARX_DEFINE_BUILTIN(AcDbDictionary, AcDbObject, L"DICTIONARY")

bool AcDbDictionary::KeyLess::operator()(const AcString& a, const AcString& b) const
{
    const std::wstring& x = a.str();
    const std::wstring& y = b.str();
    size_t n = std::min(x.size(), y.size());
    for (size_t i = 0; i < n; ++i) {
        wchar_t p = x[i], q = y[i];
        if (p >= L'a' && p <= L'z') p = static_cast<wchar_t>(p - 32);
        if (q >= L'a' && q <= L'z') q = static_cast<wchar_t>(q - 32);
        if (p != q) return p < q;
    }
    return x.size() < y.size();
}

AcDbDictionary::AcDbDictionary() = default;
AcDbDictionary::~AcDbDictionary() = default;

static bool isLive(const AcDbObjectId& id) { return !id.isNull() && !id.isErased(); }

Acad::ErrorStatus AcDbDictionary::getAt(const ACHAR* entryName, AcDbObjectId& entryObj) const
{
    assertReadEnabled();
    entryObj.setNull();
    if (entryName == nullptr) return Acad::eInvalidKey;
    auto it = mEntries.find(AcString(entryName));
    if (it == mEntries.end() || !isLive(it->second)) return Acad::eKeyNotFound;
    entryObj = it->second;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::getAt(const ACHAR* entryName, AcDbObject*& entryObj, AcDb::OpenMode mode) const
{
    entryObj = nullptr;
    AcDbObjectId id;
    Acad::ErrorStatus es = getAt(entryName, id);
    if (es != Acad::eOk) return es;
    return acdbOpenObject(entryObj, id, mode);
}

Acad::ErrorStatus AcDbDictionary::nameAt(AcDbObjectId objId, AcString& entryName) const
{
    assertReadEnabled();
    for (const auto& [key, id] : mEntries)
        if (id == objId) {
            entryName = key;
            return Acad::eOk;
        }
    return Acad::eKeyNotFound;
}

Acad::ErrorStatus AcDbDictionary::nameAt(AcDbObjectId objId, ACHAR*& entryName) const
{
    AcString name;
    Acad::ErrorStatus es = nameAt(objId, name);
    entryName = nullptr;
    if (es == Acad::eOk) acutNewString(name.kwszPtr(), entryName);
    return es;
}

bool AcDbDictionary::has(const ACHAR* entryName) const
{
    AcDbObjectId id;
    return getAt(entryName, id) == Acad::eOk;
}

bool AcDbDictionary::has(AcDbObjectId objId) const
{
    assertReadEnabled();
    for (const auto& entry : mEntries)
        if (entry.second == objId) return isLive(objId);
    return false;
}

Adesk::UInt32 AcDbDictionary::numEntries() const
{
    assertReadEnabled();
    Adesk::UInt32 n = 0;
    for (const auto& entry : mEntries)
        if (isLive(entry.second)) ++n;
    return n;
}

Acad::ErrorStatus AcDbDictionary::remove(const ACHAR* key)
{
    AcDbObjectId id;
    return remove(key, id);
}

Acad::ErrorStatus AcDbDictionary::remove(const ACHAR* key, AcDbObjectId& returnId)
{
    returnId.setNull();
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (key == nullptr) return Acad::eInvalidKey;
    auto it = mEntries.find(AcString(key));
    if (it == mEntries.end()) return Acad::eKeyNotFound;
    assertWriteEnabled();
    returnId = it->second;
    mEntries.erase(it);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::remove(AcDbObjectId objId)
{
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    for (auto it = mEntries.begin(); it != mEntries.end(); ++it)
        if (it->second == objId) {
            assertWriteEnabled();
            mEntries.erase(it);
            return Acad::eOk;
        }
    return Acad::eKeyNotFound;
}

Acad::ErrorStatus AcDbDictionary::setName(const ACHAR* oldName, const ACHAR* newName)
{
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (oldName == nullptr || newName == nullptr || *newName == 0) return Acad::eInvalidKey;
    auto it = mEntries.find(AcString(oldName));
    if (it == mEntries.end()) return Acad::eKeyNotFound;
    if (mEntries.count(AcString(newName)) != 0) return Acad::eDuplicateKey;
    assertWriteEnabled();
    AcDbObjectId id = it->second;
    mEntries.erase(it);
    mEntries.emplace(AcString(newName), id);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::setAt(const ACHAR* srchKey, AcDbObject* newValue, AcDbObjectId& retObjId)
{
    retObjId.setNull();
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (srchKey == nullptr || *srchKey == 0) return Acad::eInvalidKey;
    if (newValue == nullptr) return Acad::eNullObjectPointer;
    if (database() == nullptr) return Acad::eNoDatabase;
    AcDbDatabase* owner = newValue->database();
    if (owner != nullptr && owner != database()) return Acad::eWrongDatabase;
    assertWriteEnabled();
    if (owner == nullptr) {
        Acad::ErrorStatus es = arx::implOf(database())->addNew(newValue, retObjId);
        if (es != Acad::eOk) return es;
    } else {
        retObjId = newValue->objectId();
    }
    ObjectAccess::owner(newValue) = objectId();
    auto it = mEntries.find(AcString(srchKey));
    if (it != mEntries.end()) {
        // The object the key held is replaced: it goes.
        AcDbObjectId old = it->second;
        if (old != retObjId && isLive(old)) {
            AcDbObject* obj = nullptr;
            if (acdbOpenObject(obj, old, AcDb::kForWrite) == Acad::eOk) {
                obj->erase(true);
                obj->close();
            }
        }
        it->second = retObjId;
    } else {
        mEntries.emplace(AcString(srchKey), retObjId);
    }
    return Acad::eOk;
}

void AcDbDictionary::setTreatElementsAsHard(bool doIt)
{
    assertWriteEnabled();
    mHardOwner = doIt;
}

void AcDbDictionary::setMergeStyle(Adesk::Int16 style)
{
    assertWriteEnabled();
    mMergeStyle = style;
}

AcDbDictionaryIterator* AcDbDictionary::newIterator(AcRx::DictIterType) const
{
    assertReadEnabled();
    std::vector<std::pair<AcString, AcDbObjectId>> live;
    for (const auto& entry : mEntries)
        if (isLive(entry.second)) live.emplace_back(entry.first, entry.second);
    return new AcDbDictionaryIterator(std::move(live));
}

Acad::ErrorStatus AcDbDictionary::dwgOutFields(AcDbDwgFiler* filer) const
{
    Acad::ErrorStatus es = AcDbObject::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeBool(mHardOwner);
    filer->writeInt16(mMergeStyle);
    // A file keeps no erased objects; undo and copies keep them all.
    const bool dropErased = filer->filerType() == AcDb::kFileFiler;
    Adesk::UInt32 n = 0;
    for (const auto& entry : mEntries)
        if (!dropErased || !entry.second.isErased()) ++n;
    filer->writeUInt32(n);
    for (const auto& [key, id] : mEntries) {
        if (dropErased && id.isErased()) continue;
        filer->writeString(key);
        filer->writeSoftOwnershipId(id);
    }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbDictionary::dwgInFields(AcDbDwgFiler* filer)
{
    Acad::ErrorStatus es = AcDbObject::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    filer->readBool(&mHardOwner);
    filer->readInt16(&mMergeStyle);
    Adesk::UInt32 n = 0;
    if ((es = filer->readUInt32(&n)) != Acad::eOk) return es;
    EntryMap entries;
    for (Adesk::UInt32 i = 0; i < n; ++i) {
        AcString key;
        AcDbSoftOwnershipId id;
        filer->readString(key);
        if ((es = filer->readSoftOwnershipId(&id)) != Acad::eOk) return es;
        if (key.isEmpty() || !entries.emplace(key, id).second) return Acad::eDwgObjectImproperlyRead;
    }
    mEntries = std::move(entries);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbDictionary::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbObject::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(AcDb::kDxfSubclass, L"AcDbDictionary");
    if (mHardOwner) filer->writeInt16(static_cast<AcDb::DxfCode>(280), 1);
    filer->writeInt16(static_cast<AcDb::DxfCode>(281), mMergeStyle);
    for (const auto& [key, id] : mEntries) {
        if (!isLive(id)) continue;
        filer->writeString(AcDb::kDxfAttributePrompt, key);
        filer->writeObjectId(mHardOwner ? AcDb::kDxfHardOwnershipId : AcDb::kDxfSoftOwnershipId, id);
    }
    arx::writeKeptGroups(filer, this, "AcDbDictionary");
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbDictionary::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbObject::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    filer->atSubclassData(L"AcDbDictionary");
    resbuf rb;
    AcString pendingKey;
    bool haveKey = false;
    while ((es = filer->readResBuf(&rb)) == Acad::eOk) {
        switch (rb.restype) {
        case 280: mHardOwner = rb.resval.rint != 0; break;
        case 281: mMergeStyle = rb.resval.rint; break;
        case 3:
            pendingKey = rb.resval.rstring;
            haveKey = true;
            break;
        case 350:
        case 360: {
            if (!haveKey) return filer->setError(Acad::eBadDxfSequence, L"dictionary entry without a name (group 3)");
            auto* stub = reinterpret_cast<AcDbStub*>(rb.resval.rlname[0]);
            // Drawings from elsewhere may name one key twice; the first one stays.
            if (stub != nullptr && !pendingKey.isEmpty()) mEntries.emplace(pendingKey, AcDbObjectId(stub));
            if (rb.restype == 360) mHardOwner = true;
            haveKey = false;
            break;
        }
        default: arx::keepCurrentGroup(filer, this, "AcDbDictionary"); break;
        }
    }
    return es == Acad::eEndOfFile ? filer->filerStatus() : es;
}

// ---- iterator

AcDbDictionaryIterator::AcDbDictionaryIterator(std::vector<std::pair<AcString, AcDbObjectId>> entries)
    : mEntries(std::move(entries))
{
}
AcDbDictionaryIterator::~AcDbDictionaryIterator() = default;
const ACHAR* AcDbDictionaryIterator::name() const { return done() ? nullptr : mEntries[mPos].first.kwszPtr(); }
AcDbObjectId AcDbDictionaryIterator::objectId() const { return done() ? AcDbObjectId::kNull : mEntries[mPos].second; }
bool AcDbDictionaryIterator::done() const { return mPos >= mEntries.size(); }
bool AcDbDictionaryIterator::next()
{
    if (!done()) ++mPos;
    return !done();
}
Acad::ErrorStatus AcDbDictionaryIterator::getObject(AcDbObject*& obj, AcDb::OpenMode mode)
{
    obj = nullptr;
    if (done()) return Acad::eIteratorDone;
    return acdbOpenObject(obj, mEntries[mPos].second, mode);
}
