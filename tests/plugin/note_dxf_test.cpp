// Reading voice notes from DXF as other programs may write them: groups in any
// order, missing corners, older and newer versions, and sound groups that do not
// match the announced length.
#include "note_fixture.h"

namespace {

class NoteDxf : public NoteFiling {
protected:
    // A drawing with one note whose own groups are replaced by the given ones.
    AcDbDatabase* readWithGroups(const std::vector<std::pair<int, std::string>>& groups, std::string* error = nullptr)
    {
        AcDbDatabase db;
        addNote(&db, QkDbVelaTone::kPoint, 0);
        roundTrip(&db, "base.dxf");
        std::string dxf = text("base.dxf");
        size_t start = dxf.find("100\nQkDbVelaTone\n");
        size_t end = dxf.find("\n  0\n", start);
        std::string own;
        for (const auto& [code, value] : groups) own += std::to_string(code) + "\n" + value + "\n";
        dxf.replace(start + 17, end + 1 - (start + 17), own);
        writeText("edited.dxf", dxf);
        auto* read = new AcDbDatabase(false);
        keep.emplace_back(read);
        Acad::ErrorStatus es = arxhost::openDrawing(read, dir.wfile("edited.dxf"));
        if (error != nullptr) *error = arxhost::lastError();
        return es == Acad::eOk ? read : nullptr;
    }

