// The recording and playback engine of the tag window: a press records from
// the default capture device into a growing zero-terminated buffer (two blocks
// of a quarter second handed back and forth), a release stores the take in the
// note; a click copies the note's sound and plays it while the window animates.
// The devices report through the window's messages; nothing runs on another
// thread.
#include "VelaToneAudio.h"

#include <cstdio>
#include <cstring>

#include "QkDbVelaTone.h"
#include "VelaToneTagUIDlg.h"

namespace {

const DWORD kBlockBytes = 10000;
const int kMaxTicks = 300;  // 30 seconds of 100 ms
const UINT_PTR kCaptureTimer = 1;
const UINT_PTR kAnimationTimer = 2;

// Gives the headers back and closes the capture device; the blocks stay until
// the device's close message, as late block messages still read them.
void closeCapture(HWAVEIN& hWaveIn, WAVEHDR* const pHdr[2])
{
    if (hWaveIn == NULL) return;
    waveInReset(hWaveIn);
    for (int i = 0; i < 2; ++i)
        if (pHdr[i] != NULL) waveInUnprepareHeader(hWaveIn, pHdr[i], sizeof(WAVEHDR));
    if (waveInClose(hWaveIn) == MMSYSERR_NOERROR) hWaveIn = NULL;
}

void printMessage(const CString& text) { acutPrintf(_T("%s"), (LPCTSTR)text); }

// Has the host draw the note again on screen.
void updateOnScreen(AcDbObjectId id)
{
    ads_name name;
    if (acdbGetAdsName(name, id) == Acad::eOk) acdbEntUpd(name);
}

}  // namespace

void VelaToneWaveFormat(WAVEFORMATEX& format)
{
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = 40000;
    format.nAvgBytesPerSec = 40000;
    format.nBlockAlign = 1;
    format.wBitsPerSample = 8;
    format.cbSize = 0;
}

CString VelaToneDurationText(int ticks)
{
    CString text;
    const int t = ticks % 600;
    text.Format(L"%d.%d\"", t / 10, t % 10);
    return text;
}

CString VelaToneDateText(const SYSTEMTIME& time)
{
    CString text;
    text.Format(L"%d-%d %d:%d", time.wMonth, time.wDay, time.wHour, time.wMinute);
    return text;
}

int VelaTonePlayLimit(const CString& duration)
{
    // The whole seconds are the digits before the first '.'.
    int seconds = 0;
    for (int i = 0; i < duration.GetLength(); ++i) {
        const wchar_t c = duration[i];
        if (c == L'.' || c < L'0' || c > L'9') break;
        if (seconds < 100000) seconds = seconds * 10 + (c - L'0');
    }
    return (seconds + 1) * 1000;
}

void CVelaToneTagUIDlg::FreeCapture()
{
    if (m_pSound != NULL && !m_SoundIsCopy) free(m_pSound);
    if (!m_SoundIsCopy) m_pSound = NULL;
}

void CVelaToneTagUIDlg::FreePlaybackCopy()
{
    if (m_pSound != NULL && m_SoundIsCopy) {
        void* pCopy = m_pSound;
        acutDelBuffer(pCopy);
    }
    if (m_SoundIsCopy) m_pSound = NULL;
    m_SoundIsCopy = false;
}

