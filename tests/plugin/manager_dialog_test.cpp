// The voice manager dialog with the plug-in's sources linked in, made modeless so
// that a test can act as the user between its handlers: the rows it lists (gaps
// for notes that do not open, "Point" for an unknown type), the buttons by the
// selection, Find's pan, highlight entities and draw order and their removal,
// Find refused for notes that cannot be seen, Delete with a locked layer, and
// Play from a copy of the sound that outlives the note.
#include <sndfile.h>

#include "VelaToneManDlg.h"
#include "VelaToneManager.h"
#include "note_drawing_fixture.h"
#include "rxmfcapi.h"
#include "sorttab.h"
#include "win32/audio_devices.h"
#include "win32/message_boxes.h"
#include "win32/message_loop.h"

namespace {

class ManagerDialog : public NoteDrawing {
protected:
    void SetUp() override
    {
        NoteDrawing::SetUp();
        _hdllInstance = GetModuleHandleW(nullptr);  // the test program holds the plug-in's resources
        ASSERT_TRUE(arxhost::createHostWindows());  // the frame and the drawing view, as the host shows them
    }
    void TearDown() override
    {
        delete dlg;
        dlg = nullptr;
        NoteDrawing::TearDown();
    }

    AcDbObjectId registered(AcDbObjectId id)
    {
        qkVtManagerPtr()->AppendVelaTone(id, doc);
        return id;
    }

    AcDbObjectId note(int type, AcGePoint3d at, const wchar_t* who, size_t soundBytes = 0)
    {
        QkDbVelaTone* n = newNote(type, soundBytes);
        n->setPosition(at);
        n->setSpokesman(who);
        n->setDatatime(L"3-7 9:5");
        return registered(append(db, n));
    }

    void open()
    {
        dlg = new CVelaToneManDlg();
        ASSERT_TRUE(dlg->Create(IDD_VELATONE_MANAGER));
    }

    std::vector<std::wstring> rows()
    {
        std::vector<std::wstring> out;
        for (int r = 0; r < dlg->m_VoiceList.GetItemCount(); ++r) {
            std::wstring line;
            for (int c = 0; c < 5; ++c) line += (c ? L"|" : L"") + std::wstring(dlg->m_VoiceList.GetItemText(r, c).GetString());
            out.push_back(line);
        }
        return out;
    }

    void select(std::initializer_list<int> which)
    {
        for (int r : which) dlg->m_VoiceList.SetItemState(r, LVIS_SELECTED, LVIS_SELECTED);
        LRESULT result = 1;
        dlg->OnNMClickVoiceList(nullptr, &result);
        EXPECT_EQ(result, 0);
    }

    bool enabled(int id) { return IsWindowEnabled(GetDlgItem(dlg->m_hWnd, id)) != FALSE; }
    bool allEnabled() { return enabled(IDC_BUTTON_PLAY) && enabled(IDC_BUTTON_FIND) && enabled(IDC_BUTTON_DELETE); }
    bool noneEnabled()
    {
        return !enabled(IDC_BUTTON_PLAY) && !enabled(IDC_BUTTON_FIND) && !enabled(IDC_BUTTON_DELETE);
    }

    std::vector<std::wstring> boxes()
    {
        std::vector<std::wstring> out;
        for (const auto& b : win32::messages::messageBoxes()) out.push_back(b.text);
        return out;
    }

    // The polylines in model space that are not erased, in draw order.
    std::vector<AcDbObjectId> drawOrder()
    {
        AcDbBlockTableRecord* ms = nullptr;
        EXPECT_EQ(acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForRead), Acad::eOk);
        AcDbSortentsTable* table = nullptr;
        AcDbObjectIdArray order;
        if (ms->getSortentsTable(table, AcDb::kForRead, false) == Acad::eOk) {
            table->getFullDrawOrder(order);
            table->close();
        }
        ms->close();
        std::vector<AcDbObjectId> out;
        for (int i = 0; i < order.length(); ++i) out.push_back(order[i]);
        return out;
    }

