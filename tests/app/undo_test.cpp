// Undo: each command's changes are one step of its drawing's history; U and
// UNDO take steps back (erasures, unerasures, changes, appended objects) and
// REDO brings back what they just took, telling the objects' reactors in the
// orders of event_sequences.h.
#include <gtest/gtest.h>

#include "acedads.h"
#include "aced.h"
#include "arxHeaders.h"
#include "arxhost/application.h"
#include "event_sequences.h"

namespace {
using namespace arxtest;

class Undo : public ::testing::Test {
protected:
    void SetUp() override
    {
        app.setCommandLine([this](const std::wstring& t) { line += t; });
        app.setInputSource([this](std::wstring& a) {
            if (answers.empty()) return false;
            a = answers.front();
            answers.erase(answers.begin());
            return true;
        });
        std::string error;
        doc = app.newDocument(error);
        db = doc->database();
    }

    arxhost::CommandResult run(const std::wstring& name, std::vector<std::wstring> input = {})
    {
        answers = std::move(input);
        std::string message;
        return app.runCommand(name, message);
    }

    AcDbObjectId addLine(AcGePoint3d a, AcGePoint3d b)
    {
        EXPECT_EQ(run(L"LINE", {point(a), point(b), L""}), arxhost::CommandResult::kEnded);
        return lastEntity();
    }

    static std::wstring point(const AcGePoint3d& p)
    {
        return std::to_wstring(p.x) + L"," + std::to_wstring(p.y);
    }

    AcDbObjectId lastEntity()
    {
        AcDbBlockTableRecord* ms = nullptr;
        AcDbObjectId last;
        if (acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForRead) != Acad::eOk) return last;
        AcDbBlockTableRecordIterator* it = nullptr;
        ms->newIterator(it);
        for (; !it->done(); it->step()) it->getEntityId(last);
        delete it;
        ms->close();
        return last;
    }

    static bool erased(AcDbObjectId id) { return id.isErased(); }

    static AcGePoint3d startOf(AcDbObjectId id)
    {
        AcDbLine* l = nullptr;
        AcGePoint3d p;
        if (acdbOpenObject(l, id, AcDb::kForRead, true) == Acad::eOk) {
            p = l->startPoint();
            l->close();
        }
        return p;
    }

    static void watch(AcDbObjectId id, AcDbObjectReactor* r)
    {
        AcDbObject* obj = nullptr;
        ASSERT_EQ(acdbOpenObject(obj, id, AcDb::kForRead, true), Acad::eOk);
        obj->addReactor(r);
        obj->close();
    }

    // Declared before the application, so that it outlives the drawings it watches.
    ObjectEvents rec;
    arxhost::Application app;
    AcApDocument* doc = nullptr;
    AcDbDatabase* db = nullptr;
    std::wstring line;
    std::vector<std::wstring> answers;
};

TEST_F(Undo, AnErasureTakenBackUnerasesAndRedoErasesAgain)
{
    AcDbObjectId id = addLine({0, 0, 0}, {10, 0, 0});
    watch(id, &rec);
    ASSERT_EQ(run(L"ERASE", {L"L", L""}), arxhost::CommandResult::kEnded);
    ASSERT_TRUE(erased(id));
    rec.heard.clear();
    line.clear();
    EXPECT_EQ(run(L"U"), arxhost::CommandResult::kEnded);
    EXPECT_FALSE(erased(id));
    EXPECT_EQ(rec.heard, kUndoneEraseSeq);
    EXPECT_EQ(line, L"ERASE\n");
    rec.heard.clear();
    line.clear();
    EXPECT_EQ(run(L"REDO"), arxhost::CommandResult::kEnded);
    EXPECT_TRUE(erased(id));
    EXPECT_EQ(rec.heard, kRedoneEraseSeq);
    EXPECT_EQ(line, L"ERASE\n");
}

TEST_F(Undo, AChangeTakenBackRestoresTheObjectAndRedoBringsItBack)
{
    AcDbObjectId id = addLine({0, 0, 0}, {10, 0, 0});
    ASSERT_EQ(run(L"MOVE", {L"L", L"", L"0,0", L"5,2"}), arxhost::CommandResult::kEnded);
    ASSERT_EQ(startOf(id), AcGePoint3d(5, 2, 0));
    watch(id, &rec);
    run(L"U");
    EXPECT_EQ(startOf(id), AcGePoint3d(0, 0, 0));
    EXPECT_EQ(rec.heard, kUndoneModifySeq);
    run(L"REDO");
    EXPECT_EQ(startOf(id), AcGePoint3d(5, 2, 0));
    // The transient reactor stays on the object through both.
    EXPECT_EQ(rec.heard, join({kUndoneModifySeq, kUndoneModifySeq}));
}

TEST_F(Undo, AnAppendTakenBackErasesTheNewObject)
{
    AcDbObjectId id = addLine({0, 0, 0}, {1, 1, 0});
    watch(id, &rec);
    run(L"U");
    EXPECT_TRUE(erased(id));
    EXPECT_EQ(rec.heard, kRedoneEraseSeq);  // told as an erasure
    run(L"REDO");
    EXPECT_FALSE(erased(id));
}

