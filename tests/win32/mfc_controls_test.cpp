// MFC's controls: CListCtrl in report view (columns, items and sub-item texts,
// multiple selection by clicks and by state, GetSelectedCount, GetNextItem,
// DeleteAllItems, extended styles) and CToolTipCtrl (tools, UpdateTipText, GetText,
// RelayEvent, Activate, SetMaxTipWidth, and the tip that shows).
#include <string>
#include <vector>

#include "data/resource.h"
#include "mfc_fixture.h"

namespace {

class ListHost : public CDialog {
public:
    ListHost() : CDialog(IDD_MANAGER_LIKE) {}
    CListCtrl m_rows;
    std::vector<int> clicks;
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_ROWS, m_rows); }
    afx_msg void OnNMClickRows(NMHDR* pNMHDR, LRESULT* pResult)
    {
        clicks.push_back(reinterpret_cast<NMITEMACTIVATE*>(pNMHDR)->iItem);
        *pResult = 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ListHost, CDialog)
ON_NOTIFY(NM_CLICK, IDC_ROWS, &ListHost::OnNMClickRows)
END_MESSAGE_MAP()

class Lists : public MfcTest {
protected:
    void SetUp() override
    {
        MfcTest::SetUp();
        ASSERT_TRUE(host.Create(IDD_MANAGER_LIKE));
        host.ShowWindow(SW_SHOWNORMAL);
        CListCtrl& l = host.m_rows;
        const wchar_t* titles[] = {L"No.", L"Length", L"By", L"Type", L"Date"};
        int widths[] = {45, 65, 75, 70, 75};
        for (int c = 0; c < 5; ++c) ASSERT_EQ(l.InsertColumn(c, titles[c], LVCFMT_LEFT, widths[c]), c);
        for (int r = 0; r < 3; ++r) {
            ASSERT_EQ(l.InsertItem(LVIF_TEXT, r, L"", 0, 0, 0, 0), r);
            for (int c = 0; c < 5; ++c) l.SetItemText(r, c, (std::to_wstring(r) + L"." + std::to_wstring(c)).c_str());
        }
    }
    // Clicks a row with the real mouse.
    void clickRow(int row)
    {
        RECT r;
        ASSERT_TRUE(host.m_rows.GetItemRect(row, &r, LVIR_BOUNDS));
        POINT p{r.left + 10, r.top + 3};
        host.m_rows.ClientToScreen(&p);
        clickAt(p);
        win32::loop::runReady();
    }
    ListHost host;
};

}  // namespace

TEST_F(Lists, ColumnsItemsAndSubItemTexts)
{
    CListCtrl& l = host.m_rows;
    EXPECT_EQ(l.GetItemCount(), 3);
    EXPECT_EQ(l.GetItemText(2, 4), CString(L"2.4"));
    EXPECT_EQ(l.GetItemText(1, 9), CString(L""));  // a column that was never set
    EXPECT_EQ(l.GetColumnWidth(1), 65);
    wchar_t buf[3];
    EXPECT_EQ(l.GetItemText(0, 1, buf, 3), 2);  // cut to the buffer
    EXPECT_STREQ(buf, L"0.");
    LVCOLUMN col{};
    wchar_t title[16];
    col.mask = LVCF_TEXT | LVCF_WIDTH;
    col.pszText = title;
    col.cchTextMax = 16;
    ASSERT_TRUE(l.SendMessage(LVM_GETCOLUMNW, 3, reinterpret_cast<LPARAM>(&col)));
    EXPECT_STREQ(title, L"Type");
    EXPECT_EQ(l.InsertItem(99, L"appended"), 3);  // beyond the end: appended
    EXPECT_EQ(l.GetItemText(3, 0), CString(L"appended"));
    EXPECT_TRUE(l.DeleteItem(0));
    EXPECT_EQ(l.GetItemText(0, 0), CString(L"1.0"));
    EXPECT_TRUE(l.DeleteAllItems());
    EXPECT_EQ(l.GetItemCount(), 0);
    EXPECT_FALSE(l.SetItemText(0, 0, L"x"));
}

TEST_F(Lists, ExtendedStylesAreSetWithAnAllBitsMask)
{
    CListCtrl& l = host.m_rows;
    EXPECT_EQ(l.GetExtendedStyle(), 0u);
    EXPECT_EQ(l.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT), 0u);
    EXPECT_EQ(l.GetExtendedStyle(), 0x21u);
    EXPECT_EQ(l.SetExtendedStyle(LVS_EX_CHECKBOXES), 0x21u);  // mask 0: the whole style is replaced
    EXPECT_EQ(l.GetExtendedStyle(), static_cast<DWORD>(LVS_EX_CHECKBOXES));
}

