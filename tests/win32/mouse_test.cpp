// The mouse: the simulated cursor, which window takes it (z-order, hidden and
// disabled windows, layered windows by the alpha of their pixels), WM_SETCURSOR
// before each mouse message, activation by a click, capture, and TrackMouseEvent's
// hover and leave.
#include <gtest/gtest.h>

#include "commctrl.h"
#include "sequences.h"
#include "win32/message_boxes.h"
#include "win32/message_loop.h"
#include "win32/mouse_input.h"
#include "window_recorder.h"
#include "windows.h"

using recorder::make;
using recorder::recordedFor;

namespace {

void moveTo(int x, int y)
{
    win32::input::mouseMove(x, y);
    win32::loop::runReady();
}

void click()
{
    win32::input::leftButtonDown();
    win32::input::leftButtonUp();
    win32::loop::runReady();
}

void wait(DWORD ms) { ASSERT_TRUE(win32::loop::runUntil(GetTickCount() + ms)); }

std::vector<UINT> mouseMessages(HWND w)
{
    return recorder::messagesOf(w, {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEHOVER, WM_MOUSELEAVE});
}

const recorder::Recorded* last(HWND w, UINT message)
{
    const recorder::Recorded* found = nullptr;
    for (const auto& r : recorder::log())
        if (r.hwnd == w && r.message == message) found = &r;
    return found;
}

// Gives a layered window a picture whose left half is fully transparent and whose
// right half is opaque.
void halfTransparent(HWND w, int width, int height)
{
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* px = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < height; ++y)
        for (int x = width / 2; x < width; ++x) px[y * width + x] = 0xFF2040C0u;
    HGDIOBJ old = SelectObject(mem, bmp);
    POINT src{0, 0};
    SIZE size{width, height};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    EXPECT_TRUE(UpdateLayeredWindow(w, screen, nullptr, &size, mem, &src, 0, &blend, ULW_ALPHA));
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
}

}  // namespace

TEST(Mouse, SetCursorIsSentBeforeTheMoveWhichCarriesClientCoordinates)
{
    HWND w = make(0, WS_POPUP | WS_VISIBLE, 100, 100, 100, 100);
    recorder::log().clear();
    moveTo(150, 160);
    EXPECT_EQ(recordedFor({{w, "w"}}), seq::kMoveOnto);
    const auto* move = last(w, WM_MOUSEMOVE);
    ASSERT_NE(move, nullptr);
    EXPECT_EQ(LOWORD(move->lParam), 50);
    EXPECT_EQ(HIWORD(move->lParam), 60);
    const auto* setCursor = last(w, WM_SETCURSOR);
    EXPECT_EQ(reinterpret_cast<HWND>(setCursor->wParam), w);
    EXPECT_EQ(LOWORD(setCursor->lParam), HTCLIENT);
    EXPECT_EQ(HIWORD(setCursor->lParam), WM_MOUSEMOVE);
    POINT p;
    GetCursorPos(&p);
    EXPECT_EQ(p.x, 150);
    EXPECT_EQ(p.y, 160);
}

TEST(Mouse, MovesWaitingInTheQueueAreMergedAndTheCursorStaysOnTheScreen)
{
    HWND w = make(0, WS_POPUP | WS_VISIBLE, 0, 0, 1920, 1080);
    recorder::log().clear();
    win32::input::mouseMove(10, 10);
    win32::input::mouseMove(20, 30);
    win32::input::mouseMove(5000, -7);
    win32::loop::runReady();
    EXPECT_EQ(recorder::messagesOf(w, {WM_MOUSEMOVE}).size(), 1u);
    POINT p;
    GetCursorPos(&p);
    EXPECT_EQ(p.x, 1919);
    EXPECT_EQ(p.y, 0);
    SetCursorPos(3, 4);  // moving the cursor from code is input too
    win32::loop::runReady();
    EXPECT_EQ(recorder::messagesOf(w, {WM_MOUSEMOVE}).size(), 2u);
}

