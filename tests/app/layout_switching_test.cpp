// Layouts: the drawing shows model space or one paper-space layout; LAYOUT Set,
// the system variable CTAB (acedSetVar, and SETVAR) switch between them, the
// editor tells of each switch with layoutSwitched, and currentSpaceId follows.
#include <gtest/gtest.h>

#include "acedads.h"
#include "aced.h"
#include "arxHeaders.h"
#include "arxhost/application.h"
#include "event_sequences.h"

namespace {
using namespace arxtest;

class LayoutSwitching : public ::testing::Test {
protected:
    void SetUp() override
    {
        app.setCommandLine([this](const std::wstring& t) { line += t; });
        app.setInputSource([](std::wstring&) { return false; });
        std::string error;
        doc = app.newDocument(error);
        db = doc->database();
        acedEditor->addReactor(&events);
    }
    void TearDown() override { acedEditor->removeReactor(&events); }

    arxhost::CommandResult run(const std::wstring& name, const std::vector<std::wstring>& answers)
    {
        std::string message;
        return app.runCommand(name, answers, message);
    }

    static std::wstring ctab()
    {
        resbuf rb{};
        if (acedGetVar(L"CTAB", &rb) != RTNORM || rb.restype != RTSTR) return L"?";
        std::wstring name = rb.resval.rstring;
        acutDelString(rb.resval.rstring);
        return name;
    }

    static int setCtab(const wchar_t* name)
    {
        resbuf rb{};
        rb.restype = RTSTR;
        rb.resval.rstring = const_cast<ACHAR*>(name);
        return acedSetVar(L"CTAB", &rb);
    }

    // A second paper-space layout, as a drawing from elsewhere may have.
    AcDbObjectId addLayout(const wchar_t* name, const wchar_t* blockName)
    {
        AcDbBlockTable* blocks = nullptr;
        EXPECT_EQ(db->getBlockTable(blocks, AcDb::kForWrite), Acad::eOk);
        auto* btr = new AcDbBlockTableRecord();
        btr->setName(blockName);
        AcDbObjectId blockId;
        EXPECT_EQ(blocks->add(blockId, btr), Acad::eOk);
        blocks->close();
        auto* layout = new AcDbLayout();
        layout->setLayoutName(name);
        layout->setTabOrder(2);
        layout->setBlockTableRecordId(blockId);
        AcDbDictionary* layouts = nullptr;
        EXPECT_EQ(db->getLayoutDictionary(layouts, AcDb::kForWrite), Acad::eOk);
        AcDbObjectId layoutId;
        EXPECT_EQ(layouts->setAt(name, layout, layoutId), Acad::eOk);
        layout->close();
        layouts->close();
        btr->setLayoutId(layoutId);
        btr->close();
        return blockId;
    }

