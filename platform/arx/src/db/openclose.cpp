// The open and close protocol: several readers or one writer, notify mode,
// erased objects refused unless asked for, and the notifications that closing a
// changed object sends to its transient and persistent reactors.
#include "database_impl.h"
#include "dbsymtb.h"
#include "notify.h"
#include "object_change.h"
#include "object_access.h"
#include "undo.h"
#include "../filers/binary_filer.h"
#include "../rx/runtime.h"

using arx::ObjectAccess;

namespace {
constexpr std::uint16_t kMaxReaders = 256;

// An entity on a locked layer may be read but not written.
bool onLockedLayer(AcDbObject* obj)
{
    auto* ent = AcDbEntity::cast(obj);
    if (ent == nullptr) return false;
    AcDbStub* layerStub = ObjectAccess::layer(ent);
    if (layerStub == nullptr) return false;
    auto* layer = AcDbLayerTableRecord::cast(arx::resolveStub(layerStub));
    return layer != nullptr && layer->isLocked();
}
}  // namespace

namespace arx {

AcDbObject* resolveStub(AcDbStub* stub)
{
    if (stub == nullptr) return nullptr;
    if ((stub->flags & AcDbStub::kPending) != 0) {
        DatabaseImpl* impl = implOf(stub->database);
        if (impl == nullptr || impl->loader == nullptr || !impl->loader->load(stub)) return nullptr;
    }
    if ((stub->flags & AcDbStub::kLoading) != 0) return nullptr;
    return stub->object;
}

Acad::ErrorStatus openStub(AcDbObject*& out, AcDbStub* stub, AcDb::OpenMode mode, bool openErased)
{
    out = nullptr;
    if (stub == nullptr) return Acad::eNullObjectId;
    if ((stub->flags & AcDbStub::kLoading) != 0) return Acad::eWasOpenForWrite;
    AcDbObject* obj = resolveStub(stub);
    if (obj == nullptr)
        return (stub->flags & AcDbStub::kPermanentlyErased) != 0 ? Acad::ePermanentlyErased : Acad::eUnknownHandle;
    if ((stub->flags & AcDbStub::kErased) != 0 && !openErased) return Acad::eWasErased;
    std::uint16_t& state = ObjectAccess::state(obj);
    std::uint16_t& readers = ObjectAccess::readers(obj);
    switch (mode) {
    case AcDb::kForRead:
        if ((state & kStWrite) != 0) return Acad::eWasOpenForWrite;
        if (readers >= kMaxReaders) return Acad::eAtMaxReaders;
        ++readers;
        break;
    case AcDb::kForWrite:
        if ((state & kStWrite) != 0) return Acad::eWasOpenForWrite;
        if (readers > 0) return Acad::eWasOpenForRead;
        if ((state & kStNotify) != 0) return Acad::eWasNotifying;
        if (onLockedLayer(obj)) return Acad::eOnLockedLayer;
        state |= kStWrite;
        break;
    case AcDb::kForNotify:
        state |= kStNotify;
        break;
    default: return Acad::eInvalidOpenState;
    }
    out = obj;
    return Acad::eOk;
}

}  // namespace arx

Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& obj, AcDbObjectId id, AcDb::OpenMode mode,
                                     const AcRxClass* requiredClass, bool openErased)
{
    AcDbObject* p = nullptr;
    Acad::ErrorStatus es = arx::openStub(p, id, mode, openErased);
    obj = nullptr;
    if (es != Acad::eOk) return es;
    if (requiredClass != nullptr && !p->isKindOf(requiredClass)) {
        p->close();
        return Acad::eNotThatKindOfClass;
    }
    es = ObjectAccess::subOpen(p, mode);
    if (es != Acad::eOk) {
        p->close();
        return es;
    }
    obj = p;
    return Acad::eOk;
}

Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& obj, AcDbObjectId id, AcDb::OpenMode mode, bool openErasedObject)
{
    return acdbOpenAcDbObject(obj, id, mode, nullptr, openErasedObject);
}

Acad::ErrorStatus acdbOpenAcDbEntity(AcDbEntity*& ent, AcDbObjectId id, AcDb::OpenMode mode, bool openErasedEntity)
{
    AcDbObject* obj = nullptr;
    Acad::ErrorStatus es = acdbOpenAcDbObject(obj, id, mode, AcDbEntity::desc(), openErasedEntity);
    ent = es == Acad::eOk ? static_cast<AcDbEntity*>(obj) : nullptr;
    return es == Acad::eNotThatKindOfClass ? Acad::eNotAnEntity : es;
}

Acad::ErrorStatus AcDbObject::subOpen(AcDb::OpenMode) { return Acad::eOk; }
Acad::ErrorStatus AcDbObject::subClose() { return Acad::eOk; }
Acad::ErrorStatus AcDbObject::subCancel() { return Acad::eOk; }
Acad::ErrorStatus AcDbObject::subErase(Adesk::Boolean) { return Acad::eOk; }

