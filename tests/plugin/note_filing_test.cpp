// The voice note record through both drawing files: every field of every type
// survives, the sound is what stands before its first zero byte, and damaged
// sound data is refused without harm.
#include "note_fixture.h"

#include "arxhost/object_image.h"

namespace {

void expectSameNote(const NoteView& a, const NoteView& b, bool replyKept)
{
    EXPECT_EQ(a.type, b.type);
    // Only a point note files its position.
    if (a.type == QkDbVelaTone::kPoint) {
        EXPECT_TRUE(a.position.isEqualTo(b.position));
    }
    EXPECT_EQ(a.attached, b.attached);
    if (replyKept) {
        EXPECT_EQ(a.reply, b.reply);
    }
    EXPECT_EQ(a.hasRecord, b.hasRecord);
    EXPECT_EQ(a.sound, b.sound);
    EXPECT_EQ(std::memcmp(&a.format, &b.format, sizeof a.format), 0);
    EXPECT_EQ(a.spokesman, b.spokesman);
    EXPECT_EQ(a.datatime, b.datatime);
    EXPECT_EQ(a.duration, b.duration);
}

TEST_F(NoteFiling, NotesOfAllFourTypesKeepEveryFieldThroughDxfBinaryDxfBinary)
{
    AcDbDatabase db;
    AcDbObjectId line = append(&db, new AcDbLine(AcGePoint3d(10, 20, 0), AcGePoint3d(30, 25, 0)));
    addNote(&db, QkDbVelaTone::kPoint, 4000, L"Ana");
    addNote(&db, QkDbVelaTone::kRegion, 0, L"Ben");
    AcDbObjectId object = addNote(&db, QkDbVelaTone::kObject, 300, L"Cleo");
    AcDbObjectId reply = addNote(&db, QkDbVelaTone::kReply, 127, L"Dan");
    QkDbVelaTone* note = nullptr;
    ASSERT_EQ(acdbOpenObject(note, object, AcDb::kForWrite), Acad::eOk);
    note->setAttachObj(line);
    note->close();
    ASSERT_EQ(acdbOpenObject(note, reply, AcDb::kForWrite), Acad::eOk);
    note->m_ReplyId = object;
    note->close();

    std::vector<NoteView> original;
    for (AcDbObjectId id : notes(&db)) original.push_back(NoteView::of(id));
    ASSERT_EQ(original.size(), 4u);
    EXPECT_TRUE(original[2].extents.maxPoint().isEqualTo(AcGePoint3d(30, 25, 0)));

    AcDbDatabase* step = &db;
    const char* chain[] = {"a.dxf", "b.dwg", "c.dxf", "d.dwg"};
    for (const char* name : chain) {
        SCOPED_TRACE(name);
        step = roundTrip(step, name);
        std::vector<AcDbObjectId> ids = notes(step);
        ASSERT_EQ(ids.size(), 4u);
        for (size_t i = 0; i < ids.size(); ++i) {
            NoteView v = NoteView::of(ids[i]);
            expectSameNote(original[i], v, false);
            if (i == 1) {
                EXPECT_TRUE(v.extents.maxPoint().isEqualTo(AcGePoint3d(4, 3, 0)));
            }
            // An object note takes its extents from the entity it is attached to.
            if (i == 2) {
                EXPECT_TRUE(v.extents.maxPoint().isEqualTo(AcGePoint3d(30, 25, 0)));
            }
            // DXF does not carry a reply's id.
            if (i == 3) {
                EXPECT_TRUE(v.reply.isNull());
            }
        }
    }
    // The binary file alone keeps it.
    AcDbDatabase* binary = roundTrip(&db, "reply.dwg");
    EXPECT_EQ(NoteView::of(notes(binary)[3]).reply, original[3].reply);
    EXPECT_FALSE(original[3].reply.isNull());
}

TEST_F(NoteFiling, TheSoundEndsAtItsFirstZeroByteInBothFormats)
{
    AcDbDatabase db;
    AcDbObjectId id = addNote(&db, QkDbVelaTone::kPoint, 900);
    QkDbVelaTone* note = nullptr;
    ASSERT_EQ(acdbOpenObject(note, id, AcDb::kForWrite), Acad::eOk);
    note->getAudioData()[500] = 0;
    note->close();
    for (const char* name : {"zero.dxf", "zero.dwg"}) {
        SCOPED_TRACE(name);
        NoteView v = NoteView::of(notes(roundTrip(&db, name))[0]);
        EXPECT_EQ(v.sound.size(), 500u);
    }
    auto groups = noteGroups(text("zero.dxf"));
    ASSERT_FALSE(groups.empty());
    auto n = std::find_if(groups.begin(), groups.end(), [](const auto& g) { return g.first == 93; });
    ASSERT_NE(n, groups.end());
    EXPECT_EQ(n->second, "500");
}

TEST_F(NoteFiling, AudioIsChunkedInGroupsOf127BytesWithAlwaysOneLastGroup)
{
    struct Case {
        size_t bytes;
        std::vector<size_t> chunks;
    } cases[] = {{0, {0}}, {127, {127}}, {128, {127, 1}}, {254, {127, 127}}, {255, {127, 127, 1}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        AcDbDatabase db;
        AcDbObjectId id = addNote(&db, QkDbVelaTone::kPoint, c.bytes);
        if (c.bytes == 0) {
            // A recording without a buffer files a length of 0.
            QkDbVelaTone* note = nullptr;
            ASSERT_EQ(acdbOpenObject(note, id, AcDb::kForWrite), Acad::eOk);
            WAVEFORMATEX f = pcm();
            note->setWaveFormat(&f);
            note->m_HasRecord = true;
            note->close();
        }
        std::string name = "chunks" + std::to_string(c.bytes) + ".dxf";
        roundTrip(&db, name.c_str());
        std::vector<size_t> chunks;
        for (const auto& g : noteGroups(text(name.c_str())))
            if (g.first == 310) chunks.push_back(g.second.size() / 2);
        EXPECT_EQ(chunks, c.chunks);
    }
}

TEST_F(NoteFiling, TheTwoGroupSequencesAreExactlyThoseOfTheLayout)
{
    AcDbDatabase db;
    AcDbObjectId line = append(&db, new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0)));
    addNote(&db, QkDbVelaTone::kPoint, 0);
    AcDbObjectId object = addNote(&db, QkDbVelaTone::kObject, 300);
    QkDbVelaTone* note = nullptr;
    ASSERT_EQ(acdbOpenObject(note, object, AcDb::kForWrite), Acad::eOk);
    note->setAttachObj(line);
    note->close();
    roundTrip(&db, "sequences.dxf");
    std::string dxf = text("sequences.dxf");
    EXPECT_EQ(codes(noteGroups(dxf, 0)), (std::vector<int>{90, 70, 10, 20, 30, 290, 1, 2, 3}));
    auto groups = noteGroups(dxf, 1);
    EXPECT_EQ(codes(groups),
              (std::vector<int>{90, 70, 102, 290, 71, 72, 91, 92, 73, 74, 75, 93, 310, 310, 310, 1, 2, 3}));
    ACHAR handle[17] = {0};
    line.handle().getIntoAsciiBuffer(handle);
    EXPECT_EQ(groups[2].second, AcString(handle).utf8());
    EXPECT_EQ(groups[11].second, "300");
    EXPECT_EQ(groups[14].second.size(), 46u * 2);
}

