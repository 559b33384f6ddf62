// Documents: their notifications in order, the current document and the
// working database, nested locks, and the resource handle stack.
#include <gtest/gtest.h>

#include "acdocman.h"
#include "afxwin.h"
#include "aced.h"
#include "arxHeaders.h"
#include "arxhost/application.h"
#include "temp_dir.h"

namespace {

class Recorder : public AcApDocManagerReactor {
public:
    std::vector<std::string> events;
    void documentCreateStarted(AcApDocument*) override { events.push_back("createStarted"); }
    void documentCreated(AcApDocument*) override { events.push_back("created"); }
    void documentToBeDestroyed(AcApDocument*) override { events.push_back("toBeDestroyed"); }
    void documentDestroyed(const ACHAR*) override { events.push_back("destroyed"); }
    void documentToBeDeactivated(AcApDocument*) override { events.push_back("toBeDeactivated"); }
    void documentToBeActivated(AcApDocument*) override { events.push_back("toBeActivated"); }
    void documentBecameCurrent(AcApDocument*) override { events.push_back("becameCurrent"); }
    void documentActivated(AcApDocument*) override { events.push_back("activated"); }
};

class Saves : public AcEditorReactor {
public:
    std::vector<std::wstring> begun;
    std::vector<AcDbDatabase*> dbs;
    void beginSave(AcDbDatabase* db, const ACHAR* name) override
    {
        begun.push_back(name);
        dbs.push_back(db);
    }
};

TEST(Documents, ComeAndGoWithTheirNotificationsInOrder)
{
    arxhost::Application app;
    Recorder r;
    acDocManager->addReactor(&r);
    std::string error;
    AcApDocument* a = app.newDocument(error);
    EXPECT_EQ(r.events, (std::vector<std::string>{"createStarted", "created", "toBeActivated", "becameCurrent", "activated"}));
    r.events.clear();
    AcApDocument* b = app.newDocument(error);
    EXPECT_EQ(r.events, (std::vector<std::string>{"createStarted", "created", "toBeDeactivated", "toBeActivated",
                                                  "becameCurrent", "activated"}));
    EXPECT_EQ(acDocManager->curDocument(), b);
    EXPECT_EQ(acdbHostApplicationServices()->workingDatabase(), b->database());
    EXPECT_EQ(acDocManager->document(a->database()), a);
    EXPECT_EQ(acDocManager->documentCount(), 2);
    AcApDocumentIterator* it = acDocManager->newAcApDocumentIterator();
    std::vector<AcApDocument*> seen;
    for (; !it->done(); it->step()) seen.push_back(it->document());
    delete it;
    EXPECT_EQ(seen, (std::vector<AcApDocument*>{a, b}));
    r.events.clear();
    app.closeDocument(b);
    EXPECT_EQ(r.events.front(), "toBeDestroyed");
    EXPECT_EQ(r.events[1], "destroyed");
    EXPECT_EQ(acDocManager->curDocument(), a);
    acDocManager->removeReactor(&r);
}

TEST(Documents, AFailedOpenMakesNoDocumentAndLeavesTheOthers)
{
    arxhost::Application app;
    TempDir dir;
    std::string error;
    AcApDocument* a = app.newDocument(error);
    EXPECT_EQ(app.openDocument(dir.wfile("missing.dxf"), error), nullptr);
    EXPECT_NE(error.find("missing.dxf"), std::string::npos);
    EXPECT_EQ(acDocManager->documentCount(), 1);
    EXPECT_EQ(acDocManager->curDocument(), a);
}

TEST(Documents, LocksNestAndEachUnlockUndoesOne)
{
    arxhost::Application app;
    std::string error;
    AcApDocument* doc = app.newDocument(error);
    EXPECT_EQ(doc->myLockMode(), AcAp::kNotLocked);
    EXPECT_EQ(acDocManager->lockDocument(doc, AcAp::kWrite), Acad::eOk);
    EXPECT_EQ(acDocManager->lockDocument(doc, AcAp::kRead), Acad::eOk);
    EXPECT_EQ(doc->myLockMode(), AcAp::kRead);
    EXPECT_EQ(acDocManager->unlockDocument(doc), Acad::eOk);
    EXPECT_EQ(doc->myLockMode(), AcAp::kWrite);
    EXPECT_EQ(acDocManager->unlockDocument(doc), Acad::eOk);
    EXPECT_EQ(acDocManager->unlockDocument(doc), Acad::eNotApplicable);
    EXPECT_EQ(acDocManager->lockDocument(nullptr, AcAp::kWrite), Acad::eInvalidInput);
}

TEST(Documents, SavingTellsTheEditorFirstAndFailsCleanly)
{
    arxhost::Application app;
    TempDir dir;
    Saves saves;
    acedEditor->addReactor(&saves);
    std::string error;
    AcApDocument* doc = app.newDocument(error);
    EXPECT_TRUE(app.saveDocument(doc, dir.wfile("a.dxf"), error)) << error;
    EXPECT_FALSE(app.saveDocument(doc, dir.wfile("a.txt"), error));
    EXPECT_NE(error.find(".dxf or .dwg"), std::string::npos);
    EXPECT_EQ(saves.begun.size(), 2u);
    EXPECT_EQ(saves.dbs[0], doc->database());
    acedEditor->removeReactor(&saves);
}

TEST(Documents, TheResourceHandleStackRestoresWhatWasCurrent)
{
    arxhost::Application app;
    HINSTANCE before = AfxGetResourceHandle();
    auto* a = reinterpret_cast<HINSTANCE>(0x1000);
    auto* b = reinterpret_cast<HINSTANCE>(0x2000);
    acDocManager->pushResourceHandle(a);
    EXPECT_EQ(AfxGetResourceHandle(), a);
    acDocManager->pushResourceHandle(b);
    EXPECT_EQ(AfxGetResourceHandle(), b);
    acDocManager->popResourceHandle();
    EXPECT_EQ(AfxGetResourceHandle(), a);
    acDocManager->popResourceHandle();
    EXPECT_EQ(AfxGetResourceHandle(), before);
    acDocManager->popResourceHandle();  // more pops than pushes change nothing
    EXPECT_EQ(AfxGetResourceHandle(), before);
}

TEST(Documents, NoDocumentManagerWhileNoApplicationRuns)
{
    EXPECT_EQ(acDocManagerPtr(), nullptr);
    EXPECT_EQ(acrxSysRegistry()->at(L"AcEditor"), nullptr);
    {
        arxhost::Application app;
        EXPECT_NE(acDocManagerPtr(), nullptr);
        EXPECT_NE(AcEditor::cast(acrxSysRegistry()->at(L"AcEditor")), nullptr);
    }
    EXPECT_EQ(acDocManagerPtr(), nullptr);
}

}  // namespace
