// The plug-in's sources linked in and initialised, with a drawing open in the
// host, a view set to a known scale, and korvo.lin beside the host: for tests of
// how notes draw themselves and answer editing.
#pragma once
#include "arxhost/graphics.h"
#include "arxhost/view.h"
#include "note_fixture.h"
#include "VelaToneViewer.h"

class NoteDrawing : public NoteFiling {
protected:
    void SetUp() override
    {
        NoteFiling::SetUp();
        app.setCommandLine([this](const std::wstring& t) { commandLine += t; });
        app.setInputSource([this](std::wstring& a) {
            if (onPrompt) onPrompt();
            if (next >= answers.size()) return false;
            a = answers[next++];
            return true;
        });
        std::string bin = std::string(ARXHOST_BINARY_DIR) + "/bin";
        arxhost::addSupportPath(AcString::fromUtf8(bin.data(), bin.size()).str());
        std::string error;
        doc = app.newDocument(error);
        ASSERT_NE(doc, nullptr) << error;
        db = doc->database();
        SetVelaToneVar(true);
    }
    void TearDown() override
    {
        arxhost::setViewSize(1024, 768);
        NoteFiling::TearDown();
    }

    // A view in which 32 pixels are u drawing units.
    void unitsOf32Pixels(double u, double cx = 10, double cy = 10)
    {
        ASSERT_TRUE(arxhost::setCurrentView({cx, cy, u * 768 / 32}));
    }

    QkDbVelaTone* newNote(int type, size_t soundBytes = 0)
    {
        auto* note = new QkDbVelaTone();
        note->setVelaToneType(type);
        if (soundBytes > 0) {
            WAVEFORMATEX f = pcm();
            note->setWaveFormat(&f);
            note->setAudioData(sound(soundBytes));
        }
        note->setDuration(L"2.5\"");
        return note;
    }

    AcDbObjectId pointNote(AcGePoint3d at, size_t soundBytes = 0)
    {
        QkDbVelaTone* note = newNote(QkDbVelaTone::kPoint, soundBytes);
        note->setPosition(at);
        return append(db, note);
    }

    AcDbObjectId regionNote(AcGePoint3d lo, AcGePoint3d hi)
    {
        QkDbVelaTone* note = newNote(QkDbVelaTone::kRegion);
        note->setExtents(AcDbExtents(lo, hi));
        return append(db, note);
    }

    AcDbObjectId lineFrom(AcGePoint3d a, AcGePoint3d b) { return append(db, new AcDbLine(a, b)); }

    AcDbObjectId objectNote(AcDbObjectId attached)
    {
        QkDbVelaTone* note = newNote(QkDbVelaTone::kObject);
        note->setAttachObj(attached);
        return append(db, note);
    }

    // Runs a command with these answers to its prompts, which it must all take.
    arxhost::CommandResult run(const std::wstring& command, std::vector<std::wstring> replies = {})
    {
        answers = std::move(replies);
        next = 0;
        std::string message;
        arxhost::CommandResult r = app.runCommand(command, message);
        EXPECT_EQ(next, answers.size()) << "answers left over by " << AcString(command).utf8();
        return r;
    }

    // Reads a member of an open note.
    template <class F>
    auto with(AcDbObjectId id, F f, AcDb::OpenMode mode = AcDb::kForRead)
    {
        QkDbVelaTone* note = nullptr;
        EXPECT_EQ(acdbOpenObject(note, id, mode), Acad::eOk);
        auto v = f(note);
        note->close();
        return v;
    }

    bool highlighted(AcDbObjectId id)
    {
        AcDbEntity* e = nullptr;
        if (acdbOpenAcDbEntity(e, id, AcDb::kForRead) != Acad::eOk) return false;
        bool h = e->isHighlighted();
        e->close();
        return h;
    }

    AcApDocument* doc = nullptr;
    AcDbDatabase* db = nullptr;
    std::wstring commandLine;
    std::vector<std::wstring> answers;
    size_t next = 0;
    std::function<void()> onPrompt;
};