TEST_F(Lists, AClickSelectsTheRowUnderTheMouseAndTellsTheParent)
{
    CListCtrl& l = host.m_rows;
    clickRow(1);
    EXPECT_EQ(host.clicks, (std::vector<int>{1}));
    EXPECT_EQ(l.GetSelectedCount(), 1u);
    EXPECT_EQ(l.GetNextItem(-1, LVNI_SELECTED), 1);
    EXPECT_EQ(l.GetNextItem(-1, LVNI_FOCUSED), 1);
    clickRow(2);  // a plain click replaces the selection
    EXPECT_EQ(l.GetSelectedCount(), 1u);
    EXPECT_EQ(l.GetNextItem(-1, LVNI_SELECTED), 2);
    // Below the last row: the selection is cleared, and the parent hears of it.
    RECT last;
    l.GetItemRect(2, &last, LVIR_BOUNDS);
    POINT below{last.left + 10, last.bottom + 40};
    l.ClientToScreen(&below);
    clickAt(below);
    win32::loop::runReady();
    EXPECT_EQ(host.clicks, (std::vector<int>{1, 2, -1}));
    EXPECT_EQ(l.GetSelectedCount(), 0u);
}

TEST_F(Lists, SeveralRowsCanBeSelectedAndAreFoundInOrder)
{
    CListCtrl& l = host.m_rows;
    // Ctrl+click toggles a row in a list without LVS_SINGLESEL.
    l.SendMessage(WM_LBUTTONDOWN, MK_CONTROL, MAKELPARAM(10, 24 + 17 * 0 + 3));
    l.SendMessage(WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(10, 24 + 3));
    l.SendMessage(WM_LBUTTONDOWN, MK_CONTROL, MAKELPARAM(10, 24 + 17 * 2 + 3));
    l.SendMessage(WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(10, 24 + 17 * 2 + 3));
    EXPECT_EQ(l.GetSelectedCount(), 2u);
    std::vector<int> found;
    for (int i = l.GetNextItem(-1, LVNI_SELECTED); i != -1; i = l.GetNextItem(i, LVNI_SELECTED)) found.push_back(i);
    EXPECT_EQ(found, (std::vector<int>{0, 2}));
    std::vector<int> byPosition;
    for (POSITION pos = l.GetFirstSelectedItemPosition(); pos != nullptr;) byPosition.push_back(l.GetNextSelectedItem(pos));
    EXPECT_EQ(byPosition, found);
    EXPECT_EQ(l.GetNextItem(-1, LVNI_SELECTED | LVNI_ABOVE), 2);  // searching upwards from the end
    l.SetItemState(-1, 0, LVIS_SELECTED);
    EXPECT_EQ(l.GetSelectedCount(), 0u);
    l.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(l.GetItemState(1, LVIS_SELECTED), static_cast<UINT>(LVIS_SELECTED));
}

TEST_F(Lists, ASingleSelectionListKeepsOneSelectedRow)
{
    CListCtrl& l = host.m_rows;
    l.ModifyStyle(0, LVS_SINGLESEL);
    l.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    l.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(l.GetSelectedCount(), 1u);
    EXPECT_EQ(l.GetNextItem(-1, LVNI_SELECTED), 2);
}

namespace {

class Tips : public MfcTest {
protected:
    void SetUp() override
    {
        MfcTest::SetUp();
        owner = recorderWindow();
        ASSERT_TRUE(tip.Create(CWnd::FromHandle(owner)));
        tip.Activate(TRUE);
        ownerWnd = CWnd::FromHandle(owner);
    }
    static HWND recorderWindow()
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.lpszClassName = L"TipOwner";
        RegisterClassW(&wc);
        return CreateWindowExW(0, L"TipOwner", L"", WS_POPUP | WS_VISIBLE, 100, 100, 36, 36, nullptr, nullptr, nullptr,
                               nullptr);
    }
    // Moves the mouse onto the owner and relays the move, as a PreTranslateMessage does.
    void hoverOwner(int x = 110, int y = 110)
    {
        win32::input::mouseMove(x, y);
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (m.hwnd == owner) tip.RelayEvent(&m);
            DispatchMessageW(&m);
        }
    }
    void wait(DWORD ms) { ASSERT_TRUE(win32::loop::runUntil(GetTickCount() + ms)); }
    CString shown()
    {
        if (!tip.IsWindowVisible()) return CString();
        CString s;
        tip.GetWindowText(s);
        return s;
    }

    HWND owner = nullptr;
    CWnd* ownerWnd = nullptr;
    CToolTipCtrl tip;
};

}  // namespace

