// Sending a notification to an object's reactors: transient reactors by pointer,
// persistent ones (objects named by id) opened for notify. The list is walked
// over a copy, and a reactor removed by an earlier one is skipped, so reactors may
// add and remove reactors while they are told.
#pragma once
#include "object_access.h"

namespace arx {

Acad::ErrorStatus openStub(AcDbObject*& out, AcDbStub* stub, AcDb::OpenMode mode, bool openErased);

inline AcDbStub* persistentStub(void* tagged)
{
    return reinterpret_cast<AcDbStub*>(reinterpret_cast<std::uintptr_t>(tagged) & ~std::uintptr_t(1));
}

template <class Transient, class Persistent>
void notifyReactors(AcDbObject* obj, Transient&& toTransient, Persistent&& toPersistent)
{
    AcDbVoidPtrArray* live = ObjectAccess::reactors(obj);
    if (live == nullptr || live->isEmpty()) return;
    const AcDbVoidPtrArray copy = *live;
    for (void* p : copy) {
        AcDbVoidPtrArray* now = ObjectAccess::reactors(obj);
        if (now == nullptr || !now->contains(p)) continue;
        if (!acdbIsPersistentReactor(p)) {
            toTransient(static_cast<AcDbObjectReactor*>(p));
            continue;
        }
        AcDbStub* stub = persistentStub(p);
        AcDbObject* reactor = resolveStub(stub);
        if (reactor == nullptr || reactor == obj || (stub->flags & AcDbStub::kErased) != 0) continue;
        std::uint16_t& st = ObjectAccess::state(reactor);
        // A reactor open for write, or busy telling its own reactors, cannot be told now.
        if ((st & (kStWrite | kStNotifying)) != 0) continue;
        const bool wasNotify = (st & kStNotify) != 0;
        st |= kStNotify | kStNotifying;
        toPersistent(reactor);
        st &= static_cast<std::uint16_t>(~kStNotifying);
        if (!wasNotify) st &= static_cast<std::uint16_t>(~kStNotify);
    }
}

// modifiedGraphics goes to entity reactors and persistent reactors of an entity.
void notifyGraphicsModified(AcDbObject* obj);

}  // namespace arx