bool AcDbObject::isErased() const { return mStub != nullptr && (mStub->flags & AcDbStub::kErased) != 0; }
bool AcDbObject::isReadEnabled() const
{
    return mStub == nullptr || mReaders > 0 || (mState & (arx::kStWrite | arx::kStNotify)) != 0;
}
bool AcDbObject::isWriteEnabled() const { return mStub == nullptr || (mState & arx::kStWrite) != 0; }
bool AcDbObject::isNotifyEnabled() const { return (mState & arx::kStNotify) != 0; }
bool AcDbObject::isModified() const { return (mState & arx::kStModified) != 0; }
bool AcDbObject::isModifiedGraphics() const { return (mState & arx::kStGraphicsModified) != 0; }
bool AcDbObject::isNewObject() const { return (mState & arx::kStNew) != 0; }
bool AcDbObject::isNotifying() const { return (mState & arx::kStNotifying) != 0; }
bool AcDbObject::isCancelling() const { return (mState & arx::kStCancelling) != 0; }
bool AcDbObject::isUndoing() const { return (mState & arx::kStUndoing) != 0; }

void AcDbObject::assertReadEnabled() const
{
    if (!isReadEnabled())
        arx::fatal("an object of class %ls (handle %llx) was used without being open for read",
                   isA() != nullptr ? isA()->name() : L"?", static_cast<unsigned long long>(mStub->handle));
}

void AcDbObject::assertNotifyEnabled() const
{
    if (mStub != nullptr && !isNotifyEnabled() && !isWriteEnabled())
        arx::fatal("an object of class %ls (handle %llx) was used without being open for notify",
                   isA() != nullptr ? isA()->name() : L"?", static_cast<unsigned long long>(mStub->handle));
}

void AcDbObject::assertWriteEnabled(Adesk::Boolean autoUndo, Adesk::Boolean recordModified)
{
    if (mStub == nullptr) return;
    if ((mState & arx::kStWrite) == 0)
        arx::fatal("an object of class %ls (handle %llx) was changed without being open for write",
                   isA() != nullptr ? isA()->name() : L"?", static_cast<unsigned long long>(mStub->handle));
    if ((mState & (arx::kStCancelling | arx::kStUndoing)) != 0) return;
    // The first change of an open keeps the object's former state, so that the
    // change can be cancelled, and tells the reactors that a change is coming.
    if (autoUndo && (mState & (arx::kStUndoImage | arx::kStNew)) == 0) {
        mState |= arx::kStUndoImage;
        std::string image;
        arx::BinaryFiler filer(AcDb::kUndoFiler, database(), image);
        if (dwgOut(&filer) == Acad::eOk) {
            arx::ObjectExtra& extra = ObjectAccess::extra(this);
            extra.undoImage = std::move(image);
            extra.undoErased = isErased();
        }
    }
    if (recordModified) {
        if ((mState & (arx::kStOpenedForModifySent | arx::kStNew)) == 0) {
            mState |= arx::kStOpenedForModifySent;
            arx::notifyReactors(this, [this](AcDbObjectReactor* r) { r->openedForModify(this); },
                                [this](AcDbObject* r) { r->openedForModify(this); });
        }
        mState |= arx::kStModified;
    }
}

Acad::ErrorStatus AcDbObject::close()
{
    if (mStub == nullptr) return Acad::eOk;
    if ((mState & arx::kStWrite) != 0) {
        subClose();
        const std::uint16_t was = mState;
        mState &= static_cast<std::uint16_t>(~arx::kStWrite);
        if ((was & arx::kStModified) != 0 && (was & arx::kStNew) == 0) {
            mState |= arx::kStNotify | arx::kStNotifying;
            arx::notifyReactors(this, [this](AcDbObjectReactor* r) { r->modified(this); },
                                [this](AcDbObject* r) { r->modified(this); });
            if ((was & arx::kStXDataModified) != 0)
                arx::notifyReactors(this, [this](AcDbObjectReactor* r) { r->modifiedXData(this); },
                                    [this](AcDbObject* r) { r->modifiedXData(this); });
            if ((was & arx::kStGraphicsModified) != 0) arx::notifyGraphicsModified(this);
            mState &= static_cast<std::uint16_t>(~(arx::kStNotify | arx::kStNotifying));
        }
        // The change goes into the drawing's undo history: the image kept at the
        // first change, or the object's arrival.
        if ((was & arx::kStNew) != 0) {
            arx::recordAppend(this);
        } else if (arx::ObjectExtra* e = ObjectAccess::extraIfAny(this); e != nullptr && !e->undoImage.empty()) {
            arx::recordChange(this, std::move(e->undoImage), e->undoErased);
        }
        if (arx::ObjectExtra* e = ObjectAccess::extraIfAny(this)) e->undoImage.clear();
        ObjectAccess::dropExtraIfEmpty(this);
        mState &= static_cast<std::uint16_t>(~(arx::kStModified | arx::kStNew | arx::kStGraphicsModified |
                                               arx::kStXDataModified | arx::kStUndoImage |
                                               arx::kStOpenedForModifySent | arx::kStGraphicsKept));
        if ((was & (arx::kStModified | arx::kStNew)) != 0)
            arx::reportObjectChange(this, (was & arx::kStGraphicsKept) == 0 || (was & arx::kStNew) != 0);
        arx::notifyReactors(this, [this](AcDbObjectReactor* r) { r->objectClosed(objectId()); },
                            [this](AcDbObject* r) { r->objectClosed(objectId()); });
        return Acad::eOk;
    }
    if (mReaders > 0) {
        --mReaders;
        subClose();
        return Acad::eOk;
    }
    if ((mState & arx::kStNotify) != 0) {
        mState &= static_cast<std::uint16_t>(~arx::kStNotify);
        return Acad::eOk;
    }
    return Acad::eInvalidOpenState;
}

