// MFC dialogs: templates from the module's resources with dialog units converted by
// the template's font ("MS Shell Dlg" 8: 6 x 13), modeless Create and modal DoModal
// (a nested loop that ends with EndDialog, the owner disabled meanwhile), OK and
// Cancel, message maps (ON_BN_CLICKED, ON_NOTIFY, ON_WM_TIMER, ON_MESSAGE) and
// DDX_Control.
#include <string>
#include <vector>

#include "data/resource.h"
#include "mfc_fixture.h"

namespace {

class ManagerLike : public CDialog {
public:
    explicit ManagerLike(CWnd* parent = nullptr) : CDialog(IDD_MANAGER_LIKE, parent) {}

    CListCtrl m_rows;
    CButton m_play;
    std::vector<std::string> events;
    std::function<void(ManagerLike&)> onInit;
    std::function<void(ManagerLike&, UINT_PTR)> onTimer;

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        events.push_back("init");
        if (onInit) onInit(*this);
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_ROWS, m_rows);
        DDX_Control(pDX, IDC_PLAY, m_play);
    }
    void OnCancel() override
    {
        events.push_back("cancel");
        CDialog::OnCancel();
    }

    afx_msg void OnBnClickedPlay() { events.push_back("play"); }
    afx_msg void OnNMClickRows(NMHDR* pNMHDR, LRESULT* pResult)
    {
        events.push_back("click " + std::to_string(reinterpret_cast<NMITEMACTIVATE*>(pNMHDR)->iItem));
        *pResult = 0;
    }
    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        events.push_back("timer " + std::to_string(nIDEvent) + " at " + std::to_string(GetTickCount()));
        if (onTimer) onTimer(*this, nIDEvent);
    }
    afx_msg LRESULT OnApp(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(wParam + 1); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ManagerLike, CDialog)
ON_BN_CLICKED(IDC_PLAY, &ManagerLike::OnBnClickedPlay)
ON_NOTIFY(NM_CLICK, IDC_ROWS, &ManagerLike::OnNMClickRows)
ON_WM_TIMER()
ON_MESSAGE(WM_APP, &ManagerLike::OnApp)
END_MESSAGE_MAP()

RECT inClient(HWND dlg, int id)
{
    RECT r;
    GetWindowRect(GetDlgItem(dlg, id), &r);
    MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

using Dialogs = MfcTest;

}  // namespace

TEST_F(Dialogs, DialogUnitsBecomePixelsWithTheTemplatesFont)
{
    ManagerLike dlg;
    ASSERT_TRUE(dlg.Create(IDD_MANAGER_LIKE));
    CRect client;
    dlg.GetClientRect(&client);
    EXPECT_EQ(client.Width(), 474);   // 316 units at 6 pixels per 4 units
    EXPECT_EQ(client.Height(), 372);  // 229 units at 13 pixels per 8 units
    RECT play = inClient(dlg.m_hWnd, IDC_PLAY);  // 249, 14, 50, 19
    EXPECT_EQ(play.left, 374);
    EXPECT_EQ(play.top, 23);
    EXPECT_EQ(play.right - play.left, 75);
    EXPECT_EQ(play.bottom - play.top, 31);
    RECT ok = inClient(dlg.m_hWnd, IDOK);  // 50 x 14 units: Windows' standard 75 x 23 button
    EXPECT_EQ(ok.right - ok.left, 75);
    EXPECT_EQ(ok.bottom - ok.top, 23);
    RECT units{4, 8, 8, 16};
    ASSERT_TRUE(MapDialogRect(dlg.m_hWnd, &units));
    EXPECT_EQ(units.left, 6);
    EXPECT_EQ(units.top, 13);
    EXPECT_EQ(units.right, 12);
    EXPECT_EQ(units.bottom, 26);
    // The window adds the modal frame and the caption around the client area.
    CRect window;
    dlg.GetWindowRect(&window);
    EXPECT_EQ(window.Width(), 474 + 2 * GetSystemMetrics(SM_CXDLGFRAME));
    EXPECT_EQ(window.Height(), 372 + 2 * GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION));
    EXPECT_TRUE(GetWindowLongPtrW(dlg.m_hWnd, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
}

TEST_F(Dialogs, CreateMakesAModelessDialogOwnedByTheMainWindowAndBindsItsControls)
{
    ManagerLike dlg;
    ASSERT_TRUE(dlg.Create(IDD_MANAGER_LIKE, nullptr));
    EXPECT_EQ(dlg.events, (std::vector<std::string>{"init"}));
    EXPECT_EQ(GetWindow(dlg.m_hWnd, GW_OWNER), frame->m_hWnd);  // no parent given: the main window
    EXPECT_EQ(dlg.m_rows.m_hWnd, GetDlgItem(dlg.m_hWnd, IDC_ROWS));
    EXPECT_EQ(CWnd::FromHandlePermanent(GetDlgItem(dlg.m_hWnd, IDC_PLAY)), &dlg.m_play);
    EXPECT_FALSE(dlg.IsWindowVisible());  // the template has no WS_VISIBLE
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dlg.m_hWnd, IDC_HIDDEN)));
    wchar_t caption[16];
    dlg.GetWindowText(caption, 16);
    EXPECT_STREQ(caption, L"Manager");
    EXPECT_EQ(dlg.SendMessage(WM_APP, 41), 42);  // ON_MESSAGE with its result

    CDialog tag(IDD_TAG_LIKE);
    ASSERT_TRUE(tag.Create(IDD_TAG_LIKE, frame));
    EXPECT_TRUE(tag.IsWindowVisible());  // WS_VISIBLE in the template
    EXPECT_EQ(GetActiveWindow(), tag.m_hWnd);

    CDialog missing(999);
    EXPECT_FALSE(missing.Create(999));
    EXPECT_EQ(missing.m_hWnd, nullptr);
}

