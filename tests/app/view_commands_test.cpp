// ZOOM and PAN as the host's users answer them.
#include "drawing_host.h"

namespace {

class ViewCommands : public DrawingHost {};

TEST_F(ViewCommands, ZoomExtentsShowsEverythingAFewPixelsInFromTheEdge)
{
    line(-10, -10, 30, 10);
    line(0, 0, 0, 30);
    EXPECT_EQ(run(L"ZOOM", {L"e"}), arxhost::CommandResult::kEnded);
    arxhost::ViewState v = currentView();
    EXPECT_DOUBLE_EQ(v.centerX, 10);
    EXPECT_DOUBLE_EQ(v.centerY, 10);
    // 40 tall and 40 wide: the height decides.
    EXPECT_DOUBLE_EQ(v.height, 40.0 * 768 / (768 - 8));
}

TEST_F(ViewCommands, ZoomCenterTakesAHeightOrAFactor)
{
    view(0, 0, 10);
    EXPECT_EQ(run(L"ZOOM", {L"C", L"5,6", L"20"}), arxhost::CommandResult::kEnded);
    arxhost::ViewState v = currentView();
    EXPECT_EQ(v.centerX, 5);
    EXPECT_EQ(v.centerY, 6);
    EXPECT_EQ(v.height, 20);
    EXPECT_EQ(run(L"ZOOM", {L"C", L"0,0", L"4x"}), arxhost::CommandResult::kEnded);
    EXPECT_EQ(currentView().height, 5);
    // An empty answer keeps the height; nonsense is asked again.
    EXPECT_EQ(run(L"ZOOM", {L"C", L"1,1", L"tall", L"-3", L""}), arxhost::CommandResult::kEnded);
    EXPECT_EQ(currentView().height, 5);
    EXPECT_EQ(currentView().centerX, 1);
}

TEST_F(ViewCommands, ZoomWindowFitsTheWindowAndAFirstCornerStartsOne)
{
    view(0, 0, 10);
    EXPECT_EQ(run(L"ZOOM", {L"W", L"0,0", L"40,10"}), arxhost::CommandResult::kEnded);
    arxhost::ViewState v = currentView();
    EXPECT_EQ(v.centerX, 20);
    EXPECT_EQ(v.centerY, 5);
    EXPECT_DOUBLE_EQ(v.height, 40.0 * 768 / 1024);  // the width decides
    EXPECT_EQ(run(L"ZOOM", {L"2,2", L"4,8"}), arxhost::CommandResult::kEnded);
    EXPECT_EQ(currentView().height, 6);
    // A window without size is refused and the view stays.
    EXPECT_EQ(run(L"ZOOM", {L"1,1", L"1,1"}), arxhost::CommandResult::kEnded);
    EXPECT_EQ(currentView().height, 6);
}

TEST_F(ViewCommands, AScaleFactorWithXIsRelativeToTheViewAndPreviousGoesBack)
{
    view(3, 3, 10);
    EXPECT_EQ(run(L"ZOOM", {L"2X"}), arxhost::CommandResult::kEnded);
    EXPECT_EQ(currentView().height, 5);
    EXPECT_EQ(run(L"ZOOM", {L".5x"}), arxhost::CommandResult::kEnded);
    EXPECT_EQ(currentView().height, 10);
    EXPECT_EQ(run(L"ZOOM", {L"P"}), arxhost::CommandResult::kEnded);
    EXPECT_EQ(currentView().height, 5);
    EXPECT_EQ(run(L"ZOOM", {L"P"}), arxhost::CommandResult::kEnded);
    EXPECT_EQ(currentView().height, 10);
    EXPECT_EQ(currentView().centerX, 3);
    // Unknown answers are asked again; nothing changed the view.
    EXPECT_EQ(run(L"ZOOM", {L"Q", L"0X", L""}), arxhost::CommandResult::kEnded);
    EXPECT_NE(commandLine.find(L"Requires a point or option keyword."), std::wstring::npos);
    EXPECT_EQ(currentView().height, 10);
}

TEST_F(ViewCommands, PanMovesTheDrawingByTheDisplacement)
{
    view(0, 0, 10);
    EXPECT_EQ(run(L"-PAN", {L"1,1", L"4,5"}), arxhost::CommandResult::kEnded);
    arxhost::ViewState v = currentView();
    EXPECT_EQ(v.centerX, -3);
    EXPECT_EQ(v.centerY, -4);
    EXPECT_EQ(v.height, 10);
    // One point and an empty answer: the point is the displacement.
    EXPECT_EQ(run(L"PAN", {L"2,0", L""}), arxhost::CommandResult::kEnded);
    EXPECT_EQ(currentView().centerX, -5);
}

TEST_F(ViewCommands, ZoomRunsTransparentlyInsideAnotherCommand)
{
    view(0, 0, 10);
    EXPECT_EQ(run(L"LINE", {L"0,0", L"'ZOOM", L"2X", L"1,1", L""}), arxhost::CommandResult::kEnded);
    EXPECT_EQ(currentView().height, 5);
    EXPECT_EQ(modelSpace().size(), 1u);
}

}  // namespace
