// Run-time classes: the class dictionary, both forms of newAcRxClass,
// deleteAcRxClass, acrxBuildClassHierarchy, the kind tests and acrx_abort.
#include <gtest/gtest.h>

#include "arxHeaders.h"

namespace {

class TestRxBase : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(TestRxBase);
};
class TestRxChild : public TestRxBase {
public:
    ACRX_DECLARE_MEMBERS(TestRxChild);
};
class TestRxStranger : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(TestRxStranger);
};
ACRX_CONS_DEFINE_MEMBERS(TestRxBase, AcDbObject, 0)
ACRX_NO_CONS_DEFINE_MEMBERS(TestRxStranger, AcDbObject)
ACRX_DXF_DEFINE_MEMBERS(TestRxChild, TestRxBase, AcDb::kDHL_CURRENT, AcDb::kMReleaseCurrent, 0x81, TESTRXCHILD,
                        TestApp)

AcRxDictionary* classes() { return acrxClassDictionary; }

TEST(RxClass, BuiltInClassesAreRegisteredWithTheirParents)
{
    ASSERT_NE(classes(), nullptr);
    EXPECT_EQ(classes()->at(L"AcDbLine"), AcDbLine::desc());
    EXPECT_EQ(AcDbLine::desc()->myParent(), AcDbCurve::desc());
    EXPECT_TRUE(AcDbLine::desc()->isDerivedFrom(AcDbEntity::desc()));
    EXPECT_TRUE(AcDbLine::desc()->isDerivedFrom(AcRxObject::desc()));
    EXPECT_FALSE(AcDbEntity::desc()->isDerivedFrom(AcDbLine::desc()));
    EXPECT_STREQ(AcDbLine::desc()->dxfName(), L"LINE");
    EXPECT_STREQ(AcDbLine::desc()->name(), L"AcDbLine");
    EXPECT_EQ(AcRxClass::desc()->isA(), AcRxClass::desc());
    EXPECT_EQ(AcRxClass::cast(AcDbLine::desc()), AcDbLine::desc());
}

TEST(RxClass, KindTestsAndCast)
{
    AcDbLine line;
    AcDbObject* obj = &line;
    EXPECT_EQ(obj->isA(), AcDbLine::desc());
    EXPECT_TRUE(obj->isKindOf(AcDbEntity::desc()));
    EXPECT_FALSE(obj->isKindOf(AcDbCircle::desc()));
    EXPECT_EQ(AcDbEntity::cast(obj), &line);
    EXPECT_EQ(AcDbCircle::cast(obj), nullptr);
    EXPECT_EQ(AcDbCircle::cast(nullptr), nullptr);
    AcDbDictionary dict;
    EXPECT_EQ(AcDbEntity::cast(&dict), nullptr);
}

TEST(RxClass, CreateUsesThePseudoConstructor)
{
    AcRxObject* made = AcDbCircle::desc()->create();
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->isA(), AcDbCircle::desc());
    delete made;
    EXPECT_EQ(AcDbEntity::desc()->create(), nullptr);  // abstract
}

TEST(RxClass, LongFormCarriesVersionDxfAndApplicationNames)
{
    TestRxBase::rxInit();
    TestRxChild::rxInit();
    acrxBuildClassHierarchy();
    AcRxClass* c = TestRxChild::desc();
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->myParent(), TestRxBase::desc());
    EXPECT_STREQ(c->dxfName(), L"TESTRXCHILD");
    EXPECT_STREQ(c->appName(), L"TestApp");
    EXPECT_EQ(c->proxyFlags(), 0x81);
    int dwg = 0, maint = 0;
    c->getClassVersion(dwg, maint);
    EXPECT_EQ(dwg, AcDb::kDHL_CURRENT);
    EXPECT_EQ(maint, AcDb::kMReleaseCurrent);
    // rxInit a second time, in either form, keeps the same class.
    TestRxChild::rxInit();
    TestRxChild::rxInit(nullptr);
    EXPECT_EQ(TestRxChild::desc(), c);
    AcRxObject* made = c->create();
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->isKindOf(TestRxBase::desc()));
    EXPECT_TRUE(made->isKindOf(AcDbObject::desc()));
    delete made;
}