TEST_F(Dialogs, DoModalRunsANestedLoopUntilEndDialog)
{
    ManagerLike dlg;
    bool ownerDisabledInside = false, shownInside = false;
    dlg.onInit = [](ManagerLike& d) { d.SetTimer(7, 500, nullptr); };
    dlg.onTimer = [&](ManagerLike& d, UINT_PTR) {
        ownerDisabledInside = !frame->IsWindowEnabled();
        shownInside = d.IsWindowVisible() != FALSE;
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(GetTickCount(), 500u);
    EXPECT_EQ(dlg.events, (std::vector<std::string>{"init", "timer 7 at 500"}));
    EXPECT_TRUE(ownerDisabledInside);
    EXPECT_TRUE(shownInside);  // shown when the loop first went idle
    EXPECT_TRUE(frame->IsWindowEnabled());
    EXPECT_EQ(dlg.m_hWnd, nullptr);  // destroyed when DoModal returns
    EXPECT_EQ(dlg.m_rows.m_hWnd, nullptr);
    EXPECT_EQ(GetActiveWindow(), frame->m_hWnd);
}

TEST_F(Dialogs, ClicksInsideTheModalLoopReachTheMessageMapAndCancelEndsIt)
{
    ManagerLike dlg;
    script({[&] { clickAt(centreOf(GetDlgItem(dlg.m_hWnd, IDC_PLAY))); },
            [&] { clickAt(centreOf(GetDlgItem(dlg.m_hWnd, IDCANCEL))); }});
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.events, (std::vector<std::string>{"init", "play", "cancel"}));
}

TEST_F(Dialogs, OkEndsTheModalLoopWithIdok)
{
    ManagerLike dlg;
    script({[&] { ::SendMessageW(GetDlgItem(dlg.m_hWnd, IDOK), BM_CLICK, 0, 0); }});
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST_F(Dialogs, ADisabledButtonTakesNoClickAndTheOwnerTakesNoMouseWhileModal)
{
    ManagerLike dlg;
    HWND frameHwnd = frame->m_hWnd;
    script({[&] {
                ::EnableWindow(GetDlgItem(dlg.m_hWnd, IDC_PLAY), FALSE);
                clickAt(centreOf(GetDlgItem(dlg.m_hWnd, IDC_PLAY)));
                ::SendMessageW(GetDlgItem(dlg.m_hWnd, IDC_PLAY), BM_CLICK, 0, 0);
            },
            [&] { clickAt(POINT{1900, 1000}); },  // on the disabled main frame
            [&] { dlg.EndDialog(IDCANCEL); }});
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.events, (std::vector<std::string>{"init"}));
    EXPECT_TRUE(IsWindow(frameHwnd));
}

TEST_F(Dialogs, WmQuitEndsTheModalLoopAndStaysPosted)
{
    ManagerLike dlg;
    script({[] { PostQuitMessage(5); }});
    EXPECT_EQ(dlg.DoModal(), -1);
    MSG m;
    ASSERT_TRUE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_QUIT));
}

TEST_F(Dialogs, AListClickNotifiesTheDialogWithTheRow)
{
    ManagerLike dlg;
    dlg.onInit = [](ManagerLike& d) {
        d.m_rows.InsertColumn(0, L"No.", LVCFMT_LEFT, 45);
        d.m_rows.InsertItem(0, L"0");
        d.m_rows.InsertItem(1, L"1");
    };
    script({[&] {
                RECT row;
                dlg.m_rows.GetItemRect(1, &row, LVIR_BOUNDS);
                POINT p{row.left + 5, row.top + 5};
                dlg.m_rows.ClientToScreen(&p);
                clickAt(p);
            },
            [&] { dlg.EndDialog(IDOK); }});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.events, (std::vector<std::string>{"init", "click 1"}));
}

// MFC asserts in a debug build and goes on with a null window in a release build.
TEST_F(Dialogs, DataExchangeRefusesAControlTheTemplateDoesNotHave_DepartsFromWindows)
{
    class Broken : public CDialog {
    public:
        Broken() : CDialog(IDD_TAG_LIKE) {}
        CButton m_button;
        void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, 4242, m_button); }
    } broken;
    EXPECT_THROW(broken.Create(IDD_TAG_LIKE), std::invalid_argument);
}

TEST_F(Dialogs, EndDialogHidesAModelessDialog)
{
    ManagerLike dlg;
    ASSERT_TRUE(dlg.Create(IDD_MANAGER_LIKE));
    dlg.ShowWindow(SW_SHOWNORMAL);
    ::SendMessageW(dlg.m_hWnd, WM_CLOSE, 0, 0);  // the dialog manager turns it into IDCANCEL
    win32::loop::runReady();
    EXPECT_EQ(dlg.events, (std::vector<std::string>{"init", "cancel"}));
    EXPECT_FALSE(dlg.IsWindowVisible());
    EXPECT_TRUE(IsWindow(dlg.m_hWnd));
}
