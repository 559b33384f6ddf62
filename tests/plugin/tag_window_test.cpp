// The hover monitor and the tag window as a user meets them, on the virtual
// clock: the tag rises over a note's icon, records a reply from the virtual
// microphone, plays it to the virtual speaker, and deletes the note.
#include "tag_fixture.h"

namespace {

// Three seconds of every byte value in turn: zero samples included.
std::vector<std::uint8_t> rampSound()
{
    std::vector<std::uint8_t> s(120000);
    for (size_t i = 0; i < s.size(); ++i) s[i] = static_cast<std::uint8_t>(i * 7);
    return s;
}

}  // namespace

TEST_F(TagHost, RestingOnAVisibleIconRaisesTheTagWithItsLowerLeftCornerOnTheIcons)
{
    openReply();
    ASSERT_TRUE(run("move " + onIcon(30, 20) + "\nwait 50\n")) << error;
    ASSERT_TRUE(tagShown());
    CPoint a = pixelOf(30, 20);
    // The icon's lower-left corner, as the view maps it to a pixel.
    CRect r = tagRect();
    EXPECT_EQ(r.Width(), 36);
    EXPECT_EQ(r.Height(), 36);
    EXPECT_NEAR(r.left, win32::host::kViewLeft + iconLeft(a), 1.0);
    EXPECT_NEAR(r.bottom, win32::host::kViewTop + iconBottom(a), 1.0);
}

TEST_F(TagHost, TheTagStaysOverALineAndGoesOverEmptySpace)
{
    openReply();
    ASSERT_TRUE(run("move " + onIcon(30, 20) + "\nwait 50\n")) << error;
    ASSERT_TRUE(tagShown());
    const CRect before = tagRect();
    // The line from (0, 10) to (60, 10): an entity, but no note.
    ASSERT_TRUE(run("move " + screenOf(45, 10) + "\nwait 50\n")) << error;
    ASSERT_TRUE(tagShown());
    EXPECT_EQ(tagRect(), before);
    ASSERT_TRUE(run("move " + screenOf(45, 30) + "\nwait 50\n")) << error;
    EXPECT_EQ(tag(), nullptr);
}

TEST_F(TagHost, ANoteWhoseIconReachesPastTheViewRaisesNothing)
{
    openReply();
    // The view's right edge runs through the icon.
    CPoint a = pixelOf(30, 20);
    const double iconMid = iconLeft(a) + 16;
    acedDwgPoint mid;
    ASSERT_TRUE(acedCoordFromPixelToWorld(0, CPoint(static_cast<int>(iconMid), a.y), mid));
    arxhost::ViewState v;
    ASSERT_TRUE(arxhost::currentView(v));
    const double halfWidth = v.height * arxhost::viewWidth() / arxhost::viewHeight() / 2;
    v.centerX = mid[0] - halfWidth;
    ASSERT_TRUE(arxhost::setCurrentView(v));
    arxhost::regenerateView();
    CPoint b = pixelOf(30, 20);
    const int sx = win32::host::kViewLeft + static_cast<int>(std::ceil(iconLeft(b))) + 4;
    const int sy = win32::host::kViewTop + static_cast<int>(iconBottom(b)) - 16;
    ASSERT_LT(sx, win32::host::kViewLeft + arxhost::viewWidth());
    ASSERT_TRUE(run("move " + std::to_string(sx) + " " + std::to_string(sy) + "\nwait 50\n")) << error;
    EXPECT_EQ(tag(), nullptr);
}

TEST_F(TagHost, AShortPressStoresNothingAndSaysNothingAHalfSecondOneSaysTheLimit)
{
    openReply();
    writeWav8(dir.file("mic.wav"), rampSound());
    ASSERT_TRUE(run("mic " + dir.file("mic.wav") + "\nmove " + onIcon(30, 20) +
                    "\nwait 50\npress\nwait 300\nrelease\nwait 100\n"))
        << error;
    EXPECT_EQ(echo.find("Recording time"), std::string::npos) << echo;
    ASSERT_TRUE(run("press\nwait 500\nrelease\nwait 100\n")) << error;
    EXPECT_NE(echo.find("\nRecording time is limited at 1 to 30 seconds, please try again.\n"), std::string::npos)
        << echo;
    AcDbEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(ent, noteId(), AcDb::kForRead), Acad::eOk);
    ent->close();
    // Nothing was kept: the tag still offers recording (the microphone).
    ASSERT_TRUE(tagShown());
}

