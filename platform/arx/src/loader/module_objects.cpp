// Finding a module's objects by where their code lives (the vtable in the
// module's image), turning them into proxies before the module goes and back
// into objects when their classes return.
#include "module_objects.h"

#include <dlfcn.h>

#include <algorithm>

#include "../ap/app_state.h"
#include "../core/utf.h"
#include "../db/database_impl.h"
#include "../db/object_access.h"
#include "../db/proxy.h"
#include "../db/undo.h"

namespace arx {

namespace {

// Whether the code of a polymorphic object lives in the module: its vtable does.
bool ofModule(const void* object, HINSTANCE base)
{
    if (object == nullptr) return false;
    const void* vtable = *static_cast<void* const*>(object);
    Dl_info info{};
    return dladdr(vtable, &info) != 0 && info.dli_fbase == static_cast<void*>(base);
}

template <class F>
void forEachObject(F&& f)
{
    for (AcDbDatabase* db : liveDatabases())
        implOf(db)->forEachStub([&](AcDbStub* s) {
            if (s->object != nullptr) f(db, s);
        });
}

}  // namespace

bool moduleObjectsClosed(HINSTANCE base, std::wstring& busy)
{
    bool ok = true;
    forEachObject([&](AcDbDatabase*, AcDbStub* s) {
        if (ok && ofModule(s->object, base) && !ObjectAccess::isClosed(s->object)) {
            busy = std::wstring(L"an object of class ") + s->object->isA()->name() + L" is open";
            ok = false;
        }
    });
    return ok;
}

ModuleCleanup prepareModuleUnload(HINSTANCE base)
{
    forEachObject([&](AcDbDatabase* db, AcDbStub* s) {
        AcDbObject* obj = s->object;
        if (ofModule(obj, base)) {
            Acad::ErrorStatus es;
            AcDbObject* proxy = proxyFromObject(obj, es);
            if (proxy != nullptr) {
                implOf(db)->swapObject(s, proxy);
                // The proxy takes its owner, persistent reactors, extended data
                // and entity properties from the stream, then the transient
                // reactors the object had.
                loadProxyBase(proxy);
                if (AcDbVoidPtrArray* r = obj->reactors())
                    for (void* p : *r)
                        if (!acdbIsPersistentReactor(p)) proxy->addReactor(static_cast<AcDbObjectReactor*>(p));
                delete obj;
                obj = proxy;
                // Images in the undo history were filed by the object's class:
                // played into a proxy they would not fit.
                undoLog(db).clear();
            }
        }
        // Transient reactors whose code goes with the module leave every object.
        if (AcDbVoidPtrArray* r = ObjectAccess::reactors(obj)) {
            AcDbVoidPtrArray keep(0, 4);
            for (void* p : *r)
                if (acdbIsPersistentReactor(p) || !ofModule(p, base)) keep.append(p);
            *r = keep;
        }
    });
    ModuleCleanup cleanup;
    AppState* app = appState();
    for (AcApDocManagerReactor* r : app->docReactors.items())
        if (ofModule(r, base)) cleanup.docReactors.push_back(r);
    for (AcEditorReactor* r : app->editorReactors.items())
        if (ofModule(r, base)) cleanup.editorReactors.push_back(r);
    for (Document* d : app->documents)
        for (AcEdInputPointMonitor* m : d->inputPoints.monitors())
            if (ofModule(m, base)) cleanup.monitors.emplace_back(&d->inputPoints, m);
    return cleanup;
}

void ModuleCleanup::finish()
{
    AppState* app = appState();
    auto drop = [](auto& list, const auto& gone) {
        for (auto* p : gone) list.remove(p);
    };
    drop(app->docReactors, docReactors);
    drop(app->editorReactors, editorReactors);
    for (const auto& [manager, monitor] : monitors)
        for (Document* d : app->documents)
            if (&d->inputPoints == manager) manager->removePointMonitor(monitor);
}

void reviveModuleObjects()
{
    forEachObject([&](AcDbDatabase* db, AcDbStub* s) {
        AcDbObject* proxy = s->object;
        ProxyData* d = proxyData(proxy);
        if (d == nullptr || !ObjectAccess::isClosed(proxy)) return;
        Acad::ErrorStatus es;
        AcDbObject* revived = reviveProxy(proxy, es);
        if (revived == nullptr) return;
        if (AcDbVoidPtrArray* r = proxy->reactors())
            for (void* p : *r)
                if (!acdbIsPersistentReactor(p)) revived->addReactor(static_cast<AcDbObjectReactor*>(p));
        implOf(db)->swapObject(s, revived);
        delete proxy;
        undoLog(db).clear();
    });
}

}  // namespace arx