TEST_F(Tips, TheTipShowsAfterTheInitialDelayWhileTheCursorRestsOnTheTool)
{
    ASSERT_TRUE(tip.AddTool(ownerWnd, L"Click to play."));
    EXPECT_EQ(tip.GetToolCount(), 1);
    EXPECT_EQ(tip.GetDelayTime(TTDT_INITIAL), static_cast<int>(GetDoubleClickTime()));
    hoverOwner();
    wait(GetDoubleClickTime() - 1);
    EXPECT_EQ(shown(), CString());
    wait(1);
    EXPECT_EQ(shown(), CString(L"Click to play."));
    TOOLINFO current{};
    current.cbSize = sizeof current;
    EXPECT_TRUE(tip.SendMessage(TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&current)));
    EXPECT_EQ(current.uId, reinterpret_cast<UINT_PTR>(owner));
    EXPECT_TRUE(current.uFlags & TTF_IDISHWND);
    // The tip does not take the mouse: the owner is still the window under the cursor.
    EXPECT_EQ(WindowFromPoint(POINT{110, 110}), owner);
}

TEST_F(Tips, UpdateTipTextChangesTheShownTextAndGetTextReadsIt)
{
    tip.AddTool(ownerWnd, L"Press and hold to start recording until release to end.");
    hoverOwner();
    wait(600);
    tip.UpdateTipText(L"Deletes the VelaTone object.", ownerWnd);
    EXPECT_EQ(shown(), CString(L"Deletes the VelaTone object."));
    CString text;
    tip.GetText(text, ownerWnd);
    EXPECT_EQ(text, CString(L"Deletes the VelaTone object."));
}

// MFC's GetText cuts the text at 256 characters.
TEST_F(Tips, GetTextReadsATextOfAnyLength_DepartsFromWindows)
{
    std::wstring longText(700, L'x');
    tip.AddTool(ownerWnd, longText.c_str());
    CString text;
    tip.GetText(text, ownerWnd);
    EXPECT_EQ(text.GetLength(), 700);
}

TEST_F(Tips, ATipFromTheStringTableIsLoadedWhenItShows)
{
    ASSERT_TRUE(tip.AddTool(ownerWnd, IDS_TIP));
    CString text;
    tip.GetText(text, ownerWnd);
    EXPECT_EQ(text, CString(L"A tip from the string table"));
}

TEST_F(Tips, ClickingOrLeavingHidesTheTipAndDeactivatingKeepsItHidden)
{
    tip.AddTool(ownerWnd, L"tip");
    hoverOwner();
    wait(600);
    ASSERT_EQ(shown(), CString(L"tip"));
    MSG press{owner, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10), GetTickCount(), {110, 110}, 0};
    tip.RelayEvent(&press);
    EXPECT_EQ(shown(), CString());
    wait(2000);
    EXPECT_EQ(shown(), CString());  // not again while the cursor stays on the same tool
    MSG elsewhere{frame->m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(500, 500), GetTickCount(), {500, 500}, 0};
    tip.RelayEvent(&elsewhere);  // a move off every tool
    hoverOwner();
    wait(600);
    EXPECT_EQ(shown(), CString(L"tip"));
    win32::input::mouseMove(600, 600);  // off the tool, with nothing relayed
    wait(200);
    EXPECT_EQ(shown(), CString());
    tip.Activate(FALSE);
    hoverOwner();
    wait(1000);
    EXPECT_EQ(shown(), CString());
}

TEST_F(Tips, WithoutAlwaysTipTheToolsWindowMustBeActive)
{
    tip.AddTool(ownerWnd, L"tip");
    HWND other = CreateWindowExW(0, L"TipOwner", L"", WS_POPUP | WS_VISIBLE, 500, 500, 10, 10, nullptr, nullptr, nullptr,
                                 nullptr);
    ASSERT_EQ(GetActiveWindow(), other);
    hoverOwner();
    wait(1000);
    EXPECT_EQ(shown(), CString());
}

TEST_F(Tips, SetMaxTipWidthGivesThePreviousWidth)
{
    EXPECT_EQ(tip.SetMaxTipWidth(150), -1);
    EXPECT_EQ(tip.GetMaxTipWidth(), 150);
    EXPECT_EQ(tip.SetMaxTipWidth(200), 150);
}
