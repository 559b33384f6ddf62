// The document manager: documents, the current one, locks, reactors and the
// resource handle stack.
#include <algorithm>

#include "dbapserv.h"
#include "app_state.h"
#include "resource_handle.h"
#include "../db/builtin.h"

ARX_DEFINE_BUILTIN_ABSTRACT(AcApDocManager, AcRxObject)
ARX_DEFINE_BUILTIN_ABSTRACT(AcApDocManagerReactor, AcRxObject)

using arx::Document;
using arx::AppState;

AcApDocManager::AcApDocManager() = default;
AcApDocManager::~AcApDocManager() = default;

AcApDocManager* acDocManagerPtr()
{
    AppState* app = arx::appState();
    return app != nullptr ? app->docManager : nullptr;
}

static AppState& app() { return *arx::appState(); }

static Document* find(AcApDocument* doc)
{
    auto& docs = app().documents;
    auto it = std::find(docs.begin(), docs.end(), doc);
    return it == docs.end() ? nullptr : *it;
}

AcApDocument* AcApDocManager::curDocument() const { return app().current; }
AcApDocument* AcApDocManager::mdiActiveDocument() const { return app().current; }
int AcApDocManager::documentCount() const { return static_cast<int>(app().documents.size()); }

AcApDocument* AcApDocManager::document(const AcDbDatabase* db) const
{
    for (Document* d : app().documents)
        if (d->db == db) return d;
    return nullptr;
}

AcApDocumentIterator* AcApDocManager::newAcApDocumentIterator()
{
    return new AcApDocumentIterator(std::vector<AcApDocument*>(app().documents.begin(), app().documents.end()));
}

Acad::ErrorStatus AcApDocManager::lockDocument(AcApDocument* doc, AcAp::DocLockMode mode, const ACHAR* globalCmdName,
                                               const ACHAR*, bool)
{
    Document* d = find(doc);
    if (d == nullptr) return Acad::eInvalidInput;
    AcAp::DocLockMode before = doc->myLockMode();
    app().notifyDocReactors([&](AcApDocManagerReactor* r) {
        r->documentLockModeWillChange(doc, before, mode, before, globalCmdName != nullptr ? globalCmdName : L"");
    });
    d->locks.push_back(mode);
    app().notifyDocReactors([&](AcApDocManagerReactor* r) {
        r->documentLockModeChanged(doc, before, mode, mode, globalCmdName != nullptr ? globalCmdName : L"");
    });
    return Acad::eOk;
}

Acad::ErrorStatus AcApDocManager::unlockDocument(AcApDocument* doc)
{
    Document* d = find(doc);
    if (d == nullptr) return Acad::eInvalidInput;
    if (d->locks.empty()) return Acad::eNotApplicable;
    AcAp::DocLockMode before = d->locks.back();
    d->locks.pop_back();
    AcAp::DocLockMode after = doc->myLockMode();
    app().notifyDocReactors([&](AcApDocManagerReactor* r) { r->documentLockModeChanged(doc, before, after, after, L""); });
    return Acad::eOk;
}

Acad::ErrorStatus AcApDocManager::setCurDocument(AcApDocument* doc, AcAp::DocLockMode mode, bool activate)
{
    Document* d = find(doc);
    if (d == nullptr) return Acad::eInvalidInput;
    if (activate) return activateDocument(doc);
    app().current = d;
    acdbHostApplicationServices()->setWorkingDatabase(d->db);
    app().notifyDocReactors([&](AcApDocManagerReactor* r) { r->documentBecameCurrent(doc); });
    if (mode != AcAp::kNone) lockDocument(doc, mode);
    return Acad::eOk;
}

