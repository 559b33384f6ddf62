// How a voice note draws itself: the icon of 32 pixels of the current view,
// standing up and to the right of a Point note's anchor, on a Region note's
// frame or an Object note's entity; the speaker or the microphone; the
// duration above; the play marker; nothing when plotting or hidden; short
// recordings dropped without a trace of modification; the note's extents.
#include <cmath>

#include "note_drawing_fixture.h"

namespace {

using arxhost::DrawnPrimitive;

constexpr double kEps = 1e-9;

void expectPoint(const AcGePoint3d& p, double x, double y, double z = 0, double eps = kEps)
{
    EXPECT_NEAR(p.x, x, eps);
    EXPECT_NEAR(p.y, y, eps);
    EXPECT_NEAR(p.z, z, eps);
}

bool isIndex(const DrawnPrimitive& p, int aci) { return p.color.isByACI() && p.color.colorIndex() == aci; }

class NoteDraw : public NoteDrawing {
protected:
    arxhost::Drawing draw(AcDbObjectId id, bool plot = false) { return arxhost::drawEntity(id, plot); }
    AcGePoint3d iconBase(AcDbObjectId id)
    {
        return with(id, [](QkDbVelaTone* n) { return n->getMfcBsBnt(); });
    }
};

TEST_F(NoteDraw, APointNotesIconStandsUpAndToTheRightOfItsAnchor)
{
    unitsOf32Pixels(1.0);
    AcDbObjectId id = pointNote(AcGePoint3d(10, 10, 0));
    arxhost::Drawing d = draw(id);
    AcGePoint3d base = iconBase(id);
    // 0.6 cos 0.785 and 0.6 sin 0.785 from the anchor.
    expectPoint(base, 10.4244, 10.4241, 0, 1e-4);
    EXPECT_NEAR(base.x, 10 + 0.6 * std::cos(0.785), kEps);
    EXPECT_NEAR(base.y, 10 + 0.6 * std::sin(0.785), kEps);
    EXPECT_DOUBLE_EQ(with(id, [](QkDbVelaTone* n) { return n->m_RefUnits; }), 1.0);
    EXPECT_TRUE(d.viewDependent);

    // The target marker: a circle of a tenth and two crossing lines, in grey 9.
    ASSERT_GE(d.primitives.size(), 3u);
    const DrawnPrimitive& c = d.primitives[0];
    EXPECT_EQ(c.kind, DrawnPrimitive::kCircle);
    EXPECT_TRUE(isIndex(c, 9));
    expectPoint(c.center, 10, 10);
    EXPECT_NEAR(c.radius, 0.1, kEps);
    EXPECT_NEAR(c.normal.z, 1, kEps);
    expectPoint(d.primitives[1].points[0], 9.8, 10);
    expectPoint(d.primitives[1].points[1], 10.2, 10);
    expectPoint(d.primitives[2].points[0], 10, 9.8);
    expectPoint(d.primitives[2].points[1], 10, 10.2);
    EXPECT_TRUE(isIndex(d.primitives[2], 9));
}

TEST_F(NoteDraw, TheDurationStandsAboveTheIconInAThirdOfItsSize)
{
    unitsOf32Pixels(3.0);
    AcDbObjectId id = pointNote(AcGePoint3d(0, 0, 0));
    arxhost::Drawing d = draw(id);
    AcGePoint3d base = iconBase(id);
    const DrawnPrimitive* text = nullptr;
    for (const DrawnPrimitive& p : d.primitives)
        if (p.kind == DrawnPrimitive::kText) text = &p;
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text, L"2.5\"");
    expectPoint(text->position, base.x + 0.125 * 3, base.y + 1.3 * 3);
    EXPECT_NEAR(text->height, 1.0, kEps);
    EXPECT_NEAR(text->widthFactor, 1.0, kEps);
    EXPECT_NEAR(text->oblique, 0, kEps);
    EXPECT_NEAR(text->direction.x, 1, kEps);
    EXPECT_NEAR(text->normal.z, 1, kEps);
    EXPECT_TRUE(isIndex(*text, 9));
}

