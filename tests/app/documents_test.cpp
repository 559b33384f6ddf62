// Documents: their notifications and the editor's in order (event_sequences.h),
// the current document and the working database, nested locks, and the
// resource handle stack.
#include <gtest/gtest.h>

#include "acdocman.h"
#include "afxwin.h"
#include "aced.h"
#include "arxHeaders.h"
#include "arxhost/application.h"
#include "event_sequences.h"
#include "temp_dir.h"

namespace {
using namespace arxtest;

TEST(Documents, ComeAndGoWithTheirNotificationsInOrder)
{
    arxhost::Application app;
    DocumentEvents r;
    acDocManager->addReactor(&r);
    std::string error;
    AcApDocument* a = app.newDocument(error);
    EXPECT_EQ(r.heard, kFirstDocumentSeq);
    r.heard.clear();
    AcApDocument* b = app.newDocument(error);
    EXPECT_EQ(r.heard, kAnotherDocumentSeq);
    EXPECT_EQ(acDocManager->curDocument(), b);
    EXPECT_EQ(acdbHostApplicationServices()->workingDatabase(), b->database());
    EXPECT_EQ(acDocManager->document(a->database()), a);
    EXPECT_EQ(acDocManager->documentCount(), 2);
    AcApDocumentIterator* it = acDocManager->newAcApDocumentIterator();
    std::vector<AcApDocument*> seen;
    for (; !it->done(); it->step()) seen.push_back(it->document());
    delete it;
    EXPECT_EQ(seen, (std::vector<AcApDocument*>{a, b}));
    r.heard.clear();
    app.closeDocument(b);
    ASSERT_GE(r.heard.size(), kDocumentDestroyedSeq.size());
    EXPECT_EQ(Events(r.heard.begin(), r.heard.begin() + static_cast<long>(kDocumentDestroyedSeq.size())),
              kDocumentDestroyedSeq);
    EXPECT_EQ(acDocManager->curDocument(), a);
    acDocManager->removeReactor(&r);
}

TEST(Documents, ActivatingSwitchesTheCurrentDocumentInTheHostsOrder)
{
    arxhost::Application app;
    TempDir dir;
    std::string error;
    AcApDocument* a = app.newDocument(error);
    ASSERT_TRUE(app.saveDocument(a, dir.wfile("Site.dxf"), error));
    AcApDocument* b = app.newDocument(error);
    DocumentEvents r;
    acDocManager->addReactor(&r);
    EXPECT_TRUE(app.activateDocument(a));
    EXPECT_EQ(r.heard, kDocumentSwitchedSeq);
    EXPECT_EQ(acDocManager->curDocument(), a);
    EXPECT_EQ(acdbHostApplicationServices()->workingDatabase(), a->database());
    r.heard.clear();
    EXPECT_TRUE(app.activateDocument(a));  // already current: nothing happens
    EXPECT_TRUE(r.heard.empty());
    acDocManager->removeReactor(&r);
    // Found by file name, or by title without regard to case.
    EXPECT_EQ(app.findDocument(dir.wfile("Site.dxf")), a);
    EXPECT_EQ(app.findDocument(L"site.DXF"), a);
    EXPECT_EQ(app.findDocument(b->docTitle()), b);
    EXPECT_EQ(app.findDocument(L"Elsewhere.dwg"), nullptr);
}

TEST(Documents, EachDocumentHasItsOwnInputPointManager)
{
    struct Monitor : AcEdInputPointMonitor {};
    arxhost::Application app;
    std::string error;
    AcApDocument* a = app.newDocument(error);
    AcApDocument* b = app.newDocument(error);
    Monitor m;
    AcEdInputPointManager* ma = a->inputPointManager();
    ASSERT_NE(ma, nullptr);
    EXPECT_NE(ma, b->inputPointManager());
    EXPECT_EQ(ma->addPointMonitor(&m), Acad::eOk);
    EXPECT_EQ(ma->addPointMonitor(&m), Acad::eDuplicateKey);
    EXPECT_EQ(ma->addPointMonitor(nullptr), Acad::eNullObjectPointer);
    EXPECT_EQ(b->inputPointManager()->removePointMonitor(&m), Acad::eKeyNotFound);
    EXPECT_EQ(ma->removePointMonitor(&m), Acad::eOk);
    EXPECT_EQ(ma->removePointMonitor(&m), Acad::eKeyNotFound);
}

TEST(Documents, OpeningTellsTheEditorAroundReadingAndThenMakesTheDocument)
{
    arxhost::Application app;
    TempDir dir;
    std::string error;
    AcApDocument* a = app.newDocument(error);
    ASSERT_TRUE(app.saveDocument(a, dir.wfile("a.dxf"), error)) << error;
    DrawingFileEvents files;
    DocumentEvents documents;
    acedEditor->addReactor(&files);
    acDocManager->addReactor(&documents);
    EXPECT_NE(app.openDocument(dir.wfile("a.dxf"), error), nullptr) << error;
    EXPECT_EQ(files.heard, kDrawingOpenedSeq);
    EXPECT_EQ(documents.heard, kAnotherDocumentSeq);
    acDocManager->removeReactor(&documents);
    acedEditor->removeReactor(&files);
}

TEST(Documents, AFailedOpenMakesNoDocumentAndLeavesTheOthers)
{
    arxhost::Application app;
    TempDir dir;
    std::string error;
    AcApDocument* a = app.newDocument(error);
    DrawingFileEvents files;
    DocumentEvents documents;
    acedEditor->addReactor(&files);
    acDocManager->addReactor(&documents);
    EXPECT_EQ(app.openDocument(dir.wfile("missing.dxf"), error), nullptr);
    EXPECT_NE(error.find("missing.dxf"), std::string::npos);
    EXPECT_EQ(files.heard, kDrawingOpenFailedSeq);
    EXPECT_TRUE(documents.heard.empty());
    EXPECT_EQ(acDocManager->documentCount(), 1);
    EXPECT_EQ(acDocManager->curDocument(), a);
    acDocManager->removeReactor(&documents);
    acedEditor->removeReactor(&files);
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
    DrawingFileEvents saves;
    acedEditor->addReactor(&saves);
    std::string error;
    AcApDocument* doc = app.newDocument(error);
    EXPECT_TRUE(app.saveDocument(doc, dir.wfile("a.dxf"), error)) << error;
    EXPECT_FALSE(app.saveDocument(doc, dir.wfile("a.txt"), error));
    EXPECT_NE(error.find(".dxf or .dwg"), std::string::npos);
    EXPECT_EQ(saves.heard, join({kDrawingSavedSeq, kDrawingSaveFailedSeq}));
    EXPECT_EQ(saves.saved, (std::vector<AcDbDatabase*>{doc->database(), doc->database()}));
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
