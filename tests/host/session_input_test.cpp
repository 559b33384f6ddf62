// The session's user and machine actions: the mouse, wait on the virtual clock,
// message boxes answered and echoed, modal dialogs fed by the lines that follow,
// the sound devices, snapshots of the layered windows over the view, and the
// failures of each with their line.
#include <cairo.h>
#include <gtest/gtest.h>

#include <fstream>

#include "AcString.h"
#include "afxwin.h"
#include "arxhost/application.h"
#include "arxhost/view.h"
#include "session_fixture.h"
#include "temp_dir.h"
#include "win32/audio_devices.h"
#include "win32/host_windows.h"
#include "win32/message_boxes.h"

namespace {

std::vector<UINT> gMessages;
std::vector<POINT> gPoints;

LRESULT CALLBACK recordProc(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_LBUTTONDOWN || m == WM_LBUTTONUP || m == WM_MOUSEMOVE) {
        gMessages.push_back(m);
        gPoints.push_back(POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))});
    }
    return DefWindowProcW(h, m, wp, lp);
}

HWND recordingWindow(int x, int y, int w, int h)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = recordProc;
    wc.lpszClassName = L"SessionTarget";
    RegisterClassW(&wc);
    return CreateWindowExW(0, L"SessionTarget", L"", WS_POPUP | WS_VISIBLE, x, y, w, h, nullptr, nullptr, nullptr, nullptr);
}

using SessionInputTest = SessionFixture;

INT_PTR gModalResult = 0;
std::vector<std::string> gTimeline;

// A timer that runs a modal dialog, as a command of a plug-in would.
void CALLBACK openDialog(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    gTimeline.push_back("dialog at " + std::to_string(GetTickCount()));
    CDialog dlg(100);
    gModalResult = dlg.DoModal();
    gTimeline.push_back("dialog ended at " + std::to_string(GetTickCount()));
}

void CALLBACK askYesNo(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    gModalResult = MessageBoxW(nullptr, L"Keep the note?", L"Notes", MB_YESNO);
}

}  // namespace

TEST_F(SessionInputTest, MoveAndClickReachTheWindowUnderTheCursor)
{
    // The host's frame and view come first, as when arxhost starts; the window
    // made afterwards lies over them.
    ASSERT_TRUE(arxhost::createHostWindows());
    recordingWindow(100, 100, 100, 100);
    ASSERT_EQ(run("move 150 160\nclick\nmove 170 180\npress\nrelease\n"), 0) << error;
    EXPECT_EQ(gMessages, (std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEMOVE, WM_LBUTTONDOWN,
                                            WM_LBUTTONUP}));
    EXPECT_EQ(gPoints[1].x, 50);
    EXPECT_EQ(gPoints[1].y, 60);
    EXPECT_EQ(gPoints[4].x, 70);
}

TEST_F(SessionInputTest, WaitRunsTheLoopOnTheVirtualClock)
{
    static int ticks;
    ticks = 0;
    SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) { ++ticks; });
    ASSERT_EQ(run("wait 250\nwait 250\n"), 0) << error;
    EXPECT_EQ(GetTickCount(), 500u);
    EXPECT_EQ(ticks, 5);
}

TEST_F(SessionInputTest, MessageBoxesAreEchoedAndTakeTheQueuedAnswerOrTheirDefault)
{
    SetTimer(nullptr, 0, 50, askYesNo);
    ASSERT_EQ(run("answer NO\nwait 100\n"), 0) << error;
    EXPECT_EQ(gModalResult, IDNO);
    EXPECT_NE(echo.find("[message box] Keep the note?\n"), std::string::npos) << echo;
    SetTimer(nullptr, 0, 50, askYesNo);
    ASSERT_EQ(run("wait 100\n"), 0) << error;
    EXPECT_EQ(gModalResult, IDYES);  // no answer queued: the default button
}

TEST_F(SessionInputTest, AnAnswerTheBoxHasNoButtonForFailsAtItsLine)
{
    SetTimer(nullptr, 0, 50, askYesNo);
    EXPECT_EQ(run("answer OK\n\nwait 100\nwait 100\n"), 1);
    EXPECT_NE(error.find("s.scr:3: answer OK: the message box \"Keep the note?\" has no OK button"), std::string::npos)
        << error;
}

TEST_F(SessionInputTest, TheLinesAfterAModalDialogOpensDriveIt)
{
    win32::host::mainFrame();
    SetTimer(nullptr, 0, 10, openDialog);
    // The dialog opens at 10 ms during the first wait; the lines after it click
    // Cancel at 40 ms; the rest of the script runs after the dialog.
    ASSERT_EQ(run("wait 20\nwait 20\nmove 1 1\nwait 100\n"), 0) << error;
    EXPECT_EQ(gModalResult, -1) << "the dialog was not clicked: the script ended it";
    gTimeline.clear();
}

