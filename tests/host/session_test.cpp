// Session scripts: the actions, the echo of the command line, prompts answered
// by the lines that follow, and failures named by their line.
#include <gtest/gtest.h>

#include <fstream>

#include "AcString.h"
#include "acdocman.h"
#include "arxhost/application.h"
#include "session_fixture.h"
#include "temp_dir.h"

namespace {

using Session = SessionFixture;

TEST_F(Session, EchoesTheCommandLineAndAnswersPromptsFromTheLinesThatFollow)
{
    EXPECT_EQ(run("# a comment\n\nnew\ncommand LINE\ninput 0,0\ninput 3,4\ninput\nsaveas " + dir.file("a.dxf") + "\n"), 0);
    EXPECT_NE(echo.find("Command: NEW\nCommand: LINE\nSpecify first point: 0,0\nSpecify next point: 3,4\n"),
              std::string::npos)
        << echo;
    EXPECT_TRUE(std::filesystem::exists(dir.file("a.dxf")));
    EXPECT_EQ(error, "");
}

TEST_F(Session, AFailingActionStopsTheRunWithItsLine)
{
    EXPECT_EQ(run("new\ncommand NOSUCH\nnew\n"), 1);
    EXPECT_NE(error.find("s.scr:2: Unknown command \"NOSUCH\""), std::string::npos) << error;
    EXPECT_EQ(run("new\nlisp (nosuch)\n"), 1);
    EXPECT_NE(error.find("s.scr:2: ; error: no function definition: NOSUCH"), std::string::npos) << error;
    EXPECT_EQ(run("frobnicate\n"), 1);
    EXPECT_NE(error.find("unknown action \"frobnicate\""), std::string::npos) << error;
    EXPECT_EQ(run("new\ninput 1,1\n"), 1);
    EXPECT_NE(error.find("no command is waiting for input"), std::string::npos) << error;
}

TEST_F(Session, SavingWithoutADrawingFails)
{
    EXPECT_EQ(run("save\n"), 1);
    EXPECT_NE(error.find("s.scr:1: no drawing is open"), std::string::npos) << error;
    EXPECT_EQ(run("autosave\n"), 1);
    EXPECT_NE(error.find("s.scr:1: no drawing is open"), std::string::npos) << error;
}

TEST_F(Session, SaveAsAFileTheHostCannotWriteFailsTheRun)
{
    EXPECT_EQ(run("new\nsaveas " + dir.file("a.txt") + "\nnew\n"), 1);
    EXPECT_NE(error.find("s.scr:2: "), std::string::npos) << error;
    EXPECT_NE(error.find(".dxf or .dwg"), std::string::npos) << error;
}

TEST_F(Session, ActivateSwitchesToAnOpenDocumentByNameOrTitle)
{
    EXPECT_EQ(run("new\nsaveas " + dir.file("first.dxf") + "\nnew\nactivate FIRST.dxf\n"), 0) << error;
    EXPECT_EQ(AcString(app.currentDocument()->fileName()).utf8(), dir.file("first.dxf"));
    EXPECT_NE(echo.find("Command: (activate \"FIRST.dxf\")"), std::string::npos) << echo;
    EXPECT_EQ(run("activate nothing.dwg\n"), 1);
    EXPECT_NE(error.find("no open document is named nothing.dwg"), std::string::npos) << error;
    EXPECT_EQ(run("activate\n"), 1);
    EXPECT_NE(error.find("activate needs"), std::string::npos) << error;
}

TEST_F(Session, AutosaveWritesTheCurrentDrawingNow)
{
    EXPECT_EQ(run("new\nautosave\n"), 0) << error;
    const size_t at = echo.find("Automatic save to ");
    ASSERT_NE(at, std::string::npos) << echo;
    std::string path = echo.substr(at + 18, echo.find(" ...", at) - at - 18);
    EXPECT_EQ(std::filesystem::path(path).extension(), ".sv$");
    EXPECT_TRUE(std::filesystem::exists(path));
    std::filesystem::remove(path);
}

TEST_F(Session, WhileACommandWaitsOnlyInputCancelOrATransparentCommandMayFollow)
{
    EXPECT_EQ(run("new\ncommand LINE\ninput 0,0\nnew\n"), 1);
    EXPECT_NE(error.find("s.scr:4: a command is waiting for input"), std::string::npos) << error;
    echo.clear();
    error.clear();
    EXPECT_EQ(run("new\ncommand LINE\ninput 0,0\ncancel\n"), 0);
    EXPECT_NE(echo.find("*Cancel*"), std::string::npos);
}

TEST_F(Session, AnActionWordWithSpacesAfterItAndNothingElseIsNotAnArgument)
{
    // Found by fuzzing: a word followed by blanks only.
    EXPECT_EQ(run("command   \n"), 1);
    EXPECT_NE(error.find("command needs a command name"), std::string::npos) << error;
    EXPECT_EQ(run("new \t\n"), 0);
}

TEST_F(Session, AScriptThatCannotBeReadFails)
{
    std::FILE* errors = std::tmpfile();
    EXPECT_EQ(arxhost::runSession(app, dir.file("missing.scr"), errors), 1);
    std::fclose(errors);
}

}  // namespace