TEST_F(NoteFiling, ANoteOfAnUnknownTypeFilesOnlyTheCommonFields)
{
    AcDbDatabase db;
    addNote(&db, 7, 200);
    for (const char* name : {"seven.dxf", "seven.dwg"}) {
        SCOPED_TRACE(name);
        NoteView v = NoteView::of(notes(roundTrip(&db, name))[0]);
        EXPECT_EQ(v.type, 7);
        EXPECT_TRUE(v.position.isEqualTo(AcGePoint3d::kOrigin));
        EXPECT_EQ(v.sound.size(), 200u);
    }
    EXPECT_EQ(codes(noteGroups(text("seven.dxf")))[2], 290);
}

// A stream whose sound length is damaged: the read fails and the note that was
// read into keeps the sound it had.
TEST_F(NoteFiling, ADamagedSoundLengthFailsTheReadAndKeepsTheOldSound)
{
    AcDbDatabase db;
    AcDbObjectId id = addNote(&db, QkDbVelaTone::kPoint, 300, L"Ana");
    std::string stream;
    {
        QkDbVelaTone* note = nullptr;
        ASSERT_EQ(acdbOpenObject(note, id, AcDb::kForRead), Acad::eOk);
        ASSERT_EQ(arxhost::fileOut(note, stream), Acad::eOk);
        note->close();
    }
    // The length sits before the 300 sound bytes and the three texts.
    size_t texts = (4 + 3) + (4 + 7) + (4 + 4);
    size_t at = stream.size() - texts - 300 - 4;
    std::uint32_t n = 0;
    std::memcpy(&n, stream.data() + at, 4);
    ASSERT_EQ(n, 300u);
    for (std::uint32_t bad : {0xFFFFFFFFu, 301u, QkDbVelaTone::kMaxAudioBytes + 1}) {
        SCOPED_TRACE(bad);
        std::string damaged = stream;
        std::memcpy(damaged.data() + at, &bad, 4);
        QkDbVelaTone* note = nullptr;
        ASSERT_EQ(acdbOpenObject(note, id, AcDb::kForWrite), Acad::eOk);
        unsigned char* before = note->getAudioData();
        EXPECT_NE(arxhost::fileIn(note, damaged), Acad::eOk);
        EXPECT_EQ(note->getAudioData(), before);
        EXPECT_EQ(note->audioLength(), 300u);
        note->close();
    }
}

