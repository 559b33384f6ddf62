// Persistent reactors through the host's editing: an entity that carries the id
// of a reactor object sends that object modified when a command closes it
// changed (MOVE, ROTATE, a grip edit, any write open that changes it), erased
// when it is erased; what the reactor changes in turn belongs to the same
// command and is undone with it.
#include <gtest/gtest.h>

#include "acedads.h"
#include "arxHeaders.h"
#include "arxhost/application.h"
#include "arxhost/view.h"
#include "event_sequences.h"

namespace {
using namespace arxtest;

// Keeps a marker line's start point on the max corner of what it watches, as an
// attached note keeps its icon there.
class Follower : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(Follower);
    static AcDbObjectId sMarker;
    static int sModified;
    static int sErased;
    void modified(const AcDbObject* obj) override
    {
        ++sModified;
        auto* ent = AcDbEntity::cast(obj);
        AcDbLine* marker = nullptr;
        if (ent == nullptr || acdbOpenObject(marker, sMarker, AcDb::kForWrite) != Acad::eOk) return;
        AcDbExtents ext;
        ent->getGeomExtents(ext);
        marker->setStartPoint(ext.maxPoint());
        marker->close();
    }
    void erased(const AcDbObject*, Adesk::Boolean erasing) override { sErased += erasing ? 1 : -1; }
};
AcDbObjectId Follower::sMarker;
int Follower::sModified = 0;
int Follower::sErased = 0;
ACRX_CONS_DEFINE_MEMBERS(Follower, AcDbObject, 0)

class PersistentReactors : public ::testing::Test {
protected:
    void SetUp() override
    {
        Follower::rxInit();
        app.setCommandLine([](const std::wstring&) {});
        app.setInputSource([this](std::wstring& a) {
            if (answers.empty()) return false;
            a = answers.front();
            answers.erase(answers.begin());
            return true;
        });
        std::string error;
        db = app.newDocument(error)->database();
        carrier = line({0, 0, 0}, {10, 0, 0});
        Follower::sMarker = line({50, 50, 0}, {60, 60, 0});
        auto* f = new Follower();
        AcDbObjectId followerId;
        EXPECT_EQ(db->addAcDbObject(followerId, f), Acad::eOk);
        f->close();
        AcDbLine* l = nullptr;
        EXPECT_EQ(acdbOpenObject(l, carrier, AcDb::kForWrite), Acad::eOk);
        l->addPersistentReactor(followerId);
        l->close();  // a change: the marker follows to (10, 0)
        Follower::sModified = Follower::sErased = 0;
        run(L"ZOOM", {L"E"});
    }

    AcDbObjectId line(AcGePoint3d a, AcGePoint3d b)
    {
        run(L"LINE", {std::to_wstring(a.x) + L"," + std::to_wstring(a.y), std::to_wstring(b.x) + L"," + std::to_wstring(b.y), L""});
        AcDbBlockTableRecord* ms = nullptr;
        AcDbObjectId last;
        acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForRead);
        AcDbBlockTableRecordIterator* it = nullptr;
        ms->newIterator(it);
        for (; !it->done(); it->step()) it->getEntityId(last);
        delete it;
        ms->close();
        return last;
    }

    void run(const std::wstring& name, std::vector<std::wstring> input)
    {
        answers = std::move(input);
        std::string message;
        app.runCommand(name, message);
    }

    static AcGePoint3d markerStart()
    {
        AcDbLine* l = nullptr;
        AcGePoint3d p;
        if (acdbOpenObject(l, Follower::sMarker, AcDb::kForRead) == Acad::eOk) {
            p = l->startPoint();
            l->close();
        }
        return p;
    }

    static void pixelOf(const AcGePoint3d& w, int& x, int& y)
    {
        arxhost::ViewState v;
        arxhost::currentView(v);
        const double scale = arxhost::viewHeight() / v.height;
        x = static_cast<int>(arxhost::viewWidth() / 2.0 + (w.x - v.centerX) * scale + 0.5);
        y = static_cast<int>(arxhost::viewHeight() / 2.0 - (w.y - v.centerY) * scale + 0.5);
    }

    arxhost::Application app;
    AcDbDatabase* db = nullptr;
    AcDbObjectId carrier;
    std::vector<std::wstring> answers;
};

TEST_F(PersistentReactors, MovingTheCarrierMovesWhatFollowsItAndUndoTakesBothBack)
{
    run(L"MOVE", {L"W", L"-1,-1", L"11,1", L"", L"0,0", L"5,5"});
    EXPECT_EQ(Follower::sModified, 1);
    EXPECT_EQ(markerStart(), AcGePoint3d(15, 5, 0));
    run(L"ROTATE", {L"W", L"4,4", L"16,6", L"", L"5,5", L"90"});
    EXPECT_EQ(Follower::sModified, 2);
    EXPECT_LT(markerStart().distanceTo(AcGePoint3d(5, 15, 0)), 1e-9);
    run(L"U", {});
    EXPECT_EQ(markerStart(), AcGePoint3d(15, 5, 0));
    run(L"U", {});
    EXPECT_EQ(markerStart(), AcGePoint3d(10, 0, 0));  // where it followed the carrier to when linked
}

TEST_F(PersistentReactors, AGripEditIsAChangeLikeAnyOther)
{
    int x = 0, y = 0;
    pixelOf({5, 0, 0}, x, y);
    ASSERT_EQ(arxhost::clickView(x, y), arxhost::ClickResult::kSelected);
    pixelOf({10, 0, 0}, x, y);
    answers = {L"10,8"};
    ASSERT_EQ(arxhost::clickView(x, y), arxhost::ClickResult::kGripEdited);
    EXPECT_EQ(Follower::sModified, 1);
    EXPECT_EQ(markerStart(), AcGePoint3d(10, 8, 0));
}

TEST_F(PersistentReactors, OnlyAChangeIsToldAndErasingIsToldBothWays)
{
    {
        AcDbLine* l = nullptr;
        ASSERT_EQ(acdbOpenObject(l, carrier, AcDb::kForWrite), Acad::eOk);
        l->close();  // opened for write, nothing changed
    }
    EXPECT_EQ(Follower::sModified, 0);
    run(L"ERASE", {L"W", L"-1,-1", L"11,1", L""});
    EXPECT_EQ(Follower::sErased, 1);
    run(L"U", {});
    EXPECT_EQ(Follower::sErased, 0);
    EXPECT_FALSE(carrier.isErased());
}

}  // namespace
