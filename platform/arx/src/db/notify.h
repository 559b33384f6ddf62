// Sending a notification to an object's reactors: transient reactors by pointer,
// persistent ones (objects named by id) opened for notify. Reactors may add and
// remove reactors while they are told, so the list is walked over a copy of what
// it held when the notification began: a reactor removed by an earlier one is
// skipped (it may be gone), and one added meanwhile waits for the next
// notification, even when it reuses the address of one removed. None is told
// twice.
#pragma once
#include <algorithm>
#include <vector>

#include "object_access.h"

namespace arx {

// A notification in progress: the object told about, and the reactors added to
// it since the notification began. Notifications nest (a reactor changes another
// object), so frames form a stack.
struct NotifyFrame {
    const AcDbObject* obj;
    std::vector<void*> added;
    NotifyFrame* outer;
};
NotifyFrame*& innermostNotifyFrame();
// Told by addReactor and addPersistentReactor.
void noteReactorAdded(const AcDbObject* obj, void* reactor);

struct NotifyScope {
    NotifyFrame frame;
    explicit NotifyScope(const AcDbObject* obj) : frame{obj, {}, innermostNotifyFrame()} { innermostNotifyFrame() = &frame; }
    ~NotifyScope() { innermostNotifyFrame() = frame.outer; }
    NotifyScope(const NotifyScope&) = delete;
    NotifyScope& operator=(const NotifyScope&) = delete;
    bool addedMeanwhile(void* p) const
    {
        return std::find(frame.added.begin(), frame.added.end(), p) != frame.added.end();
    }
};

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
    NotifyScope scope(obj);
    for (void* p : copy) {
        AcDbVoidPtrArray* now = ObjectAccess::reactors(obj);
        if (now == nullptr || !now->contains(p) || scope.addedMeanwhile(p)) continue;
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