TEST_F(NoteFiling, ANewerVersionStaysAProxyAndIsWrittenBackUnchanged)
{
    AcDbDatabase db;
    addNote(&db, QkDbVelaTone::kPoint, 300);
    roundTrip(&db, "v1.dxf");
    std::string dxf = text("v1.dxf");
    size_t marker = dxf.find("QkDbVelaTone\n 90\n1\n");
    ASSERT_NE(marker, std::string::npos);
    dxf.replace(marker, 19, "QkDbVelaTone\n 90\n2\n");
    writeText("v2.dxf", dxf);
    auto* v2 = new AcDbDatabase(false);
    keep.emplace_back(v2);
    ASSERT_EQ(arxhost::openDrawing(v2, dir.wfile("v2.dxf")), Acad::eOk) << arxhost::lastError();
    std::vector<AcDbObjectId> ids = notes(v2);
    ASSERT_EQ(ids.size(), 1u);
    AcDbObject* obj = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(obj, ids[0], AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(obj->isAProxy());
    obj->close();
    // Through a binary file and back to DXF: the same text.
    AcDbDatabase* bin = roundTrip(v2, "v2.dwg");
    roundTrip(bin, "v2-again.dxf");
    EXPECT_EQ(noteGroups(text("v2-again.dxf")), noteGroups(dxf));
    // And in the binary form: a version 2 stream stays a proxy too.
    AcDbDatabase* bin2 = roundTrip(bin, "v2-again.dwg");
    ASSERT_EQ(acdbOpenAcDbObject(obj, notes(bin2)[0], AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(obj->isAProxy());
    obj->close();
}

// A binary drawing whose note stream says version 2: the note's own binary
// reader asks to stay a proxy, and the stream is written back as it was.
TEST_F(NoteFiling, ANewerVersionInABinaryStreamStaysAProxyAndIsWrittenBackUnchanged)
{
    AcDbDatabase db;
    addNote(&db, QkDbVelaTone::kPoint, 300);
    roundTrip(&db, "v1.dwg");
    std::string dwg = text("v1.dwg");
    // The version, then the type (Point) and the position (1.5, 2.25, 0).
    std::string mark("\x01\0\0\0\0\0", 6);
    const double x = 1.5, y = 2.25;
    mark.append(reinterpret_cast<const char*>(&x), 8).append(reinterpret_cast<const char*>(&y), 8);
    size_t at = dwg.find(mark);
    ASSERT_NE(at, std::string::npos);
    ASSERT_EQ(dwg.find(mark, at + 1), std::string::npos);
    dwg[at] = 2;
    writeText("v2.dwg", dwg);
    auto* v2 = new AcDbDatabase(false);
    keep.emplace_back(v2);
    ASSERT_EQ(arxhost::openDrawing(v2, dir.wfile("v2.dwg")), Acad::eOk) << arxhost::lastError();
    AcDbObject* obj = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(obj, notes(v2).at(0), AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(obj->isAProxy());
    obj->close();
    roundTrip(v2, "v2-again.dwg");
    EXPECT_TRUE(text("v2-again.dwg") == dwg);
}

TEST_F(NoteFiling, HandlesAreResolvedInTheDrawingBeingReadNotTheWorkingOne)
{
    // Drawing B: a note attached to a line.
    AcDbDatabase b;
    AcDbObjectId line = append(&b, new AcDbLine(AcGePoint3d(5, 5, 0), AcGePoint3d(9, 7, 0)));
    AcDbObjectId id = addNote(&b, QkDbVelaTone::kObject, 0);
    QkDbVelaTone* note = nullptr;
    ASSERT_EQ(acdbOpenObject(note, id, AcDb::kForWrite), Acad::eOk);
    note->setAttachObj(line);
    note->close();
    // Drawing A, the working one, has an object under the same handle.
    AcDbDatabase a;
    while (a.handseed().value() <= line.handle().value()) append(&a, new AcDbCircle(AcGePoint3d(), AcGeVector3d::kZAxis, 1));
    acdbHostApplicationServices()->setWorkingDatabase(&a);
    for (const char* name : {"b.dxf", "b.dwg"}) {
        SCOPED_TRACE(name);
        AcDbDatabase* read = roundTrip(&b, name);
        QkDbVelaTone* got = nullptr;
        ASSERT_EQ(acdbOpenObject(got, notes(read)[0], AcDb::kForRead), Acad::eOk);
        EXPECT_EQ(got->getAttEntId().database(), read);
        EXPECT_TRUE(got->m_Extents.maxPoint().isEqualTo(AcGePoint3d(9, 7, 0)));
        got->close();
    }
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
}

}  // namespace
