// Windows: creation and destruction in Windows' order of messages, parent and
// owner, z-order with topmost windows and owned windows above their owners,
// SetWindowPos and MoveWindow, screen and client coordinates with frames, showing,
// enabling, focus and activation, and the window longs and icons.
#include <gtest/gtest.h>

#include "sequences.h"
#include "window_recorder.h"
#include "windows.h"

using recorder::make;
using recorder::recordedFor;

namespace {

std::vector<HWND> topLevelOrder()
{
    std::vector<HWND> out;
    for (HWND h = GetWindow(GetDesktopWindow(), GW_CHILD); h != nullptr; h = GetWindow(h, GW_HWNDNEXT))
        out.push_back(h);
    return out;
}

bool above(HWND a, HWND b)
{
    auto order = topLevelOrder();
    return std::find(order.begin(), order.end(), a) < std::find(order.begin(), order.end(), b);
}

}  // namespace

TEST(Windows, CreatingAChildSendsCreationThenSizeAndPosition)
{
    HWND parent = make(0, WS_POPUP, 0, 0, 100, 100);
    recorder::log().clear();
    HWND child = make(0, WS_CHILD, 5, 6, 20, 10, parent);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(recordedFor({{child, "child"}}), seq::kCreateChild);
    const recorder::Recorded* size = nullptr;
    const recorder::Recorded* move = nullptr;
    for (const auto& r : recorder::log()) {
        if (r.message == WM_SIZE) size = &r;
        if (r.message == WM_MOVE) move = &r;
    }
    ASSERT_TRUE(size && move);
    EXPECT_EQ(LOWORD(size->lParam), 20);
    EXPECT_EQ(HIWORD(size->lParam), 10);
    EXPECT_EQ(LOWORD(move->lParam), 5);
    EXPECT_EQ(HIWORD(move->lParam), 6);
}