TEST(Mouse, AClickOnAnInactiveWindowActivatesItBeforeTheButtonMessage)
{
    HWND w = make(0, WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    HWND other = make(0, WS_POPUP | WS_VISIBLE, 500, 500, 100, 100);
    ASSERT_EQ(GetActiveWindow(), other);
    moveTo(10, 10);
    recorder::log().clear();
    click();
    EXPECT_EQ(recordedFor({{w, "w"}}), seq::kClickInactive);
    EXPECT_EQ(GetActiveWindow(), w);
}

TEST(HitTesting, TheTopmostVisibleWindowTakesTheMouse)
{
    HWND below = make(0, WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    HWND above = make(0, WS_POPUP | WS_VISIBLE, 50, 50, 100, 100);
    HWND hidden = make(0, WS_POPUP, 0, 0, 200, 200);
    SetWindowPos(hidden, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(WindowFromPoint(POINT{60, 60}), above);
    EXPECT_EQ(WindowFromPoint(POINT{10, 10}), below);
    EXPECT_EQ(WindowFromPoint(POINT{500, 500}), nullptr);
    recorder::log().clear();
    moveTo(60, 60);
    EXPECT_EQ(mouseMessages(above), (std::vector<UINT>{WM_MOUSEMOVE}));
    EXPECT_TRUE(mouseMessages(below).empty());
    EXPECT_TRUE(mouseMessages(hidden).empty());
}

TEST(HitTesting, ADisabledChildPassesTheMouseToItsParent)
{
    HWND top = make(0, WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    HWND child = make(0, WS_CHILD | WS_VISIBLE | WS_DISABLED, 10, 10, 50, 50, top);
    EXPECT_EQ(WindowFromPoint(POINT{20, 20}), top);
    EnableWindow(child, TRUE);
    EXPECT_EQ(WindowFromPoint(POINT{20, 20}), child);
}

TEST(HitTesting, ADisabledTopLevelWindowSwallowsTheMouseAndBeepsOnAPress)
{
    HWND top = make(0, WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    HWND child = make(0, WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, top);
    EnableWindow(top, FALSE);
    recorder::log().clear();
    moveTo(20, 20);
    click();
    EXPECT_TRUE(mouseMessages(top).empty());
    EXPECT_TRUE(mouseMessages(child).empty());
    const auto* setCursor = last(top, WM_SETCURSOR);
    ASSERT_NE(setCursor, nullptr);
    EXPECT_EQ(static_cast<short>(LOWORD(setCursor->lParam)), HTERROR);
    EXPECT_EQ(win32::messages::beeps().size(), 1u);
}

TEST(HitTesting, ALayeredWindowTakesTheMouseOnlyWhereItsAlphaIsNotZero)
{
    HWND below = make(0, WS_POPUP | WS_VISIBLE, 0, 0, 400, 400);
    HWND layered = make(WS_EX_LAYERED, WS_POPUP | WS_VISIBLE, 100, 100, 40, 40);
    EXPECT_EQ(WindowFromPoint(POINT{130, 110}), below);  // no picture yet: nothing of it is on the screen
    halfTransparent(layered, 40, 40);
    EXPECT_EQ(WindowFromPoint(POINT{110, 110}), below);
    EXPECT_EQ(WindowFromPoint(POINT{130, 110}), layered);
    recorder::log().clear();
    moveTo(110, 110);  // a transparent pixel: the click goes to the window below
    click();
    EXPECT_EQ(mouseMessages(below), (std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}));
    EXPECT_TRUE(mouseMessages(layered).empty());
    recorder::log().clear();
    moveTo(130, 110);
    click();
    EXPECT_EQ(mouseMessages(layered), (std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}));
    EXPECT_TRUE(mouseMessages(below).empty());
    // WS_EX_TRANSPARENT makes all of it let the mouse through.
    SetWindowLongPtrW(layered, GWL_EXSTYLE, WS_EX_LAYERED | WS_EX_TRANSPARENT);
    EXPECT_EQ(WindowFromPoint(POINT{130, 110}), below);
}

TEST(Capture, TheCaptureWindowGetsTheMouseEverywhereWithoutSetCursor)
{
    HWND w = make(0, WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    HWND other = make(0, WS_POPUP | WS_VISIBLE, 300, 300, 100, 100);
    EXPECT_EQ(SetCapture(w), nullptr);
    EXPECT_EQ(GetCapture(), w);
    recorder::log().clear();
    moveTo(350, 320);
    ReleaseCapture();
    EXPECT_EQ(recordedFor({{w, "w"}}), seq::kCapturedMoveElsewhere);
    const auto* move = last(w, WM_MOUSEMOVE);
    EXPECT_EQ(static_cast<short>(LOWORD(move->lParam)), 350);  // relative to the captured window
    EXPECT_TRUE(mouseMessages(other).empty());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(SetCapture(other), nullptr);
    EXPECT_EQ(SetCapture(w), other);
    DestroyWindow(w);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST(Tracking, HoverComesAfterTheHoverTimeAndLeaveWhenTheCursorGoes)
{
    HWND w = make(0, WS_POPUP | WS_VISIBLE, 100, 100, 50, 50);
    HWND other = make(0, WS_POPUP | WS_VISIBLE, 300, 300, 50, 50);
    moveTo(110, 120);
    TRACKMOUSEEVENT tme{sizeof tme, TME_HOVER | TME_LEAVE, w, 50};
    ASSERT_TRUE(_TrackMouseEvent(&tme));
    DWORD start = GetTickCount();
    recorder::log().clear();
    wait(30);
    moveTo(111, 121);  // within the hover rectangle: the hover time runs on
    wait(100);
    const auto* hover = last(w, WM_MOUSEHOVER);
    ASSERT_NE(hover, nullptr);
    EXPECT_EQ(hover->time, start + 50);
    EXPECT_EQ(LOWORD(hover->lParam), 11);
    EXPECT_EQ(HIWORD(hover->lParam), 21);
    TRACKMOUSEEVENT query{sizeof query, TME_QUERY, nullptr, 0};
    ASSERT_TRUE(TrackMouseEvent(&query));
    EXPECT_EQ(query.dwFlags, static_cast<DWORD>(TME_LEAVE));  // hover tracking ended with the hover
    moveTo(310, 310);
    wait(10);
    EXPECT_EQ(mouseMessages(w), (std::vector<UINT>{WM_MOUSEMOVE, WM_MOUSEHOVER, WM_MOUSELEAVE}));
    EXPECT_EQ(mouseMessages(other), (std::vector<UINT>{WM_MOUSEMOVE}));
}

TEST(Tracking, MovingOutOfTheHoverRectangleStartsTheHoverTimeAgain)
{
    HWND w = make(0, WS_POPUP | WS_VISIBLE, 100, 100, 50, 50);
    moveTo(110, 110);
    TRACKMOUSEEVENT tme{sizeof tme, TME_HOVER, w, HOVER_DEFAULT};
    ASSERT_TRUE(TrackMouseEvent(&tme));
    wait(300);
    moveTo(130, 130);
    DWORD moved = GetTickCount();
    wait(1000);
    const auto* hover = last(w, WM_MOUSEHOVER);
    ASSERT_NE(hover, nullptr);
    EXPECT_EQ(hover->time, moved + 400);  // the default hover time, from the last move out
}

TEST(Tracking, AWindowHiddenAndShownAgainInOneHandlerKeepsItsTracking)
{
    HWND below = make(0, WS_POPUP | WS_VISIBLE, 0, 0, 400, 400);
    HWND w = make(0, WS_POPUP | WS_VISIBLE, 100, 100, 50, 50, nullptr,
                  [](HWND h, UINT msg, WPARAM, LPARAM, LRESULT&) {
                      if (msg == WM_MOUSEHOVER) {
                          ShowWindow(h, SW_HIDE);
                          ShowWindow(h, SW_SHOWNORMAL);
                      }
                      return false;
                  });
    moveTo(120, 120);
    TRACKMOUSEEVENT tme{sizeof tme, TME_HOVER | TME_LEAVE, w, 50};
    ASSERT_TRUE(TrackMouseEvent(&tme));
    recorder::log().clear();
    wait(1000);
    EXPECT_EQ(mouseMessages(w), (std::vector<UINT>{WM_MOUSEHOVER}));
    EXPECT_TRUE(mouseMessages(below).empty());
}

TEST(Tracking, AWindowHiddenUnderTheCursorGetsLeaveAndTheWindowBelowAMove)
{
    HWND below = make(0, WS_POPUP | WS_VISIBLE, 0, 0, 400, 400);
    HWND w = make(0, WS_POPUP | WS_VISIBLE, 100, 100, 50, 50, nullptr,
                  [](HWND h, UINT msg, WPARAM, LPARAM, LRESULT&) {
                      if (msg == WM_MOUSEHOVER) ShowWindow(h, SW_HIDE);
                      return false;
                  });
    moveTo(120, 120);
    TRACKMOUSEEVENT tme{sizeof tme, TME_HOVER | TME_LEAVE, w, 50};
    ASSERT_TRUE(TrackMouseEvent(&tme));
    recorder::log().clear();
    wait(1000);
    EXPECT_EQ(mouseMessages(w), (std::vector<UINT>{WM_MOUSEHOVER, WM_MOUSELEAVE}));
    EXPECT_EQ(mouseMessages(below), (std::vector<UINT>{WM_MOUSEMOVE}));
}

TEST(Tracking, MovingOntoAChildIsLeavingTheParent)
{
    HWND top = make(0, WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    HWND child = make(0, WS_CHILD | WS_VISIBLE, 100, 100, 50, 50, top);
    moveTo(10, 10);
    TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, top, 0};
    ASSERT_TRUE(TrackMouseEvent(&tme));
    recorder::log().clear();
    moveTo(120, 120);
    EXPECT_EQ(mouseMessages(top), (std::vector<UINT>{WM_MOUSELEAVE}));
    EXPECT_EQ(mouseMessages(child), (std::vector<UINT>{WM_MOUSEMOVE}));
}

TEST(Tracking, TrackingAWindowNotUnderTheCursorPostsLeaveAtOnce)
{
    HWND w = make(0, WS_POPUP | WS_VISIBLE, 100, 100, 50, 50);
    moveTo(500, 500);
    recorder::log().clear();
    TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, w, 0};
    ASSERT_TRUE(TrackMouseEvent(&tme));
    win32::loop::runReady();
    EXPECT_EQ(mouseMessages(w), (std::vector<UINT>{WM_MOUSELEAVE}));
    TRACKMOUSEEVENT bad{sizeof bad - 1, TME_LEAVE, w, 0};
    EXPECT_FALSE(TrackMouseEvent(&bad));
    TRACKMOUSEEVENT gone{sizeof gone, TME_LEAVE, reinterpret_cast<HWND>(0x4321), 0};
    EXPECT_FALSE(TrackMouseEvent(&gone));
}
