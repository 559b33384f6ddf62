// CVelaToneTagUIDlg: the voice tag window, a 36 by 36 pixel layered picture that
// floats over a voice note's icon while the cursor rests on it. A click plays
// the note (the window docks at the view's bottom right corner and animates), a
// press and hold records into a note without sound, the close box deletes the
// note. The recording and playback engine (audio/) runs in this window, whose
// message map the wave devices and timers report to.
#pragma once
#include "StdAfx.h"

#include <afxcmn.h>
#include <afxtempl.h>

#include "acutmem.h"
#include "rxmfcapi.h"

class QkDbVelaTone;

class VELATONE_EXPORT CVelaToneTagUIDlg : public CDialog {
public:
    explicit CVelaToneTagUIDlg(CWnd* pParent = NULL);
    ~CVelaToneTagUIDlg() override;

    enum { IDD = IDD_VELATONE_TAGUI };

    // One picture placement of the layered update.
    struct DrawFrame {
        int m_X, m_Y, m_Width, m_Height, m_SrcX, m_SrcY;
        bool m_Visible;
    };

    // The note this window is for. The window keeps the note's id and opens the
    // note when it needs it, so a note that goes away (erased, its document
    // closed, undone) is simply not found.
    void SetVelaTone(QkDbVelaTone* pNote);
    AcDbObjectId VelaToneId() const { return m_NoteId; }
    // The note's drawing goes while the window plays a copy of its sound.
    void ForgetNote() { m_NoteId = AcDbObjectId::kNull; }
    void SetHasSound(bool hasSound) { m_HasSound = hasSound; }
    bool HasSound() const { return m_HasSound; }

    bool IsRecording() const { return m_IsRecording != 0; }
    bool IsPlaying() const { return m_IsPlaying != 0; }
    // The stop request: ends a recording (its take then comes back through the
    // capture device's messages); nothing when not recording.
    void StopRecording();
    // The take of a recording that ends from now on is kept, and the window
    // not shown again (the document is being deactivated).
    void SetKeepHidden(bool keepHidden) { m_KeepHidden = keepHidden; }
    // The take of a recording or the rest of a playback is thrown away (the
    // document or the plug-in goes).
    void SetDiscard(bool discard) { m_Discard = discard; }
    // Stops a playback at once (the plug-in is being unloaded).
    void StopPlaying();

    // The window as the hover monitor places it: made for a note at a screen
    // point, moved to another one, and destroyed.
    static void ShowFor(QkDbVelaTone* pNote, CPoint screenPoint);
    static void MoveTo(CPoint screenPoint);
    static void DestroyTag();

    // Draws a frame of the layered picture; the idle picture when pPicture is null.
    void DrawLayered(const DrawFrame& frame, Gdiplus::Image* pPicture = NULL);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnInitDialog() override;

    afx_msg void OnPaint();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseHover(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnClose();
    // The engine (audio/VelaToneAudio.cpp).
    afx_msg LRESULT OnWimOpen(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWimData(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWimClose(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWomOpen(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWomDone(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWomClose(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // Mouse actions.
    void StartRecording();
    void StartPlayback();
    void CaptureTick();
    void AnimationFrame();
    void EngineTeardown();
    // Hands the keyboard back to the drawing view while the tag steps aside.
    void HideForFocus();
    void ShowAfterFocus();
    void SlideUp();
    void SlideDown();
    // The tip the window shows away from the close box.
    CString PictureTip();
    void SetTip(const CString& text);
    // The document whose drawing holds the note (null when it is gone).
    AcApDocument* NoteDocument() const;
    void FreeCapture();
    void FreePlaybackCopy();

public:
    // Engine state.
    WAVEFORMATEX m_WaveFormat;
    HWAVEIN m_hWaveIn;
    HWAVEOUT m_hWaveOut;
    unsigned char* m_pBlock[2];
    WAVEHDR* m_pWaveHdr[2];
    unsigned char* m_pSound;      // the capture buffer (malloc) or the playback copy (host buffer)
    bool m_SoundIsCopy;           // which of the two m_pSound is
    Adesk::UInt32 m_SoundLength;  // captured bytes
    int m_Ticks;
    int m_IsRecording;
    int m_IsPlaying;
    int m_StopRequested;
    int m_Loops;
    int m_TimeLimit;
    bool m_KeepHidden;
    bool m_Discard;
    bool m_HasSound;

    // Window state.
    DrawFrame m_IdleFrame;
    DrawFrame m_SmallFrame;
    Gdiplus::Image* m_pSpeaker;
    Gdiplus::Image* m_pMicrophone;
    CArray<Gdiplus::Image*, Gdiplus::Image* const&> m_Animation;
    CString m_TipPlay, m_TipRecord, m_TipDelete;
    CString m_MsgNoDevice, m_MsgNoMemory, m_MsgTooShort, m_MsgTimeLimit;
    int m_Width, m_Height;
    bool m_Tracking;
    AcDbObjectId m_NoteId;
    CToolTipCtrl m_ToolTip;

private:
    Gdiplus::Image* LoadPicture(UINT id);
    // The streams the pictures read from live as long as the pictures.
    CArray<IStream*, IStream* const&> m_Streams;
};

// The one tag window, or null.
extern VELATONE_EXPORT CVelaToneTagUIDlg* gpTagUIDlg;

// The close box, in client pixels (right and bottom exclusive).
inline CRect VelaToneCloseBox() { return CRect(26, 0, 35, 9); }