TEST_F(NoteDraw, WithoutARecordingTheIconIsAMicrophone)
{
    unitsOf32Pixels(1.0);
    AcDbObjectId id = pointNote(AcGePoint3d(10, 10, 0));
    arxhost::Drawing d = draw(id);
    AcGePoint3d b = iconBase(id);
    // Marker (3), text (1), then the microphone.
    ASSERT_EQ(d.primitives.size(), 3u + 1u + 2u + 1u + 1u + 2u + 5u);
    const DrawnPrimitive& lower = d.primitives[4];
    const DrawnPrimitive& upper = d.primitives[5];
    EXPECT_EQ(lower.kind, DrawnPrimitive::kArc);
    EXPECT_EQ(lower.arcType, kAcGiArcChord);
    EXPECT_TRUE(lower.filled);
    expectPoint(lower.center, b.x + 0.5, b.y + 0.5);
    EXPECT_NEAR(lower.radius, 0.125, kEps);
    EXPECT_NEAR(lower.startVector.x, -1, kEps);
    EXPECT_NEAR(lower.sweep, 3.14159265, kEps);
    expectPoint(upper.center, b.x + 0.5, b.y + 0.75);
    EXPECT_NEAR(upper.startVector.x, 1, kEps);
    const DrawnPrimitive& head = d.primitives[6];
    EXPECT_EQ(head.kind, DrawnPrimitive::kPolygon);
    EXPECT_TRUE(head.filled);
    ASSERT_EQ(head.points.size(), 4u);
    expectPoint(head.points[0], b.x + 0.375, b.y + 0.5);
    expectPoint(head.points[2], b.x + 0.625, b.y + 0.75);

    const DrawnPrimitive& stand = d.primitives[7];
    EXPECT_EQ(stand.kind, DrawnPrimitive::kPline);
    EXPECT_FALSE(stand.filled);
    ASSERT_EQ(stand.points.size(), 6u);
    expectPoint(stand.points[0], b.x + 0.25, b.y + 0.5625);
    expectPoint(stand.points[3], b.x + 0.625, b.y + 0.25);
    expectPoint(stand.points[5], b.x + 0.75, b.y + 0.5625);
    EXPECT_EQ(stand.bulges, (std::vector<double>{0, 0.414214, 0, 0.414214, 0}));
    for (double w : stand.startWidths) EXPECT_NEAR(w, 1.0 / 128, kEps);
    for (double w : stand.endWidths) EXPECT_NEAR(w, 1.0 / 128, kEps);
    expectPoint(d.primitives[8].points[0], b.x + 0.5, b.y + 0.25);
    expectPoint(d.primitives[8].points[1], b.x + 0.5, b.y + 0.0625);
    expectPoint(d.primitives[9].points[0], b.x + 0.375, b.y + 0.0625);
    EXPECT_TRUE(isIndex(d.primitives[9], 9));

    // The grille, in true black.
    for (size_t i = 10; i < 15; ++i) {
        const DrawnPrimitive& g = d.primitives[i];
        EXPECT_TRUE(g.color.isByColor());
        EXPECT_EQ(g.color.red() + g.color.green() + g.color.blue(), 0);
    }
    expectPoint(d.primitives[13].points[0], b.x + 0.375 + 1.0 / 12, b.y + 0.5);
    expectPoint(d.primitives[13].points[1], b.x + 0.375 + 1.0 / 12, b.y + 0.75);
    expectPoint(d.primitives[14].points[0], b.x + 0.375 + 1.0 / 6, b.y + 0.5);
}

