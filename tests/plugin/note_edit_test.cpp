// How voice notes answer the host's editing: one grip on a Point note and none
// on others, grip moves and transformations of the anchor only, no copies by
// deep or wblock cloning, and no selection highlighting.
#include <cmath>

#include "note_drawing_fixture.h"

namespace {

class NoteEdit : public NoteDrawing {
protected:
    void SetUp() override
    {
        NoteDrawing::SetUp();
        ASSERT_TRUE(arxhost::setCurrentView({0, 0, 768}));  // a unit a pixel
    }

    size_t grips(AcDbObjectId id)
    {
        AcDbEntity* e = nullptr;
        EXPECT_EQ(acdbOpenAcDbEntity(e, id, AcDb::kForRead), Acad::eOk);
        AcGePoint3dArray points;
        AcDbIntArray osnaps, geomIds;
        EXPECT_EQ(e->getGripPoints(points, osnaps, geomIds), Acad::eOk);
        e->close();
        return static_cast<size_t>(points.length());
    }

    AcGePoint3d position(AcDbObjectId id)
    {
        return with(id, [](QkDbVelaTone* n) { return n->m_Position; });
    }
};

TEST_F(NoteEdit, APointNoteShowsOneGripAtItsAnchorAndOtherNotesNone)
{
    AcDbObjectId point = pointNote(AcGePoint3d(3, 4, 0));
    AcDbObjectId region = regionNote(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0));
    AcDbObjectId object = objectNote(lineFrom(AcGePoint3d(0, 0, 0), AcGePoint3d(2, 2, 0)));
    AcDbObjectId reply = append(db, newNote(QkDbVelaTone::kReply));
    EXPECT_EQ(grips(point), 1u);
    EXPECT_EQ(grips(region), 0u);
    EXPECT_EQ(grips(object), 0u);
    EXPECT_EQ(grips(reply), 0u);
}

TEST_F(NoteEdit, GripZeroMovesTheAnchorByTheOffsetEachTimeItIsNamed)
{
    AcDbObjectId point = pointNote(AcGePoint3d(3, 4, 0));
    AcDbObjectId region = regionNote(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0));
    AcDbIntArray once, twice, other;
    once.append(0);
    twice.append(0);
    twice.append(0);
    other.append(1);
    auto move = [&](AcDbObjectId id, const AcDbIntArray& indices) {
        AcDbEntity* e = nullptr;
        EXPECT_EQ(acdbOpenAcDbEntity(e, id, AcDb::kForWrite), Acad::eOk);
        EXPECT_EQ(e->moveGripPointsAt(indices, AcGeVector3d(1, 2, 0)), Acad::eOk);
        e->close();
    };
    move(point, once);
    EXPECT_TRUE(position(point).isEqualTo(AcGePoint3d(4, 6, 0)));
    move(point, twice);
    EXPECT_TRUE(position(point).isEqualTo(AcGePoint3d(6, 10, 0)));
    move(point, other);
    EXPECT_TRUE(position(point).isEqualTo(AcGePoint3d(6, 10, 0)));
    move(region, once);
    AcDbExtents ext = with(region, [](QkDbVelaTone* n) { return n->m_Extents; });
    EXPECT_TRUE(ext.maxPoint().isEqualTo(AcGePoint3d(1, 1, 0)));
}

TEST_F(NoteEdit, MoveOfARegionNoteSucceedsAndChangesNothing)
{
    AcDbObjectId region = regionNote(AcGePoint3d(10, 10, 0), AcGePoint3d(40, 30, 0));
    EXPECT_EQ(run(L"MOVE", {L"ALL", L"", L"0,0", L"5,5"}), arxhost::CommandResult::kEnded);
    EXPECT_EQ(commandLine.find(L"could not"), std::wstring::npos);
    AcDbExtents ext = with(region, [](QkDbVelaTone* n) { return n->m_Extents; });
    EXPECT_TRUE(ext.minPoint().isEqualTo(AcGePoint3d(10, 10, 0)));
    EXPECT_TRUE(ext.maxPoint().isEqualTo(AcGePoint3d(40, 30, 0)));
}

TEST_F(NoteEdit, MoveAndRotateTransformAPointNotesAnchorAndTheIconStaysUpright)
{
    AcDbObjectId point = pointNote(AcGePoint3d(10, 0, 0));
    EXPECT_EQ(run(L"MOVE", {L"ALL", L"", L"0,0", L"0,5"}), arxhost::CommandResult::kEnded);
    EXPECT_TRUE(position(point).isEqualTo(AcGePoint3d(10, 5, 0)));
    EXPECT_EQ(run(L"ROTATE", {L"ALL", L"", L"0,5", L"90"}), arxhost::CommandResult::kEnded);
    EXPECT_TRUE(position(point).isEqualTo(AcGePoint3d(0, 15, 0), AcGeTol()));
    arxhost::Drawing d = arxhost::shownDrawing(point);
    for (const arxhost::DrawnPrimitive& p : d.primitives)
        if (p.kind == arxhost::DrawnPrimitive::kText) EXPECT_NEAR(p.direction.x, 1, 1e-9);
    // The icon kept its screen size: 32 pixels are 32 units here.
    EXPECT_DOUBLE_EQ(with(point, [](QkDbVelaTone* n) { return n->m_RefUnits; }), 32);
}

