// The registry's life with the module: loaded into a host that already has
// documents it reads their stored lists; unloaded it stores every document's
// list, drops them all and leaves no reactor or monitor of its own behind; a
// second load in the same process works; notifications while no registry
// exists do nothing.
#include "registry_fixture.h"

namespace {

class RegistryLife : public RegistryHost {
protected:
    // Three documents, each with its own notes and stored list.
    void openThree()
    {
        for (int i = 0; i < 3; ++i) {
            regdwg::Drawing d;
            std::vector<std::string> handles;
            for (int n = 0; n <= i; ++n) handles.push_back(d.point(10.0 * n, 0));
            d.storedList(handles);
            docs.push_back(open(d, "doc" + std::to_string(i) + ".dxf"));
            ASSERT_NE(docs.back(), nullptr);
            notes.push_back(handles);
        }
    }

    bool unload()
    {
        std::string error;
        bool ok = app.unloadModule(L"VelaToneViewer2013_x64", error);
        EXPECT_TRUE(ok) << error;
        return ok;
    }

    // Any transient reactor or monitor still in the host whose class is gone
    // would be a dangling pointer: the notes are opened and their reactors
    // counted without asking them what they are.
    static int transientReactors(AcDbObjectId id)
    {
        AcDbObject* obj = nullptr;
        if (acdbOpenAcDbObject(obj, id, AcDb::kForRead, true) != Acad::eOk) return -1;
        int n = 0;
        if (AcDbVoidPtrArray* r = obj->reactors())
            for (int i = 0; i < r->length(); ++i) n += acdbIsPersistentReactor(r->at(i)) ? 0 : 1;
        obj->close();
        return n;
    }

    std::vector<AcApDocument*> docs;
    std::vector<std::vector<std::string>> notes;
};

TEST_F(RegistryLife, UnloadingStoresEveryListDropsEveryDocumentAndLeavesNoReactor)
{
    openThree();
    // Each document's registry changes after opening: a note listed twice in
    // the second, none in the first (its one note unregistered).
    appendOne(manager(), idOf(docs[1], notes[1][0]), docs[1]);
    removeOne(manager(), idOf(docs[0], notes[0][0]), docs[0]);
    std::vector<AcDbObjectId> all;
    for (size_t i = 0; i < docs.size(); ++i)
        for (const std::string& h : notes[i]) all.push_back(idOf(docs[i], h));

    ASSERT_TRUE(unload());
    // Stored: docs[0] had nothing registered, so its list is as it was.
    EXPECT_EQ(stored(docs[0]->database()).values, as102(notes[0]));
    std::vector<std::string> second = notes[1];
    second.push_back(notes[1][0]);
    EXPECT_EQ(stored(docs[1]->database()).values, as102(second));
    EXPECT_EQ(stored(docs[2]->database()).values, as102(notes[2]));
    for (AcDbObjectId id : all) EXPECT_EQ(transientReactors(id), 0);
    for (AcApDocument* doc : docs) EXPECT_EQ(doc->inputPointManager()->monitorCount(), 0);

}

TEST_F(RegistryLife, LoadingAgainReadsTheListsOfTheOpenDocuments)
{
    openThree();
    ASSERT_TRUE(unload());
    ASSERT_TRUE(load(2013)) << loadError;
    ASSERT_TRUE(bind());
    for (size_t i = 0; i < docs.size(); ++i) {
        EXPECT_EQ(registeredHandles(docs[i]), notes[i]);
        EXPECT_EQ(monitors(docs[i]), 1);
        for (const std::string& h : notes[i]) EXPECT_EQ(sharedReactors(idOf(docs[i], h)), 1);
    }
    // And it goes on working: erasing and undoing in the current document.
    AcApDocument* current = app.currentDocument();
    ASSERT_EQ(current, docs[2]);
    ASSERT_EQ(run(L"ERASE", {L"L", L""}), arxhost::CommandResult::kEnded);
    EXPECT_EQ(registered(current).size(), 2u);
    ASSERT_EQ(run(L"U"), arxhost::CommandResult::kEnded);
    EXPECT_EQ(registeredHandles(current), notes[2]);
}

TEST_F(RegistryLife, AnErasedNoteKeepsNoReactorOnceItsDocumentIsDropped)
{
    openThree();
    const AcDbObjectId last = idOf(docs[2], notes[2][2]);
    // Erased: the shared reactor stays on it, so that an undo is heard.
    ASSERT_EQ(run(L"ERASE", {L"L", L""}), arxhost::CommandResult::kEnded);
    ASSERT_TRUE(unload());
    EXPECT_EQ(transientReactors(last), 0);
}

TEST_F(RegistryLife, AClosingDocumentTakesItsErasedNotesReactorsWithIt)
{
    openThree();
    const AcDbObjectId last = idOf(docs[2], notes[2][2]);
    ASSERT_EQ(run(L"ERASE", {L"L", L""}), arxhost::CommandResult::kEnded);
    EXPECT_EQ(sharedReactors(last), 1);
    dropDoc(manager(), docs[2]);
    EXPECT_EQ(sharedReactors(last), 0);
    EXPECT_EQ(monitors(docs[2]), 0);
}

}  // namespace