TEST(RxClass, ShortFormAndHierarchyBuiltLater)
{
    // A child registered before its parent gets the parent once the hierarchy is built.
    AcRxClass* child = newAcRxClass(L"TestLateChild", L"TestLateParent", 0, nullptr, L"LATECHILD", L"App");
    EXPECT_EQ(child->myParent(), nullptr);
    AcRxClass* parent = newAcRxClass(L"TestLateParent", L"AcDbObject");
    EXPECT_EQ(parent->myParent(), AcDbObject::desc());
    acrxBuildClassHierarchy();
    EXPECT_EQ(child->myParent(), parent);
    EXPECT_TRUE(child->isDerivedFrom(AcDbObject::desc()));
    int dwg = -1, maint = -1;
    child->getClassVersion(dwg, maint);
    EXPECT_EQ(dwg, 0);
    EXPECT_EQ(maint, 0);
    EXPECT_STREQ(child->dxfName(), L"LATECHILD");
}

TEST(RxClass, DeleteRemovesTheClassFromTheDictionary)
{
    AcRxClass* c = newAcRxClass(L"TestDoomed", L"AcDbObject");
    ASSERT_EQ(classes()->at(L"TestDoomed"), c);
    const Adesk::UInt32 before = classes()->numEntries();
    deleteAcRxClass(c);
    EXPECT_EQ(classes()->at(L"TestDoomed"), nullptr);
    EXPECT_FALSE(classes()->has(L"TestDoomed"));
    EXPECT_EQ(classes()->numEntries(), before - 1);
    // The name may be registered again, as when a module is loaded anew.
    AcRxClass* again = newAcRxClass(L"TestDoomed", L"AcDbObject");
    EXPECT_NE(again, nullptr);
    EXPECT_EQ(classes()->at(L"TestDoomed"), again);
}

TEST(RxClass, DictionaryIteratesEveryClassOnce)
{
    AcRxDictionaryIterator* it = classes()->newIterator();
    Adesk::UInt32 n = 0;
    bool sawLine = false;
    for (; !it->done(); it->next()) {
        ++n;
        ASSERT_NE(AcRxClass::cast(it->object()), nullptr) << it->key();
        if (std::wstring(it->key()) == L"AcDbLine") sawLine = true;
    }
    delete it;
    EXPECT_EQ(n, classes()->numEntries());
    EXPECT_TRUE(sawLine);
}

// rxInit consults the class dictionary only once the class object is known
// (ACRX_STATIC_CHECK): a class deleted from the dictionary, as when its module
// went, is registered anew by the next rxInit.
TEST(RxClass, RxInitRegistersAgainAClassNoLongerInTheDictionary)
{
    TestRxBase::rxInit();
    AcRxClass* first = TestRxBase::desc();
    ASSERT_NE(first, nullptr);
    deleteAcRxClass(first);
    TestRxBase::rxInit();
    EXPECT_NE(TestRxBase::desc(), first);
    EXPECT_EQ(classes()->at(L"TestRxBase"), TestRxBase::desc());
}

TEST(RxClassDeathTest, RxInitStopsWhenAnotherClassTookTheNameOfAKnownClass)
{
    TestRxBase::rxInit();
    deleteAcRxClass(TestRxBase::desc());
    newAcRxClass(L"TestRxBase", L"AcDbObject");  // another module's class
    EXPECT_EXIT(TestRxBase::rxInit(), testing::ExitedWithCode(3), "Class mismatch");
}

TEST(RxClassDeathTest, RxInitOfAClassNotYetKnownRefusesANameTaken)
{
    newAcRxClass(L"TestRxStranger", L"AcDbObject");
    EXPECT_EXIT(TestRxStranger::rxInit(), testing::ExitedWithCode(3), "Class mismatch: TestRxStranger");
}

// A class asked for before its rxInit takes whatever class the dictionary holds
// under its name, and its rxInit then finds that very class and does nothing.
TEST(RxClass, AClassAskedForBeforeItsRxInitTakesTheClassHoldingItsName)
{
    AcRxClass* other = newAcRxClass(L"TestRxStranger", L"AcDbObject");
    TestRxStranger object;
    EXPECT_EQ(object.isA(), other);
    TestRxStranger::rxInit();
    EXPECT_EQ(TestRxStranger::desc(), other);
}

TEST(RxClassDeathTest, AbortPrintsItsMessageAndEndsTheProcess)
{
    EXPECT_EXIT(acrx_abort(L"broken state %d in %ls", 42, L"here"), testing::ExitedWithCode(3),
                "broken state 42 in here");
}

TEST(RxClassDeathTest, RegisteringANameTwiceAborts)
{
    EXPECT_EXIT(newAcRxClass(L"AcDbLine", L"AcDbCurve"), testing::ExitedWithCode(3), "AcDbLine");
}

}  // namespace
