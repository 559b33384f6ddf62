// The document manager: one document per open drawing, the current document,
// document locks, document reactors, and the resource handle stack through
// which plug-ins make their own resources the ones dialogs and strings load from.
#pragma once
#include <vector>

#include "dbmain.h"
#include "rxboiler.h"
#include "wtypes.h"

class AcApDocument;
class AcApDocumentIterator;
class AcApDocManagerReactor;
class AcEdInputPointManager;

namespace AcAp {
enum DocLockMode {
    kNone = 0x00,
    kAutoWrite = 0x01,
    kNotLocked = 0x02,
    kWrite = 0x04,
    kProtectedAutoWrite = 0x14,
    kRead = 0x20,
    kXWrite = 0x40,
};
}

class ARXHOST_EXPORT AcApDocument : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcApDocument);
    AcDbDatabase* database() const;
    const ACHAR* fileName() const;
    const ACHAR* docTitle() const;
    AcAp::DocLockMode lockMode(bool bIncludeMyLocks = true) const;
    AcAp::DocLockMode myLockMode() const;
    bool isQuiescent() const;
    AcEdInputPointManager* inputPointManager();

protected:
    AcApDocument();
    ~AcApDocument() override;
};

class ARXHOST_EXPORT AcApDocManagerReactor : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcApDocManagerReactor);
    virtual void documentCreateStarted(AcApDocument* doc);
    virtual void documentCreated(AcApDocument* doc);
    virtual void documentToBeDestroyed(AcApDocument* doc);
    virtual void documentDestroyed(const ACHAR* fileName);
    virtual void documentCreateCanceled(AcApDocument* doc);
    virtual void documentLockModeWillChange(AcApDocument* doc, AcAp::DocLockMode myCurrentMode,
                                            AcAp::DocLockMode myNewMode, AcAp::DocLockMode currentMode,
                                            const ACHAR* globalCmdName);
    virtual void documentLockModeChanged(AcApDocument* doc, AcAp::DocLockMode myPreviousMode,
                                         AcAp::DocLockMode myCurrentMode, AcAp::DocLockMode currentMode,
                                         const ACHAR* globalCmdName);
    virtual void documentBecameCurrent(AcApDocument* doc);
    virtual void documentToBeActivated(AcApDocument* doc);
    virtual void documentToBeDeactivated(AcApDocument* doc);
    virtual void documentActivationModified(bool bActivation);
    virtual void documentActivated(AcApDocument* doc);

protected:
    AcApDocManagerReactor();
    ~AcApDocManagerReactor() override;
};

class ARXHOST_EXPORT AcApDocManager : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcApDocManager);
    AcApDocument* curDocument() const;
    AcApDocument* mdiActiveDocument() const;
    AcApDocument* document(const AcDbDatabase* db) const;
    int documentCount() const;
    AcApDocumentIterator* newAcApDocumentIterator();
    // Locks may nest; each lock is undone by one unlock.
    Acad::ErrorStatus lockDocument(AcApDocument* doc, AcAp::DocLockMode mode = AcAp::kWrite,
                                   const ACHAR* globalCmdName = nullptr, const ACHAR* localCmdName = nullptr,
                                   bool prompt = true);
    Acad::ErrorStatus unlockDocument(AcApDocument* doc);
    Acad::ErrorStatus setCurDocument(AcApDocument* doc, AcAp::DocLockMode mode = AcAp::kNone, bool activate = false);
    Acad::ErrorStatus activateDocument(AcApDocument* doc, bool passScript = false);
    void addReactor(AcApDocManagerReactor* reactor);
    void removeReactor(AcApDocManagerReactor* reactor);
    // Makes hNewResourceHandle the module resources are loaded from, until popped.
    void pushResourceHandle(HINSTANCE hNewResourceHandle);
    void pushAcadResourceHandle();
    void popResourceHandle();
    Acad::ErrorStatus appContextNewDocument(const ACHAR* templateName);
    Acad::ErrorStatus appContextOpenDocument(const ACHAR* drawingName);
    Acad::ErrorStatus closeDocument(AcApDocument* doc);

    ~AcApDocManager() override;

protected:
    AcApDocManager();
};

class ARXHOST_EXPORT AcApDocumentIterator {
public:
    virtual ~AcApDocumentIterator();
    bool done() const;
    void step();
    AcApDocument* document();

private:
    friend class AcApDocManager;
    explicit AcApDocumentIterator(std::vector<AcApDocument*> docs) : mDocs(std::move(docs)) {}
    std::vector<AcApDocument*> mDocs;
    size_t mPos = 0;
};

// The document manager, or null when no host application runs.
ARXHOST_EXPORT AcApDocManager* acDocManagerPtr();
#define acDocManager acDocManagerPtr()