    std::vector<AcDbObjectId> livePolylines()
    {
        std::vector<AcDbObjectId> out;
        AcDbBlockTableRecord* ms = nullptr;
        EXPECT_EQ(acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForRead), Acad::eOk);
        AcDbBlockTableRecordIterator* it = nullptr;
        ms->newIterator(it);
        for (; !it->done(); it->step()) {
            AcDbEntity* e = nullptr;
            if (it->getEntity(e, AcDb::kForRead) != Acad::eOk) continue;
            if (AcDbPolyline::cast(e) != nullptr) out.push_back(e->objectId());
            e->close();
        }
        delete it;
        ms->close();
        return out;
    }

    bool erased(AcDbObjectId id)
    {
        AcDbObject* o = nullptr;
        if (acdbOpenAcDbObject(o, id, AcDb::kForRead, true) != Acad::eOk) return false;
        bool e = o->isErased();
        o->close();
        return e;
    }

    AcDbExtents extentsOf(AcDbObjectId id)
    {
        AcDbEntity* e = nullptr;
        AcDbExtents ext;
        EXPECT_EQ(acdbOpenAcDbEntity(e, id, AcDb::kForRead), Acad::eOk);
        e->getGeomExtents(ext);
        e->close();
        return ext;
    }

    void setLayer(AcDbObjectId id, const wchar_t* name, bool off, bool frozen, bool locked)
    {
        AcDbLayerTable* table = nullptr;
        ASSERT_EQ(db->getLayerTable(table, AcDb::kForWrite), Acad::eOk);
        auto* layer = new AcDbLayerTableRecord();
        layer->setName(name);
        layer->setIsOff(off);
        layer->setIsFrozen(frozen);
        layer->setIsLocked(locked);
        AcDbObjectId layerId;
        ASSERT_EQ(table->add(layerId, layer), Acad::eOk);
        layer->close();
        table->close();
        AcDbEntity* e = nullptr;
        ASSERT_EQ(acdbOpenAcDbEntity(e, id, AcDb::kForWrite), Acad::eOk);
        e->setLayer(layerId);
        e->close();
    }

    CVelaToneManDlg* dlg = nullptr;
};

TEST_F(ManagerDialog, ADrawingWithoutNotesOpensAnEmptyListWithTheButtonsDisabled)
{
    open();
    EXPECT_EQ(dlg->m_VoiceList.GetItemCount(), 0);
    EXPECT_TRUE(noneEnabled());
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dlg->m_hWnd, IDC_BUTTON_HELP)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dlg->m_hWnd, IDC_BUTTON_SETTINGS)));
    EXPECT_EQ(dlg->m_VoiceList.GetExtendedStyle(), DWORD(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT));
    // The handlers refuse with no selection, whatever reaches them.
    dlg->OnBnClickedButtonPlay();
    dlg->OnBnClickedButtonDelete();
    EXPECT_EQ(boxes(), (std::vector<std::wstring>{L"No items is selected in current list, please try again!",
                                                  L"No items is selected in current list, please try again!"}));
}

TEST_F(ManagerDialog, RowsFollowTheRegistryWithGapsAndUnknownTypesShownAsPoint)
{
    note(QkDbVelaTone::kRegion, AcGePoint3d(1, 1, 0), L"Ana");
    registered(lineFrom(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0)));  // registered, but no note
    note(7, AcGePoint3d(5, 5, 0), L"Ben");
    AcDbObjectId reply = note(QkDbVelaTone::kReply, AcGePoint3d(9, 9, 0), L"Cleo");
    open();
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"0|2.5\"|Ana|Region|3-7 9:5", L"2|2.5\"|Ben|Point|3-7 9:5",
                                                 L"3|2.5\"|Cleo|Reply|3-7 9:5"}));
    EXPECT_EQ(dlg->m_VoiceData.GetSize(), 3);
    EXPECT_EQ(dlg->m_VoiceData[2].Id, reply);
    EXPECT_EQ(dlg->m_VoiceList.GetColumnWidth(0), 45);
    EXPECT_EQ(dlg->m_VoiceList.GetColumnWidth(4), 75);
    select({1});
    EXPECT_TRUE(allEnabled());
    dlg->m_VoiceList.SetItemState(1, 0, LVIS_SELECTED);
    EXPECT_TRUE(allEnabled());  // only a click in the list updates the buttons
    select({});
    EXPECT_TRUE(noneEnabled());
}

