// The registry's lists: registering and unregistering notes (also by erasing
// and undoing), the list and monitor that come and go with a document's first
// and last note, listing, regenerating the notes of the current space and
// erasing a note through the registry.
#include <cairo.h>

#include <cstdint>

#include "arxhost/graphics.h"
#include "arxhost/view.h"
#include "registry_fixture.h"

namespace {

// Counts the changes closed into an object.
class Changes : public AcDbObjectReactor {
public:
    int count = 0;
    void modified(const AcDbObject*) override { ++count; }
};

TEST_F(RegistryHost, ErasingANoteUnlistsItAndUndoListsItAgainWithOneSharedReactor)
{
    regdwg::Drawing d;
    const std::string a = d.point(0, 0), b = d.point(50, 0);
    d.storedList({a, b});
    AcApDocument* doc = open(d);
    ASSERT_NE(doc, nullptr);
    const AcDbObjectId note = idOf(doc, b);

    // ERASE "L" takes the last entity made: note b.
    ASSERT_EQ(run(L"ERASE", {L"L", L""}), arxhost::CommandResult::kEnded);
    EXPECT_EQ(registeredHandles(doc), (std::vector<std::string>{a}));
    ASSERT_EQ(run(L"U"), arxhost::CommandResult::kEnded);
    EXPECT_EQ(registeredHandles(doc), (std::vector<std::string>{a, b}));
    EXPECT_EQ(sharedReactors(note), 1);
    // REDO erases it again, and a second U brings it back once more.
    ASSERT_EQ(run(L"REDO"), arxhost::CommandResult::kEnded);
    EXPECT_EQ(registeredHandles(doc), (std::vector<std::string>{a}));
    ASSERT_EQ(run(L"U"), arxhost::CommandResult::kEnded);
    EXPECT_EQ(registeredHandles(doc), (std::vector<std::string>{a, b}));
    EXPECT_EQ(sharedReactors(note), 1);
    ASSERT_TRUE(save(doc, "back.dxf"));
    EXPECT_EQ(stored(doc->database()).values, as102({a, b}));

    // Erased for good: the next save stores the shorter list.
    ASSERT_EQ(run(L"ERASE", {L"L", L""}), arxhost::CommandResult::kEnded);
    ASSERT_TRUE(save(doc, "erased.dxf"));
    EXPECT_EQ(stored(doc->database()).values, as102({a}));
    std::string error;
    AcApDocument* reopened = app.openDocument(dir.wfile("erased.dxf"), error);
    ASSERT_NE(reopened, nullptr) << error;
    EXPECT_EQ(registeredHandles(reopened), (std::vector<std::string>{a}));
}

TEST_F(RegistryHost, RemovingTheLastNoteTakesTheListAndMonitorAndANewOneMakesThemAgain)
{
    regdwg::Drawing d;
    const std::string a = d.point(0, 0);
    d.storedList({a});
    AcApDocument* doc = open(d);
    ASSERT_NE(doc, nullptr);
    const AcDbObjectId note = idOf(doc, a);
    EXPECT_EQ(monitors(doc), 1);

    ASSERT_EQ(run(L"ERASE", {L"L", L""}), arxhost::CommandResult::kEnded);
    EXPECT_TRUE(registered(doc).empty());
    EXPECT_EQ(monitors(doc), 0);
    // Saving stores nothing new: the list of one note stays in the drawing.
    ASSERT_TRUE(save(doc, "after.dxf"));
    EXPECT_EQ(stored(doc->database()).values, as102({a}));

    ASSERT_EQ(run(L"U"), arxhost::CommandResult::kEnded);
    EXPECT_EQ(registeredHandles(doc), (std::vector<std::string>{a}));
    EXPECT_EQ(monitors(doc), 1);
    EXPECT_EQ(sharedReactors(note), 1);
}

TEST_F(RegistryHost, ANoteListedTwiceLeavesOnceAndItsDocumentKeepsTheList)
{
    regdwg::Drawing d;
    const std::string a = d.point(0, 0), b = d.point(50, 0);
    d.storedList({a, b, a});
    AcApDocument* doc = open(d);
    ASSERT_NE(doc, nullptr);
    removeOne(manager(), idOf(doc, a), doc);
    // The first of the two goes; the order of the rest stays.
    EXPECT_EQ(registeredHandles(doc), (std::vector<std::string>{b, a}));
    EXPECT_EQ(monitors(doc), 1);
    // Unregistering takes the shared reactor off, though the note is still listed.
    EXPECT_EQ(sharedReactors(idOf(doc, a)), 0);
}

TEST_F(RegistryHost, RemovingANoteNotListedChangesNoListYetTakesItsReactorOff)
{
    regdwg::Drawing d;
    const std::string a = d.point(0, 0), b = d.point(50, 0);
    d.storedList({a});
    AcApDocument* doc = open(d);
    ASSERT_NE(doc, nullptr);
    // Registered in the other document's list is not this document's list.
    std::string error;
    AcApDocument* other = app.newDocument(error);
    appendOne(manager(), idOf(doc, b), other);
    EXPECT_EQ(sharedReactors(idOf(doc, b)), 1);
    removeOne(manager(), idOf(doc, b), doc);
    EXPECT_EQ(registeredHandles(doc), (std::vector<std::string>{a}));
    EXPECT_EQ(sharedReactors(idOf(doc, b)), 0);
    EXPECT_EQ(registered(other).size(), 1u);
}

TEST_F(RegistryHost, ListingAppendsToWhatTheCallerHoldsAndANoteLessDocumentAddsNothing)
{
    regdwg::Drawing d;
    const std::string a = d.point(0, 0);
    d.storedList({a});
    AcApDocument* doc = open(d);
    ASSERT_NE(doc, nullptr);
    std::string error;
    AcApDocument* empty = app.newDocument(error);
    AcArray<AcDbObjectId> ids;
    ids.append(AcDbObjectId::kNull);
    getAll(manager(), ids, empty);
    EXPECT_EQ(ids.length(), 1);
    getAll(manager(), ids, doc);
    ASSERT_EQ(ids.length(), 2);
    EXPECT_TRUE(ids[0].isNull());
    EXPECT_EQ(ids[1], idOf(doc, a));
}

TEST_F(RegistryHost, ScanningRegistersEveryNoteOfEveryLayoutAndAgainOnASecondScan)
{
    regdwg::Drawing d;
    const std::string a = d.point(0, 0), p = d.point(5, 5, true);
    auto [line, c] = d.attached(10, 0, 20, 5);
    AcApDocument* doc = open(d);
    ASSERT_NE(doc, nullptr);
    ASSERT_TRUE(registered(doc).empty());
    scan(manager(), doc);
    std::vector<std::string> found = registeredHandles(doc);
    std::sort(found.begin(), found.end());
    std::vector<std::string> expected{a, p, c};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(found, expected);
    scan(manager(), doc);
    EXPECT_EQ(registered(doc).size(), 6u);
    EXPECT_EQ(sharedReactors(idOf(doc, a)), 1);
    EXPECT_EQ(monitors(doc), 1);
}

// The screen: how many pixels differ from the view's background (its corner).
int pixelsDrawn()
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, arxhost::viewWidth(), arxhost::viewHeight());
    cairo_t* cr = cairo_create(surface);
    EXPECT_TRUE(arxhost::paintView(cr));
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const std::uint32_t background = *reinterpret_cast<const std::uint32_t*>(data) & 0xFFFFFF;
    int n = 0;
    for (int y = 0; y < arxhost::viewHeight(); ++y)
        for (int x = 0; x < arxhost::viewWidth(); ++x)
            n += (reinterpret_cast<const std::uint32_t*>(data + y * stride)[x] & 0xFFFFFF) != background ? 1 : 0;
    cairo_surface_destroy(surface);
    return n;
}

