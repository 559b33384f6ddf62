// Object selection: a point picks the topmost entity within the pick box (on
// empty space it starts a window), W takes what lies inside, C what lies inside
// or crosses, ALL everything shown, L the last, P the previous set; chosen
// entities are highlighted while the command runs.
#include "drawing_host.h"

namespace {

class Selection : public DrawingHost {
protected:
    void SetUp() override
    {
        DrawingHost::SetUp();
        view(0, 0, 768);  // a unit a pixel
    }

    // Runs ERASE with these selection answers and says what was erased.
    std::vector<bool> erasedBy(const std::vector<AcDbObjectId>& ids, std::vector<std::wstring> replies)
    {
        replies.push_back(L"");
        run(L"ERASE", replies);
        std::vector<bool> erased;
        for (const AcDbObjectId& id : ids) erased.push_back(id.isErased());
        return erased;
    }
};

TEST_F(Selection, APointPicksWithinThePickBoxAndOnlyThere)
{
    AcDbObjectId a = line(0, 0, 100, 0);
    AcDbObjectId b = line(0, 10, 100, 10);
    // Three pixels of pick box: 3 units away picks, 4 does not (it starts a window).
    EXPECT_EQ(erasedBy({a, b}, {L"50,3"}), (std::vector<bool>{true, false}));
    EXPECT_EQ(erasedBy({b}, {L"50,14", L"51,15"}), (std::vector<bool>{false}));
}

TEST_F(Selection, ThePickTakesTheTopmostOfEntitiesThatOverlap)
{
    AcDbObjectId under = line(0, 0, 100, 0);
    AcDbObjectId over = line(0, 0, 100, 0);
    EXPECT_EQ(erasedBy({under, over}, {L"50,0"}), (std::vector<bool>{false, true}));
}

TEST_F(Selection, AWindowTakesWhatLiesInsideAndACrossingWindowWhatItMeets)
{
    AcDbObjectId inside = line(10, 10, 20, 10);
    AcDbObjectId across = line(10, 20, 90, 20);
    AcDbObjectId outside = line(10, 90, 20, 90);
    EXPECT_EQ(erasedBy({inside, across, outside}, {L"W", L"0,0", L"50,50"}),
              (std::vector<bool>{true, false, false}));
    EXPECT_EQ(erasedBy({across, outside}, {L"C", L"50,0", L"60,50"}), (std::vector<bool>{true, false}));
}

TEST_F(Selection, AWindowStartedOnEmptySpaceCrossesWhenDrawnLeftwards)
{
    AcDbObjectId across = line(10, 20, 90, 20);
    EXPECT_EQ(erasedBy({across}, {L"50,0", L"60,50"}), (std::vector<bool>{false}));  // rightwards: inside only
    EXPECT_EQ(erasedBy({across}, {L"60,0", L"50,50"}), (std::vector<bool>{true}));
}

TEST_F(Selection, AllLastAndPrevious)
{
    AcDbObjectId a = line(0, 0, 10, 0);
    AcDbObjectId b = line(0, 10, 10, 10);
    AcDbObjectId c = line(0, 20, 10, 20);
    EXPECT_EQ(run(L"MOVE", {L"L", L"", L"0,0", L"0,1"}), arxhost::CommandResult::kEnded);
    expectNear(start(c), 0, 21);
    expectNear(start(b), 0, 10);
    EXPECT_EQ(run(L"MOVE", {L"P", L"", L"0,0", L"0,1"}), arxhost::CommandResult::kEnded);
    expectNear(start(c), 0, 22);
    EXPECT_EQ(erasedBy({a, b, c}, {L"ALL"}), (std::vector<bool>{true, true, true}));
}

TEST_F(Selection, TheCountsOfWhatWasFoundAreSaid)
{
    line(0, 0, 10, 0);
    line(0, 10, 10, 10);
    run(L"ERASE", {L"5,0", L"5,0", L"ALL", L""});
    EXPECT_NE(commandLine.find(L"1 found\n"), std::wstring::npos);
    EXPECT_NE(commandLine.find(L"1 found (1 duplicate), 1 total\n"), std::wstring::npos);
    EXPECT_NE(commandLine.find(L"2 found (1 duplicate), 2 total\n"), std::wstring::npos);
}

TEST_F(Selection, NonsenseIsExplainedAndAskedAgainAndCancelEndsTheCommand)
{
    AcDbObjectId a = line(0, 0, 10, 0);
    run(L"ERASE", {L"banana", L"5,0", L""});
    EXPECT_NE(commandLine.find(L"*Invalid selection*"), std::wstring::npos);
    EXPECT_TRUE(a.isErased());
    AcDbObjectId b = line(0, 0, 10, 0);
    answers = {L"5,0"};  // then no more answers: the prompt is cancelled
    next = 0;
    std::string message;
    EXPECT_EQ(app.runCommand(L"ERASE", message), arxhost::CommandResult::kCancelled);
    EXPECT_FALSE(b.isErased());
    EXPECT_FALSE(highlighted(b));
}

TEST_F(Selection, ChosenEntitiesAreHighlightedWhileTheCommandRunsOnly)
{
    AcDbObjectId a = line(0, 0, 10, 0);
    AcDbObjectId b = line(0, 10, 10, 10);
    std::vector<bool> seen;
    onPrompt = [&] {
        if (next == 1) seen = {highlighted(a), highlighted(b)};
    };
    run(L"MOVE", {L"5,0", L"", L"0,0", L"1,0"});
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
    EXPECT_FALSE(highlighted(a));
}

TEST_F(Selection, EntitiesOnLayersTurnedOffCannotBePickedAndFrozenOnesAreLeftOutOfAll)
{
    AcDbLayerTable* table = nullptr;
    ASSERT_EQ(db->getLayerTable(table, AcDb::kForWrite), Acad::eOk);
    auto* off = new AcDbLayerTableRecord();
    off->setName(L"OFF");
    off->setIsOff(true);
    AcDbObjectId offId;
    table->add(offId, off);
    off->close();
    auto* frozen = new AcDbLayerTableRecord();
    frozen->setName(L"FROZEN");
    frozen->setIsFrozen(true);
    AcDbObjectId frozenId;
    table->add(frozenId, frozen);
    frozen->close();
    table->close();
    auto* l1 = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
    l1->setLayer(offId);
    AcDbObjectId a = add(l1);
    auto* l2 = new AcDbLine(AcGePoint3d(0, 10, 0), AcGePoint3d(10, 10, 0));
    l2->setLayer(frozenId);
    AcDbObjectId b = add(l2);
    EXPECT_EQ(erasedBy({a}, {L"5,0", L"6,1"}), (std::vector<bool>{false}));
    EXPECT_EQ(erasedBy({a, b}, {L"ALL"}), (std::vector<bool>{true, false}));
}

}  // namespace
