// AcDbObject: identity, ownership, extension dictionaries, extended data and the
// reactor lists. The open and close protocol is in openclose.cpp, filing in
// object_filing.cpp.
#include <cstring>

#include "acutads.h"
#include "builtin.h"
#include "database_impl.h"
#include "dbdict.h"
#include "notify.h"
#include "object_access.h"
#include "object_pool.h"
#include "xdata.h"

ARX_DEFINE_BUILTIN_ABSTRACT(AcDbObject, AcRxObject)

const AcDbObjectId AcDbObjectId::kNull;
const AcDbFullSubentPath kNullSubent;

AcDbObject::AcDbObject() = default;

void* AcDbObject::operator new(size_t size) { return arx::allocateObjectMemory(size); }
void AcDbObject::operator delete(void* p, size_t size) noexcept { arx::freeObjectMemory(p, size); }

AcDbObject::~AcDbObject()
{
    delete mExtra;
}

AcDbObjectId AcDbObject::objectId() const { return AcDbObjectId(mStub); }
AcDbObjectId AcDbObject::ownerId() const { return AcDbObjectId(mOwner); }
AcDbDatabase* AcDbObject::database() const { return mStub != nullptr ? mStub->database : nullptr; }

Acad::ErrorStatus AcDbObject::setOwnerId(AcDbObjectId ownerId)
{
    assertWriteEnabled(false, false);
    mOwner = ownerId;
    return Acad::eOk;
}

void AcDbObject::getAcDbHandle(AcDbHandle& handle) const
{
    handle = mStub != nullptr ? AcDbHandle(mStub->handle) : AcDbHandle();
}

AcDbObjectId AcDbObject::extensionDictionary() const { return AcDbObjectId(arx::ObjectAccess::xdict(this)); }

Acad::ErrorStatus AcDbObject::createExtensionDictionary()
{
    if (mStub == nullptr) return Acad::eNoDatabase;
    if (isAProxy()) return Acad::eNotAllowedForThisProxy;
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (AcDbStub* xdict = arx::ObjectAccess::xdict(this);
        xdict != nullptr && xdict->object != nullptr && !(xdict->flags & AcDbStub::kErased))
        return Acad::eAlreadyInDb;
    auto* dict = new AcDbDictionary();
    dict->setTreatElementsAsHard(true);
    AcDbObjectId id;
    Acad::ErrorStatus es = arx::implOf(database())->addNew(dict, id);
    if (es != Acad::eOk) {
        delete dict;
        return es;
    }
    arx::ObjectAccess::owner(dict) = mStub;
    assertWriteEnabled();
    arx::ObjectAccess::setXdict(this, id);
    dict->close();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::releaseExtensionDictionary()
{
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (isAProxy()) return Acad::eNotAllowedForThisProxy;
    AcDbStub* xdict = arx::ObjectAccess::xdict(this);
    if (xdict == nullptr) return Acad::eOk;
    AcDbDictionary* dict = nullptr;
    Acad::ErrorStatus es = acdbOpenObject(dict, AcDbObjectId(xdict), AcDb::kForWrite);
    if (es == Acad::eWasErased) {  // already gone: just forget it
        assertWriteEnabled();
        arx::ObjectAccess::setXdict(this, nullptr);
        arx::ObjectAccess::dropExtraIfEmpty(this);
        return Acad::eOk;
    }
    if (es != Acad::eOk) return es;
    if (dict->numEntries() > 0) {
        dict->close();
        return Acad::eContainerNotEmpty;
    }
    dict->erase(true);
    dict->close();
    assertWriteEnabled();
    arx::ObjectAccess::setXdict(this, nullptr);
    arx::ObjectAccess::dropExtraIfEmpty(this);
    return Acad::eOk;
}

resbuf* AcDbObject::xData(const ACHAR* regappName) const
{
    assertReadEnabled();
    if (mExtra == nullptr || mExtra->xdata.empty()) return nullptr;
    return arx::xdataToResbuf(mExtra->xdata, regappName, database());
}

Acad::ErrorStatus AcDbObject::setXData(const resbuf* xdata)
{
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    // A proxy's extended data is part of what it keeps as read.
    if (isAProxy()) return Acad::eNotAllowedForThisProxy;
    std::string merged;
    Acad::ErrorStatus es =
        arx::mergeXdata(mExtra != nullptr ? mExtra->xdata : std::string(), xdata, database(), merged);
    if (es != Acad::eOk) return es;
    assertWriteEnabled();
    arx::ObjectAccess::extra(this).xdata = std::move(merged);
    mState |= arx::kStXDataModified;
    arx::ObjectAccess::dropExtraIfEmpty(this);
    return Acad::eOk;
}

// Persistent reactors are kept in the reactor array as stub addresses with the
// low bit set, so one array keeps both kinds in order of addition.
bool acdbIsPersistentReactor(void* reactor) { return (reinterpret_cast<std::uintptr_t>(reactor) & 1) != 0; }

AcDbObjectId acdbPersistentReactorObjectId(void* reactor)
{
    if (!acdbIsPersistentReactor(reactor)) return AcDbObjectId::kNull;
    return AcDbObjectId(reinterpret_cast<AcDbStub*>(reinterpret_cast<std::uintptr_t>(reactor) & ~std::uintptr_t(1)));
}

static void* tagPersistent(AcDbStub* s) { return reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(s) | 1); }

