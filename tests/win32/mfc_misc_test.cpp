// The rest of MFC: AfxMessageBox (recorded and answered, its text from the string
// table), the main window and its icons, the host's drawing view, CArray, and
// CWnd's handle maps.
#include <stdexcept>

#include "afxtempl.h"
#include "data/resource.h"
#include "mfc_fixture.h"
#include "win32/message_boxes.h"

namespace {

using Mfc = MfcTest;

class View : public CView {
public:
    explicit View(bool* deleted) : mDeleted(deleted) {}
    ~View() override { *mDeleted = true; }
    void OnDraw(CDC*) override {}

private:
    bool* mDeleted;
};

}  // namespace

TEST_F(Mfc, AfxMessageBoxIsRecordedAndAnsweredByTheHandlerOrItsDefaultButton)
{
    EXPECT_EQ(AfxMessageBox(L"Audio output erro"), IDOK);
    EXPECT_EQ(AfxMessageBox(L"Sure?", MB_YESNO | MB_DEFBUTTON2), IDNO);
    win32::messages::setMessageBoxHandler([](const win32::messages::MessageBoxRecord& box) {
        return box.text == L"Sure?" ? IDYES : IDCANCEL;
    });
    EXPECT_EQ(AfxMessageBox(L"Sure?", MB_YESNO), IDYES);
    EXPECT_EQ(AfxMessageBox(L"Only OK"), IDOK);  // IDCANCEL is no button of it: the default answers
    EXPECT_EQ(AfxMessageBox(IDS_PROMPT, MB_OKCANCEL), IDCANCEL);
    auto boxes = win32::messages::messageBoxes();
    ASSERT_EQ(boxes.size(), 5u);
    EXPECT_EQ(boxes[4].text, L"Nothing is selected.");
    EXPECT_EQ(boxes[4].caption, std::wstring(AfxGetAppName()));
    EXPECT_EQ(boxes[0].owner, frame->m_hWnd);
    EXPECT_EQ(MessageBoxW(nullptr, L"x", nullptr, 0x0F), 0);  // no such box type
    EXPECT_EQ(win32::messages::defaultButton(MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
    EXPECT_EQ(win32::messages::defaultButton(MB_OK | MB_DEFBUTTON4), IDOK);
}

TEST_F(Mfc, TheMainFrameIsTheMainWindowCoversTheScreenAndHasASmallIcon)
{
    EXPECT_EQ(AfxGetMainWnd(), frame);
    EXPECT_EQ(AfxGetThread()->GetMainWnd(), frame);
    CRect r;
    frame->GetWindowRect(&r);
    EXPECT_EQ(r, CRect(0, 0, 1920, 1080));
    HICON small = reinterpret_cast<HICON>(frame->SendMessage(WM_GETICON, ICON_SMALL, 0));
    EXPECT_NE(small, nullptr);
    EXPECT_EQ(frame->GetIcon(FALSE), small);
    EXPECT_NE(frame->GetIcon(TRUE), small);
    EXPECT_EQ(win32::host::mainFrame(), frame);  // made once
}

TEST_F(Mfc, TheDrawingViewsClientAreaStartsAtFortyOneHundredTwenty)
{
    bool deleted = false;
    auto* view = new View(&deleted);
    ASSERT_TRUE(win32::host::createDrawingView(view, 1024, 768));
    EXPECT_EQ(win32::host::drawingView(), view);
    POINT origin{0, 0};
    view->ClientToScreen(&origin);
    EXPECT_EQ(origin.x, 40);
    EXPECT_EQ(origin.y, 120);
    CRect client;
    view->GetClientRect(&client);
    EXPECT_EQ(client.Width(), 1024);
    EXPECT_EQ(client.Height(), 768);
    EXPECT_EQ(view->GetParent(), frame);
    EXPECT_EQ(WindowFromPoint(POINT{41, 121}), view->m_hWnd);
    win32::host::destroyHostWindows();
    EXPECT_TRUE(deleted);  // the view went with its window
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
}

TEST_F(Mfc, TemporaryObjectsStandForWindowsWithoutOne)
{
    HWND plain = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    CWnd* temp = CWnd::FromHandle(plain);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(temp->m_hWnd, plain);
    EXPECT_EQ(CWnd::FromHandle(plain), temp);
    EXPECT_EQ(CWnd::FromHandlePermanent(plain), nullptr);
    DestroyWindow(plain);
    EXPECT_EQ(CWnd::FromHandle(plain), nullptr);
}

TEST(CArray, GrowsAndShrinks)
{
    CArray<int, int> a;
    EXPECT_TRUE(a.IsEmpty());
    for (int i = 0; i < 5; ++i) EXPECT_EQ(a.Add(i * 10), i);
    EXPECT_EQ(a.GetSize(), 5);
    EXPECT_EQ(a[4], 40);
    a.RemoveAt(1, 2);
    EXPECT_EQ(a.GetSize(), 3);
    EXPECT_EQ(a[1], 30);
    a.InsertAt(0, 7, 2);
    EXPECT_EQ(a.GetAt(1), 7);
    EXPECT_EQ(a.GetUpperBound(), 4);
    a.SetAtGrow(7, 1);
    EXPECT_EQ(a.GetSize(), 8);
    EXPECT_EQ(a[6], 0);
    CArray<CString, const CString&> s;
    s.Add(L"a");
    s.Add(s[0]);  // an element of the array itself
    EXPECT_EQ(s[1], CString(L"a"));
    a.RemoveAll();
    EXPECT_EQ(a.GetData(), nullptr);
}

// MFC throws its own CInvalidArgException (and asserts first in a debug build).
TEST(CArray, IndexesOutsideTheArrayThrowOutOfRange_DepartsFromWindows)
{
    CArray<int, int> a;
    a.SetSize(8);
    EXPECT_THROW(a.GetAt(8), std::out_of_range);
    EXPECT_THROW(a[-1], std::out_of_range);
    EXPECT_THROW(a.RemoveAt(6, 3), std::out_of_range);
    EXPECT_THROW(a.SetAt(9, 1), std::out_of_range);
}

TEST_F(Mfc, ModifyStyleExChangesTheExtendedStyleOnce)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"", WS_POPUP | WS_VISIBLE, 10, 10, 100, 60, nullptr, nullptr));
    EXPECT_EQ(WindowFromPoint(POINT{20, 20}), wnd.m_hWnd);
    EXPECT_TRUE(wnd.ModifyStyleEx(0, WS_EX_LAYERED));
    EXPECT_FALSE(wnd.ModifyStyleEx(0, WS_EX_LAYERED));  // nothing changed
    EXPECT_TRUE(wnd.GetExStyle() & WS_EX_LAYERED);
    // Layered and not yet updated, nothing of it is on the screen.
    EXPECT_NE(WindowFromPoint(POINT{20, 20}), wnd.m_hWnd);
    EXPECT_TRUE(wnd.ModifyStyleEx(WS_EX_LAYERED, 0));
    EXPECT_EQ(WindowFromPoint(POINT{20, 20}), wnd.m_hWnd);
    // A tool window's caption is the small one.
    wnd.ModifyStyle(0, WS_CAPTION);
    wnd.ModifyStyleEx(0, WS_EX_TOOLWINDOW);
    CRect client, window;
    wnd.GetClientRect(&client);
    wnd.GetWindowRect(&window);
    EXPECT_EQ(window.Height() - client.Height(),
              GetSystemMetrics(SM_CYSMCAPTION) + 2 * GetSystemMetrics(SM_CYDLGFRAME));
    wnd.DestroyWindow();
    EXPECT_EQ(wnd.m_hWnd, nullptr);
}

TEST_F(Mfc, GetDCHandsOutATemporaryDeviceContextUntilReleaseDC)
{
    CDC* dc = frame->GetDC();
    ASSERT_NE(dc, nullptr);
    HDC h = dc->GetSafeHdc();
    EXPECT_NE(h, nullptr);
    EXPECT_EQ(CDC::FromHandle(h), dc);
    // A memory device context compatible with it takes a DIB section, as the plug-in's
    // layered drawing does.
    HDC mem = CreateCompatibleDC(*dc);
    EXPECT_NE(mem, nullptr);
    DeleteDC(mem);
    EXPECT_EQ(frame->ReleaseDC(dc), 1);
    EXPECT_EQ(ReleaseDC(frame->m_hWnd, h), 0);  // released once
}