TEST_F(Undo, UndoTakesTheNumberOfStepsAskedForNewestFirst)
{
    AcDbObjectId a = addLine({0, 0, 0}, {1, 0, 0});
    AcDbObjectId b = addLine({0, 1, 0}, {1, 1, 0});
    ASSERT_EQ(run(L"ERASE", {L"L", L""}), arxhost::CommandResult::kEnded);
    line.clear();
    EXPECT_EQ(run(L"UNDO", {L"2"}), arxhost::CommandResult::kEnded);
    EXPECT_FALSE(erased(a));
    EXPECT_TRUE(erased(b));  // its LINE was taken back
    EXPECT_NE(line.find(L"ERASE LINE\n"), std::wstring::npos) << AcString(line.c_str()).utf8();
    // An empty answer is one step; more steps than there are takes everything back.
    line.clear();
    run(L"UNDO", {L"9"});
    EXPECT_TRUE(erased(a));
    EXPECT_NE(line.find(L"Everything has been undone"), std::wstring::npos);
    line.clear();
    run(L"UNDO", {L"0", L"-3", L""});
    EXPECT_NE(line.find(L"Value must be positive and nonzero."), std::wstring::npos);
    EXPECT_NE(line.find(L"Everything has been undone"), std::wstring::npos);
}

TEST_F(Undo, RedoBringsBackOnlyWhatTheLastUndoTookAndNothingAfterANewChange)
{
    AcDbObjectId a = addLine({0, 0, 0}, {1, 0, 0});
    AcDbObjectId b = addLine({0, 1, 0}, {1, 1, 0});
    run(L"UNDO", {L"2"});
    run(L"REDO");
    EXPECT_FALSE(erased(a));
    EXPECT_FALSE(erased(b));
    line.clear();
    run(L"REDO");
    EXPECT_NE(line.find(L"did not undo anything"), std::wstring::npos);
    run(L"U");
    EXPECT_TRUE(erased(b));
    addLine({5, 5, 0}, {6, 6, 0});  // a new change: b's LINE can no longer come back
    line.clear();
    run(L"REDO");
    EXPECT_TRUE(erased(b));
    EXPECT_NE(line.find(L"did not undo anything"), std::wstring::npos);
}

TEST_F(Undo, CommandsThatChangeNothingLeaveNoStep)
{
    AcDbObjectId id = addLine({0, 0, 0}, {1, 0, 0});
    run(L"ZOOM", {L"E"});
    run(L"U");
    EXPECT_TRUE(erased(id));  // the LINE was the last step
}

TEST_F(Undo, ChangesMadeOutsideACommandAreAStepOfTheirOwn)
{
    AcDbObjectId id = addLine({0, 0, 0}, {1, 0, 0});
    // Application context (a dialog, a reactor) with the document locked.
    acDocManager->lockDocument(doc, AcAp::kWrite);
    for (double x : {2.0, 3.0}) {
        AcDbLine* l = nullptr;
        ASSERT_EQ(acdbOpenObject(l, id, AcDb::kForWrite), Acad::eOk);
        l->setStartPoint({x, 0, 0});
        l->close();
    }
    acDocManager->unlockDocument(doc);
    line.clear();
    run(L"U");
    EXPECT_EQ(line, L"GROUP\n");
    EXPECT_EQ(startOf(id), AcGePoint3d(0, 0, 0));  // both changes in one step
    EXPECT_FALSE(erased(id));
}

TEST_F(Undo, PersistentReactorsAndExtensionDictionariesComeBackWithTheirObject)
{
    AcDbObjectId target = addLine({0, 0, 0}, {1, 0, 0});
    AcDbObjectId carrier = addLine({0, 1, 0}, {1, 1, 0});
    AcDbObjectId xdict;
    acDocManager->lockDocument(doc, AcAp::kWrite);
    {
        AcDbLine* l = nullptr;
        ASSERT_EQ(acdbOpenObject(l, carrier, AcDb::kForWrite), Acad::eOk);
        l->addPersistentReactor(target);
        ASSERT_EQ(l->createExtensionDictionary(), Acad::eOk);
        xdict = l->extensionDictionary();
        l->close();
    }
    acDocManager->unlockDocument(doc);
    ASSERT_EQ(run(L"ERASE", {L"L", L""}), arxhost::CommandResult::kEnded);
    EXPECT_TRUE(erased(carrier));
    EXPECT_TRUE(erased(xdict));
    run(L"U");  // the erasure
    EXPECT_FALSE(erased(carrier));
    EXPECT_FALSE(erased(xdict));
    run(L"U");  // the reactor and the dictionary added outside a command
    AcDbLine* l = nullptr;
    ASSERT_EQ(acdbOpenObject(l, carrier, AcDb::kForRead), Acad::eOk);
    EXPECT_FALSE(l->hasPersistentReactor(target));
    EXPECT_TRUE(l->extensionDictionary().isNull());
    l->close();
    EXPECT_TRUE(erased(xdict));  // a new object taken back is erased
}

TEST_F(Undo, EntitiesOnALayerLockedSinceTheChangeAreStillTakenBack)
{
    AcDbObjectId id = addLine({0, 0, 0}, {1, 0, 0});
    ASSERT_EQ(run(L"ERASE", {L"L", L""}), arxhost::CommandResult::kEnded);
    AcDbLayerTableRecord* layer = nullptr;
    ASSERT_EQ(acdbOpenObject(layer, db->clayer(), AcDb::kForWrite), Acad::eOk);
    layer->setIsLocked(true);
    layer->close();
    run(L"U");  // the lock
    run(L"U");  // the erasure
    EXPECT_FALSE(erased(id));
}

TEST_F(Undo, EachDrawingHasItsOwnHistory)
{
    AcDbObjectId first = addLine({0, 0, 0}, {1, 0, 0});
    std::string error;
    app.newDocument(error);
    line.clear();
    run(L"U");
    EXPECT_NE(line.find(L"Everything has been undone"), std::wstring::npos);
    EXPECT_FALSE(erased(first));
}

}  // namespace
