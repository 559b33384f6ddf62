// Dialogs on the screen: compositeWindows paints a dialog where it stands with
// its caption, its buttons (enabled, disabled, default), its list view (header,
// rows, selection, grid lines) and leaves hidden controls and hidden dialogs
// out; layered windows and dialogs are stacked in z-order. And the Ctrl key
// held during a click, as the list view's multiple selection needs it.
#include <cairo.h>

#include <cstdint>
#include <vector>

#include "data/resource.h"
#include "mfc_fixture.h"
#include "win32/screen.h"

namespace {

class Painted : public CDialog {
public:
    Painted() : CDialog(IDD_MANAGER_LIKE) {}
    CListCtrl m_rows;
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_ROWS, m_rows); }
};

class ScreenPaint : public MfcTest {
protected:
    void SetUp() override
    {
        MfcTest::SetUp();
        ASSERT_TRUE(dlg.Create(IDD_MANAGER_LIKE));
        dlg.SetWindowPos(nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        dlg.ShowWindow(SW_SHOWNORMAL);
        const wchar_t* titles[] = {L"No.", L"Length"};
        for (int c = 0; c < 2; ++c) dlg.m_rows.InsertColumn(c, titles[c], LVCFMT_LEFT, 60);
        for (int r = 0; r < 3; ++r) {
            dlg.m_rows.InsertItem(LVIF_TEXT, r, L"", 0, 0, 0, 0);
            dlg.m_rows.SetItemText(r, 0, std::to_wstring(r).c_str());
        }
    }

    // The whole screen composited over a black picture, as 0xRRGGBB words.
    void paint()
    {
        const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
        width = w;
        pixels.assign(static_cast<size_t>(w) * h, 0xFF000000u);
        ASSERT_TRUE(win32::screen::compositeWindows(pixels.data(), w, h, w * 4, RECT{0, 0, w, h}));
    }
    unsigned at(POINT p) const { return pixels[static_cast<size_t>(p.y) * width + p.x] & 0xFFFFFFu; }
    RECT screenRectOf(int id)
    {
        RECT r;
        GetWindowRect(GetDlgItem(dlg.m_hWnd, id), &r);
        return r;
    }
    RECT rowOnScreen(int row)
    {
        RECT r;
        dlg.m_rows.GetItemRect(row, &r, LVIR_BOUNDS);
        POINT a{r.left, r.top}, b{r.right, r.bottom};
        dlg.m_rows.ClientToScreen(&a);
        dlg.m_rows.ClientToScreen(&b);
        return RECT{a.x, a.y, b.x, b.y};
    }

    Painted dlg;
    std::vector<std::uint32_t> pixels;
    int width = 0;
};

constexpr unsigned kFace = 0xF0F0F0, kButtonBorder = 0xADADAD, kDisabledBorder = 0xBFBFBF, kCaption = 0x0078D7,
                   kSelected = 0xCCE8FF, kGrid = 0xE5E5E5, kWhite = 0xFFFFFF;

TEST_F(ScreenPaint, TheDialogStandsWhereItIsWithItsCaption)
{
    paint();
    RECT r;
    dlg.GetWindowRect(&r);
    EXPECT_EQ(at({r.left - 1, r.top + 10}), 0u);  // the screen beside it is untouched
    EXPECT_EQ(at({r.right - 60, r.top + 3}), kCaption);  // active: the caption is blue
    RECT client;
    dlg.GetClientRect(&client);
    dlg.ClientToScreen(&client);
    EXPECT_EQ(at({client.left + 2, client.bottom - 2}), kFace);
    // Another window active: the caption turns grey.
    CDialog other(IDD_TAG_LIKE);
    ASSERT_TRUE(other.Create(IDD_TAG_LIKE));
    other.SetWindowPos(nullptr, 1500, 800, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    paint();
    EXPECT_NE(at({r.right - 60, r.top + 3}), kCaption);
}

TEST_F(ScreenPaint, ButtonsShowWhetherTheyAreEnabledAndHiddenOnesAreNotDrawn)
{
    paint();
    RECT play = screenRectOf(IDC_PLAY);
    EXPECT_EQ(at({play.left, (play.top + play.bottom) / 2}), kButtonBorder);
    RECT ok = screenRectOf(IDOK);
    EXPECT_EQ(at({ok.left, (ok.top + ok.bottom) / 2}), kCaption);  // the default button's frame
    EnableWindow(GetDlgItem(dlg.m_hWnd, IDC_PLAY), FALSE);
    paint();
    EXPECT_EQ(at({play.left, (play.top + play.bottom) / 2}), kDisabledBorder);
    // The hidden button leaves the dialog's face where it would be.
    RECT hidden = screenRectOf(IDC_HIDDEN);
    EXPECT_EQ(at({hidden.left, (hidden.top + hidden.bottom) / 2}), kFace);
    EXPECT_EQ(at({(hidden.left + hidden.right) / 2, hidden.top}), kFace);
    ShowWindow(GetDlgItem(dlg.m_hWnd, IDC_HIDDEN), SW_SHOW);
    paint();
    EXPECT_EQ(at({hidden.left, (hidden.top + hidden.bottom) / 2}), kButtonBorder);
}

TEST_F(ScreenPaint, TheListShowsSelectedRowsAndGridLinesOnlyWhenAsked)
{
    dlg.m_rows.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    paint();
    RECT row0 = rowOnScreen(0), row1 = rowOnScreen(1);
    // Without full-row selection only the first column's cell is highlighted.
    EXPECT_EQ(at({row1.left + 30, row1.top + 3}), kSelected);
    EXPECT_EQ(at({row1.left + 90, row1.top + 3}), kWhite);
    EXPECT_EQ(at({row0.left + 40, row0.top + 3}), kWhite);
    // No grid: the border between rows 2 and 3 further down is white too.
    RECT row2 = rowOnScreen(2);
    EXPECT_EQ(at({row2.left + 40, row2.bottom - 1}), kWhite);
    EXPECT_EQ(at({row2.left + 59, row2.bottom + 30}), kWhite);
    dlg.m_rows.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    paint();
    EXPECT_EQ(at({row1.left + 90, row1.top + 3}), kSelected);
    EXPECT_EQ(at({row2.left + 40, row2.bottom - 1}), kGrid);
    // Grid lines go on below the last row, and between the columns.
    EXPECT_EQ(at({row2.left + 40, row2.bottom - 1 + 17 * 3}), kGrid);
    EXPECT_EQ(at({row2.left + 59, row2.bottom + 30}), kGrid);
}

TEST_F(ScreenPaint, AHiddenDialogIsNotDrawnAndTheTopmostWindowWins)
{
    RECT r;
    dlg.GetWindowRect(&r);
    dlg.ShowWindow(SW_HIDE);
    paint();
    EXPECT_EQ(at({r.left + 20, r.top + 40}), 0u);
    dlg.ShowWindow(SW_SHOW);
    // A second dialog over the first covers it where they overlap.
    Painted top;
    ASSERT_TRUE(top.Create(IDD_MANAGER_LIKE));
    top.SetWindowPos(&CWnd::wndTop, r.left + 200, r.top, 0, 0, SWP_NOSIZE);
    top.ShowWindow(SW_SHOW);
    RECT t;
    top.GetWindowRect(&t);
    paint();
    EXPECT_EQ(at({t.left + 40, t.top + 3}), kCaption);  // the new one is active and on top
    RECT play0 = screenRectOf(IDC_PLAY);
    EXPECT_NE(at({play0.left, (play0.top + play0.bottom) / 2}), kButtonBorder);  // covered by it
    dlg.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    paint();
    RECT play = screenRectOf(IDC_PLAY);
    EXPECT_EQ(at({play.left, (play.top + play.bottom) / 2}), kButtonBorder);
}

TEST_F(ScreenPaint, APictureThatIsNotCairosLayoutIsRefused)
{
    std::vector<std::uint32_t> small(10 * 10);
    EXPECT_FALSE(win32::screen::compositeWindows(small.data(), 10, 10, 10 * 4 + 4, RECT{0, 0, 10, 10}));
    EXPECT_FALSE(win32::screen::compositeWindows(small.data(), 10, 10, 40, RECT{0, 0, 10, 11}));
    EXPECT_FALSE(win32::screen::compositeWindows(nullptr, 10, 10, 40, RECT{0, 0, 10, 10}));
    EXPECT_TRUE(win32::screen::compositeWindows(small.data(), 10, 10, 40, RECT{0, 0, 10, 10}));
}

TEST_F(ScreenPaint, CtrlHeldDuringAClickAddsTheRowToTheSelection)
{
    RECT row0 = rowOnScreen(0), row2 = rowOnScreen(2);
    clickAt({row0.left + 5, row0.top + 5});
    win32::loop::runReady();
    win32::input::setControlKey(true);
    EXPECT_TRUE(win32::input::controlKeyIsDown());
    clickAt({row2.left + 5, row2.top + 5});
    win32::input::setControlKey(false);
    // The key state travels with the input: letting go before the loop takes it changes nothing.
    win32::loop::runReady();
    EXPECT_EQ(dlg.m_rows.GetSelectedCount(), 2u);
    // Without Ctrl a click selects that row alone.
    clickAt({row2.left + 5, row2.top + 5});
    win32::loop::runReady();
    EXPECT_EQ(dlg.m_rows.GetSelectedCount(), 1u);
    EXPECT_EQ(dlg.m_rows.GetNextItem(-1, LVNI_SELECTED), 2);
}

}  // namespace