    EditorEvents events;
    arxhost::Application app;
    AcApDocument* doc = nullptr;
    AcDbDatabase* db = nullptr;
    std::wstring line;
};

TEST_F(LayoutSwitching, LayoutSetSwitchesAndTheEditorHearsOfIt)
{
    EXPECT_EQ(ctab(), L"Model");
    const AcDbObjectId model = db->modelSpaceId(), paper = db->paperSpaceId();
    EXPECT_EQ(db->currentSpaceId(), model);
    EXPECT_EQ(run(L"LAYOUT", {L"S", L"layout1"}), arxhost::CommandResult::kEnded);
    EXPECT_EQ(events.heard, commandEndedSeq("LAYOUT", layoutSwitchedSeq("Layout1")));
    EXPECT_EQ(ctab(), L"Layout1");
    EXPECT_EQ(db->currentSpaceId(), paper);
    EXPECT_FALSE(db->tilemode());
    // The default answers: Set, and the current layout, which changes nothing.
    events.heard.clear();
    EXPECT_EQ(run(L"LAYOUT", {L"", L""}), arxhost::CommandResult::kEnded);
    EXPECT_EQ(events.heard, commandEndedSeq("LAYOUT"));
    events.heard.clear();
    EXPECT_EQ(run(L"LAYOUT", {L"SET", L"Model"}), arxhost::CommandResult::kEnded);
    EXPECT_EQ(events.heard, commandEndedSeq("LAYOUT", layoutSwitchedSeq("Model")));
    EXPECT_EQ(db->currentSpaceId(), model);
}

TEST_F(LayoutSwitching, AnUnknownLayoutIsSaidSoAndAskedAgain)
{
    EXPECT_EQ(run(L"LAYOUT", {L"S", L"Sheet9", L"Layout1"}), arxhost::CommandResult::kEnded);
    EXPECT_NE(line.find(L"Layout \"Sheet9\" not found."), std::wstring::npos);
    EXPECT_EQ(ctab(), L"Layout1");
    line.clear();
    EXPECT_EQ(run(L"LAYOUT", {L"?", L"Copy", L"S", L"Model"}), arxhost::CommandResult::kEnded);
    EXPECT_NE(line.find(L"Layout: Model\nLayout: Layout1\n"), std::wstring::npos);
    EXPECT_NE(line.find(L"Invalid option keyword."), std::wstring::npos);
}

TEST_F(LayoutSwitching, CtabSwitchesThroughSetvarAndAcedSetVar)
{
    EXPECT_EQ(setCtab(L"LAYOUT1"), RTNORM);
    EXPECT_EQ(events.heard, layoutSwitchedSeq("Layout1"));
    EXPECT_EQ(setCtab(L"Nowhere"), RTREJ);
    EXPECT_EQ(ctab(), L"Layout1");
    events.heard.clear();
    EXPECT_EQ(run(L"SETVAR", {L"ctab", L"Model"}), arxhost::CommandResult::kEnded);
    EXPECT_EQ(events.heard, commandEndedSeq("SETVAR", layoutSwitchedSeq("Model")));
    EXPECT_NE(line.find(L"Enter new value for CTAB <Layout1>: "), std::wstring::npos);
    EXPECT_EQ(db->currentSpaceId(), db->modelSpaceId());
}

TEST_F(LayoutSwitching, AnotherPaperSpaceLayoutBecomesThePaperSpaceShown)
{
    const AcDbObjectId first = db->paperSpaceId();
    const AcDbObjectId second = addLayout(L"Sheet2", L"*Paper_Space0");
    ASSERT_EQ(setCtab(L"Layout1"), RTNORM);
    events.heard.clear();
    ASSERT_EQ(setCtab(L"Sheet2"), RTNORM);
    EXPECT_EQ(events.heard, layoutSwitchedSeq("Sheet2"));
    EXPECT_EQ(db->paperSpaceId(), second);
    EXPECT_EQ(db->currentSpaceId(), second);
    EXPECT_EQ(ctab(), L"Sheet2");
    // From model space straight to it, and back to the first.
    ASSERT_EQ(setCtab(L"Model"), RTNORM);
    events.heard.clear();
    ASSERT_EQ(setCtab(L"Layout1"), RTNORM);
    EXPECT_EQ(events.heard, layoutSwitchedSeq("Layout1"));
    EXPECT_EQ(db->currentSpaceId(), first);
    // Both blocks keep their own entities; only the names moved.
    AcDbBlockTableRecord* b = nullptr;
    ASSERT_EQ(acdbOpenObject(b, second, AcDb::kForRead), Acad::eOk);
    AcString name;
    b->getName(name);
    b->close();
    EXPECT_EQ(std::wstring(name.kwszPtr()), L"*Paper_Space0");
}

TEST_F(LayoutSwitching, SetvarSaysWhatItCannotDo)
{
    EXPECT_EQ(run(L"SETVAR", {L"NOSUCHVAR"}), arxhost::CommandResult::kEnded);
    EXPECT_NE(line.find(L"Unknown variable name: NOSUCHVAR."), std::wstring::npos);
    EXPECT_EQ(run(L"SETVAR", {L"SAVETIME", L"ten", L"700"}), arxhost::CommandResult::kEnded);
    EXPECT_NE(line.find(L"That is not a value SAVETIME can take."), std::wstring::npos);
    EXPECT_NE(line.find(L"SAVETIME cannot be set to 700."), std::wstring::npos);
    EXPECT_EQ(run(L"SETVAR", {L"VIEWSIZE", L"5"}), arxhost::CommandResult::kEnded);
    EXPECT_NE(line.find(L"VIEWSIZE cannot be set to 5."), std::wstring::npos);
    EXPECT_EQ(run(L"SETVAR", {L"SAVETIME", L"3"}), arxhost::CommandResult::kEnded);
    resbuf rb{};
    ASSERT_EQ(acedGetVar(L"SAVETIME", &rb), RTNORM);
    EXPECT_EQ(rb.resval.rint, 3);
}

}  // namespace
