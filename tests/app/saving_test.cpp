// Saving: QSAVE and SAVEAS are commands that tell the editor of the save inside
// them; every save (those, the automatic save, a conversion) sends beginSave
// with the file about to be written before it is written; the automatic save
// writes a ".sv$" file in the temporary folder every SAVETIME minutes that the
// drawing has changes not saved, and leaves the document's own name alone.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "acedads.h"
#include "aced.h"
#include "arxHeaders.h"
#include "arxhost/application.h"
#include "event_sequences.h"
#include "temp_dir.h"

namespace {
using namespace arxtest;
namespace fs = std::filesystem;

// Tells what the file holds when beginSave comes: the drawing must not be written yet.
class SaveWatcher : public AcEditorReactor {
public:
    std::vector<bool> existedAtBegin;
    void beginSave(AcDbDatabase*, const ACHAR* name) override { existedAtBegin.push_back(fs::exists(fs::path(name))); }
};

class Saving : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The automatic save writes into the temporary folder: this test's own.
        const char* tmp = std::getenv("TMPDIR");
        hadTmp = tmp != nullptr;
        if (hadTmp) oldTmp = tmp;
        setenv("TMPDIR", dir.path().c_str(), 1);
        app.setCommandLine([this](const std::wstring& t) { line += t; });
        app.setInputSource([](std::wstring&) { return false; });
        app.setClock([this] { return clock; });
        std::string error;
        doc = app.newDocument(error);
        acedEditor->addReactor(&events);
    }
    void TearDown() override
    {
        acedEditor->removeReactor(&events);
        if (hadTmp)
            setenv("TMPDIR", oldTmp.c_str(), 1);
        else
            unsetenv("TMPDIR");
    }

    void change()
    {
        std::string message;
        app.runCommand(L"LINE", {L"0,0", L"1,1", L""}, message);
        events.heard.clear();
        events.savedAs.clear();
    }

    static void setSaveTime(int minutes)
    {
        resbuf rb{};
        rb.restype = RTSHORT;
        rb.resval.rint = static_cast<short>(minutes);
        ASSERT_EQ(acedSetVar(L"SAVETIME", &rb), RTNORM);
    }

    std::vector<fs::path> autosaveFiles() const
    {
        std::vector<fs::path> found;
        for (const auto& e : fs::directory_iterator(dir.path()))
            if (e.path().extension() == ".sv$") found.push_back(e.path());
        return found;
    }

    TempDir dir;
    EditorEvents events;
    arxhost::Application app;
    AcApDocument* doc = nullptr;
    std::wstring line;
    long long clock = 0;
    bool hadTmp = false;
    std::string oldTmp;
};

TEST_F(Saving, QsaveAndSaveasAreCommandsWithTheSaveInside)
{
    std::string message;
    EXPECT_EQ(app.runCommand(L"SAVEAS", {dir.wfile("a.dxf")}, message), arxhost::CommandResult::kEnded);
    EXPECT_EQ(events.heard, commandEndedSeq("SAVEAS", kDrawingSavedSeq));
    EXPECT_EQ(events.savedAs, std::vector<std::wstring>{dir.wfile("a.dxf")});
    EXPECT_EQ(std::wstring(doc->fileName()), dir.wfile("a.dxf"));
    events.heard.clear();
    EXPECT_EQ(app.runCommand(L"QSAVE", message), arxhost::CommandResult::kEnded);
    EXPECT_EQ(events.heard, commandEndedSeq("QSAVE", kDrawingSavedSeq));
    // An empty answer keeps the drawing's name.
    events.heard.clear();
    EXPECT_EQ(app.runCommand(L"SAVEAS", {L""}, message), arxhost::CommandResult::kEnded);
    EXPECT_EQ(events.savedAs.back(), dir.wfile("a.dxf"));
}

TEST_F(Saving, ASaveThatFailsFailsItsCommandAndSaysWhy)
{
    std::string message;
    EXPECT_EQ(app.runCommand(L"SAVEAS", {dir.wfile("a.txt")}, message), arxhost::CommandResult::kFailed);
    EXPECT_EQ(events.heard, commandFailedSeq("SAVEAS", kDrawingSaveFailedSeq));
    EXPECT_NE(message.find(".dxf or .dwg"), std::string::npos);
    EXPECT_NE(line.find(L".dxf or .dwg"), std::wstring::npos);
}

TEST_F(Saving, BeginSaveComesBeforeTheFileIsWritten)
{
    SaveWatcher watcher;
    acedEditor->addReactor(&watcher);
    std::string error;
    ASSERT_TRUE(app.saveDocument(doc, dir.wfile("a.dwg"), error)) << error;
    std::wstring written;
    ASSERT_TRUE(app.autosave(written, error)) << error;
    ASSERT_TRUE(app.convertDrawing(dir.wfile("a.dwg"), dir.wfile("b.dxf"), nullptr, error)) << error;
    acedEditor->removeReactor(&watcher);
    EXPECT_EQ(watcher.existedAtBegin, (std::vector<bool>{false, false, false}));
}