TEST_F(RegistryHost, ShowAllObjectsBlanksTheNotesOutOnTheScreenAndDrawsThemAgain)
{
    regdwg::Drawing d;
    const std::string a = d.point(10, 10), b = d.point(30, 20);
    const std::string line = d.line(0, 0, 40, 30);
    d.storedList({a, b});
    AcApDocument* doc = open(d);
    ASSERT_NE(doc, nullptr);
    ASSERT_TRUE(arxhost::setCurrentView({20, 15, 40}));
    arxhost::regenerateView();
    const int all = pixelsDrawn();
    showAll(manager(), false, doc);
    const int lineOnly = pixelsDrawn();
    EXPECT_GT(lineOnly, 0);
    EXPECT_LT(lineOnly, all);
    // The drawing itself is untouched.
    EXPECT_FALSE(idOf(doc, a).isErased());
    showAll(manager(), true, doc);
    EXPECT_EQ(pixelsDrawn(), all);
}

TEST_F(RegistryHost, UpdateAllRedrawsTheNotesOfTheCurrentSpaceOnlyAndLockedOnesTheOtherWay)
{
    regdwg::Drawing d;
    const std::string a = d.point(0, 0), locked = d.point(20, 0), paper = d.point(5, 5, true);
    d.storedList({a, locked, paper});
    AcApDocument* doc = open(d);
    ASSERT_NE(doc, nullptr);
    AcDbDatabase* db = doc->database();
    // Put one note on a locked layer.
    AcDbLayerTable* layers = nullptr;
    ASSERT_EQ(db->getLayerTable(layers, AcDb::kForWrite), Acad::eOk);
    AcDbLayerTableRecord* layer = new AcDbLayerTableRecord();
    layer->setName(L"LOCKED");
    AcDbObjectId layerId;
    ASSERT_EQ(layers->add(layerId, layer), Acad::eOk);
    layer->close();
    layers->close();
    AcDbEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(ent, idOf(doc, locked), AcDb::kForWrite), Acad::eOk);
    ent->setLayer(layerId);
    ent->close();
    ASSERT_EQ(acdbOpenObject(layer, layerId, AcDb::kForWrite), Acad::eOk);
    layer->setIsLocked(true);
    layer->close();

    arxhost::regenerateView();
    ASSERT_FALSE(arxhost::shownDrawing(idOf(doc, a)).primitives.empty());
    ASSERT_FALSE(arxhost::shownDrawing(idOf(doc, locked)).primitives.empty());
    Changes seenA, seenLocked, seenPaper;
    auto watch = [&](const std::string& h, Changes& c) {
        AcDbObject* o = nullptr;
        ASSERT_EQ(acdbOpenAcDbObject(o, idOf(doc, h), AcDb::kForRead), Acad::eOk);
        o->addReactor(&c);
        o->close();
    };
    watch(a, seenA);
    watch(locked, seenLocked);
    watch(paper, seenPaper);

    // Hidden notes draw nothing once they are drawn again: UpdateAll draws
    // both notes of model space again, the locked one included.
    setShow(false);
    updateAll(manager(), doc);
    EXPECT_EQ(seenA.count, 1);
    EXPECT_EQ(seenLocked.count, 0);
    EXPECT_EQ(seenPaper.count, 0);
    EXPECT_TRUE(arxhost::shownDrawing(idOf(doc, a)).primitives.empty());
    EXPECT_TRUE(arxhost::shownDrawing(idOf(doc, locked)).primitives.empty());
    setShow(true);

    // In paper space only the paper-space note is touched.
    ASSERT_EQ(run(L"LAYOUT", {L"S", L"Layout1"}), arxhost::CommandResult::kEnded);
    seenA.count = seenPaper.count = 0;
    updateAll(manager(), doc);
    EXPECT_EQ(seenA.count, 0);
    EXPECT_EQ(seenPaper.count, 1);
    for (const std::string& h : {a, locked, paper}) {
        AcDbObject* o = nullptr;
        ASSERT_EQ(acdbOpenAcDbObject(o, idOf(doc, h), AcDb::kForRead), Acad::eOk);
        o->removeReactor(h == a ? &seenA : h == locked ? &seenLocked : &seenPaper);
        o->close();
    }
}