TEST_F(NoteDraw, WithARecordingTheIconIsASpeakerWithSoundWaves)
{
    unitsOf32Pixels(2.0);
    AcDbObjectId id = pointNote(AcGePoint3d(0, 0, 0), 400);
    arxhost::Drawing d = draw(id);
    AcGePoint3d b = iconBase(id);
    // Marker (3), text (1), the dot, six arcs.
    ASSERT_EQ(d.primitives.size(), 3u + 1u + 1u + 6u);
    const DrawnPrimitive& dot = d.primitives[4];
    EXPECT_EQ(dot.kind, DrawnPrimitive::kPline);
    EXPECT_TRUE(dot.filled);
    ASSERT_EQ(dot.points.size(), 3u);
    const double cx = b.x + 0.25 * 2, cy = b.y + 0.5 * 2;
    expectPoint(dot.points[0], cx - 2.0 / 50, cy);
    expectPoint(dot.points[1], cx + 2.0 / 50, cy);
    expectPoint(dot.points[2], cx - 2.0 / 50, cy);
    EXPECT_EQ(dot.bulges, (std::vector<double>{1.0, 1.0}));
    EXPECT_NEAR(dot.startWidths[0], 2.0 / 25, kEps);
    EXPECT_NEAR(dot.endWidths[1], 2.0 / 25, kEps);
    const double radii[6] = {1.0 / 6, 1.0 / 6 + 1.0 / 128, 1.0 / 3, 1.0 / 3 + 1.0 / 128, 0.5, 0.5 + 1.0 / 128};
    for (int i = 0; i < 6; ++i) {
        const DrawnPrimitive& arc = d.primitives[5 + i];
        EXPECT_EQ(arc.kind, DrawnPrimitive::kArc);
        EXPECT_EQ(arc.arcType, kAcGiArcSimple);
        expectPoint(arc.center, cx, cy);
        EXPECT_NEAR(arc.radius, radii[i] * 2, kEps);
        EXPECT_NEAR(arc.startVector.x, std::sqrt(0.5), kEps);
        EXPECT_NEAR(arc.startVector.y, -std::sqrt(0.5), kEps);
        EXPECT_NEAR(arc.sweep, 1.570796325, kEps);
        EXPECT_TRUE(isIndex(arc, 9));
    }
}

TEST_F(NoteDraw, ThePlayMarkerShowsOnlyWhileANoteWithARecordingPlays)
{
    unitsOf32Pixels(1.0);
    AcDbObjectId withSound = pointNote(AcGePoint3d(0, 0, 0), 400);
    AcDbObjectId silent = pointNote(AcGePoint3d(5, 0, 0));
    size_t before = draw(withSound).primitives.size();
    with(withSound, [](QkDbVelaTone* n) { n->setIsPlaying(true); return 0; }, AcDb::kForWrite);
    with(silent, [](QkDbVelaTone* n) { n->setIsPlaying(true); return 0; }, AcDb::kForWrite);
    arxhost::Drawing d = draw(withSound);
    ASSERT_EQ(d.primitives.size(), before + 1);
    const DrawnPrimitive& marker = d.primitives.back();
    AcGePoint3d b = iconBase(withSound);
    EXPECT_EQ(marker.kind, DrawnPrimitive::kPline);
    EXPECT_TRUE(isIndex(marker, 3));
    EXPECT_TRUE(marker.filled);
    ASSERT_EQ(marker.points.size(), 2u);
    expectPoint(marker.points[0], b.x + 0.9, b.y + 1);
    expectPoint(marker.points[1], b.x + 1.1, b.y + 1);
    EXPECT_NEAR(marker.startWidths[0], 0.3, kEps);
    EXPECT_NEAR(marker.endWidths[0], 0, kEps);
    // Playing without a recording: the microphone, and no marker.
    for (const DrawnPrimitive& p : draw(silent).primitives) EXPECT_FALSE(isIndex(p, 3));
}

// Hears whether a note was changed the way changes are recorded.
class ChangeWatcher : public AcDbObjectReactor {
public:
    int changes = 0;
    void openedForModify(const AcDbObject*) override { ++changes; }
    void modified(const AcDbObject*) override { ++changes; }
};

