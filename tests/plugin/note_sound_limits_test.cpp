// How much sound a note takes from a file: memory grows with the bytes that
// arrive, not with what a length group announces, and a sound larger than a
// note holds leaves that note as it was read while the drawing opens.
#include <malloc.h>

#include "note_fixture.h"

namespace {

class NoteSoundLimits : public NoteFiling {
protected:
    void SetUp() override
    {
        NoteFiling::SetUp();
        app.setCommandLine([this](const std::wstring& text) { printed += text; });
    }

    // A DXF drawing holding one note whose own groups are replaced by these.
    AcDbDatabase* readNoteGroups(const std::string& groups)
    {
        AcDbDatabase db;
        addNote(&db, QkDbVelaTone::kPoint, 0);
        roundTrip(&db, "base.dxf");
        std::string dxf = text("base.dxf");
        size_t start = dxf.find("100\nQkDbVelaTone\n") + 17;
        size_t end = dxf.find("\n  0\n", start) + 1;
        dxf.replace(start, end - start, groups);
        writeText("edited.dxf", dxf);
        auto* read = new AcDbDatabase(false);
        keep.emplace_back(read);
        EXPECT_EQ(arxhost::openDrawing(read, dir.wfile("edited.dxf")), Acad::eOk) << arxhost::lastError();
        return read;
    }

    static std::string chunkOf(size_t n, char digits)
    {
        return "310\n" + std::string(2 * n, digits) + "\n";
    }

    std::wstring printed;
};

const char* kNoteHead = "90\n1\n70\n0\n10\n0\n20\n0\n30\n0\n290\n1\n";
const char* kNoteTail = "1\nAna\n2\n3-7\n3\n1.0\"\n";

TEST_F(NoteSoundLimits, AnAnnouncedLengthTakesNoMemoryUntilItsBytesArrive)
{
    AcDbDatabase* read = readNoteGroups(std::string(kNoteHead) + "93\n16777216\n" + chunkOf(100, '7') + kNoteTail);
    QkDbVelaTone* note = nullptr;
    ASSERT_EQ(acdbOpenObject(note, notes(read).at(0), AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(note->audioLength(), 100u);
    EXPECT_LT(malloc_usable_size(note->getAudioData()), 64u * 1024);
    note->close();
}

TEST_F(NoteSoundLimits, ManyRepeatedLengthGroupsKeepOnlyTheLastSound)
{
    std::string groups = kNoteHead;
    for (int i = 0; i < 10000; ++i) groups += "93\n16777216\n";
    groups += "93\n3\n" + chunkOf(3, '2') + kNoteTail;
    AcDbDatabase* read = readNoteGroups(groups);
    QkDbVelaTone* note = nullptr;
    ASSERT_EQ(acdbOpenObject(note, notes(read).at(0), AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(note->audioLength(), 3u);
    EXPECT_EQ(note->getAudioData()[0], 0x22);
    note->close();
}

// A drawing holding a note with more sound than a note holds, in both formats:
// it opens, the note stays a proxy, the command line names it, and saving
// writes it back as it was.
class OversizedSound : public NoteSoundLimits, public ::testing::WithParamInterface<const char*> {};

TEST_P(OversizedSound, TheDrawingOpensWithTheNoteKeptAsRead)
{
    const std::string ext = GetParam();
    const size_t bytes = QkDbVelaTone::kMaxAudioBytes + 1000;
    AcDbDatabase db;
    AcDbObjectId id = addNote(&db, QkDbVelaTone::kPoint, bytes);
    addNote(&db, QkDbVelaTone::kPoint, 300, L"Bo");
    std::wstring first = dir.wfile(("big" + ext).c_str());
    ASSERT_EQ(arxhost::saveDrawing(&db, first), Acad::eOk) << arxhost::lastError();

    auto* read = new AcDbDatabase(false);
    keep.emplace_back(read);
    printed.clear();
    ASSERT_EQ(arxhost::openDrawing(read, first), Acad::eOk) << arxhost::lastError();
    ACHAR handle[17] = {};
    id.handle().getIntoAsciiBuffer(handle);
    EXPECT_NE(printed.find(std::wstring(L"VelaTone object ") + handle), std::wstring::npos) << printed;
    EXPECT_NE(printed.find(std::to_wstring(bytes)), std::wstring::npos) << printed;

    std::vector<AcDbObjectId> ids = notes(read);
    ASSERT_EQ(ids.size(), 2u);
    AcDbObject* obj = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(obj, ids[0], AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(obj->isAProxy());
    obj->close();
    QkDbVelaTone* other = nullptr;
    ASSERT_EQ(acdbOpenObject(other, ids[1], AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(other->audioLength(), 300u);
    other->close();

    // Written back byte for byte.
    std::wstring second = dir.wfile(("again" + ext).c_str());
    ASSERT_EQ(arxhost::saveDrawing(read, second), Acad::eOk) << arxhost::lastError();
    EXPECT_TRUE(text(("big" + ext).c_str()) == text(("again" + ext).c_str()));
}

INSTANTIATE_TEST_SUITE_P(BothFormats, OversizedSound, ::testing::Values(".dxf", ".dwg"),
                         [](const auto& info) { return std::string(info.param + 1); });

}  // namespace
