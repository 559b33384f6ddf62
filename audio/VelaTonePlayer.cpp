// The one-shot player of the manager dialog: plays a note's own bytes on the
// default output device. Its device reports to a hidden window of its own,
// which gives the header back and closes the device when the sound has played.
#include "VelaToneAudio.h"

#include <cstring>

namespace {

class CVelaTonePlayerWnd : public CWnd {
public:
    HWAVEOUT m_hWaveOut = NULL;
    WAVEHDR* m_pHdr = NULL;

    // Stops a sound still playing and releases its device and header.
    void Release()
    {
        if (m_hWaveOut != NULL) {
            waveOutReset(m_hWaveOut);
            if (m_pHdr != NULL) waveOutUnprepareHeader(m_hWaveOut, m_pHdr, sizeof(WAVEHDR));
            waveOutClose(m_hWaveOut);
            m_hWaveOut = NULL;
        }
        delete m_pHdr;
        m_pHdr = NULL;
    }

protected:
    afx_msg LRESULT OnWomDone(WPARAM, LPARAM)
    {
        Release();
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CVelaTonePlayerWnd, CWnd)
    ON_MESSAGE(MM_WOM_DONE, &CVelaTonePlayerWnd::OnWomDone)
END_MESSAGE_MAP()

CVelaTonePlayerWnd* g_pPlayer = NULL;
const wchar_t kPlayerClass[] = L"VelaTonePlayer";

CVelaTonePlayerWnd* player()
{
    if (g_pPlayer != NULL) return g_pPlayer;
    WNDCLASSW wc;
    std::memset(&wc, 0, sizeof wc);
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = _hdllInstance;
    wc.lpszClassName = kPlayerClass;
    RegisterClassW(&wc);
    CVelaTonePlayerWnd* pWnd = new CVelaTonePlayerWnd;
    if (!pWnd->CreateEx(0, kPlayerClass, L"", WS_POPUP, 0, 0, 0, 0, NULL, NULL)) {
        delete pWnd;
        return NULL;
    }
    g_pPlayer = pWnd;
    return g_pPlayer;
}

}  // namespace

bool PlayWaveData(unsigned char* pData, Adesk::UInt32 length)
{
    CVelaTonePlayerWnd* pPlayer = player();
    if (pPlayer == NULL) return false;
    pPlayer->Release();  // one sound at a time
    WAVEFORMATEX format;
    VelaToneWaveFormat(format);
    if (waveOutOpen(&pPlayer->m_hWaveOut, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(pPlayer->m_hWnd), 0,
                    CALLBACK_WINDOW) != MMSYSERR_NOERROR) {
        pPlayer->m_hWaveOut = NULL;
        MessageBeep(MB_ICONEXCLAMATION);
        AfxMessageBox(L"Audio output erro", MB_OK, 0);
        return false;
    }
    pPlayer->m_pHdr = new WAVEHDR;
    std::memset(pPlayer->m_pHdr, 0, sizeof(WAVEHDR));
    pPlayer->m_pHdr->lpData = reinterpret_cast<LPSTR>(pData);
    pPlayer->m_pHdr->dwBufferLength = length;
    pPlayer->m_pHdr->dwFlags = WHDR_BEGINLOOP | WHDR_ENDLOOP;
    pPlayer->m_pHdr->dwLoops = 1;
    waveOutPrepareHeader(pPlayer->m_hWaveOut, pPlayer->m_pHdr, sizeof(WAVEHDR));
    if (waveOutWrite(pPlayer->m_hWaveOut, pPlayer->m_pHdr, sizeof(WAVEHDR)) == MMSYSERR_NOERROR) return true;
    pPlayer->Release();
    return false;
}

void StopWaveData()
{
    if (g_pPlayer == NULL) return;
    g_pPlayer->Release();
    g_pPlayer->DestroyWindow();
    delete g_pPlayer;
    g_pPlayer = NULL;
    UnregisterClassW(kPlayerClass, _hdllInstance);
}