TEST_F(NoteDraw, ARecordingOfLessThan100BytesIsDroppedWithoutAModificationRecord)
{
    AcDbObjectId shortOne = pointNote(AcGePoint3d(0, 0, 0), 99);
    AcDbObjectId longOne = pointNote(AcGePoint3d(5, 0, 0), 100);
    // Saved: the drawing is as its file has it, and nothing drew the notes yet.
    std::string error;
    ASSERT_TRUE(app.saveDocument(doc, dir.wfile("short.dxf"), error)) << error;
    EXPECT_TRUE(NoteView::of(shortOne).hasRecord);
    ChangeWatcher watcher;
    with(shortOne, [&](QkDbVelaTone* n) { n->addReactor(&watcher); return 0; });

    arxhost::regenerateView();
    NoteView dropped = NoteView::of(shortOne);
    EXPECT_FALSE(dropped.hasRecord);
    EXPECT_TRUE(dropped.sound.empty());
    EXPECT_EQ(dropped.duration, L"0.0\"");
    NoteView kept = NoteView::of(longOne);
    EXPECT_TRUE(kept.hasRecord);
    EXPECT_EQ(kept.sound.size(), 100u);
    EXPECT_EQ(kept.duration, L"2.5\"");
    EXPECT_EQ(watcher.changes, 0);
    resbuf rb;
    ASSERT_EQ(acedGetVar(L"DBMOD", &rb), RTNORM);
    EXPECT_EQ(rb.resval.rint, 0);
    // It drew the microphone: its head is a filled chord arc.
    arxhost::Drawing d = arxhost::shownDrawing(shortOne);
    ASSERT_GT(d.primitives.size(), 4u);
    EXPECT_EQ(d.primitives[4].arcType, kAcGiArcChord);
    with(shortOne, [&](QkDbVelaTone* n) { n->removeReactor(&watcher); return 0; });

    // What is filed next is the note as it now is; the file saved before keeps
    // the short recording.
    AcDbDatabase* again = roundTrip(db, "short.dwg");
    EXPECT_FALSE(NoteView::of(notes(again)[0]).hasRecord);
    AcDbDatabase* before = new AcDbDatabase(false);
    keep.emplace_back(before);
    ASSERT_EQ(arxhost::openDrawing(before, dir.wfile("short.dxf")), Acad::eOk) << arxhost::lastError();
    EXPECT_EQ(NoteView::of(notes(before)[0]).sound.size(), 99u);
}

TEST_F(NoteDraw, NothingIsDrawnForAPlotOrWhileNotesAreHidden)
{
    unitsOf32Pixels(1.0);
    AcDbObjectId id = pointNote(AcGePoint3d(0, 0, 0), 200);
    EXPECT_TRUE(draw(id, true).primitives.empty());
    SetVelaToneVar(false);
    EXPECT_TRUE(draw(id).primitives.empty());
    SetVelaToneVar(true);
    EXPECT_FALSE(draw(id).primitives.empty());
}

