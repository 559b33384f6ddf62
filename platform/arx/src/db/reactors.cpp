// The base object and entity reactors: every notification does nothing until a
// subclass gives it meaning. And the stack of notifications in progress
// (notify.h), which keeps reactors added during a notification out of it.
#include "builtin.h"
#include "dbmain.h"
#include "notify.h"

namespace arx {

NotifyFrame*& innermostNotifyFrame()
{
    static NotifyFrame* innermost = nullptr;
    return innermost;
}

void noteReactorAdded(const AcDbObject* obj, void* reactor)
{
    for (NotifyFrame* f = innermostNotifyFrame(); f != nullptr; f = f->outer)
        if (f->obj == obj) f->added.push_back(reactor);
}

}  // namespace arx

ARX_DEFINE_BUILTIN_ABSTRACT(AcDbObjectReactor, AcRxObject)
ARX_DEFINE_BUILTIN_ABSTRACT(AcDbEntityReactor, AcDbObjectReactor)

AcDbObjectReactor::AcDbObjectReactor() = default;
AcDbObjectReactor::~AcDbObjectReactor() = default;
void AcDbObjectReactor::cancelled(const AcDbObject*) {}
void AcDbObjectReactor::copied(const AcDbObject*, const AcDbObject*) {}
void AcDbObjectReactor::erased(const AcDbObject*, Adesk::Boolean) {}
void AcDbObjectReactor::goodbye(const AcDbObject*) {}
void AcDbObjectReactor::openedForModify(const AcDbObject*) {}
void AcDbObjectReactor::modified(const AcDbObject*) {}
void AcDbObjectReactor::subObjModified(const AcDbObject*, const AcDbObject*) {}
void AcDbObjectReactor::modifyUndone(const AcDbObject*) {}
void AcDbObjectReactor::modifiedXData(const AcDbObject*) {}
void AcDbObjectReactor::unappended(const AcDbObject*) {}
void AcDbObjectReactor::reappended(const AcDbObject*) {}
void AcDbObjectReactor::objectClosed(const AcDbObjectId) {}

AcDbEntityReactor::AcDbEntityReactor() = default;
AcDbEntityReactor::~AcDbEntityReactor() = default;
void AcDbEntityReactor::modifiedGraphics(const AcDbEntity*) {}
void AcDbEntityReactor::dragCloneToBeDeleted(const AcDbEntity*, const AcDbEntity*) {}