TEST(Windows, CreationFailsWhenTheWindowRefusesIt)
{
    HWND refused = make(0, WS_POPUP, 0, 0, 10, 10, nullptr, [](HWND, UINT msg, WPARAM, LPARAM, LRESULT& r) {
        if (msg != WM_CREATE) return false;
        r = -1;
        return true;
    });
    EXPECT_EQ(refused, nullptr);
    EXPECT_EQ(CreateWindowExW(0, L"NoSuchClass", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
    EXPECT_EQ(make(0, WS_CHILD, 0, 0, 1, 1, nullptr), nullptr);  // a child needs a parent
}

TEST(Windows, DestroyingSendsDestroyToParentsFirstAndNcDestroyToChildrenFirst)
{
    HWND top = make(0, WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    HWND child = make(0, WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, top);
    HWND grandchild = make(0, WS_CHILD | WS_VISIBLE, 0, 0, 5, 5, child);
    recorder::log().clear();
    EXPECT_TRUE(DestroyWindow(child));
    EXPECT_EQ(recordedFor({{child, "child"}, {grandchild, "grandchild"}}), seq::kDestroyChildWithChild);
    EXPECT_FALSE(IsWindow(child));
    EXPECT_FALSE(IsWindow(grandchild));
    EXPECT_EQ(GetWindow(top, GW_CHILD), nullptr);
    EXPECT_FALSE(DestroyWindow(child));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST(Windows, DestroyingAnOwnerDestroysTheOwnedWindowsFirst)
{
    HWND owner = make(0, WS_POPUP, 0, 0, 100, 100);
    HWND owned = make(0, WS_POPUP, 0, 0, 10, 10, owner);
    EXPECT_EQ(GetWindow(owned, GW_OWNER), owner);
    EXPECT_EQ(GetParent(owned), owner);  // a popup's GetParent is its owner
    recorder::log().clear();
    DestroyWindow(owner);
    EXPECT_EQ(recordedFor({{owner, "owner"}, {owned, "owned"}}), seq::kDestroyOwnerWithOwned);
}

TEST(Windows, AChildOfAChildMadeOwnerGivesItsTopLevelWindow)
{
    HWND top = make(0, WS_POPUP, 0, 0, 100, 100);
    HWND child = make(0, WS_CHILD, 0, 0, 10, 10, top);
    HWND popup = make(0, WS_POPUP, 0, 0, 10, 10, child);
    EXPECT_EQ(GetWindow(popup, GW_OWNER), top);
    EXPECT_EQ(GetParent(child), top);
    EXPECT_EQ(GetAncestor(child, GA_ROOT), top);
    EXPECT_TRUE(IsChild(top, child));
    EXPECT_FALSE(IsChild(top, popup));
}

TEST(Windows, NewWindowsGoOnTopAndSetWindowPosRestacksThem)
{
    HWND a = make(0, WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
    HWND b = make(0, WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
    HWND c = make(0, WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
    EXPECT_TRUE(above(c, b) && above(b, a));
    SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_TRUE(above(a, c));
    SetWindowPos(a, c, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);  // just below c
    auto order = topLevelOrder();
    EXPECT_EQ(std::find(order.begin(), order.end(), a) - std::find(order.begin(), order.end(), c), 1);
    SetWindowPos(c, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_TRUE(above(b, c) && above(a, c));
    // SWP_NOZORDER keeps the order even with an insert-after window.
    SetWindowPos(c, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_TRUE(above(b, c));
}

TEST(Windows, TopmostWindowsStayAboveOthers)
{
    HWND topmost = make(WS_EX_TOPMOST, WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
    HWND plain = make(0, WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
    EXPECT_TRUE(above(topmost, plain));
    SetWindowPos(plain, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_TRUE(above(topmost, plain));
    SetWindowPos(plain, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_TRUE(GetWindowLongPtrW(plain, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(above(plain, topmost));
    SetWindowPos(plain, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_TRUE(above(topmost, plain));
}

TEST(Windows, OwnedWindowsStayAboveTheirOwner)
{
    HWND owner = make(0, WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
    HWND owned = make(0, WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, owner);
    HWND other = make(0, WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
    SetWindowPos(owner, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_TRUE(above(owned, owner));  // the owner came up and brought its owned window
    EXPECT_TRUE(above(owner, other));
    // Asked to go just below its owner, the owned window stays just above it.
    SetWindowPos(owned, owner, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_TRUE(above(owned, owner));
}

TEST(Windows, SetWindowPosMovesAndSizesAsItsFlagsSay)
{
    HWND w = make(0, WS_POPUP, 10, 20, 30, 40);
    RECT r;
    SetWindowPos(w, nullptr, 100, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 200);
    EXPECT_EQ(r.right - r.left, 30);
    SetWindowPos(w, nullptr, 0, 0, 50, 60, SWP_NOMOVE | SWP_NOZORDER);
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.right - r.left, 50);
    EXPECT_EQ(r.bottom - r.top, 60);
    MoveWindow(w, 1, 2, 3, 4, TRUE);
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 1);
    EXPECT_EQ(r.top, 2);
    EXPECT_EQ(r.right, 4);
    EXPECT_EQ(r.bottom, 6);
    HWND other = make(0, WS_POPUP, 0, 0, 1, 1);
    HWND child = make(0, WS_CHILD, 0, 0, 1, 1, other);
    EXPECT_FALSE(SetWindowPos(w, child, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));  // not a sibling
}

TEST(Coordinates, ClientAreasSitInsideFramesAndChildrenInTheirParentsClient)
{
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    HWND dlg = make(WS_EX_DLGMODALFRAME, style, 100, 50, 300, 200);
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
    RECT client;
    GetClientRect(dlg, &client);
    EXPECT_EQ(client.left, 0);
    EXPECT_EQ(client.right, 300 - (frame.right - frame.left));
    EXPECT_EQ(client.bottom, 200 - (frame.bottom - frame.top));
    EXPECT_EQ(-frame.top, GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYDLGFRAME));
    POINT p{0, 0};
    ClientToScreen(dlg, &p);
    EXPECT_EQ(p.x, 100 - frame.left);
    EXPECT_EQ(p.y, 50 - frame.top);
    HWND child = make(0, WS_CHILD, 7, 9, 20, 20, dlg);
    POINT q{1, 1};
    ClientToScreen(child, &q);
    EXPECT_EQ(q.x, p.x + 8);
    EXPECT_EQ(q.y, p.y + 10);
    ScreenToClient(child, &q);
    EXPECT_EQ(q.x, 1);
    EXPECT_EQ(q.y, 1);
    RECT wr;
    GetWindowRect(child, &wr);  // screen coordinates even for a child
    EXPECT_EQ(wr.left, p.x + 7);
    POINT pts[1] = {{0, 0}};
    MapWindowPoints(child, dlg, pts, 1);
    EXPECT_EQ(pts[0].x, 7);
    EXPECT_EQ(pts[0].y, 9);
}

TEST(Showing, ShowWindowReportsThePreviousStateAndVisibilityNeedsTheParent)
{
    HWND top = make(0, WS_POPUP, 0, 0, 100, 100);
    HWND child = make(0, WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, top);
    EXPECT_FALSE(IsWindowVisible(child));  // its parent is hidden
    EXPECT_FALSE(ShowWindow(top, SW_SHOWNORMAL));
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_TRUE(ShowWindow(top, SW_HIDE));
    EXPECT_FALSE(IsWindowVisible(top));
    EXPECT_FALSE(ShowWindow(top, SW_HIDE));
}

TEST(Activation, ShowingATopLevelWindowActivatesItAndHidingPassesActivationOn)
{
    HWND other = make(0, WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
    HWND popup = make(0, WS_POPUP, 0, 0, 10, 10);
    EXPECT_EQ(GetActiveWindow(), other);
    EXPECT_EQ(GetFocus(), other);
    recorder::log().clear();
    ShowWindow(popup, SW_SHOWNORMAL);
    EXPECT_EQ(recordedFor({{popup, "popup"}, {other, "other"}}), seq::kShowActivates);
    EXPECT_EQ(GetActiveWindow(), popup);
    ShowWindow(popup, SW_HIDE);
    EXPECT_EQ(GetActiveWindow(), other);
    ShowWindow(popup, SW_SHOWNA);
    EXPECT_EQ(GetActiveWindow(), other);  // shown without activation
}

TEST(Activation, SetActiveWindowIgnoresChildrenAndSetFocusActivatesTheTopLevelWindow)
{
    HWND a = make(0, WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
    HWND b = make(0, WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
    HWND child = make(0, WS_CHILD | WS_VISIBLE, 0, 0, 5, 5, a);
    EXPECT_EQ(GetActiveWindow(), b);
    EXPECT_EQ(SetActiveWindow(child), b);
    EXPECT_EQ(GetActiveWindow(), b);
    EXPECT_EQ(SetFocus(child), b);
    EXPECT_EQ(GetActiveWindow(), a);
    EXPECT_EQ(GetFocus(), child);
}

TEST(Enabling, EnableWindowReportsThePreviousStateAndDisabledWindowsLoseAndRefuseTheFocus)
{
    HWND top = make(0, WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    HWND child = make(0, WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, top);
    SetFocus(child);
    recorder::log().clear();
    EXPECT_FALSE(EnableWindow(top, FALSE));  // it was enabled
    EXPECT_TRUE(EnableWindow(top, FALSE));   // now it was disabled
    EXPECT_FALSE(IsWindowEnabled(top));
    EXPECT_TRUE(IsWindowEnabled(child));  // its own style says enabled
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(SetFocus(child), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(recorder::messagesOf(top, {WM_ENABLE}).size(), 1u);
    EnableWindow(top, TRUE);
    EXPECT_NE(SetFocus(child), child);
    EXPECT_EQ(GetFocus(), child);
}

TEST(WindowLongs, StylesIdsAndExtendedStyles)
{
    HWND top = make(0, WS_POPUP, 0, 0, 100, 100);
    HWND child = make(0, WS_CHILD, 0, 0, 10, 10, top, nullptr, 42);
    EXPECT_EQ(GetDlgCtrlID(child), 42);
    EXPECT_EQ(GetWindowLongPtrW(child, GWLP_ID), 42);
    LONG_PTR ex = GetWindowLongPtrW(top, GWL_EXSTYLE);
    EXPECT_EQ(SetWindowLongPtrW(top, GWL_EXSTYLE, ex | WS_EX_LAYERED | WS_EX_TOOLWINDOW), ex);
    EXPECT_TRUE(GetWindowLongPtrW(top, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_EQ(SetWindowLongPtrW(top, GWLP_USERDATA, 7), 0);
    EXPECT_EQ(GetWindowLongPtrW(top, GWLP_USERDATA), 7);
    EXPECT_EQ(GetWindowLongPtrW(top, 64), 0);  // beyond the extra bytes
    wchar_t cls[32];
    EXPECT_EQ(GetClassNameW(top, cls, 32), 8);
    EXPECT_STREQ(cls, L"Recorder");
    SetWindowTextW(top, L"title");
    wchar_t text[3];
    EXPECT_EQ(GetWindowTextW(top, text, 3), 2);  // cut to the buffer
    EXPECT_STREQ(text, L"ti");
}

TEST(WindowLongs, IconsAreKeptPerSizeAndSmall2FallsBackToTheBigOne)
{
    HWND w = make(0, WS_POPUP, 0, 0, 10, 10);
    HICON big = reinterpret_cast<HICON>(0x100), small = reinterpret_cast<HICON>(0x200);
    EXPECT_EQ(SendMessageW(w, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big)), 0);
    EXPECT_EQ(SendMessageW(w, WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_EQ(SendMessageW(w, WM_GETICON, ICON_SMALL2, 0), reinterpret_cast<LRESULT>(big));
    SendMessageW(w, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    EXPECT_EQ(SendMessageW(w, WM_GETICON, ICON_SMALL, 0), reinterpret_cast<LRESULT>(small));
    EXPECT_EQ(SendMessageW(w, WM_SETICON, ICON_SMALL, 0), reinterpret_cast<LRESULT>(small));
}

TEST(Rectangles, PtInRectExcludesTheRightAndBottomEdges)
{
    RECT r{26, 0, 35, 9};
    EXPECT_TRUE(PtInRect(&r, POINT{30, 4}));
    EXPECT_TRUE(PtInRect(&r, POINT{26, 0}));
    EXPECT_FALSE(PtInRect(&r, POINT{35, 4}));
    EXPECT_FALSE(PtInRect(&r, POINT{30, 9}));
    RECT a{0, 0, 10, 10}, b{20, 20, 30, 30}, out;
    EXPECT_FALSE(IntersectRect(&out, &a, &b));
    EXPECT_TRUE(IsRectEmpty(&out));
    EXPECT_TRUE(UnionRect(&out, &a, &b));
    EXPECT_EQ(out.right, 30);
}

TEST(WindowClasses, AClassCannotBeRegisteredTwiceNorUnregisteredWhileInUse)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = L"Twice";
    ATOM atom = RegisterClassW(&wc);
    ASSERT_NE(atom, 0);
    wc.lpszClassName = L"TWICE";  // names compare without regard to case
    EXPECT_EQ(RegisterClassW(&wc), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
    HWND top = make(0, WS_POPUP, 0, 0, 10, 10);
    HWND child = CreateWindowExW(0, MAKEINTATOM(atom), L"", WS_CHILD, 0, 0, 1, 1, top, nullptr, nullptr, nullptr);
    ASSERT_NE(child, nullptr);
    EXPECT_FALSE(UnregisterClassW(L"twice", nullptr));  // a child window still uses it
    DestroyWindow(child);
    EXPECT_TRUE(UnregisterClassW(L"twice", nullptr));
    EXPECT_FALSE(UnregisterClassW(L"Button", nullptr));  // the stand-in's own classes stay
}