TEST_F(NoteDraw, ARegionNotesFrameIsDashedX2LoadedFromKorvoLinWhenMissing)
{
    unitsOf32Pixels(1.0);
    AcDbLinetypeTable* table = nullptr;
    ASSERT_EQ(db->getLinetypeTable(table, AcDb::kForRead), Acad::eOk);
    EXPECT_FALSE(table->has(L"DASHEDX2"));
    table->close();
    AcDbObjectId id = regionNote(AcGePoint3d(0, 0, 0), AcGePoint3d(4, 3, 0));
    arxhost::Drawing d = draw(id);
    ASSERT_EQ(db->getLinetypeTable(table, AcDb::kForRead), Acad::eOk);
    AcDbObjectId dashed;
    ASSERT_EQ(table->getAt(L"DASHEDX2", dashed), Acad::eOk);
    table->close();
    AcDbLinetypeTableRecord* lt = nullptr;
    ASSERT_EQ(acdbOpenObject(lt, dashed, AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(lt->numDashes(), 2);
    EXPECT_EQ(lt->dashLengthAt(0), 1.0);
    EXPECT_EQ(lt->dashLengthAt(1), -0.5);
    lt->close();

    const DrawnPrimitive& frame = d.primitives[0];
    EXPECT_EQ(frame.kind, DrawnPrimitive::kPolyline);
    EXPECT_TRUE(isIndex(frame, 8));
    EXPECT_EQ(frame.linetype, dashed);
    ASSERT_EQ(frame.points.size(), 5u);
    expectPoint(frame.points[0], 0, 0);
    expectPoint(frame.points[1], 4, 0);
    expectPoint(frame.points[2], 4, 3);
    expectPoint(frame.points[3], 0, 3);
    expectPoint(frame.points[4], 0, 0);
    expectPoint(iconBase(id), 4, 3);
    // Traits hold until changed: what the note draws after the frame keeps the
    // linetype (the note changes only the colour).
    EXPECT_EQ(d.primitives[1].kind, DrawnPrimitive::kText);
    EXPECT_EQ(d.primitives[1].linetype, dashed);
    EXPECT_TRUE(isIndex(d.primitives[1], 9));
}

TEST_F(NoteDraw, ARegionNoteWithItsFrameHiddenDrawsNoFrameAndKeepsItsIcon)
{
    unitsOf32Pixels(1.0);
    AcDbObjectId id = regionNote(AcGePoint3d(0, 0, 0), AcGePoint3d(4, 3, 0));
    draw(id);
    with(id, [](QkDbVelaTone* n) {
        n->m_ShowRegion = false;
        n->setExtents(AcDbExtents(AcGePoint3d(0, 0, 0), AcGePoint3d(8, 8, 0)));
        return 0;
    }, AcDb::kForWrite);
    arxhost::Drawing d = draw(id);
    for (const DrawnPrimitive& p : d.primitives) EXPECT_FALSE(isIndex(p, 8));
    expectPoint(iconBase(id), 4, 3);  // where the last frame put it
}

TEST_F(NoteDraw, ShowRegionWritesTheFlagAndTheHighlightingShowsOrHidesTheFrame)
{
    unitsOf32Pixels(1.0);
    AcDbObjectId id = regionNote(AcGePoint3d(0, 0, 0), AcGePoint3d(4, 3, 0));
    EXPECT_TRUE(with(id, [](QkDbVelaTone* n) { return n->m_ShowRegion; }));
    QkDbVelaTone* note = nullptr;
    ASSERT_EQ(acdbOpenObject(note, id, AcDb::kForRead), Acad::eOk);
    note->close();
    // Called on a note that is not open, as the manager dialog does.
    EXPECT_TRUE(note->ShowRegion(false));
    EXPECT_FALSE(with(id, [](QkDbVelaTone* n) { return n->m_ShowRegion; }));
    arxhost::Drawing shown = arxhost::shownDrawing(id);
    ASSERT_FALSE(shown.primitives.empty());
    EXPECT_NE(shown.primitives[0].kind, DrawnPrimitive::kPolyline);
    // While the note is open, the write fails but the flag is set in memory.
    ASSERT_EQ(acdbOpenObject(note, id, AcDb::kForRead), Acad::eOk);
    note->doHighlight();
    EXPECT_TRUE(note->m_ShowRegion);
    note->doUnhighlight();
    EXPECT_FALSE(note->m_ShowRegion);
    note->close();
}

TEST_F(NoteDraw, AnObjectNoteDrawsOnlyItsIconOnTheEntitysCornerAndHighlightsTheEntity)
{
    unitsOf32Pixels(1.0);
    AcDbObjectId line = lineFrom(AcGePoint3d(0, 0, 0), AcGePoint3d(5, 2, 0));
    AcDbObjectId id = objectNote(line);
    arxhost::Drawing d = draw(id);
    expectPoint(iconBase(id), 5, 2);
    EXPECT_EQ(d.primitives[0].kind, DrawnPrimitive::kText);
    QkDbVelaTone* note = nullptr;
    ASSERT_EQ(acdbOpenObject(note, id, AcDb::kForRead), Acad::eOk);
    note->doHighlight();
    EXPECT_TRUE(highlighted(line));
    note->doUnhighlight();
    EXPECT_FALSE(highlighted(line));
    note->close();
}

TEST_F(NoteDraw, AReplyNoteDrawsNoFigureAndIsMeasuredWhereItsIconIs)
{
    unitsOf32Pixels(1.0);
    AcDbObjectId id = append(db, newNote(QkDbVelaTone::kReply));
    arxhost::Drawing d = draw(id);
    expectPoint(iconBase(id), 0, 0);
    EXPECT_EQ(d.primitives[0].kind, DrawnPrimitive::kText);
    expectPoint(d.primitives[0].position, 0.125, 1.3);
    // It has no rectangle: its extents stand on its icon, not at the edge of the world.
    AcDbEntity* e = nullptr;
    AcDbExtents ext;
    ASSERT_EQ(acdbOpenAcDbEntity(e, id, AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(e->getGeomExtents(ext), Acad::eOk);
    e->close();
    expectPoint(ext.minPoint(), 0, 0);
    expectPoint(ext.maxPoint(), 1, 1.8);
}

TEST_F(NoteDraw, AnObjectNoteWhoseEntityWasNeverFoundHasNoPlaceToDrawOrMeasure)
{
    unitsOf32Pixels(1.0);
    QkDbVelaTone* note = newNote(QkDbVelaTone::kObject);
    note->setAttachObj(AcDbObjectId::kNull);
    AcDbObjectId id = append(db, note);
    EXPECT_TRUE(draw(id).primitives.empty());
    AcDbEntity* e = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(e, id, AcDb::kForRead), Acad::eOk);
    AcDbExtents ext;
    EXPECT_EQ(e->getGeomExtents(ext), Acad::eInvalidExtents);
    e->close();
    // ZOOM Extents then shows what has a place.
    lineFrom(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
    EXPECT_EQ(run(L"ZOOM", {L"E"}), arxhost::CommandResult::kEnded);
    arxhost::ViewState v;
    ASSERT_TRUE(arxhost::currentView(v));
    EXPECT_NEAR(v.centerX, 5, 1e-9);
}

TEST_F(NoteDraw, ExtentsRunFromTheIconBaseOneIconAcrossAndOnePointEightUp)
{
    unitsOf32Pixels(2.0);
    AcDbObjectId point = pointNote(AcGePoint3d(10, 10, 0));
    AcDbObjectId region = regionNote(AcGePoint3d(0, 0, 0), AcGePoint3d(4, 3, 5));
    draw(point);
    AcDbEntity* e = nullptr;
    AcDbExtents ext;
    ASSERT_EQ(acdbOpenAcDbEntity(e, point, AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(e->getGeomExtents(ext), Acad::eOk);
    e->close();
    const double bx = 10 + 0.6 * 2 * std::cos(0.785), by = 10 + 0.6 * 2 * std::sin(0.785);
    expectPoint(ext.minPoint(), bx, by);
    expectPoint(ext.maxPoint(), bx + 2, by + 3.6);
    AcDbExtents rext;
    ASSERT_EQ(acdbOpenAcDbEntity(e, region, AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(e->getGeomExtents(rext), Acad::eOk);
    e->close();
    // From the frame's max corner (z 5) to that corner plus (d, 1.8 d) at z 0.
    expectPoint(rext.minPoint(), 4, 3, 0);
    expectPoint(rext.maxPoint(), 6, 6.6, 5);
    // d is measured anew: a zoom changes the extents before any draw.
    unitsOf32Pixels(1.0);
    AcDbExtents again;
    ASSERT_EQ(acdbOpenAcDbEntity(e, region, AcDb::kForRead), Acad::eOk);
    e->getGeomExtents(again);
    e->close();
    expectPoint(again.maxPoint(), 5, 4.8, 5);
}

TEST_F(NoteDraw, TheImageRegionIsTheIconSquareOfTheLastDraw)
{
    unitsOf32Pixels(1.0);
    AcDbObjectId id = regionNote(AcGePoint3d(0, 0, 0), AcGePoint3d(4, 3, 0));
    draw(id);
    QkDbVelaTone* note = nullptr;
    ASSERT_EQ(acdbOpenObject(note, id, AcDb::kForRead), Acad::eOk);
    AcDbExtents ext;
    note->getImageRegion(ext);
    EXPECT_NEAR(note->calcRefUnits(), 1.0, kEps);
    note->close();
    expectPoint(ext.minPoint(), 4, 3);
    expectPoint(ext.maxPoint(), 5, 4);
}

}  // namespace