void AcDbObject::addReactor(AcDbObjectReactor* reactor) const
{
    if (reactor == nullptr) return;
    AcDbVoidPtrArray& reactors = arx::ObjectAccess::reactorList(this);
    if (!reactors.contains(reactor)) {
        reactors.append(reactor);
        arx::noteReactorAdded(this, reactor);
    }
}

void AcDbObject::removeReactor(AcDbObjectReactor* reactor) const
{
    if (AcDbVoidPtrArray* reactors = arx::ObjectAccess::reactors(this)) reactors->remove(reactor);
}

void AcDbObject::addPersistentReactor(AcDbObjectId objId)
{
    // A proxy's reactors are part of the data it keeps as read; this call has
    // no status to refuse with, so a proxy is left as it is.
    if (objId.isNull() || isAProxy()) return;
    assertWriteEnabled();
    AcDbVoidPtrArray& reactors = arx::ObjectAccess::reactorList(this);
    void* tagged = tagPersistent(objId);
    if (!reactors.contains(tagged)) {
        reactors.append(tagged);
        arx::noteReactorAdded(this, tagged);
    }
}

Acad::ErrorStatus AcDbObject::removePersistentReactor(AcDbObjectId objId)
{
    if (isAProxy()) return Acad::eNotAllowedForThisProxy;
    assertWriteEnabled();
    AcDbVoidPtrArray* reactors = arx::ObjectAccess::reactors(this);
    if (reactors == nullptr || !reactors->remove(tagPersistent(objId))) return Acad::eKeyNotFound;
    return Acad::eOk;
}

bool AcDbObject::hasPersistentReactor(AcDbObjectId objId) const
{
    const AcDbVoidPtrArray* reactors = arx::ObjectAccess::reactors(this);
    return reactors != nullptr && reactors->contains(tagPersistent(objId));
}

AcDbVoidPtrArray* AcDbObject::reactors() { return arx::ObjectAccess::reactors(this); }
const AcDbVoidPtrArray* AcDbObject::reactors() const { return arx::ObjectAccess::reactors(this); }

void AcDbObject::cancelled(const AcDbObject*) {}
void AcDbObject::copied(const AcDbObject*, const AcDbObject*) {}
void AcDbObject::erased(const AcDbObject*, Adesk::Boolean) {}
void AcDbObject::goodbye(const AcDbObject*) {}
void AcDbObject::openedForModify(const AcDbObject*) {}
void AcDbObject::modified(const AcDbObject*) {}
void AcDbObject::subObjModified(const AcDbObject*, const AcDbObject*) {}
void AcDbObject::modifyUndone(const AcDbObject*) {}
void AcDbObject::modifiedXData(const AcDbObject*) {}
void AcDbObject::unappended(const AcDbObject*) {}
void AcDbObject::reappended(const AcDbObject*) {}
void AcDbObject::objectClosed(const AcDbObjectId) {}
void AcDbObject::modifiedGraphics(const AcDbEntity*) {}

Acad::ErrorStatus AcDbObject::getClassID(CLSID* clsid) const { return subGetClassID(clsid); }

Acad::ErrorStatus AcDbObject::subGetClassID(CLSID* clsid) const
{
    if (clsid == nullptr) return Acad::eInvalidInput;
    std::memset(clsid, 0, sizeof *clsid);
    return Acad::eOk;
}

