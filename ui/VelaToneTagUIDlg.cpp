// The voice tag window: making, placing and destroying it for the hover
// monitor, its pictures through a layered update, its tool tips, the mouse
// (clicks through PreTranslateMessage, hover and leave through tracking), the
// slides to and from the view's corner. The engine's steps are in audio/.
#include "VelaToneTagUIDlg.h"

#include <cstring>

#include "QkDbVelaTone.h"
#include "VelaToneAudio.h"
#include "VelaToneManager.h"
#include "VelaToneViewer.h"

CVelaToneTagUIDlg* gpTagUIDlg = NULL;

namespace {

const int kTagSize = 36;

}  // namespace

BEGIN_MESSAGE_MAP(CVelaToneTagUIDlg, CDialog)
    ON_WM_PAINT()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEHOVER()
    ON_WM_MOUSELEAVE()
    ON_MESSAGE(MM_WIM_OPEN, &CVelaToneTagUIDlg::OnWimOpen)
    ON_MESSAGE(MM_WIM_DATA, &CVelaToneTagUIDlg::OnWimData)
    ON_MESSAGE(MM_WIM_CLOSE, &CVelaToneTagUIDlg::OnWimClose)
    ON_MESSAGE(MM_WOM_OPEN, &CVelaToneTagUIDlg::OnWomOpen)
    ON_MESSAGE(MM_WOM_DONE, &CVelaToneTagUIDlg::OnWomDone)
    ON_MESSAGE(MM_WOM_CLOSE, &CVelaToneTagUIDlg::OnWomClose)
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CVelaToneTagUIDlg::CVelaToneTagUIDlg(CWnd* pParent)
    : CDialog(IDD_VELATONE_TAGUI, pParent), m_hWaveIn(NULL), m_hWaveOut(NULL), m_pSound(NULL), m_SoundIsCopy(false),
      m_SoundLength(0), m_Ticks(0), m_IsRecording(0), m_IsPlaying(0), m_StopRequested(0), m_Loops(1),
      m_TimeLimit(0), m_KeepHidden(false), m_Discard(false), m_HasSound(false), m_pSpeaker(NULL),
      m_pMicrophone(NULL), m_Width(kTagSize), m_Height(kTagSize), m_Tracking(false)
{
    std::memset(&m_WaveFormat, 0, sizeof m_WaveFormat);
    m_pBlock[0] = m_pBlock[1] = NULL;
    m_pWaveHdr[0] = m_pWaveHdr[1] = NULL;
    m_IdleFrame = DrawFrame{0, 0, kTagSize, kTagSize, 0, 0, true};
    m_SmallFrame = DrawFrame{0, 4, 32, 32, 0, 0, true};
}

CVelaToneTagUIDlg::~CVelaToneTagUIDlg()
{
    // Each picture once, then the streams they read from.
    for (INT_PTR i = 0; i < m_Animation.GetSize(); ++i) delete m_Animation[i];
    m_Animation.RemoveAll();
    delete m_pSpeaker;
    delete m_pMicrophone;
    for (INT_PTR i = 0; i < m_Streams.GetSize(); ++i) m_Streams[i]->Release();
    m_Streams.RemoveAll();
    // What the engine still holds when the window went without its teardown.
    FreeCapture();
    FreePlaybackCopy();
    for (int i = 0; i < 2; ++i) {
        free(m_pBlock[i]);
        m_pBlock[i] = NULL;
        delete m_pWaveHdr[i];
        m_pWaveHdr[i] = NULL;
    }
}

void CVelaToneTagUIDlg::DoDataExchange(CDataExchange* pDX) { CDialog::DoDataExchange(pDX); }

void CVelaToneTagUIDlg::SetVelaTone(QkDbVelaTone* pNote)
{
    m_NoteId = pNote != NULL ? pNote->objectId() : AcDbObjectId::kNull;
}