TEST_F(RegistryHost, ALayoutSwitchAlwaysAndAViewChangeOnlyWhileShownRedrawTheNotes)
{
    regdwg::Drawing d;
    const std::string a = d.point(0, 0), paper = d.point(5, 5, true);
    d.storedList({a, paper});
    AcApDocument* doc = open(d);
    ASSERT_NE(doc, nullptr);
    Changes seen;
    AcDbObject* o = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(o, idOf(doc, a), AcDb::kForRead), Acad::eOk);
    o->addReactor(&seen);
    o->close();

    ASSERT_EQ(run(L"ZOOM", {L"2X"}), arxhost::CommandResult::kEnded);
    EXPECT_GE(seen.count, 1);
    seen.count = 0;
    setShow(false);
    ASSERT_EQ(run(L"ZOOM", {L"2X"}), arxhost::CommandResult::kEnded);
    EXPECT_EQ(seen.count, 0);
    // Back from paper space into model space: a layout switch, shown or not.
    ASSERT_EQ(run(L"LAYOUT", {L"S", L"Layout1"}), arxhost::CommandResult::kEnded);
    ASSERT_EQ(run(L"LAYOUT", {L"S", L"Model"}), arxhost::CommandResult::kEnded);
    EXPECT_GE(seen.count, 1);
    setShow(true);

    ASSERT_EQ(acdbOpenAcDbObject(o, idOf(doc, a), AcDb::kForRead), Acad::eOk);
    o->removeReactor(&seen);
    o->close();
}