Acad::ErrorStatus AcDbObject::cancel()
{
    if (mStub == nullptr) return Acad::eOk;
    if ((mState & arx::kStWrite) == 0) return close();
    subCancel();
    // Put back the state the object had when this open first changed it.
    arx::ObjectExtra* extra = ObjectAccess::extraIfAny(this);
    if (extra != nullptr && !extra->undoImage.empty()) {
        std::string image = std::move(extra->undoImage);
        extra->undoImage.clear();
        mState |= arx::kStCancelling;
        arx::BinaryFiler filer(AcDb::kUndoFiler, database(), std::string_view(image));
        dwgIn(&filer);
        mState &= static_cast<std::uint16_t>(~arx::kStCancelling);
    }
    if ((mState & arx::kStModified) != 0)
        arx::notifyReactors(this, [this](AcDbObjectReactor* r) { r->cancelled(this); },
                            [this](AcDbObject* r) { r->cancelled(this); });
    const bool changed = (mState & arx::kStModified) != 0;
    // A new object stays in its database when its open is cancelled: its arrival is undoable.
    if ((mState & arx::kStNew) != 0) arx::recordAppend(this);
    mState &= static_cast<std::uint16_t>(~(arx::kStWrite | arx::kStModified | arx::kStNew | arx::kStGraphicsModified |
                                           arx::kStXDataModified | arx::kStUndoImage |
                                           arx::kStOpenedForModifySent | arx::kStGraphicsKept));
    ObjectAccess::dropExtraIfEmpty(this);
    // Put back as it was: whatever showed the change must show the old state again.
    if (changed) arx::reportObjectChange(this, true);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::upgradeOpen()
{
    if (mStub == nullptr) return Acad::eOk;
    if ((mState & arx::kStWrite) != 0) return Acad::eWasOpenForWrite;
    if (mReaders == 0) return Acad::eNotOpenForRead;
    if (mReaders > 1) return Acad::eHadMultipleReaders;
    if ((mState & arx::kStNotify) != 0) return Acad::eWasNotifying;
    if (onLockedLayer(this)) return Acad::eOnLockedLayer;
    mReaders = 0;
    mState |= arx::kStWrite;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::downgradeOpen()
{
    if (mStub == nullptr) return Acad::eOk;
    if ((mState & arx::kStWrite) == 0) return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = close();  // sends what a close sends
    if (es != Acad::eOk) return es;
    ++mReaders;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::upgradeFromNotify(Adesk::Boolean& wasWritable)
{
    if ((mState & arx::kStNotify) == 0) return Acad::eInvalidOpenState;
    wasWritable = (mState & arx::kStWrite) != 0;
    mState |= arx::kStWrite;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::downgradeToNotify(Adesk::Boolean wasWritable)
{
    if (!wasWritable) mState &= static_cast<std::uint16_t>(~arx::kStWrite);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::erase(Adesk::Boolean erasing)
{
    if (mStub == nullptr) return Acad::eNotInDatabase;
    if ((mState & arx::kStWrite) == 0) return Acad::eNotOpenForWrite;
    const bool isErasedNow = (mStub->flags & AcDbStub::kErased) != 0;
    if (erasing && isErasedNow) return Acad::eWasErased;
    if (!erasing && !isErasedNow) return Acad::eWasNotErased;
    Acad::ErrorStatus es = subErase(erasing);
    if (es != Acad::eOk) return es;
    assertWriteEnabled();
    if (erasing)
        mStub->flags |= AcDbStub::kErased;
    else
        mStub->flags &= ~AcDbStub::kErased;
    // An extension dictionary goes and comes back with its object.
    if (AcDbStub* xdict = arx::ObjectAccess::xdict(this)) {
        AcDbObject* dict = nullptr;
        if (arx::openStub(dict, xdict, AcDb::kForWrite, true) == Acad::eOk) {
            if (dict->isErased() != erasing) dict->erase(erasing);
            dict->close();
        }
    }
    arx::notifyReactors(this, [this, erasing](AcDbObjectReactor* r) { r->erased(this, erasing); },
                        [this, erasing](AcDbObject* r) { r->erased(this, erasing); });
    return Acad::eOk;
}