AcApDocument* CVelaToneTagUIDlg::NoteDocument() const
{
    AcDbDatabase* pDb = m_NoteId.database();
    return pDb != NULL ? acDocManagerPtr()->document(pDb) : NULL;
}

Gdiplus::Image* CVelaToneTagUIDlg::LoadPicture(UINT id)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRes = FindResourceW(hInst, MAKEINTRESOURCE(id), L"PNG");
    if (hRes == NULL) return NULL;
    DWORD size = SizeofResource(hInst, hRes);
    HGLOBAL hData = LoadResource(hInst, hRes);
    const void* pData = hData != NULL ? LockResource(hData) : NULL;
    if (pData == NULL || size == 0) return NULL;
    HGLOBAL hMem = GlobalAlloc(GMEM_MOVEABLE, size);
    if (hMem == NULL) return NULL;
    void* pMem = GlobalLock(hMem);
    std::memcpy(pMem, pData, size);
    GlobalUnlock(hMem);
    IStream* pStream = NULL;
    if (CreateStreamOnHGlobal(hMem, TRUE, &pStream) != S_OK) {
        GlobalFree(hMem);
        return NULL;
    }
    Gdiplus::Image* pImage = Gdiplus::Image::FromStream(pStream);
    if (pImage == NULL || pImage->GetLastStatus() != Gdiplus::Ok) {
        delete pImage;
        pStream->Release();
        return NULL;
    }
    m_Streams.Add(pStream);
    return pImage;
}

BOOL CVelaToneTagUIDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    VelaToneWaveFormat(m_WaveFormat);
    m_Width = m_Height = kTagSize;

    m_pSpeaker = LoadPicture(IDB_PNG_SPEAKER);
    m_pMicrophone = LoadPicture(IDB_PNG_MICROPHONE);
    m_Animation.Add(LoadPicture(IDB_PNG_PLAY_1));
    m_Animation.Add(LoadPicture(IDB_PNG_PLAY_2));
    m_Animation.Add(LoadPicture(IDB_PNG_PLAY_3));
    m_Animation.Add(LoadPicture(IDB_PNG_PLAY_0));

    m_TipPlay.LoadString(IDS_TIP_PLAY);
    m_TipRecord.LoadString(IDS_TIP_RECORD);
    m_TipDelete.LoadString(IDS_TIP_DELETE);
    m_MsgNoDevice.LoadString(IDS_MSG_NO_DEVICE);
    m_MsgNoMemory.LoadString(IDS_MSG_NO_MEMORY);
    m_MsgTooShort.LoadString(IDS_MSG_TOO_SHORT);
    m_MsgTimeLimit.LoadString(IDS_MSG_TIME_LIMIT);

    ModifyStyleEx(0, WS_EX_LAYERED);
    DrawLayered(m_IdleFrame);

    m_ToolTip.Create(this);
    m_ToolTip.Activate(TRUE);
    m_ToolTip.SetMaxTipWidth(150);
    m_ToolTip.AddTool(this, PictureTip());

    for (int i = 0; i < 2; ++i) {
        m_pWaveHdr[i] = new WAVEHDR;
        std::memset(m_pWaveHdr[i], 0, sizeof(WAVEHDR));
    }
    if (!m_HasSound) {
        // The capture buffer starts empty: one zero byte.
        m_pSound = static_cast<unsigned char*>(malloc(1));
        if (m_pSound != NULL) m_pSound[0] = 0;
        m_SoundIsCopy = false;
    }
    return TRUE;
}