TEST_F(SessionInputTest, AClickOnTheDialogsButtonEndsItAndTheScriptCarriesOn)
{
    CFrameWnd* frame = win32::host::mainFrame();
    ASSERT_NE(frame, nullptr);
    SetTimer(nullptr, 0, 10, openDialog);
    // The dialog's Cancel button: dialog at (100, 100) dialog units from the frame's
    // client origin (150, 163 pixels), button at (100, 35) units in its client area.
    int frameX = 150, frameY = 163;
    int buttonX = frameX + GetSystemMetrics(SM_CXDLGFRAME) + 150 + 30;
    int buttonY = frameY + GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION) + 57 + 10;
    std::string script = "wait 20\nmove " + std::to_string(buttonX) + " " + std::to_string(buttonY) +
                         "\nclick\nwait 30\nwait 5\n";
    ASSERT_EQ(run(script), 0) << error;
    EXPECT_EQ(gModalResult, IDCANCEL);
    EXPECT_EQ(gTimeline, (std::vector<std::string>{"dialog at 10", "dialog ended at 20"}));
    EXPECT_EQ(GetTickCount(), 55u);  // the first wait ended inside the dialog; the rest after it
}

TEST_F(SessionInputTest, OnlyUserActionsMayRunWhileADialogIsOpen)
{
    win32::host::mainFrame();
    SetTimer(nullptr, 0, 10, openDialog);
    EXPECT_EQ(run("wait 20\nnew\nwait 10\n"), 1);
    EXPECT_NE(error.find("s.scr:2: a dialog is open: expected dialog, move, press"), std::string::npos) << error;
    EXPECT_EQ(gModalResult, -1);
}

TEST_F(SessionInputTest, TheSoundDevicesCanBeChosenAndRemoved)
{
    std::ofstream(dir.file("bad.wav")) << "nonsense";
    EXPECT_EQ(run("mic " + dir.file("bad.wav") + "\n"), 1);
    EXPECT_NE(error.find("s.scr:1: mic: "), std::string::npos) << error;
    EXPECT_NE(error.find("not a WAV file"), std::string::npos) << error;
    error.clear();
    ASSERT_EQ(run("mic tone\nspeaker " + dir.file("out.wav") + "\nnodevice out\n"), 0) << error;
    WAVEFORMATEX f{WAVE_FORMAT_PCM, 1, 40000, 40000, 1, 8, 0};
    HWAVEOUT out = nullptr;
    EXPECT_EQ(waveOutOpen(&out, WAVE_MAPPER, &f, 0, 0, CALLBACK_NULL), MMSYSERR_NODRIVER);
    HWAVEIN in = nullptr;
    EXPECT_EQ(waveInOpen(&in, WAVE_MAPPER, &f, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    waveInClose(in);
    EXPECT_TRUE(std::filesystem::exists(dir.file("out.wav")));
    ASSERT_EQ(run("nodevice none\n"), 0) << error;
    EXPECT_EQ(waveOutOpen(&out, WAVE_MAPPER, &f, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
}

TEST_F(SessionInputTest, ASnapshotShowsTheLayeredWindowsOverTheViewOnWhite)
{
    // A 2 x 2 half-transparent red layered window at screen (40 + 10, 120 + 5).
    HWND w = CreateWindowExW(WS_EX_LAYERED, L"Static", L"", WS_POPUP | WS_VISIBLE, 50, 125, 2, 2, nullptr, nullptr,
                             nullptr, nullptr);
    HDC mem = CreateCompatibleDC(nullptr);
    BITMAPINFO bi{};
    bi.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 2, -2, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    for (int i = 0; i < 4; ++i) static_cast<std::uint32_t*>(bits)[i] = 0x80800000u;
    SelectObject(mem, bmp);
    SIZE size{2, 2};
    POINT src{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ASSERT_TRUE(UpdateLayeredWindow(w, nullptr, nullptr, &size, mem, &src, 0, &blend, ULW_ALPHA));
    ASSERT_EQ(run("snapshot " + dir.file("view.png") + "\n"), 0) << error;
    cairo_surface_t* png = cairo_image_surface_create_from_png(dir.file("view.png").c_str());
    ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(png), 1024);
    EXPECT_EQ(cairo_image_surface_get_height(png), 768);
    auto* px = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(png));
    int stride = cairo_image_surface_get_stride(png) / 4;
    EXPECT_EQ(px[0], 0xFFFFFFFFu);                // the view's white
    EXPECT_EQ(px[5 * stride + 10], 0xFFFF7F7Fu);  // half red over white
    cairo_surface_destroy(png);
}

TEST_F(SessionInputTest, FaultyActionsFailWithTheirLine)
{
    EXPECT_EQ(run("move 1920 5\n"), 1);
    EXPECT_NE(error.find("s.scr:1: move: 1920 5 is off the 1920 x 1080 screen"), std::string::npos) << error;
    error.clear();
    EXPECT_EQ(run("press\npress\n"), 1);
    EXPECT_NE(error.find("s.scr:2: press: the button is already down"), std::string::npos) << error;
    error.clear();
    EXPECT_EQ(run("release\nrelease\n"), 1);
    EXPECT_NE(error.find("s.scr:2: release: the button is not down"), std::string::npos) << error;
    error.clear();
    EXPECT_EQ(run("wait -5\n"), 1);
    EXPECT_NE(error.find("wait needs milliseconds"), std::string::npos) << error;
    error.clear();
    EXPECT_EQ(run("answer MAYBE\n"), 1);
    EXPECT_NE(error.find("answer needs OK, CANCEL, YES or NO, not MAYBE"), std::string::npos) << error;
    error.clear();
    EXPECT_EQ(run("nodevice both\n"), 1);
    EXPECT_NE(error.find("nodevice needs in, out or none"), std::string::npos) << error;
}