void CVelaToneTagUIDlg::StartRecording()
{
    if (m_IsRecording) return;
    QkDbVelaTone* pNote = NULL;
    if (acdbOpenObject(pNote, m_NoteId, AcDb::kForRead) != Acad::eOk) return;  // gone or erased
    pNote->close();

    m_pBlock[0] = static_cast<unsigned char*>(malloc(kBlockBytes));
    m_pBlock[1] = static_cast<unsigned char*>(malloc(kBlockBytes));
    if (m_pBlock[0] == NULL || m_pBlock[1] == NULL) {
        free(m_pBlock[0]);
        free(m_pBlock[1]);
        m_pBlock[0] = m_pBlock[1] = NULL;
        MessageBeep(MB_ICONEXCLAMATION);
        printMessage(m_MsgNoMemory);
        return;
    }
    if (waveInOpen(&m_hWaveIn, WAVE_MAPPER, &m_WaveFormat, reinterpret_cast<DWORD_PTR>(m_hWnd), 0, CALLBACK_WINDOW) !=
        MMSYSERR_NOERROR) {
        m_hWaveIn = NULL;
        free(m_pBlock[0]);
        free(m_pBlock[1]);
        m_pBlock[0] = m_pBlock[1] = NULL;
        MessageBeep(MB_ICONEXCLAMATION);
        printMessage(m_MsgNoDevice);
        return;
    }
    for (int i = 0; i < 2; ++i) {
        std::memset(m_pWaveHdr[i], 0, sizeof(WAVEHDR));
        m_pWaveHdr[i]->lpData = reinterpret_cast<LPSTR>(m_pBlock[i]);
        m_pWaveHdr[i]->dwBufferLength = kBlockBytes;
        m_pWaveHdr[i]->dwLoops = 1;
        waveInPrepareHeader(m_hWaveIn, m_pWaveHdr[i], sizeof(WAVEHDR));
    }
    // The capture buffer starts empty: one zero byte.
    FreePlaybackCopy();
    FreeCapture();
    m_pSound = static_cast<unsigned char*>(malloc(1));
    if (m_pSound != NULL) m_pSound[0] = 0;
    m_SoundIsCopy = false;
    waveInAddBuffer(m_hWaveIn, m_pWaveHdr[0], sizeof(WAVEHDR));
    waveInAddBuffer(m_hWaveIn, m_pWaveHdr[1], sizeof(WAVEHDR));
    m_IsRecording = 1;
    m_StopRequested = 0;
    m_SoundLength = 0;
    waveInStart(m_hWaveIn);
}

void CVelaToneTagUIDlg::StopRecording()
{
    if (!m_IsRecording || m_StopRequested) return;
    m_StopRequested = 1;
    KillTimer(kCaptureTimer);
    waveInReset(m_hWaveIn);
}

LRESULT CVelaToneTagUIDlg::OnWimOpen(WPARAM, LPARAM)
{
    m_IsRecording = 1;
    SetTimer(kCaptureTimer, 100, NULL);
    return 0;
}

void CVelaToneTagUIDlg::CaptureTick()
{
    ++m_Ticks;
    AcApDocument* pDoc = NoteDocument();
    QkDbVelaTone* pNote = NULL;
    HideForFocus();
    if (pDoc != NULL && acDocManagerPtr()->lockDocument(pDoc, AcAp::kWrite) == Acad::eOk) {
        if (acdbOpenObject(pNote, m_NoteId, AcDb::kForWrite) == Acad::eOk) {
            pNote->setDuration(AcString((LPCTSTR)VelaToneDurationText(m_Ticks)));
            pNote->recordGraphicsModified(true);
            pNote->close();
        }
        acDocManagerPtr()->unlockDocument(pDoc);
    }
    ShowAfterFocus();
    // The longest recording is 30 seconds: the capture ends there and the take is kept.
    if (m_Ticks >= kMaxTicks) StopRecording();
}

LRESULT CVelaToneTagUIDlg::OnWimData(WPARAM, LPARAM lParam)
{
    WAVEHDR* pHdr = reinterpret_cast<WAVEHDR*>(lParam);
    const DWORD got = pHdr != NULL ? pHdr->dwBytesRecorded : 0;
    if (got == 0 || m_pSound == NULL) {
        closeCapture(m_hWaveIn, m_pWaveHdr);
        return 1;
    }
    unsigned char* pGrown = static_cast<unsigned char*>(realloc(m_pSound, m_SoundLength + got + 1));
    if (pGrown == NULL) {
        closeCapture(m_hWaveIn, m_pWaveHdr);
        printMessage(m_MsgNoMemory);
        return 1;
    }
    m_pSound = pGrown;
    // A zero sample would end the sound there (its length is counted to the
    // first zero byte): it is kept as 1, one step off silence.
    const unsigned char* pIn = reinterpret_cast<const unsigned char*>(pHdr->lpData);
    for (DWORD i = 0; i < got; ++i) m_pSound[m_SoundLength + i] = pIn[i] != 0 ? pIn[i] : 1;
    m_SoundLength += got;
    m_pSound[m_SoundLength] = 0;
    if (!m_StopRequested) {
        waveInAddBuffer(m_hWaveIn, pHdr, sizeof(WAVEHDR));
        return 0;
    }
    closeCapture(m_hWaveIn, m_pWaveHdr);
    return 1;
}