void CVelaToneTagUIDlg::DrawLayered(const DrawFrame& frame, Gdiplus::Image* pPicture)
{
    if (pPicture == NULL) pPicture = m_HasSound ? m_pSpeaker : m_pMicrophone;
    HDC hdcWindow = ::GetDC(m_hWnd);
    HDC hdcMem = CreateCompatibleDC(hdcWindow);
    BITMAPINFO bmi;
    std::memset(&bmi, 0, sizeof bmi);
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = m_Width;
    bmi.bmiHeader.biHeight = m_Height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    bmi.bmiHeader.biSizeImage = m_Width * m_Height * 4;
    void* pBits = NULL;
    HBITMAP hBitmap = CreateDIBSection(hdcMem, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    HGDIOBJ hOld = SelectObject(hdcMem, hBitmap);
    {
        Gdiplus::Graphics graphics(hdcMem);
        if (frame.m_Visible && pPicture != NULL)
            graphics.DrawImage(pPicture, Gdiplus::Rect(frame.m_X, frame.m_Y, frame.m_Width, frame.m_Height),
                               frame.m_SrcX, frame.m_SrcY, frame.m_Width, frame.m_Height, Gdiplus::UnitPixel);
    }
    SIZE size = {m_Width, m_Height};
    POINT source = {0, 0};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    UpdateLayeredWindow(m_hWnd, hdcWindow, NULL, &size, hdcMem, &source, 0, &blend, ULW_ALPHA);
    SelectObject(hdcMem, hOld);
    DeleteObject(hBitmap);
    DeleteDC(hdcMem);
    ::ReleaseDC(m_hWnd, hdcWindow);
}

CString CVelaToneTagUIDlg::PictureTip()
{
    if (!m_HasSound) return m_TipRecord;
    CString spokesman, date, tip;
    QkDbVelaTone* pNote = NULL;
    if (acdbOpenObject(pNote, m_NoteId, AcDb::kForRead) == Acad::eOk) {
        pNote->getSpokesman(spokesman);
        pNote->getDatatime(date);
        pNote->close();
    }
    tip.Format(m_TipPlay, (LPCTSTR)spokesman, (LPCTSTR)date);
    return tip;
}

void CVelaToneTagUIDlg::SetTip(const CString& text)
{
    CString current;
    m_ToolTip.GetText(current, this);
    if (current != text) m_ToolTip.UpdateTipText(text, this);
}

BOOL CVelaToneTagUIDlg::PreTranslateMessage(MSG* pMsg)
{
    // While playing the window takes no clicks and keeps its tip.
    if (m_IsPlaying) return CDialog::PreTranslateMessage(pMsg);
    if (pMsg->hwnd == m_hWnd) {
        if (pMsg->message == WM_LBUTTONDOWN) {
            CPoint point;
            GetCursorPos(&point);
            ScreenToClient(&point);
            if (VelaToneCloseBox().PtInRect(point)) {
                AcDbObjectId id = m_NoteId;
                DestroyWindow();
                if (VelaToneManager* pManager = qkVtManagerPtr()) pManager->EraseVelaTone(id, NULL);
                return TRUE;
            }
            if (m_HasSound)
                StartPlayback();
            else
                StartRecording();
        } else if (pMsg->message == WM_LBUTTONUP) {
            StopRecording();
        } else if (pMsg->message == WM_MOUSEMOVE) {
            CPoint point;
            GetCursorPos(&point);
            ScreenToClient(&point);
            SetTip(VelaToneCloseBox().PtInRect(point) ? m_TipDelete : PictureTip());
        }
    }
    if (m_ToolTip.GetSafeHwnd() != NULL) m_ToolTip.RelayEvent(pMsg);
    return CDialog::PreTranslateMessage(pMsg);
}

void CVelaToneTagUIDlg::OnPaint() { CDialog::OnPaint(); }

void CVelaToneTagUIDlg::OnClose() { CDialog::OnClose(); }

void CVelaToneTagUIDlg::OnMouseMove(UINT nFlags, CPoint point)
{
    CDialog::OnMouseMove(nFlags, point);
    if (m_Tracking) return;
    TRACKMOUSEEVENT tme;
    tme.cbSize = sizeof tme;
    tme.dwFlags = TME_HOVER | TME_LEAVE;
    tme.hwndTrack = m_hWnd;
    tme.dwHoverTime = 50;
    m_Tracking = _TrackMouseEvent(&tme) != FALSE;
}

void CVelaToneTagUIDlg::HideForFocus()
{
    CView* pView = acedGetAcadDwgView();
    if (pView == NULL) return;
    EnableWindow(FALSE);
    ShowWindow(SW_HIDE);
    pView->SetActiveWindow();
    pView->SetFocus();
    pView->EnableWindow(TRUE);
}

void CVelaToneTagUIDlg::ShowAfterFocus()
{
    EnableWindow(TRUE);
    ShowWindow(SW_SHOWNORMAL);
}

void CVelaToneTagUIDlg::OnMouseHover(UINT, CPoint)
{
    if (acedGetAcadDwgView() == NULL) return;
    HideForFocus();
    QkDbVelaTone* pNote = NULL;
    if (acdbOpenObject(pNote, m_NoteId, AcDb::kForRead) == Acad::eOk) {
        pNote->doHighlight();
        pNote->close();
    }
    ShowAfterFocus();
}

void CVelaToneTagUIDlg::OnMouseLeave()
{
    m_Tracking = false;
    StopRecording();
    CView* pView = acedGetAcadDwgView();
    if (pView == NULL) return;
    pView->SetActiveWindow();
    pView->SetFocus();
    pView->EnableWindow(TRUE);
    QkDbVelaTone* pNote = NULL;
    if (acdbOpenObject(pNote, m_NoteId, AcDb::kForRead) == Acad::eOk) {
        pNote->doUnhighlight();
        pNote->close();
    }
}

void CVelaToneTagUIDlg::SlideUp()
{
    CView* pView = acedGetAcadDwgView();
    if (pView == NULL) return;
    CRect rect;
    pView->GetWindowRect(&rect);
    for (int step = 1; step <= 4; ++step) {
        Sleep(200);
        SetWindowPos(&CWnd::wndTop, rect.right - 48, rect.bottom - 9 * step, 0, 0, SWP_NOSIZE);
    }
}

void CVelaToneTagUIDlg::SlideDown()
{
    CView* pView = acedGetAcadDwgView();
    if (pView != NULL) {
        CRect rect;
        pView->GetWindowRect(&rect);
        for (int step = 4; step >= 1; --step) {
            Sleep(100);
            SetWindowPos(&CWnd::wndTop, rect.right - 48, rect.bottom - 9 * step, 0, 0, SWP_NOSIZE);
        }
    }
    ShowWindow(SW_HIDE);
}

void CVelaToneTagUIDlg::ShowFor(QkDbVelaTone* pNote, CPoint p)
{
    if (QkDbVelaTone::IsDraging()) return;
    if (gpTagUIDlg != NULL) {
        MoveTo(p);
        return;
    }
    acDocManagerPtr()->pushResourceHandle(_hdllInstance);
    gpTagUIDlg = new CVelaToneTagUIDlg(acedGetAcadFrame());
    gpTagUIDlg->SetVelaTone(pNote);
    gpTagUIDlg->SetHasSound(pNote->hasRecord());
    if (gpTagUIDlg->Create(IDD_VELATONE_TAGUI, NULL)) {
        gpTagUIDlg->ShowWindow(SW_SHOWNORMAL);
        gpTagUIDlg->SetWindowPos(NULL, p.x, p.y, kTagSize, kTagSize, SWP_NOSIZE);
    }
    acDocManagerPtr()->popResourceHandle();
}

void CVelaToneTagUIDlg::MoveTo(CPoint p)
{
    if (gpTagUIDlg == NULL || gpTagUIDlg->GetSafeHwnd() == NULL) return;
    gpTagUIDlg->SetWindowPos(&CWnd::wndTop, p.x, p.y, kTagSize, kTagSize, SWP_NOSIZE);
}

void CVelaToneTagUIDlg::DestroyTag()
{
    if (gpTagUIDlg == NULL) return;
    CVelaToneTagUIDlg* pTag = gpTagUIDlg;
    gpTagUIDlg = NULL;
    if (pTag->GetSafeHwnd() != NULL) pTag->DestroyWindow();
    delete pTag;
}
