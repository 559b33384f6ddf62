// The session's dialog actions while a modal dialog is open: dialog list prints
// the list's rows with tab-separated columns, dialog select picks rows as Ctrl
// clicks do (the dialog hears each click), dialog click presses a button by id
// or caption; disabled, hidden and missing buttons, rows past the list and rows
// out of sight fail with their line; snapshot --screen paints the whole screen
// with the dialog on it.
#include <cairo.h>
#include <gtest/gtest.h>

#include "afxcmn.h"
#include "afxwin.h"
#include "session_fixture.h"
#include "win32/host_windows.h"

namespace {

std::vector<std::string> gEvents;
INT_PTR gResult = 0;

class ListDialog : public CDialog {
public:
    ListDialog() : CDialog(101) {}
    CListCtrl m_rows;
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, 1010, m_rows); }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_rows.InsertColumn(0, L"No.", LVCFMT_LEFT, 45);
        m_rows.InsertColumn(1, L"By", LVCFMT_LEFT, 75);
        // Six rows: the list has room for four under its header.
        for (int r = 0; r < 6; ++r) {
            m_rows.InsertItem(r, std::to_wstring(r).c_str());
            m_rows.SetItemText(r, 1, (L"speaker " + std::to_wstring(r)).c_str());
        }
        return TRUE;
    }
    afx_msg void OnPlay() { gEvents.push_back("play with " + std::to_string(m_rows.GetSelectedCount()) + " selected"); }
    afx_msg void OnClickRows(NMHDR*, LRESULT* result)
    {
        *result = 0;
        gEvents.push_back("click");
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ListDialog, CDialog)
ON_BN_CLICKED(1011, &ListDialog::OnPlay)
ON_NOTIFY(NM_CLICK, 1010, &ListDialog::OnClickRows)
END_MESSAGE_MAP()

void CALLBACK openListDialog(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    ListDialog dlg;
    gResult = dlg.DoModal();
    gEvents.push_back("closed");
}

class DialogActions : public SessionFixture {
protected:
    void SetUp() override
    {
        win32::host::mainFrame();
        gEvents.clear();
        SetTimer(nullptr, 0, 10, openListDialog);
    }
};

TEST_F(DialogActions, ListPrintsEveryRowWithItsColumnsSeparatedByTabs)
{
    ASSERT_EQ(run("wait 20\ndialog list\ndialog click Cancel\n"), 0) << error;
    EXPECT_NE(echo.find("0\tspeaker 0\n1\tspeaker 1\n2\tspeaker 2\n"), std::string::npos) << echo;
    EXPECT_NE(echo.find("5\tspeaker 5\n"), std::string::npos);
    EXPECT_EQ(gResult, IDCANCEL);
}

TEST_F(DialogActions, SelectClicksTheRowsWithCtrlAndButtonsGoByCaptionOrId)
{
    ASSERT_EQ(run("wait 20\ndialog select 0,1\ndialog click play\ndialog select 1\ndialog click 1011\ndialog click OK\n"),
              0)
        << error;
    EXPECT_EQ(gEvents, (std::vector<std::string>{"click", "click", "play with 2 selected", "click",
                                                 "play with 1 selected", "closed"}));
    EXPECT_EQ(gResult, IDOK);
}

TEST_F(DialogActions, WhatAUserCannotClickFailsWithItsLine)
{
    EXPECT_EQ(run("wait 20\ndialog click Find\n"), 1);
    EXPECT_NE(error.find("s.scr:2: dialog click: the button Find is disabled"), std::string::npos) << error;
    error.clear();
    SetTimer(nullptr, 0, 10, openListDialog);
    EXPECT_EQ(run("wait 20\ndialog click Hidden\n"), 1);
    EXPECT_NE(error.find("s.scr:2: dialog click: the button Hidden is hidden"), std::string::npos) << error;
    error.clear();
    SetTimer(nullptr, 0, 10, openListDialog);
    EXPECT_EQ(run("wait 20\ndialog click Record\n"), 1);
    EXPECT_NE(error.find("s.scr:2: dialog click: the dialog has no button Record"), std::string::npos) << error;
}

TEST_F(DialogActions, RowsMustExistAndBeInSight)
{
    EXPECT_EQ(run("wait 20\ndialog select 6\n"), 1);
    EXPECT_NE(error.find("s.scr:2: dialog select: there is no row 6 (the list has 6)"), std::string::npos) << error;
    error.clear();
    SetTimer(nullptr, 0, 10, openListDialog);
    EXPECT_EQ(run("wait 20\ndialog select 0,x\n"), 1);
    EXPECT_NE(error.find("\"x\" is not a row number"), std::string::npos) << error;
    error.clear();
    SetTimer(nullptr, 0, 10, openListDialog);
    EXPECT_EQ(run("wait 20\ndialog select 5\n"), 1);
    EXPECT_NE(error.find("s.scr:2: dialog select: row 5 is not in sight in the list"), std::string::npos) << error;
    error.clear();
    SetTimer(nullptr, 0, 10, openListDialog);
    EXPECT_EQ(run("wait 20\ndialog select -1\n"), 1);
    EXPECT_NE(error.find("there is no row -1"), std::string::npos) << error;
}

TEST_F(DialogActions, WithoutADialogTheActionFails)
{
    EXPECT_EQ(run("dialog list\n"), 1);
    EXPECT_NE(error.find("s.scr:1: dialog: no dialog is open"), std::string::npos) << error;
}

TEST_F(DialogActions, AScreenSnapshotIsTheWholeScreenWithTheDialogOnIt)
{
    ASSERT_EQ(run("wait 20\nsnapshot --screen " + dir.file("screen.png") + "\ndialog click Cancel\n"), 0) << error;
    cairo_surface_t* png = cairo_image_surface_create_from_png(dir.file("screen.png").c_str());
    ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(png), 1920);
    EXPECT_EQ(cairo_image_surface_get_height(png), 1080);
    auto* px = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(png));
    const int stride = cairo_image_surface_get_stride(png) / 4;
    EXPECT_EQ(px[5 * stride + 5], 0xFFABABABu);  // the frame around the view
    EXPECT_EQ(px[(120 + 700) * stride + 40 + 1000], 0xFFFFFFFFu);  // the view, white without a drawing
    // The dialog at (20, 20) dialog units (30, 33 pixels) from the frame's corner: its caption.
    EXPECT_EQ(px[(33 + 5) * stride + 30 + 300], 0xFF0078D7u);
    cairo_surface_destroy(png);
    EXPECT_EQ(run("snapshot --screen\n"), 1);
    EXPECT_NE(error.find("snapshot --screen needs a file name"), std::string::npos) << error;
}

}  // namespace
