// The voice list kept in the drawing: what opening a drawing registers from
// it (and nothing else: no scan), what saving writes back, which saves leave
// it alone, and how foreign or damaged values are read.
#include "registry_fixture.h"

namespace {

using Values = std::vector<std::pair<int, std::string>>;

TEST_F(RegistryHost, AReopenedDrawingKnowsItsNotesFromTheStoredListAlone)
{
    regdwg::Drawing d;
    const std::string a = d.point(0, 0), b = d.point(50, 0);
    auto [line, c] = d.attached(100, 0, 120, 10);
    // The authoring application listed two of its three notes.
    d.storedList({b, c});
    AcApDocument* doc = open(d);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(registeredHandles(doc), (std::vector<std::string>{b, c}));
    EXPECT_EQ(sharedReactors(idOf(doc, a)), 0);
    EXPECT_EQ(sharedReactors(idOf(doc, b)), 1);
    EXPECT_EQ(monitors(doc), 1);

    // Saved and opened again, it knows the same two, in the same order.
    ASSERT_TRUE(save(doc, "again.dwg"));
    app.closeDocument(doc);
    std::string error;
    AcApDocument* again = app.openDocument(dir.wfile("again.dwg"), error);
    ASSERT_NE(again, nullptr) << error;
    EXPECT_EQ(registeredHandles(again), (std::vector<std::string>{b, c}));
}

TEST_F(RegistryHost, ADrawingWithoutTheDictionaryRegistersNothingAndGetsNoList)
{
    regdwg::Drawing d;
    d.point(0, 0);
    AcApDocument* doc = open(d);
    ASSERT_NE(doc, nullptr);
    EXPECT_TRUE(registered(doc).empty());
    EXPECT_EQ(monitors(doc), 0);
    EXPECT_FALSE(readList(manager(), doc));
    // Nothing registered, nothing written: no dictionary appears.
    ASSERT_TRUE(save(doc, "saved.dxf"));
    EXPECT_FALSE(stored(doc->database()).dictionary);
}

TEST_F(RegistryHost, TheDictionaryWithoutItsRecordReadsAsPresentAndRegistersNothing)
{
    regdwg::Drawing d;
    d.point(0, 0);
    d.storedList(Values{}, false);
    AcApDocument* doc = open(d);
    ASSERT_NE(doc, nullptr);
    EXPECT_TRUE(readList(manager(), doc));
    EXPECT_TRUE(registered(doc).empty());
}

TEST_F(RegistryHost, SavingWithoutRegisteredNotesLeavesAStoredListAsItWas)
{
    regdwg::Drawing d;
    const std::string a = d.point(0, 0);
    d.storedList({a});
    AcApDocument* doc = open(d);
    ASSERT_NE(doc, nullptr);
    ASSERT_EQ(registered(doc).size(), 1u);
    // Dropped from the registry (as a closing document is), then saved.
    dropDoc(manager(), doc);
    EXPECT_TRUE(registered(doc).empty());
    EXPECT_FALSE(saveList(manager(), doc->database()));
    ASSERT_TRUE(save(doc, "saved.dxf"));
    EXPECT_EQ(stored(doc->database()).values, as102({a}));
}

TEST_F(RegistryHost, SavingTwiceReplacesTheValuesAndDuplicatesAreKept)
{
    regdwg::Drawing d;
    const std::string a = d.point(0, 0), b = d.point(50, 0);
    d.storedList({a, b, a});
    AcApDocument* doc = open(d);
    ASSERT_NE(doc, nullptr);
    // The same note twice is two registrations, but it carries one reactor.
    EXPECT_EQ(registeredHandles(doc), (std::vector<std::string>{a, b, a}));
    EXPECT_EQ(sharedReactors(idOf(doc, a)), 1);
    ASSERT_TRUE(save(doc, "one.dxf"));
    ASSERT_TRUE(save(doc, "two.dxf"));
    EXPECT_EQ(stored(doc->database()).values, as102({a, b, a}));
    std::string error;
    AcApDocument* reopened = app.openDocument(dir.wfile("two.dxf"), error);
    ASSERT_NE(reopened, nullptr) << error;
    EXPECT_EQ(registeredHandles(reopened), (std::vector<std::string>{a, b, a}));
}

TEST_F(RegistryHost, ReadingTheSameDrawingTwiceRegistersEachNoteTwice)
{
    regdwg::Drawing d;
    const std::string a = d.point(0, 0);
    d.storedList({a});
    AcApDocument* doc = open(d);
    ASSERT_NE(doc, nullptr);
    EXPECT_TRUE(readList(manager(), doc));
    EXPECT_EQ(registeredHandles(doc), (std::vector<std::string>{a, a}));
    EXPECT_EQ(sharedReactors(idOf(doc, a)), 1);
}

TEST_F(RegistryHost, AnAutomaticSaveLeavesTheDictionaryAloneWhateverTheCase)
{
    regdwg::Drawing d;
    const std::string a = d.point(0, 0), b = d.point(50, 0);
    d.storedList({a});
    AcApDocument* doc = open(d);
    ASSERT_NE(doc, nullptr);
    appendOne(manager(), idOf(doc, b), doc);
    ASSERT_EQ(registeredHandles(doc), (std::vector<std::string>{a, b}));

    // The host's automatic save writes ".sv$".
    std::wstring written;
    std::string error;
    ASSERT_TRUE(app.autosave(written, error)) << error;
    EXPECT_EQ(stored(doc->database()).values, as102({a}));
    // The editor hears of a save before the host looks at the name: one
    // under the automatic save's extension in upper case, or the authoring
    // application's, leaves the list alone too (the host then refuses the name).
    EXPECT_FALSE(app.saveDocument(doc, dir.wfile("copy.SV$"), error));
    EXPECT_FALSE(app.saveDocument(doc, dir.wfile("copy.Kv$"), error));
    EXPECT_EQ(stored(doc->database()).values, as102({a}));
    // A name without extension is no automatic save, nor is a folder's.
    EXPECT_FALSE(app.saveDocument(doc, dir.wfile("backup.sv$/plain"), error));
    EXPECT_EQ(stored(doc->database()).values, as102({a, b}));
    appendOne(manager(), idOf(doc, a), doc);
    ASSERT_TRUE(save(doc, "drawing.dwg"));
    EXPECT_EQ(stored(doc->database()).values, as102({a, b, a}));
}

TEST_F(RegistryHost, StoredValuesAreHandlesWhateverTheirGroupCodeAndAreWrittenBackAs102)
{
    regdwg::Drawing d;
    const std::string a = d.point(0, 0), b = d.point(50, 0), c = d.point(100, 0);
    // A text group, a pointer group naming the note, and the usual 102.
    d.storedList(Values{{1, a}, {330, b}, {102, c}});
    AcApDocument* doc = open(d);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(registeredHandles(doc), (std::vector<std::string>{a, b, c}));
    ASSERT_TRUE(save(doc, "saved.dxf"));
    EXPECT_EQ(stored(doc->database()).values, as102({a, b, c}));
}

TEST_F(RegistryHost, AHandleOfNoObjectStaysListedAndIsWrittenBackButOneBeyondTheDrawingIsDropped)
{
    regdwg::Drawing d;
    const std::string a = d.point(0, 0);
    d.line(0, 0, 1, 1);  // handles above the note's exist in the drawing
    // "1000" lies below the drawing's handle seed and names nothing; the
    // last handle there is would move the seed to its end.
    d.storedList(Values{{102, "1000"}, {102, a}, {102, "FFFFFFFFFFFFFFFF"}, {102, "not a handle"}});
    AcApDocument* doc = open(d);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(registeredHandles(doc), (std::vector<std::string>{"1000", a}));
    // The drawing still makes new objects.
    EXPECT_EQ(run(L"LINE", {L"0,0", L"5,5", L""}), arxhost::CommandResult::kEnded);
    ASSERT_TRUE(save(doc, "saved.dxf"));
    EXPECT_EQ(stored(doc->database()).values, as102({"1000", a}));
    // A stale id is skipped by whatever visits the list.
    updateAll(manager(), doc);
    showAll(manager(), false, doc);
    EXPECT_EQ(registeredHandles(doc), (std::vector<std::string>{"1000", a}));
}

TEST_F(RegistryHost, ADocumentOpenedLaterIsReadAndOneClosedIsDropped)
{
    regdwg::Drawing d;
    const std::string a = d.point(0, 0);
    d.storedList({a});
    AcApDocument* first = open(d, "first.dxf");
    AcApDocument* second = open(d, "second.dxf");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(registeredHandles(first), (std::vector<std::string>{a}));
    EXPECT_EQ(registeredHandles(second), (std::vector<std::string>{a}));
    const AcDbObjectId note = idOf(first, a);
    app.closeDocument(second);
    EXPECT_EQ(registeredHandles(first), (std::vector<std::string>{a}));
    EXPECT_EQ(sharedReactors(note), 1);
    EXPECT_EQ(monitors(first), 1);
}

}  // namespace