TEST_F(RegistryHost, ActivatingADocumentRedrawsItsNotes)
{
    regdwg::Drawing d;
    const std::string a = d.point(0, 0);
    d.storedList({a});
    AcApDocument* doc = open(d);
    ASSERT_NE(doc, nullptr);
    std::string error;
    ASSERT_NE(app.newDocument(error), nullptr);
    Changes seen;
    AcDbObject* o = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(o, idOf(doc, a), AcDb::kForRead), Acad::eOk);
    o->addReactor(&seen);
    o->close();
    ASSERT_TRUE(app.activateDocument(doc));
    EXPECT_EQ(seen.count, 1);
    ASSERT_EQ(acdbOpenAcDbObject(o, idOf(doc, a), AcDb::kForRead), Acad::eOk);
    o->removeReactor(&seen);
    o->close();
}

TEST_F(RegistryHost, EraseVelaToneErasesANoteOfTheCurrentDocumentAndUnlinksAnAttachedOne)
{
    regdwg::Drawing d;
    const std::string a = d.point(0, 0);
    auto [line, c] = d.attached(10, 0, 20, 5);
    d.storedList({a, c});
    AcApDocument* doc = open(d);
    ASSERT_NE(doc, nullptr);
    const AcDbObjectId noteC = idOf(doc, c), lineId = idOf(doc, line);

    EXPECT_TRUE(eraseNote(manager(), noteC, nullptr));
    EXPECT_EQ(registeredHandles(doc), (std::vector<std::string>{a}));
    // The line no longer carries the reactor object, which is erased, and the
    // note's extension dictionary went with it.
    AcDbEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(ent, lineId, AcDb::kForRead), Acad::eOk);
    int persistent = 0;
    if (AcDbVoidPtrArray* r = ent->reactors())
        for (int i = 0; i < r->length(); ++i) persistent += acdbIsPersistentReactor(r->at(i)) ? 1 : 0;
    ent->close();
    EXPECT_EQ(persistent, 0);
    AcDbObject* note = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(note, noteC, AcDb::kForRead, true), Acad::eOk);
    EXPECT_TRUE(note->isErased());
    EXPECT_TRUE(note->extensionDictionary().isNull());
    note->close();
    // A note that no longer opens is passed over, and the answer is still true.
    EXPECT_TRUE(eraseNote(manager(), noteC, doc));
}

TEST_F(RegistryHost, EraseVelaToneLeavesANoteOnALockedLayerAndSaysSo)
{
    regdwg::Drawing d;
    const std::string a = d.point(0, 0);
    d.storedList({a});
    AcApDocument* doc = open(d);
    ASSERT_NE(doc, nullptr);
    AcDbDatabase* db = doc->database();
    AcDbLayerTable* layers = nullptr;
    ASSERT_EQ(db->getLayerTable(layers, AcDb::kForRead), Acad::eOk);
    AcDbObjectId zero;
    ASSERT_EQ(layers->getAt(L"0", zero), Acad::eOk);
    layers->close();
    AcDbLayerTableRecord* layer = nullptr;
    ASSERT_EQ(acdbOpenObject(layer, zero, AcDb::kForWrite), Acad::eOk);
    layer->setIsLocked(true);
    layer->close();
    commandLine.clear();
    EXPECT_TRUE(eraseNote(manager(), idOf(doc, a), doc));
    EXPECT_EQ(commandLine, L"The VelaTone object on locked layer was not deleted.\n");
    EXPECT_EQ(registeredHandles(doc), (std::vector<std::string>{a}));
    AcDbObject* note = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(note, idOf(doc, a), AcDb::kForRead), Acad::eOk);
    note->close();
}

}  // namespace
