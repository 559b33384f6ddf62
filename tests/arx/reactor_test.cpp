// Reactors: transient reactors hear what happens to the objects they watch, in
// the orders of event_sequences.h; persistent reactors (objects named by id)
// hear it through their own notification members.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "arx_test_util.h"
#include "event_sequences.h"
#include "temp_dir.h"

namespace {
using namespace arxtest;


class GraphicsRecorder : public AcDbEntityReactor {
public:
    int graphics = 0;
    void modifiedGraphics(const AcDbEntity*) override { ++graphics; }
};

// A database-resident reactor: counts what it hears from the objects that carry it.
class TestPersistentReactor : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(TestPersistentReactor);
    static int sModified;
    static int sErased;
    static int sUnerased;
    static AcDbObjectId sLastSender;
    void modified(const AcDbObject* obj) override
    {
        ++sModified;
        sLastSender = obj->objectId();
        EXPECT_TRUE(isNotifyEnabled());
    }
    void erased(const AcDbObject*, Adesk::Boolean erasing) override { ++(erasing ? sErased : sUnerased); }
};
int TestPersistentReactor::sModified = 0;
int TestPersistentReactor::sErased = 0;
int TestPersistentReactor::sUnerased = 0;
AcDbObjectId TestPersistentReactor::sLastSender;
ACRX_CONS_DEFINE_MEMBERS(TestPersistentReactor, AcDbObject, 0)

TEST(Reactors, TransientReactorHearsEraseBothWaysAndModified)
{
    AcDbDatabase db;
    AcDbObjectId id = addLine(db);
    ObjectEvents rec;
    {
        Opened<AcDbLine> line(id);
        line->addReactor(&rec);
        line->addReactor(&rec);  // once is enough
        ASSERT_NE(line->reactors(), nullptr);
        EXPECT_EQ(line->reactors()->length(), 1);
        EXPECT_FALSE(acdbIsPersistentReactor(line->reactors()->at(0)));
    }
    {
        Opened<AcDbLine> line(id, AcDb::kForWrite);
        line->setStartPoint({3, 3, 0});
    }
    EXPECT_EQ(rec.heard, kModifiedSeq);
    rec.heard.clear();
    {
        Opened<AcDbLine> line(id, AcDb::kForWrite);
        EXPECT_EQ(line->erase(), Acad::eOk);
    }
    EXPECT_EQ(rec.heard, kErasedSeq);
    rec.heard.clear();
    {
        Opened<AcDbLine> line(id, AcDb::kForWrite, true);
        EXPECT_EQ(line->erase(false), Acad::eOk);
    }
    EXPECT_EQ(rec.heard, kUnerasedSeq);
    rec.heard.clear();
    {
        Opened<AcDbLine> line(id);
        line->removeReactor(&rec);
    }
    {
        Opened<AcDbLine> line(id, AcDb::kForWrite);
        line->setStartPoint({4, 4, 0});
    }
    EXPECT_TRUE(rec.heard.empty());
}

TEST(Reactors, ClosingWithoutChangeSendsNoModified)
{
    AcDbDatabase db;
    AcDbObjectId id = addLine(db);
    ObjectEvents rec;
    {
        Opened<AcDbLine> line(id);
        line->addReactor(&rec);
    }
    { Opened<AcDbLine> line(id, AcDb::kForWrite); }
    EXPECT_EQ(rec.heard, kClosedUnchangedSeq);
    {
        Opened<AcDbLine> line(id, AcDb::kForWrite);
        line->removeReactor(&rec);
    }
}

TEST(Reactors, CancelTellsCancelledNotModified)
{
    AcDbDatabase db;
    AcDbObjectId id = addLine(db);
    ObjectEvents rec;
    AcDbLine* line = nullptr;
    ASSERT_EQ(acdbOpenObject(line, id, AcDb::kForWrite), Acad::eOk);
    line->addReactor(&rec);
    line->setEndPoint({9, 9, 9});
    line->cancel();
    EXPECT_EQ(rec.heard, kCancelledSeq);
    Opened<AcDbLine> again(id);
    again->removeReactor(&rec);
}

TEST(Reactors, XDataAndGraphicsChangesAreTold)
{
    AcDbDatabase db;
    {
        Opened<AcDbRegAppTable> apps(db.regAppTableId(), AcDb::kForWrite);
        auto* app = new AcDbRegAppTableRecord();
        app->setName(L"TESTAPP");
        ASSERT_EQ(apps->add(app), Acad::eOk);
        app->close();
    }
    AcDbObjectId id = addLine(db);
    ObjectEvents rec;
    GraphicsRecorder gfx;
    {
        Opened<AcDbLine> line(id);
        line->addReactor(&rec);
        line->addReactor(&gfx);
    }
    {
        Opened<AcDbLine> line(id, AcDb::kForWrite);
        resbuf* xd = acutBuildList(AcDb::kDxfRegAppName, L"TESTAPP", AcDb::kDxfXdInteger16, 7, RTNONE);
        EXPECT_EQ(line->setXData(xd), Acad::eOk);
        acutRelRb(xd);
        line->setColorIndex(1);
    }
    EXPECT_EQ(rec.heard, kXDataModifiedSeq);
    EXPECT_EQ(gfx.graphics, 1);
    Opened<AcDbLine> line(id);
    line->removeReactor(&rec);
    line->removeReactor(&gfx);
}

TEST(Reactors, TransientReactorsHearGoodbyeWhenTheDatabaseGoes)
{
    ObjectEvents rec;
    {
        AcDbDatabase db;
        AcDbObjectId id = addLine(db);
        Opened<AcDbLine> line(id);
        line->addReactor(&rec);
    }
    EXPECT_EQ(rec.heard, Events{"goodbye"});
}