LRESULT CVelaToneTagUIDlg::OnWimClose(WPARAM, LPARAM)
{
    // Whatever came of it, the blocks and headers go back and recording ends.
    closeCapture(m_hWaveIn, m_pWaveHdr);
    for (int i = 0; i < 2; ++i) {
        if (m_pWaveHdr[i] != NULL) std::memset(m_pWaveHdr[i], 0, sizeof(WAVEHDR));
        free(m_pBlock[i]);
        m_pBlock[i] = NULL;
    }
    m_hWaveIn = NULL;
    m_IsRecording = 0;
    m_StopRequested = 0;
    KillTimer(kCaptureTimer);

    if (m_Discard) {
        FreeCapture();
        m_HasSound = false;
        return 0;
    }
    QkDbVelaTone* pNote = NULL;
    AcApDocument* pDoc = NoteDocument();
    const bool locked = pDoc != NULL && acDocManagerPtr()->lockDocument(pDoc, AcAp::kWrite) == Acad::eOk;
    const bool open = locked && acdbOpenObject(pNote, m_NoteId, AcDb::kForWrite) == Acad::eOk;
    if (m_SoundLength == 0 || m_Ticks < 10 || !open) {
        // Under a second (or nothing came, or the note is gone): nothing is kept.
        FreeCapture();
        m_HasSound = false;
        if (m_SoundLength > 0 && m_Ticks > 3 && m_Ticks < 10) printMessage(m_MsgTimeLimit);
        if (open) pNote->setDuration(AcString((LPCTSTR)VelaToneDurationText(0)));
        m_Ticks = 0;
    } else {
        pNote->setAudioData(m_pSound);  // the note owns the buffer from now on
        pNote->setWaveFormat(&m_WaveFormat);
        m_pSound = NULL;
        m_HasSound = true;
        pNote->setDuration(AcString((LPCTSTR)VelaToneDurationText(m_Ticks)));
        m_Ticks = 0;
    }
    if (open && m_HasSound) {
        SYSTEMTIME now;
        GetLocalTime(&now);
        pNote->setDatatime(AcString((LPCTSTR)VelaToneDateText(now)));
    }
    if (open) pNote->close();
    if (locked) acDocManagerPtr()->unlockDocument(pDoc);
    if (m_pSound == NULL && !m_HasSound) {
        // A new empty capture buffer for the next press.
        m_pSound = static_cast<unsigned char*>(malloc(1));
        if (m_pSound != NULL) m_pSound[0] = 0;
    }
    SetTip(PictureTip());
    HideForFocus();
    updateOnScreen(m_NoteId);
    if (!m_KeepHidden) {
        ShowAfterFocus();
        DrawLayered(m_IdleFrame);
    }
    return 0;
}

void CVelaToneTagUIDlg::StartPlayback()
{
    AcApDocument* pDoc = NoteDocument();
    if (pDoc == NULL || acDocManagerPtr()->lockDocument(pDoc, AcAp::kWrite, NULL, NULL, true) != Acad::eOk) return;
    QkDbVelaTone* pNote = NULL;
    if (acdbOpenObject(pNote, m_NoteId, AcDb::kForRead) != Acad::eOk) {
        acDocManagerPtr()->unlockDocument(pDoc);
        return;
    }
    FreeCapture();
    FreePlaybackCopy();
    const Adesk::UInt32 length = pNote->audioLength();
    m_pSound = static_cast<unsigned char*>(acutNewBuffer(length + 1));
    m_SoundIsCopy = m_pSound != NULL;
    if (m_pSound != NULL) {
        std::memset(m_pSound, 0, length + 1);
        if (length > 0) std::memcpy(m_pSound, pNote->getAudioData(), length);
    }
    CString duration;
    pNote->getDuration(duration);
    m_TimeLimit = VelaTonePlayLimit(duration);
    pNote->doUnhighlight();
    pNote->close();
    acDocManagerPtr()->unlockDocument(pDoc);

    DrawLayered(m_SmallFrame, m_Animation.GetSize() > 3 ? m_Animation[3] : NULL);
    SlideUp();
    if (m_hWaveOut != NULL) waveOutReset(m_hWaveOut);
    if (waveOutOpen(&m_hWaveOut, WAVE_MAPPER, &m_WaveFormat, reinterpret_cast<DWORD_PTR>(m_hWnd), 0,
                    CALLBACK_WINDOW) != MMSYSERR_NOERROR) {
        m_hWaveOut = NULL;
        MessageBeep(MB_ICONEXCLAMATION);
        printMessage(m_MsgNoDevice);
    }
}