TEST_F(ManagerDialog, FindPansTheIconToTheViewCentreAndLaysTheHighlightAtTheBottom)
{
    AcDbObjectId first = note(QkDbVelaTone::kPoint, AcGePoint3d(30, 20, 0), L"Ana");
    AcDbObjectId second = note(QkDbVelaTone::kPoint, AcGePoint3d(-30, 5, 0), L"Ben");
    AcDbObjectId wall = lineFrom(AcGePoint3d(0, 0, 0), AcGePoint3d(50, 0, 0));
    // The notes are drawn in this view: a note knows where its icon is from its last drawing.
    unitsOf32Pixels(1, 10, 10);
    open();
    select({0});
    dlg->OnBnClickedButtonFind();
    arxhost::ViewState v;
    ASSERT_TRUE(arxhost::currentView(v));
    // The note's icon anchor now lies at the old centre (10, 10): the view's centre is the anchor.
    AcDbExtents noteExt = extentsOf(first);
    EXPECT_GE(v.centerX, noteExt.minPoint().x - 1e-9);
    EXPECT_LE(v.centerX, noteExt.maxPoint().x + 1e-9);
    EXPECT_NE(v.centerX, 10);
    std::vector<AcDbObjectId> highlight = livePolylines();
    ASSERT_EQ(highlight.size(), 2u);
    std::vector<AcDbObjectId> order = drawOrder();
    ASSERT_GE(order.size(), 4u);
    EXPECT_EQ(order[0], highlight[0]);
    EXPECT_EQ(order[1], highlight[1]);
    AcDbPolyline* outline = nullptr;
    ASSERT_EQ(acdbOpenObject(outline, highlight[0], AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(outline->colorIndex(), 8);
    EXPECT_TRUE(outline->isClosed());
    EXPECT_EQ(outline->numVerts(), 4u);
    AcGePoint2d corner;
    outline->getPointAt(0, corner);
    const double h = noteExt.maxPoint().y - noteExt.minPoint().y;
    EXPECT_NEAR(corner.x, noteExt.minPoint().x - h / 30, 1e-9);
    EXPECT_NEAR(corner.y, noteExt.minPoint().y - h / 30, 1e-9);
    outline->close();
    AcDbPolyline* band = nullptr;
    ASSERT_EQ(acdbOpenObject(band, highlight[1], AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(band->colorIndex(), 5);
    EXPECT_FALSE(band->isClosed());
    double startWidth = 0, endWidth = 0;
    band->getWidthsAt(0, startWidth, endWidth);
    EXPECT_NEAR(startWidth, h, 1e-9);
    EXPECT_NEAR(endWidth, h, 1e-9);
    AcDbExtents bandExt;
    band->getGeomExtents(bandExt);
    EXPECT_NEAR(bandExt.minPoint().y, noteExt.minPoint().y, 1e-9);
    EXPECT_NEAR(bandExt.maxPoint().y, noteExt.maxPoint().y, 1e-9);
    band->close();
    // The dialog stands beside the view's centre.
    CRect view, box;
    acedGetAcadDwgView()->GetWindowRect(&view);
    dlg->GetWindowRect(&box);
    EXPECT_EQ(box.left, (view.left + view.right) / 2 + 35);
    EXPECT_EQ(box.top, static_cast<int>((view.top + view.bottom) / 2 - 0.5 * box.Height() - 35));
    // A second Find takes the first highlight away; the dialog's end the last one.
    dlg->m_VoiceList.SetItemState(0, 0, LVIS_SELECTED);
    select({1});
    dlg->OnBnClickedButtonFind();
    EXPECT_TRUE(erased(highlight[0]));
    EXPECT_TRUE(erased(highlight[1]));
    std::vector<AcDbObjectId> again = livePolylines();
    ASSERT_EQ(again.size(), 2u);
    delete dlg;
    dlg = nullptr;
    EXPECT_TRUE(livePolylines().empty());
    EXPECT_FALSE(erased(wall));
    EXPECT_FALSE(erased(second));
}

TEST_F(ManagerDialog, FindOnANoteInAnotherLayoutOnlyMovesTheDialog)
{
    QkDbVelaTone* n = newNote(QkDbVelaTone::kPoint);
    n->setPosition(AcGePoint3d(3, 3, 0));
    AcDbBlockTableRecord* ps = nullptr;
    ASSERT_EQ(acdbOpenObject(ps, db->paperSpaceId(), AcDb::kForWrite), Acad::eOk);
    AcDbObjectId id;
    ASSERT_EQ(ps->appendAcDbEntity(id, n), Acad::eOk);
    n->close();
    ps->close();
    registered(id);
    unitsOf32Pixels(1, 10, 10);
    open();
    dlg->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    select({0});
    dlg->OnBnClickedButtonFind();
    arxhost::ViewState v;
    ASSERT_TRUE(arxhost::currentView(v));
    EXPECT_EQ(v.centerX, 10);
    EXPECT_EQ(v.centerY, 10);
    EXPECT_TRUE(livePolylines().empty());
    CRect view, box;
    acedGetAcadDwgView()->GetWindowRect(&view);
    dlg->GetWindowRect(&box);
    EXPECT_EQ(box.left, (view.left + view.right) / 2 + 35);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(ManagerDialog, FindRefusesNotesThatCannotBeSeen)
{
    const std::wstring notVisible = L"The VelaTone isn't visible on current viewport.";
    AcDbObjectId off = note(QkDbVelaTone::kPoint, AcGePoint3d(1, 1, 0), L"Off");
    setLayer(off, L"OFF", true, false, false);
    AcDbObjectId frozen = note(QkDbVelaTone::kPoint, AcGePoint3d(2, 2, 0), L"Frozen");
    setLayer(frozen, L"FROZEN", false, true, false);
    AcDbObjectId hidden = note(QkDbVelaTone::kPoint, AcGePoint3d(3, 3, 0), L"Hidden");
    {
        AcDbEntity* e = nullptr;
        ASSERT_EQ(acdbOpenAcDbEntity(e, hidden, AcDb::kForWrite), Acad::eOk);
        e->setVisibility(AcDb::kInvisible);
        e->close();
    }
    note(QkDbVelaTone::kPoint, AcGePoint3d(4, 4, 0), L"Shown");
    unitsOf32Pixels(1, 10, 10);
    open();
    for (int r = 0; r < 3; ++r) {
        for (int k = 0; k < 4; ++k) dlg->m_VoiceList.SetItemState(k, 0, LVIS_SELECTED);
        select({r});
        dlg->OnBnClickedButtonFind();
    }
    EXPECT_EQ(boxes(), (std::vector<std::wstring>{notVisible, notVisible, notVisible}));
    EXPECT_TRUE(livePolylines().empty());
    // With the show flag off even a note in plain sight is refused, before anything else.
    SetVelaToneVar(false);
    for (int k = 0; k < 4; ++k) dlg->m_VoiceList.SetItemState(k, 0, LVIS_SELECTED);
    select({3});
    dlg->OnBnClickedButtonFind();
    EXPECT_EQ(boxes().size(), 4u);
    EXPECT_EQ(boxes().back(), notVisible);
    arxhost::ViewState v;
    ASSERT_TRUE(arxhost::currentView(v));
    EXPECT_EQ(v.centerX, 10);
    SetVelaToneVar(true);
    dlg->OnBnClickedButtonFind();
    EXPECT_EQ(livePolylines().size(), 2u);
}

TEST_F(ManagerDialog, DeleteErasesTheSelectedNotesButNotOnALockedLayer)
{
    AcDbObjectId a = note(QkDbVelaTone::kPoint, AcGePoint3d(1, 1, 0), L"Ana");
    AcDbObjectId b = note(QkDbVelaTone::kPoint, AcGePoint3d(2, 2, 0), L"Ben");
    AcDbObjectId c = note(QkDbVelaTone::kPoint, AcGePoint3d(3, 3, 0), L"Cleo");
    AcDbObjectId d = note(QkDbVelaTone::kPoint, AcGePoint3d(4, 4, 0), L"Dan");
    setLayer(b, L"LOCKED", false, false, true);
    open();
    select({0, 1, 3});
    dlg->OnBnClickedButtonDelete();
    EXPECT_TRUE(erased(a));
    EXPECT_FALSE(erased(b));
    EXPECT_FALSE(erased(c));
    EXPECT_TRUE(erased(d));
    EXPECT_EQ(boxes(), (std::vector<std::wstring>{L"1 VelaTone object(s) on locked layers not deleted."}));
    // The list is built again from the registry, which the erasures updated.
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"0|2.5\"|Ben|Point|3-7 9:5", L"1|2.5\"|Cleo|Point|3-7 9:5"}));
    EXPECT_TRUE(noneEnabled());
    EXPECT_EQ(GetFocus(), dlg->m_hWnd);
}

// The frames a WAV file holds.
sf_count_t framesOf(const std::string& path)
{
    SF_INFO info{};
    SNDFILE* f = sf_open(path.c_str(), SFM_READ, &info);
    if (f == nullptr) return -1;
    sf_close(f);
    return info.frames;
}

TEST_F(ManagerDialog, PlayPlaysTheSoundToItsFirstZeroFromACopyThatOutlivesTheNote)
{
    TempDir dir;
    std::string error;
    ASSERT_TRUE(win32::audio::setSpeakerFile(dir.file("out.wav"), error)) << error;
    AcDbObjectId id = note(QkDbVelaTone::kPoint, AcGePoint3d(1, 1, 0), L"Ana", 4000);
    {
        // A zero in the middle: only what comes before it is sound.
        QkDbVelaTone* n = nullptr;
        ASSERT_EQ(acdbOpenObject(n, id, AcDb::kForWrite), Acad::eOk);
        n->getAudioData()[3000] = 0;
        n->close();
    }
    open();
    select({0});
    dlg->OnBnClickedButtonPlay();
    // The note goes while its sound plays: the player does not need it.
    dlg->OnBnClickedButtonDelete();
    ASSERT_TRUE(erased(id));
    win32::loop::runUntil(GetTickCount() + 500);
    EXPECT_EQ(framesOf(dir.file("out.wav")), 3000);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(ManagerDialog, ANoteWhoseSoundStartsWithZeroPlaysNothingAndNoDeviceIsReported)
{
    TempDir dir;
    std::string error;
    ASSERT_TRUE(win32::audio::setSpeakerFile(dir.file("out.wav"), error)) << error;
    AcDbObjectId id = note(QkDbVelaTone::kPoint, AcGePoint3d(1, 1, 0), L"Ana", 100);
    {
        QkDbVelaTone* n = nullptr;
        ASSERT_EQ(acdbOpenObject(n, id, AcDb::kForWrite), Acad::eOk);
        n->getAudioData()[0] = 0;
        n->close();
    }
    open();
    select({0});
    dlg->OnBnClickedButtonPlay();
    win32::loop::runUntil(GetTickCount() + 200);
    EXPECT_LE(framesOf(dir.file("out.wav")), 0);
    win32::audio::setOutputPresent(false);
    dlg->OnBnClickedButtonPlay();
    EXPECT_EQ(boxes(), (std::vector<std::wstring>{L"Audio output erro"}));
    EXPECT_EQ(win32::messages::beeps().size(), 1u);
}

TEST_F(ManagerDialog, HelpAsksForTheDialogsTopic)
{
    open();
    dlg->OnBnClickedButtonHelp();
    EXPECT_EQ(app.helpTopics(), (std::vector<std::wstring>{L"VOICEMAN DIALOG"}));
}

}  // namespace