TEST_F(Saving, TheAutomaticSaveWritesASvFileAndKeepsTheDocumentsName)
{
    std::string error;
    ASSERT_TRUE(app.saveDocument(doc, dir.wfile("site.dwg"), error));
    events.heard.clear();
    events.savedAs.clear();
    std::wstring written;
    ASSERT_TRUE(app.autosave(written, error)) << error;
    EXPECT_EQ(events.heard, kDrawingSavedSeq);  // not a command
    ASSERT_EQ(events.savedAs.size(), 1u);
    EXPECT_EQ(events.savedAs[0], written);
    fs::path p(written);
    EXPECT_EQ(p.extension(), ".sv$");
    EXPECT_EQ(p.parent_path(), dir.path());
    EXPECT_EQ(p.filename().string().rfind("site_", 0), 0u) << p;
    EXPECT_EQ(std::wstring(doc->fileName()), dir.wfile("site.dwg"));
    EXPECT_NE(line.find(L"Automatic save to " + written), std::wstring::npos);
    // What it wrote is a drawing the host reads.
    AcDbDatabase copy(false, true);
    EXPECT_EQ(copy.readDwgFile(written.c_str()), Acad::eOk);
}

TEST_F(Saving, ClosingADocumentRemovesItsAutomaticSaveAndNoOtherFile)
{
    std::string error;
    AcApDocument* other = app.newDocument(error);
    ASSERT_NE(other, nullptr) << error;
    std::wstring mine, theirs;
    ASSERT_TRUE(app.autosave(theirs, error)) << error;  // the new document is current
    ASSERT_TRUE(app.activateDocument(doc));
    ASSERT_TRUE(app.autosave(mine, error)) << error;
    ASSERT_TRUE(app.saveDocument(doc, dir.wfile("kept.dwg"), error)) << error;
    app.closeDocument(doc);
    EXPECT_FALSE(fs::exists(fs::path(mine)));
    EXPECT_TRUE(fs::exists(fs::path(theirs)));
    EXPECT_TRUE(fs::exists(dir.path() / "kept.dwg"));
    app.closeDocument(other);
    EXPECT_TRUE(autosaveFiles().empty());
}

TEST_F(Saving, TheTimerStartsAtAChangeAndSavesAfterSavetimeMinutes)
{
    setSaveTime(2);
    app.idle();
    EXPECT_TRUE(autosaveFiles().empty());  // nothing changed
    change();
    clock = 1000;
    app.idle();  // the timer starts here
    clock = 1000 + 2 * 60'000 - 1;
    app.idle();
    EXPECT_TRUE(autosaveFiles().empty());
    clock = 1000 + 2 * 60'000;
    app.idle();
    EXPECT_EQ(autosaveFiles().size(), 1u);
    EXPECT_EQ(events.heard, kDrawingSavedSeq);
    // Saved: no second save until the drawing changes again.
    events.heard.clear();
    clock += 10 * 60'000;
    app.idle();
    EXPECT_TRUE(events.heard.empty());
}

TEST_F(Saving, ASaveStopsTheTimerAndSavetimeZeroTurnsItOff)
{
    setSaveTime(1);
    change();
    app.idle();
    std::string error;
    ASSERT_TRUE(app.saveDocument(doc, dir.wfile("a.dxf"), error));
    events.heard.clear();
    clock += 5 * 60'000;
    app.idle();
    EXPECT_TRUE(events.heard.empty());
    setSaveTime(0);
    change();
    app.idle();
    clock += 60 * 60'000;
    app.idle();
    EXPECT_TRUE(autosaveFiles().empty());
    // Out of range values are refused.
    resbuf rb{};
    rb.restype = RTSHORT;
    rb.resval.rint = 601;
    EXPECT_EQ(acedSetVar(L"SAVETIME", &rb), RTREJ);
    rb.resval.rint = -1;
    EXPECT_EQ(acedSetVar(L"SAVETIME", &rb), RTREJ);
    ASSERT_EQ(acedGetVar(L"savetime", &rb), RTNORM);
    EXPECT_EQ(rb.resval.rint, 0);
}

TEST_F(Saving, AConversionIsADocumentOpenedSavedAndClosed)
{
    std::string error;
    ASSERT_TRUE(app.saveDocument(doc, dir.wfile("a.dxf"), error));
    DocumentEvents documents;
    acDocManager->addReactor(&documents);
    events.heard.clear();
    size_t objects = 0;
    ASSERT_TRUE(app.convertDrawing(dir.wfile("a.dxf"), dir.wfile("b.dwg"),
                                   [&](AcDbDatabase* db) { objects = db != nullptr ? 1 : 0; }, error))
        << error;
    acDocManager->removeReactor(&documents);
    EXPECT_EQ(objects, 1u);
    EXPECT_EQ(events.heard, join({kDrawingSavedSeq}));
    EXPECT_EQ(Events(documents.heard.begin(), documents.heard.begin() + 2), kDocumentCreatedSeq);
    EXPECT_EQ(app.documents().size(), 1u);  // the converted drawing is closed again
    EXPECT_EQ(app.currentDocument(), doc);
    EXPECT_TRUE(fs::exists(dir.file("b.dwg")));
    EXPECT_FALSE(app.convertDrawing(dir.wfile("missing.dxf"), dir.wfile("c.dwg"), nullptr, error));
    EXPECT_NE(error.find("missing.dxf"), std::string::npos);
}

}  // namespace