TEST_F(TagHost, AHoldOfOverASecondStoresTheCaptureAndPlaysItBackExactly)
{
    openReply();
    const std::vector<std::uint8_t> mic = rampSound();
    writeWav8(dir.file("mic.wav"), mic);
    ASSERT_TRUE(run("mic " + dir.file("mic.wav") + "\nspeaker " + dir.file("out.wav") + "\nmove " + onIcon(30, 20) +
                    "\nwait 50\npress\nwait 1200\nrelease\nwait 200\nsaveas " + dir.file("saved.dxf") + "\n"))
        << error;
    // The duration and the date of the take are in the saved drawing.
    std::ifstream saved(dir.file("saved.dxf"));
    std::string text((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("\n  3\n1.2\"\n"), std::string::npos);
    EXPECT_NE(text.find("\n  2\n1-6 9:0\n"), std::string::npos);
    ASSERT_TRUE(tagShown());
    // A click plays it: the speaker hears exactly what was captured, each zero
    // sample kept as 1.
    ASSERT_TRUE(run("move " + onIcon(30, 20, 10, 20) + "\nwait 50\nclick\nwait 4000\n")) << error;
    const std::vector<std::uint8_t> played = readWav8(dir.file("out.wav"));
    ASSERT_GT(played.size(), 40000u);
    ASSERT_LT(played.size(), 60000u);
    for (size_t i = 0; i < played.size(); ++i) {
        const std::uint8_t expected = mic[i] != 0 ? mic[i] : 1;
        ASSERT_EQ(played[i], expected) << "at byte " << i;
    }
    // The tag slid down and hid.
    EXPECT_FALSE(tagShown());
}

TEST_F(TagHost, PlayingDocksTheTagAtTheViewsCornerInFourSteps)
{
    openReply();
    writeWav8(dir.file("mic.wav"), rampSound());
    ASSERT_TRUE(run("mic " + dir.file("mic.wav") + "\nmove " + onIcon(30, 20) +
                    "\nwait 50\npress\nwait 1500\nrelease\nwait 200\nclick\nwait 0\n"))
        << error;
    ASSERT_TRUE(tagShown());
    const CRect r = tagRect();
    EXPECT_EQ(r.left, win32::host::kViewLeft + arxhost::viewWidth() - 48);
    EXPECT_EQ(r.top, win32::host::kViewTop + arxhost::viewHeight() - 36);
    // While it plays, moving away leaves it, and clicks do nothing.
    ASSERT_TRUE(run("move 5 5\nwait 100\n")) << error;
    ASSERT_TRUE(tagShown());
}

TEST_F(TagHost, TheCloseBoxDeletesTheNote)
{
    openReply();
    ASSERT_TRUE(run("move " + onIcon(30, 20) + "\nwait 50\n")) << error;
    ASSERT_TRUE(tagShown());
    const CRect r = tagRect();
    ASSERT_TRUE(run("move " + std::to_string(r.left + 30) + " " + std::to_string(r.top + 4) + "\nwait 50\nclick\nwait 50\n"))
        << error;
    AcDbEntity* ent = nullptr;
    EXPECT_EQ(acdbOpenAcDbEntity(ent, noteId(), AcDb::kForRead), Acad::eWasErased);
}

TEST_F(TagHost, WithoutAMicrophoneAPressSaysTheDeviceCannotBeOpened)
{
    openReply();
    ASSERT_TRUE(run("nodevice in\nmove " + onIcon(30, 20) + "\nwait 50\npress\nwait 300\nrelease\nwait 50\n"))
        << error;
    EXPECT_NE(echo.find("\nAudio device cannot be open!"), std::string::npos) << echo;
}

TEST_F(TagHost, ClosingTheDrawingDuringARecordingDiscardsItWithTheTag)
{
    openReply();
    writeWav8(dir.file("mic.wav"), rampSound());
    ASSERT_TRUE(run("mic " + dir.file("mic.wav") + "\nmove " + onIcon(30, 20) + "\nwait 50\npress\nwait 1500\n"))
        << error;
    ASSERT_NE(tag(), nullptr);
    app.closeDocument(acDocManagerPtr()->curDocument());
    EXPECT_EQ(tag(), nullptr);
    ASSERT_TRUE(run("release\nwait 500\n")) << error;
}

TEST_F(TagHost, UnloadingDuringPlaybackStopsTheSpeakerAndDestroysTheTag)
{
    openReply();
    writeWav8(dir.file("mic.wav"), rampSound());
    ASSERT_TRUE(run("mic " + dir.file("mic.wav") + "\nmove " + onIcon(30, 20) +
                    "\nwait 50\npress\nwait 1500\nrelease\nwait 200\nclick\nwait 1000\n"))
        << error;
    ASSERT_TRUE(tagShown());
    std::string unloadError;
    ASSERT_TRUE(app.unloadModule(L"VelaToneViewer2013_x64.arx", unloadError)) << unloadError;
    ASSERT_TRUE(run("wait 2000\n")) << error;
}
