// The one-shot player the manager dialog plays a note with. It plays from a copy
// of its own, so the note may change or go (Delete, a redraw that drops a short
// recording, the document closing) while its sound plays. Each playback has a
// hidden window of its own that hears the device: when the block is done the
// header is unprepared and the device closed, and when the device has closed the
// copy, the header and the window go.
#include "VelaToneAudio.h"

#include <string.h>

namespace {

const wchar_t kPlayerClass[] = L"VelaToneOneShotPlayer";

struct OneShotPlayback {
    HWAVEOUT hDevice;
    WAVEHDR header;
    unsigned char* pCopy;
    bool bPrepared;
};

// The windows of the playbacks still running.
AcArray<HWND> s_players;

void releasePlayback(HWND hWnd)
{
    OneShotPlayback* pPlay = reinterpret_cast<OneShotPlayback*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (pPlay == NULL) return;
    SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
    delete[] pPlay->pCopy;
    delete pPlay;
    s_players.remove(hWnd);
}

LRESULT CALLBACK playerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    OneShotPlayback* pPlay = reinterpret_cast<OneShotPlayback*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    switch (message) {
    case MM_WOM_DONE:
        if (pPlay != NULL) {
            if (pPlay->bPrepared) waveOutUnprepareHeader(pPlay->hDevice, &pPlay->header, sizeof(WAVEHDR));
            pPlay->bPrepared = false;
            waveOutClose(pPlay->hDevice);
        }
        return 0;
    case MM_WOM_CLOSE:
        releasePlayback(hWnd);
        DestroyWindow(hWnd);
        return 0;
    case WM_DESTROY:
        releasePlayback(hWnd);
        return 0;
    default:
        return DefWindowProcW(hWnd, message, wParam, lParam);
    }
}

HWND makePlayerWindow()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = playerProc;
    wc.hInstance = _hdllInstance;
    wc.lpszClassName = kPlayerClass;
    RegisterClassW(&wc);  // fails harmlessly when the class is there already
    return CreateWindowExW(0, kPlayerClass, L"", WS_POPUP, 0, 0, 0, 0, NULL, NULL, _hdllInstance, NULL);
}

void reportNoDevice()
{
    MessageBeep(MB_ICONEXCLAMATION);
    AfxMessageBox(_T("Audio output erro"), MB_OK, 0);
}

}  // namespace

bool PlayWaveData(unsigned char* pData, Adesk::UInt32 length)
{
    if (pData == NULL) return false;
    HWND hWnd = makePlayerWindow();
    if (hWnd == NULL) return false;
    WAVEFORMATEX format;
    VelaToneWaveFormat(format);
    HWAVEOUT hDevice = NULL;
    if (waveOutOpen(&hDevice, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(hWnd), 0, CALLBACK_WINDOW) !=
        MMSYSERR_NOERROR) {
        DestroyWindow(hWnd);
        reportNoDevice();
        return false;
    }
    OneShotPlayback* pPlay = new OneShotPlayback();
    pPlay->hDevice = hDevice;
    // One byte more than the sound, so the copy ends with a zero as a note's sound does.
    pPlay->pCopy = new unsigned char[static_cast<size_t>(length) + 1];
    memcpy(pPlay->pCopy, pData, length);
    pPlay->pCopy[length] = 0;
    pPlay->header.lpData = reinterpret_cast<LPSTR>(pPlay->pCopy);
    pPlay->header.dwBufferLength = length;
    pPlay->header.dwFlags = WHDR_BEGINLOOP | WHDR_ENDLOOP;
    pPlay->header.dwLoops = 1;
    SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pPlay));
    s_players.append(hWnd);
    bool bQueued = waveOutPrepareHeader(hDevice, &pPlay->header, sizeof(WAVEHDR)) == MMSYSERR_NOERROR;
    pPlay->bPrepared = bQueued;
    if (bQueued) bQueued = waveOutWrite(hDevice, &pPlay->header, sizeof(WAVEHDR)) == MMSYSERR_NOERROR;
    if (!bQueued) {
        // Nothing plays: close now; MM_WOM_CLOSE releases the copy.
        if (pPlay->bPrepared) waveOutUnprepareHeader(hDevice, &pPlay->header, sizeof(WAVEHDR));
        pPlay->bPrepared = false;
        waveOutClose(hDevice);
    }
    return bQueued;
}

void StopWaveData()
{
    // Each window leaves the list when it is destroyed.
    while (s_players.length() > 0) {
        HWND hWnd = s_players.last();
        OneShotPlayback* pPlay = reinterpret_cast<OneShotPlayback*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
        if (pPlay != NULL) {
            waveOutReset(pPlay->hDevice);
            if (pPlay->bPrepared) waveOutUnprepareHeader(pPlay->hDevice, &pPlay->header, sizeof(WAVEHDR));
            pPlay->bPrepared = false;
            waveOutClose(pPlay->hDevice);
        }
        releasePlayback(hWnd);
        DestroyWindow(hWnd);
    }
    UnregisterClassW(kPlayerClass, _hdllInstance);
}