Acad::ErrorStatus AcApDocManager::activateDocument(AcApDocument* doc, bool)
{
    Document* d = find(doc);
    if (d == nullptr) return Acad::eInvalidInput;
    Document* old = app().current;
    if (old == d) return Acad::eOk;
    if (old != nullptr) app().notifyDocReactors([&](AcApDocManagerReactor* r) { r->documentToBeDeactivated(old); });
    app().notifyDocReactors([&](AcApDocManagerReactor* r) { r->documentToBeActivated(d); });
    app().current = d;
    acdbHostApplicationServices()->setWorkingDatabase(d->db);
    app().notifyDocReactors([&](AcApDocManagerReactor* r) { r->documentBecameCurrent(d); });
    app().notifyDocReactors([&](AcApDocManagerReactor* r) { r->documentActivated(d); });
    return Acad::eOk;
}

void AcApDocManager::addReactor(AcApDocManagerReactor* reactor)
{
    app().docReactors.add(reactor);
}

void AcApDocManager::removeReactor(AcApDocManagerReactor* reactor)
{
    app().docReactors.remove(reactor);
}

void AcApDocManager::pushResourceHandle(HINSTANCE h)
{
    app().resourceStack.push_back(arx::currentResourceHandle());
    arx::setCurrentResourceHandle(h);
}

void AcApDocManager::pushAcadResourceHandle() { pushResourceHandle(arx::programResourceHandle()); }

void AcApDocManager::popResourceHandle()
{
    auto& stack = app().resourceStack;
    if (stack.empty()) return;
    arx::setCurrentResourceHandle(stack.back());
    stack.pop_back();
}

Acad::ErrorStatus AcApDocManager::appContextNewDocument(const ACHAR*)
{
    std::string error;
    return arx::newDocument(error) != nullptr ? Acad::eOk : Acad::eCreateFailed;
}

Acad::ErrorStatus AcApDocManager::appContextOpenDocument(const ACHAR* drawingName)
{
    std::string error;
    return arx::openDocument(drawingName != nullptr ? drawingName : L"", error) != nullptr ? Acad::eOk
                                                                                             : Acad::eFileNotFound;
}

Acad::ErrorStatus AcApDocManager::closeDocument(AcApDocument* doc)
{
    Document* d = find(doc);
    if (d == nullptr) return Acad::eInvalidInput;
    arx::closeDocument(d);
    return Acad::eOk;
}

AcApDocumentIterator::~AcApDocumentIterator() = default;
bool AcApDocumentIterator::done() const { return mPos >= mDocs.size(); }
void AcApDocumentIterator::step()
{
    if (!done()) ++mPos;
}
AcApDocument* AcApDocumentIterator::document() { return done() ? nullptr : mDocs[mPos]; }

AcApDocManagerReactor::AcApDocManagerReactor() = default;
AcApDocManagerReactor::~AcApDocManagerReactor() = default;
void AcApDocManagerReactor::documentCreateStarted(AcApDocument*) {}
void AcApDocManagerReactor::documentCreated(AcApDocument*) {}
void AcApDocManagerReactor::documentToBeDestroyed(AcApDocument*) {}
void AcApDocManagerReactor::documentDestroyed(const ACHAR*) {}
void AcApDocManagerReactor::documentCreateCanceled(AcApDocument*) {}
void AcApDocManagerReactor::documentLockModeWillChange(AcApDocument*, AcAp::DocLockMode, AcAp::DocLockMode,
                                                       AcAp::DocLockMode, const ACHAR*)
{
}
void AcApDocManagerReactor::documentLockModeChanged(AcApDocument*, AcAp::DocLockMode, AcAp::DocLockMode,
                                                    AcAp::DocLockMode, const ACHAR*)
{
}
void AcApDocManagerReactor::documentBecameCurrent(AcApDocument*) {}
void AcApDocManagerReactor::documentToBeActivated(AcApDocument*) {}
void AcApDocManagerReactor::documentToBeDeactivated(AcApDocument*) {}
void AcApDocManagerReactor::documentActivationModified(bool) {}
void AcApDocManagerReactor::documentActivated(AcApDocument*) {}