    static std::string hex(size_t n, char digit)
    {
        std::string h;
        for (size_t i = 0; i < n; ++i) h += std::string(1, digit) + "1";
        return h;
    }
};

using G = std::vector<std::pair<int, std::string>>;

TEST_F(NoteDxf, GroupsInAnotherOrderReadToTheSameRecord)
{
    G writerOrder = {{90, "1"},  {70, "0"},   {10, "4"},   {20, "5"},       {30, "0"}, {290, "1"},
                     {71, "1"},  {72, "1"},   {91, "40000"}, {92, "40000"}, {73, "1"}, {74, "8"},
                     {75, "0"},  {93, "3"},   {310, "414243"}, {1, "Ana"},  {2, "3-7 9:5"}, {3, "0.1\""}};
    G otherOrder = {{90, "1"}, {1, "Ana"},   {2, "3-7 9:5"}, {3, "0.1\""}, {93, "3"}, {310, "414243"},
                    {10, "4"}, {20, "5"},     {30, "0"},     {75, "0"},    {74, "8"}, {73, "1"},
                    {92, "40000"}, {91, "40000"}, {72, "1"}, {71, "1"},   {290, "1"}, {70, "0"}};
    AcDbDatabase* a = readWithGroups(writerOrder);
    ASSERT_NE(a, nullptr);
    NoteView va = NoteView::of(notes(a)[0]);
    AcDbDatabase* b = readWithGroups(otherOrder);
    ASSERT_NE(b, nullptr);
    NoteView vb = NoteView::of(notes(b)[0]);
    EXPECT_EQ(va.sound, "ABC");
    EXPECT_EQ(vb.sound, va.sound);
    EXPECT_TRUE(vb.position.isEqualTo(AcGePoint3d(4, 5, 0)));
    EXPECT_EQ(vb.spokesman, va.spokesman);
    EXPECT_EQ(std::memcmp(&va.format, &vb.format, sizeof va.format), 0);
    EXPECT_EQ(vb.format.nSamplesPerSec, 40000u);
}

TEST_F(NoteDxf, ARegionWithoutItsCornersHasBothAtTheOrigin)
{
    AcDbDatabase* db = readWithGroups({{90, "1"}, {70, "1"}, {290, "0"}, {1, ""}, {2, ""}, {3, ""}});
    ASSERT_NE(db, nullptr);
    NoteView v = NoteView::of(notes(db)[0]);
    EXPECT_EQ(v.type, QkDbVelaTone::kRegion);
    EXPECT_TRUE(v.extents.minPoint().isEqualTo(AcGePoint3d::kOrigin));
    EXPECT_TRUE(v.extents.maxPoint().isEqualTo(AcGePoint3d::kOrigin));
}

TEST_F(NoteDxf, VersionZeroReadsLikeVersionOneAndTwoStaysAProxy)
{
    AcDbDatabase* zero = readWithGroups({{90, "0"}, {70, "0"}, {10, "7"}, {20, "8"}, {30, "0"}, {290, "0"}});
    ASSERT_NE(zero, nullptr);
    EXPECT_TRUE(NoteView::of(notes(zero)[0]).position.isEqualTo(AcGePoint3d(7, 8, 0)));
    AcDbDatabase* two = readWithGroups({{90, "2"}, {70, "0"}, {290, "0"}});
    ASSERT_NE(two, nullptr);
    AcDbObject* obj = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(obj, notes(two)[0], AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(obj->isAProxy());
    obj->close();
}

TEST_F(NoteDxf, ANoteWhoseFirstGroupIsNotTheVersionIsRefusedWithTheMessage)
{
    std::string error;
    EXPECT_EQ(readWithGroups({{70, "0"}, {90, "1"}}, &error), nullptr);
    EXPECT_NE(error.find("expected group code 90 (version #)"), std::string::npos) << error;
    EXPECT_NE(error.find("edited.dxf: line"), std::string::npos) << error;
    // No groups at all after the subclass marker: the version is missing too.
    error.clear();
    EXPECT_EQ(readWithGroups({}, &error), nullptr);
    EXPECT_NE(error.find("expected group code 90 (version #)"), std::string::npos) << error;
    // A version that is not a number is that value's error, not a guess at a version.
    error.clear();
    EXPECT_EQ(readWithGroups({{90, "abc"}, {70, "0"}}, &error), nullptr);
    EXPECT_NE(error.find("not a 32-bit integer"), std::string::npos) << error;
}

// Sound groups before any 93 are dropped; bytes past the announced length are
// dropped; nothing is written outside the buffer.
TEST_F(NoteDxf, SoundBytesOutsideTheAnnouncedLengthAreDropped)
{
    AcDbDatabase* before = readWithGroups({{90, "1"}, {70, "0"}, {290, "1"}, {310, hex(100, '5')}, {93, "4"},
                                           {310, hex(3, '4')}, {1, "x"}});
    ASSERT_NE(before, nullptr);
    EXPECT_EQ(NoteView::of(notes(before)[0]).sound, "AAA");
    AcDbDatabase* beyond = readWithGroups({{90, "1"}, {70, "0"}, {290, "1"}, {93, "5"}, {310, hex(127, '4')},
                                           {310, hex(127, '5')}, {1, "x"}});
    ASSERT_NE(beyond, nullptr);
    EXPECT_EQ(NoteView::of(notes(beyond)[0]).sound, "AAAAA");
    // A second announcement starts the sound over.
    AcDbDatabase* twice = readWithGroups({{90, "1"}, {70, "0"}, {290, "1"}, {93, "2"}, {310, hex(2, '4')},
                                          {93, "3"}, {310, hex(3, '5')}});
    ASSERT_NE(twice, nullptr);
    EXPECT_EQ(NoteView::of(notes(twice)[0]).sound, "QQQ");
}

// A length no note could hold, followed by no bytes, is only a number: the
// note reads with an empty sound.
TEST_F(NoteDxf, AnAnnouncedLengthWithoutItsBytesReadsAsAnEmptySound)
{
    AcDbDatabase* read = readWithGroups({{90, "1"}, {70, "0"}, {290, "1"}, {93, "4294967295"}});
    ASSERT_NE(read, nullptr);
    QkDbVelaTone* note = nullptr;
    ASSERT_EQ(acdbOpenObject(note, notes(read).at(0), AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(note->hasRecord());
    EXPECT_EQ(note->audioLength(), 0u);
    note->close();
}

}  // namespace