LRESULT CVelaToneTagUIDlg::OnWomOpen(WPARAM, LPARAM)
{
    WAVEHDR* pHdr = m_pWaveHdr[0];
    std::memset(pHdr, 0, sizeof(WAVEHDR));
    pHdr->lpData = reinterpret_cast<LPSTR>(m_pSound);
    pHdr->dwBufferLength = m_pSound != NULL ? static_cast<DWORD>(std::strlen(reinterpret_cast<char*>(m_pSound))) : 0;
    pHdr->dwFlags = WHDR_BEGINLOOP | WHDR_ENDLOOP;
    pHdr->dwLoops = m_Loops;
    waveOutPrepareHeader(m_hWaveOut, pHdr, sizeof(WAVEHDR));
    waveOutWrite(m_hWaveOut, pHdr, sizeof(WAVEHDR));
    m_StopRequested = 0;
    m_IsPlaying = 1;
    SetTimer(kAnimationTimer, 300, NULL);
    return 0;
}

void CVelaToneTagUIDlg::AnimationFrame()
{
    ++m_Ticks;
    if (m_Animation.GetSize() >= 3) DrawLayered(m_SmallFrame, m_Animation[m_Ticks % 3]);
    if (m_Ticks * 300 >= m_TimeLimit || m_Ticks * 300 >= 30000) {
        KillTimer(kAnimationTimer);
        m_Ticks = 0;
    }
}

LRESULT CVelaToneTagUIDlg::OnWomDone(WPARAM, LPARAM)
{
    waveOutUnprepareHeader(m_hWaveOut, m_pWaveHdr[0], sizeof(WAVEHDR));
    waveOutClose(m_hWaveOut);
    m_Loops = 1;
    m_IsPlaying = 0;
    return 0;
}

LRESULT CVelaToneTagUIDlg::OnWomClose(WPARAM, LPARAM)
{
    m_hWaveOut = NULL;
    KillTimer(kAnimationTimer);
    m_Ticks = 0;
    m_Loops = 1;
    m_IsPlaying = 0;
    FreePlaybackCopy();
    SlideDown();
    return 0;
}

void CVelaToneTagUIDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kCaptureTimer)
        CaptureTick();
    else if (nIDEvent == kAnimationTimer)
        AnimationFrame();
    else
        CDialog::OnTimer(nIDEvent);
}

void CVelaToneTagUIDlg::StopPlaying()
{
    if (!m_IsPlaying) return;
    m_Discard = true;
    m_StopRequested = 1;
    if (m_hWaveOut != NULL) waveOutReset(m_hWaveOut);
}

void CVelaToneTagUIDlg::OnDestroy()
{
    CDialog::OnDestroy();
    EngineTeardown();
}

void CVelaToneTagUIDlg::EngineTeardown()
{
    // The devices' last messages find no window once it is gone, so each
    // device is stopped and released here, and a take cut short is not kept.
    if (m_hWaveIn != NULL) {
        m_StopRequested = 1;
        KillTimer(kCaptureTimer);
        closeCapture(m_hWaveIn, m_pWaveHdr);
        m_hWaveIn = NULL;
    }
    m_IsRecording = 0;
    if (m_hWaveOut != NULL) {
        m_StopRequested = 1;
        KillTimer(kAnimationTimer);
        waveOutReset(m_hWaveOut);
        if (m_pWaveHdr[0] != NULL) waveOutUnprepareHeader(m_hWaveOut, m_pWaveHdr[0], sizeof(WAVEHDR));
        waveOutClose(m_hWaveOut);
        m_hWaveOut = NULL;
    }
    m_IsPlaying = 0;
    FreeCapture();
    FreePlaybackCopy();
}
