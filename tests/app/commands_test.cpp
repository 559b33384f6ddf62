// Commands and prompts: registration by group, running by global or local name,
// transparent commands, the end each command comes to, and the command line.
#include <gtest/gtest.h>

#include "acedads.h"
#include "aced.h"
#include "arxHeaders.h"
#include "arxhost/application.h"
#include "event_sequences.h"

namespace {
using namespace arxtest;

// What the editor tells of commands, and what the commands themselves do.
Events gTrace;

class Commands : public ::testing::Test {
protected:
    void SetUp() override
    {
        gTrace.clear();
        app.setCommandLine([this](const std::wstring& t) { line += t; });
        app.setInputSource([this](std::wstring& a) {
            if (next >= answers.size()) return false;
            a = answers[next++];
            return true;
        });
        std::string error;
        app.newDocument(error);
        acedEditor->addReactor(&events);
    }
    void TearDown() override { acedEditor->removeReactor(&events); }

    arxhost::Application app;
    CommandEvents events{gTrace};
    std::wstring line;
    std::vector<std::wstring> answers;
    size_t next = 0;
};

void asksForAPoint()
{
    ads_point p;
    int rc = acedGetPoint(nullptr, L"Point: ", p);
    gTrace.push_back(rc == RTNORM ? "point " + std::to_string(p[0]) + "," + std::to_string(p[1]) : "rc " + std::to_string(rc));
}
void throws() { throw std::runtime_error("broken"); }
void quiet() { gTrace.push_back("quiet ran"); }

TEST_F(Commands, RegisteredByGroupAndFoundByEitherName)
{
    EXPECT_EQ(acedRegCmds->addCommand(L"TESTS", L"QUIET", L"STILL", ACRX_CMD_TRANSPARENT, &quiet), Acad::eOk);
    EXPECT_EQ(acedRegCmds->addCommand(L"TESTS", L"quiet", L"X", ACRX_CMD_MODAL, &quiet), Acad::eDuplicateKey);
    EXPECT_EQ(acedRegCmds->addCommand(L"OTHER", L"QUIET", L"X", ACRX_CMD_MODAL, &quiet), Acad::eOk);
    ASSERT_NE(acedRegCmds->lookupLocalCmd(L"still"), nullptr);
    EXPECT_STREQ(acedRegCmds->lookupLocalCmd(L"still")->globalName(), L"QUIET");
    std::string error;
    EXPECT_EQ(app.runCommand(L"STILL", error), arxhost::CommandResult::kEnded);
    EXPECT_EQ(app.runCommand(L"_QUIET", error), arxhost::CommandResult::kEnded);
    EXPECT_EQ(app.runCommand(L"_STILL", error), arxhost::CommandResult::kUnknown);  // global names only
    EXPECT_EQ(acedRegCmds->removeCmd(L"TESTS", L"QUIET"), Acad::eOk);
    EXPECT_EQ(acedRegCmds->removeCmd(L"TESTS", L"QUIET"), Acad::eKeyNotFound);
    EXPECT_EQ(acedRegCmds->removeGroup(L"OTHER"), Acad::eOk);
    EXPECT_EQ(app.runCommand(L"QUIET", error), arxhost::CommandResult::kUnknown);
    EXPECT_NE(line.find(L"Unknown command \"QUIET\""), std::wstring::npos);
}

TEST_F(Commands, EachCommandEndsEndedCancelledOrFailed)
{
    acedRegCmds->addCommand(L"TESTS", L"ASK", L"ASK", ACRX_CMD_MODAL, &asksForAPoint);
    acedRegCmds->addCommand(L"TESTS", L"THROWS", L"THROWS", ACRX_CMD_MODAL, &throws);
    std::string error;
    answers = {L"1.5,2"};
    EXPECT_EQ(app.runCommand(L"ASK", error), arxhost::CommandResult::kEnded);
    EXPECT_EQ(app.runCommand(L"ASK", error), arxhost::CommandResult::kCancelled);  // no answer left
    EXPECT_EQ(app.runCommand(L"THROWS", error), arxhost::CommandResult::kFailed);
    EXPECT_EQ(error, "broken");
    EXPECT_EQ(gTrace, join({commandEndedSeq("ASK", {"point 1.500000,2.000000"}), commandCancelledSeq("ASK", {"rc -5002"}),
                            commandFailedSeq("THROWS")}));
}

TEST_F(Commands, OnlyTransparentCommandsStartWhileAnotherRuns)
{
    acedRegCmds->addCommand(L"TESTS", L"ASK", L"ASK", ACRX_CMD_MODAL, &asksForAPoint);
    acedRegCmds->addCommand(L"TESTS", L"QUIET", L"QUIET", ACRX_CMD_TRANSPARENT, &quiet);
    std::string error;
    answers = {L"'QUIET", L"'ASK", L"not a point", L"3,4"};
    EXPECT_EQ(app.runCommand(L"ASK", error), arxhost::CommandResult::kEnded);
    EXPECT_EQ(gTrace,
              commandEndedSeq("ASK", join({commandEndedSeq("QUIET", {"quiet ran"}), {"point 3.000000,4.000000"}})));
    EXPECT_NE(line.find(L"** That command may not be invoked transparently **"), std::wstring::npos);
    EXPECT_NE(line.find(L"Invalid point."), std::wstring::npos);
}

TEST_F(Commands, TheHostsLineCommandDrawsFromThePointsGiven)
{
    std::string error;
    answers = {L"0,0", L"10,0", L"10,5", L""};
    EXPECT_EQ(app.runCommand(L"LINE", error), arxhost::CommandResult::kEnded);
    AcDbBlockTableRecord* ms = nullptr;
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    ASSERT_EQ(acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(ms->entityCount(), 2);
    ms->close();
}

TEST_F(Commands, PrintfGoesToTheCommandLine)
{
    acutPrintf(L"\n%ls has %d notes", L"Plan", 3);
    EXPECT_EQ(line, L"\nPlan has 3 notes");
}

// The host's printf is a Windows wide printf: %s takes wide text, %hs narrow.
TEST_F(Commands, PrintfReadsItsArgumentsAsWindowsWidePrintfDoes)
{
    acutPrintf(L"%s|%hs|%u|%ld", L"wide", "narrow", 4000000000u, -7L);
    EXPECT_EQ(line, L"wide|narrow|4000000000|-7");
}

}  // namespace