TEST(Reactors, PersistentReactorHearsModifiedWhenTheCarrierIsClosed)
{
    TestPersistentReactor::rxInit();
    AcDbDatabase db;
    AcDbObjectId reactorId;
    auto* reactor = new TestPersistentReactor();
    ASSERT_EQ(db.addAcDbObject(reactorId, reactor), Acad::eOk);
    EXPECT_TRUE(reactor->isWriteEnabled());  // a new object stays open until closed
    reactor->close();
    AcDbObjectId lineId = addLine(db);
    {
        Opened<AcDbLine> line(lineId, AcDb::kForWrite);
        line->addPersistentReactor(reactorId);
        line->addPersistentReactor(reactorId);
        EXPECT_TRUE(line->hasPersistentReactor(reactorId));
        ASSERT_EQ(line->reactors()->length(), 1);
        void* p = line->reactors()->at(0);
        EXPECT_TRUE(acdbIsPersistentReactor(p));
        EXPECT_EQ(acdbPersistentReactorObjectId(p), reactorId);
    }
    TestPersistentReactor::sModified = 0;
    {
        Opened<AcDbLine> line(lineId, AcDb::kForWrite);
        line->setEndPoint({7, 7, 0});
        EXPECT_EQ(TestPersistentReactor::sModified, 0);  // told at close, not before
    }
    EXPECT_EQ(TestPersistentReactor::sModified, 1);
    EXPECT_EQ(TestPersistentReactor::sLastSender, lineId);
    {
        Opened<AcDbLine> line(lineId, AcDb::kForWrite);
        line->erase();
    }
    EXPECT_EQ(TestPersistentReactor::sErased, 1);
    {
        Opened<AcDbLine> line(lineId, AcDb::kForWrite, true);
        line->erase(false);
    }
    EXPECT_EQ(TestPersistentReactor::sUnerased, 1);
    {
        Opened<AcDbLine> line(lineId, AcDb::kForWrite);
        EXPECT_EQ(line->removePersistentReactor(reactorId), Acad::eOk);
        EXPECT_EQ(line->removePersistentReactor(reactorId), Acad::eKeyNotFound);
        EXPECT_FALSE(line->hasPersistentReactor(reactorId));
    }
    TestPersistentReactor::sModified = 0;
    {
        Opened<AcDbLine> line(lineId, AcDb::kForWrite);
        line->setEndPoint({8, 8, 0});
    }
    EXPECT_EQ(TestPersistentReactor::sModified, 0);
}

// A reactor listed twice in a file's reactor group is one reactor; the
// others keep their order.
TEST(Reactors, PersistentReactorsReadFromDxfAreListedOnce)
{
    TempDir dir;
    AcDbDatabase db;
    AcDbObjectId first, second;
    {
        Opened<AcDbDictionary> nod(db.namedObjectsDictionaryId(), AcDb::kForWrite);
        auto* a = new AcDbXrecord();
        auto* b = new AcDbXrecord();
        ASSERT_EQ(nod->setAt(L"FIRST", a, first), Acad::eOk);
        ASSERT_EQ(nod->setAt(L"SECOND", b, second), Acad::eOk);
        a->close();
        b->close();
    }
    AcDbObjectId lineId = addLine(db);
    {
        Opened<AcDbLine> line(lineId, AcDb::kForWrite);
        line->addPersistentReactor(first);
        line->addPersistentReactor(second);
    }
    save(db, dir.file("a.dxf"));
    std::string text = readText(dir.file("a.dxf"));
    const std::string group = "102\n{ACAD_REACTORS\n330\n" + handleOf(first) + "\n330\n" + handleOf(second) + "\n";
    size_t at = text.find(group);
    ASSERT_NE(at, std::string::npos);
    text.insert(at + group.size(), "330\n" + handleOf(first) + "\n330\n" + handleOf(second) + "\n");
    writeText(dir.file("b.dxf"), text);
    AcDbDatabase back(false, true);
    open(back, dir.file("b.dxf"));
    AcDbObjectId line2, first2, second2;
    ASSERT_EQ(back.getAcDbObjectId(line2, false, lineId.handle()), Acad::eOk);
    ASSERT_EQ(back.getAcDbObjectId(first2, false, first.handle()), Acad::eOk);
    ASSERT_EQ(back.getAcDbObjectId(second2, false, second.handle()), Acad::eOk);
    Opened<AcDbLine> line(line2);
    ASSERT_TRUE(line);
    ASSERT_NE(line->reactors(), nullptr);
    ASSERT_EQ(line->reactors()->length(), 2);
    EXPECT_EQ(acdbPersistentReactorObjectId(line->reactors()->at(0)), first2);
    EXPECT_EQ(acdbPersistentReactorObjectId(line->reactors()->at(1)), second2);
}

TEST(Reactors, PersistentReactorOpenForWriteIsSkipped)
{
    TestPersistentReactor::rxInit();
    AcDbDatabase db;
    AcDbObjectId reactorId;
    auto* reactor = new TestPersistentReactor();
    ASSERT_EQ(db.addAcDbObject(reactorId, reactor), Acad::eOk);
    reactor->close();
    AcDbObjectId lineId = addLine(db);
    {
        Opened<AcDbLine> line(lineId, AcDb::kForWrite);
        line->addPersistentReactor(reactorId);
    }
    TestPersistentReactor::sModified = 0;
    Opened<TestPersistentReactor> busy(reactorId, AcDb::kForWrite);
    {
        Opened<AcDbLine> line(lineId, AcDb::kForWrite);
        line->setEndPoint({1, 2, 3});
    }
    EXPECT_EQ(TestPersistentReactor::sModified, 0);
}

}  // namespace
