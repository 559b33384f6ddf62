// Dictionaries: the named objects dictionary, entries by key without regard to
// case, replacing an entry, renaming and removing, and the iterator skipping
// erased entries.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "arx_test_util.h"

namespace {
using namespace arxtest;

TEST(Dictionaries, NamedObjectsDictionaryHoldsEntriesByKey)
{
    AcDbDatabase db;
    AcDbDictionary* nod = nullptr;
    ASSERT_EQ(db.getNamedObjectsDictionary(nod, AcDb::kForWrite), Acad::eOk);
    EXPECT_TRUE(nod->has(L"ACAD_LAYOUT"));
    EXPECT_TRUE(nod->has(L"acad_group"));
    auto* mine = new AcDbDictionary();
    AcDbObjectId mineId;
    ASSERT_EQ(nod->setAt(L"MY_APP", mine, mineId), Acad::eOk);
    EXPECT_TRUE(mine->isWriteEnabled());
    mine->close();
    EXPECT_TRUE(nod->has(mineId));
    AcDbObjectId got;
    EXPECT_EQ(nod->getAt(L"my_app", got), Acad::eOk);
    EXPECT_EQ(got, mineId);
    AcString key;
    EXPECT_EQ(nod->nameAt(mineId, key), Acad::eOk);
    EXPECT_EQ(key, L"MY_APP");
    EXPECT_EQ(nod->getAt(L"NOTHING", got), Acad::eKeyNotFound);
    auto* unnamed = new AcDbDictionary();
    EXPECT_EQ(nod->setAt(L"", unnamed, got), Acad::eInvalidKey);
    delete unnamed;  // refused: still the caller's
    nod->close();
    Opened<AcDbDictionary> opened(mineId);
    EXPECT_EQ(opened->ownerId(), db.namedObjectsDictionaryId());
}

TEST(Dictionaries, ReplacingAnEntryErasesTheOldObjectAndIteratorSkipsErased)
{
    AcDbDatabase db;
    AcDbObjectId dictId;
    {
        Opened<AcDbDictionary> nod(db.namedObjectsDictionaryId(), AcDb::kForWrite);
        auto* d = new AcDbDictionary();
        nod->setAt(L"STORE", d, dictId);
        d->close();
    }
    Opened<AcDbDictionary> dict(dictId, AcDb::kForWrite);
    AcDbObjectId first, second, third;
    auto* x1 = new AcDbXrecord();
    ASSERT_EQ(dict->setAt(L"B", x1, first), Acad::eOk);
    x1->close();
    auto* x2 = new AcDbXrecord();
    ASSERT_EQ(dict->setAt(L"b", x2, second), Acad::eOk);  // same key, other case
    x2->close();
    EXPECT_TRUE(first.isErased());
    EXPECT_EQ(dict->numEntries(), 1u);
    auto* x3 = new AcDbXrecord();
    ASSERT_EQ(dict->setAt(L"A", x3, third), Acad::eOk);
    x3->close();
    {
        Opened<AcDbXrecord> x(third, AcDb::kForWrite);
        x->erase();
    }
    EXPECT_EQ(dict->numEntries(), 1u);
    EXPECT_FALSE(dict->has(L"A"));
    AcDbObjectId dummy;
    EXPECT_EQ(dict->getAt(L"A", dummy), Acad::eKeyNotFound);
    auto* x4 = new AcDbXrecord();
    ASSERT_EQ(dict->setAt(L"C", x4, dummy), Acad::eOk);
    x4->close();
    std::vector<std::wstring> keys;
    AcDbDictionaryIterator* it = dict->newIterator();
    for (; !it->done(); it->next()) {
        keys.push_back(it->name());
        AcDbObject* obj = nullptr;
        ASSERT_EQ(it->getObject(obj), Acad::eOk);
        EXPECT_EQ(obj->objectId(), it->objectId());
        obj->close();
    }
    delete it;
    EXPECT_EQ(keys, (std::vector<std::wstring>{L"B", L"C"}));
    EXPECT_EQ(dict->setName(L"C", L"B"), Acad::eDuplicateKey);
    EXPECT_EQ(dict->setName(L"C", L"D"), Acad::eOk);
    EXPECT_TRUE(dict->has(L"D"));
    EXPECT_EQ(dict->remove(L"D"), Acad::eOk);
    EXPECT_EQ(dict->remove(L"D"), Acad::eKeyNotFound);
}

}  // namespace
