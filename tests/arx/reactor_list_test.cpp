// Reactor lists that change while they are being told: a reactor may remove
// itself, remove another or add one during its notification. Each reactor on
// the list when the notification began is told once at most: once if it is
// still there at its turn, not at all if an earlier one removed it (it may be
// gone); one added meanwhile hears the next notification, not this one.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "arx_test_util.h"
#include "event_sequences.h"

namespace {
using namespace arxtest;

// Writes its name into a shared trace, then does what it was told to.
class Actor : public AcDbObjectReactor {
public:
    Actor(std::string name, Events& trace) : mName(std::move(name)), mTrace(trace) {}
    std::function<void(const AcDbObject*)> onErased;
    void erased(const AcDbObject* obj, Adesk::Boolean) override
    {
        mTrace.push_back(mName);
        if (onErased) onErased(obj);
    }

private:
    std::string mName;
    Events& mTrace;
};

// A database-resident reactor that counts the erasures it hears.
class ListWatcher : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(ListWatcher);
    static int sTold;
    void erased(const AcDbObject*, Adesk::Boolean) override { ++sTold; }
};
int ListWatcher::sTold = 0;
ACRX_CONS_DEFINE_MEMBERS(ListWatcher, AcDbObject, 0)

void eraseAndUnerase(AcDbObjectId id)
{
    {
        Opened<AcDbLine> line(id, AcDb::kForWrite);
        line->erase();
    }
    Opened<AcDbLine> line(id, AcDb::kForWrite, true);
    line->erase(false);
}

TEST(ReactorLists, AReactorThatRemovesItselfIsToldOnceAndTheRestStillAre)
{
    // The reactors outlive the database, which tells those still listed goodbye.
    Events trace;
    Actor a("a", trace), b("b", trace), c("c", trace);
    AcDbDatabase db;
    AcDbObjectId id = addLine(db);
    b.onErased = [&](const AcDbObject* obj) { obj->removeReactor(&b); };
    {
        Opened<AcDbLine> line(id);
        for (Actor* r : {&a, &b, &c}) line->addReactor(r);
    }
    eraseAndUnerase(id);
    // The erasure reached all three; the unerasure only those still listed.
    EXPECT_EQ(trace, (Events{"a", "b", "c", "a", "c"}));
}

TEST(ReactorLists, AReactorAddedDuringANotificationHearsTheNextOne)
{
    Events trace;
    Actor a("a", trace), late("late", trace);
    AcDbDatabase db;
    AcDbObjectId id = addLine(db);
    bool added = false;
    a.onErased = [&](const AcDbObject* obj) {
        if (!added) obj->addReactor(&late);
        added = true;
    };
    {
        Opened<AcDbLine> line(id);
        line->addReactor(&a);
    }
    eraseAndUnerase(id);
    EXPECT_EQ(trace, (Events{"a", "a", "late"}));
}

TEST(ReactorLists, AReactorRemovedByAnEarlierOneIsNotToldAndNoneTwice)
{
    Events trace;
    auto* doomed = new Actor("doomed", trace);
    Actor first("first", trace), last("last", trace);
    AcDbDatabase db;
    AcDbObjectId id = addLine(db);
    // The first takes the second away and deletes it, then adds it back
    // under a new object: neither the deleted one nor the new one is told now.
    Actor* again = nullptr;
    first.onErased = [&](const AcDbObject* obj) {
        if (again != nullptr) return;
        obj->removeReactor(doomed);
        delete doomed;
        again = new Actor("again", trace);
        obj->addReactor(again);
        obj->addReactor(&first);  // already listed: still told once
    };
    {
        Opened<AcDbLine> line(id);
        for (Actor* r : {&first, doomed, &last}) line->addReactor(r);
    }
    {
        Opened<AcDbLine> line(id, AcDb::kForWrite);
        line->erase();
    }
    EXPECT_EQ(trace, (Events{"first", "last"}));
    {
        Opened<AcDbLine> line(id, AcDb::kForRead, true);
        line->removeReactor(again);
    }
    delete again;
}

TEST(ReactorLists, PersistentReactorsRemovedMeanwhileAreSkipped)
{
    ListWatcher::rxInit();
    AcDbDatabase db;
    AcDbObjectId id = addLine(db);
    AcDbObjectId watcher;
    auto* w = new ListWatcher();
    ASSERT_EQ(db.addAcDbObject(watcher, w), Acad::eOk);
    w->close();
    Events trace;
    Actor remover("remover", trace);
    // The transient reactor, told first, takes the persistent one off.
    remover.onErased = [&](const AcDbObject* obj) {
        auto* carrier = const_cast<AcDbObject*>(obj);
        carrier->removePersistentReactor(watcher);
    };
    {
        Opened<AcDbLine> line(id, AcDb::kForWrite);
        line->addReactor(&remover);
        line->addPersistentReactor(watcher);
    }
    ListWatcher::sTold = 0;
    {
        Opened<AcDbLine> line(id, AcDb::kForWrite);
        line->erase();
    }
    EXPECT_EQ(trace, Events{"remover"});
    EXPECT_EQ(ListWatcher::sTold, 0);
    Opened<AcDbLine> line(id, AcDb::kForRead, true);
    line->removeReactor(&remover);
}

}  // namespace