TEST_F(NoteEdit, CopyOfANoteAndALineYieldsOnlyTheLine)
{
    pointNote(AcGePoint3d(100, 100, 0), 300);
    lineFrom(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
    EXPECT_EQ(run(L"COPY", {L"ALL", L"", L"0,0", L"0,50", L""}), arxhost::CommandResult::kEnded);
    EXPECT_EQ(commandLine.find(L"could not"), std::wstring::npos);
    EXPECT_EQ(notes(db).size(), 1u);
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(ms->entityCount(), 3);
    ms->close();
}

TEST_F(NoteEdit, ADeepCloneOfANoteReportsSuccessWithNoClone)
{
    AcDbObjectId point = pointNote(AcGePoint3d(1, 1, 0));
    QkDbVelaTone* note = nullptr;
    ASSERT_EQ(acdbOpenObject(note, point, AcDb::kForRead), Acad::eOk);
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    AcDbIdMapping map;
    AcDbObject* clone = reinterpret_cast<AcDbObject*>(1);
    EXPECT_EQ(note->deepClone(ms, clone, map), Acad::eOk);
    EXPECT_EQ(clone, nullptr);
    clone = reinterpret_cast<AcDbObject*>(1);
    EXPECT_EQ(note->wblockClone(ms, clone, map), Acad::eOk);
    EXPECT_EQ(clone, nullptr);
    ms->close();
    note->close();
}

TEST_F(NoteEdit, WblockAndTheClipboardLeaveNotesBehind)
{
    pointNote(AcGePoint3d(100, 100, 0), 300);
    lineFrom(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
    EXPECT_EQ(run(L"WBLOCK", {dir.wfile("out.dwg"), L"*"}), arxhost::CommandResult::kEnded);
    EXPECT_NE(commandLine.find(L"1 object written"), std::wstring::npos);
    AcDbDatabase out(false);
    ASSERT_EQ(arxhost::openDrawing(&out, dir.wfile("out.dwg")), Acad::eOk) << arxhost::lastError();
    EXPECT_TRUE(notes(&out).empty());
    EXPECT_EQ(run(L"COPYCLIP", {L"ALL", L""}), arxhost::CommandResult::kEnded);
    EXPECT_EQ(run(L"PASTECLIP", {L"0,200"}), arxhost::CommandResult::kEnded);
    EXPECT_EQ(notes(db).size(), 1u);
}

TEST_F(NoteEdit, SelectingANoteHighlightsNothingOfIt)
{
    AcDbObjectId point = pointNote(AcGePoint3d(0, 0, 0));
    AcDbObjectId line = lineFrom(AcGePoint3d(0, -50, 0), AcGePoint3d(10, -50, 0));
    std::vector<bool> seen;
    onPrompt = [&] {
        if (next == 1) seen = {highlighted(point), highlighted(line)};
    };
    EXPECT_EQ(run(L"ERASE", {L"ALL", L""}), arxhost::CommandResult::kEnded);
    EXPECT_EQ(seen, (std::vector<bool>{false, true}));
    EXPECT_NE(commandLine.find(L"2 found"), std::wstring::npos);
    AcDbEntity* e = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(e, point, AcDb::kForRead, true), Acad::eOk);
    EXPECT_EQ(e->highlight(), Acad::eNotApplicable);
    EXPECT_EQ(e->unhighlight(), Acad::eNotApplicable);
    e->close();
}

TEST_F(NoteEdit, APointNotesGripIsDraggedAsTheUserDoesIt)
{
    // A unit a pixel: the icon of a note at the origin stands 13.6 pixels up and
    // to the right of it, 32 pixels square; its microphone's head is near (547, 349).
    AcDbObjectId point = pointNote(AcGePoint3d(0, 0, 0));
    EXPECT_EQ(arxhost::clickView(512 + 35, 384 - 35), arxhost::ClickResult::kSelected);
    std::vector<arxhost::Grip> shown = arxhost::shownGrips();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].point.isEqualTo(AcGePoint3d(0, 0, 0)));
    answers = {L"20,-10"};
    next = 0;
    EXPECT_EQ(arxhost::clickView(512, 384), arxhost::ClickResult::kGripEdited);
    EXPECT_TRUE(position(point).isEqualTo(AcGePoint3d(20, -10, 0)));
}

TEST_F(NoteEdit, NotificationsToANoteAsAPersistentReactorPassThrough)
{
    AcDbObjectId point = pointNote(AcGePoint3d(0, 0, 0));
    AcDbObjectId line = lineFrom(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    AcDbLine* l = nullptr;
    ASSERT_EQ(acdbOpenObject(l, line, AcDb::kForWrite), Acad::eOk);
    l->addPersistentReactor(point);
    l->close();
    ASSERT_EQ(acdbOpenObject(l, line, AcDb::kForWrite), Acad::eOk);
    l->setEndPoint(AcGePoint3d(5, 0, 0));
    l->close();
    ASSERT_EQ(acdbOpenObject(l, line, AcDb::kForWrite), Acad::eOk);
    l->erase();
    l->close();
    EXPECT_FALSE(point.isErased());
}

}  // namespace
