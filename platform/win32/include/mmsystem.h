// The multimedia system's wave audio: formats, result codes, headers and the
// waveIn/waveOut functions, with Windows' values and layout. Devices report to a
// window (CALLBACK_WINDOW) with MM_WIM_* and MM_WOM_* messages, posted in Windows'
// order. Which devices exist (virtual ones on the clock, the machine's own through
// PortAudio, or none) is set through win32/audio_devices.h.
#pragma once
#include "win32/export.h"
#include "wtypes.h"

using MMRESULT = UINT;

#define MMSYSERR_BASE 0
#define WAVERR_BASE 32

#define MMSYSERR_NOERROR 0
#define MMSYSERR_ERROR (MMSYSERR_BASE + 1)
#define MMSYSERR_BADDEVICEID (MMSYSERR_BASE + 2)
#define MMSYSERR_NOTENABLED (MMSYSERR_BASE + 3)
#define MMSYSERR_ALLOCATED (MMSYSERR_BASE + 4)
#define MMSYSERR_INVALHANDLE (MMSYSERR_BASE + 5)
#define MMSYSERR_NODRIVER (MMSYSERR_BASE + 6)
#define MMSYSERR_NOMEM (MMSYSERR_BASE + 7)
#define MMSYSERR_NOTSUPPORTED (MMSYSERR_BASE + 8)
#define MMSYSERR_BADERRNUM (MMSYSERR_BASE + 9)
#define MMSYSERR_INVALFLAG (MMSYSERR_BASE + 10)
#define MMSYSERR_INVALPARAM (MMSYSERR_BASE + 11)
#define MMSYSERR_HANDLEBUSY (MMSYSERR_BASE + 12)
#define MMSYSERR_INVALIDALIAS (MMSYSERR_BASE + 13)
#define MMSYSERR_BADDB (MMSYSERR_BASE + 14)
#define MMSYSERR_KEYNOTFOUND (MMSYSERR_BASE + 15)
#define MMSYSERR_READERROR (MMSYSERR_BASE + 16)
#define MMSYSERR_WRITEERROR (MMSYSERR_BASE + 17)
#define MMSYSERR_DELETEERROR (MMSYSERR_BASE + 18)
#define MMSYSERR_VALNOTFOUND (MMSYSERR_BASE + 19)
#define MMSYSERR_NODRIVERCB (MMSYSERR_BASE + 20)
#define MMSYSERR_MOREDATA (MMSYSERR_BASE + 21)
#define MMSYSERR_LASTERROR (MMSYSERR_BASE + 21)

#define WAVERR_BADFORMAT (WAVERR_BASE + 0)
#define WAVERR_STILLPLAYING (WAVERR_BASE + 1)
#define WAVERR_UNPREPARED (WAVERR_BASE + 2)
#define WAVERR_SYNC (WAVERR_BASE + 3)
#define WAVERR_LASTERROR (WAVERR_BASE + 3)

#define WAVE_FORMAT_PCM 1

#define WAVE_MAPPER ((UINT)-1)
#define WAVE_FORMAT_QUERY 0x0001
#define WAVE_ALLOWSYNC 0x0002
#define WAVE_MAPPED 0x0004
#define WAVE_FORMAT_DIRECT 0x0008
#define CALLBACK_TYPEMASK 0x00070000L
#define CALLBACK_NULL 0x00000000L
#define CALLBACK_WINDOW 0x00010000L
#define CALLBACK_TASK 0x00020000L
#define CALLBACK_THREAD CALLBACK_TASK
#define CALLBACK_FUNCTION 0x00030000L
#define CALLBACK_EVENT 0x00050000L

#define MM_WOM_OPEN 0x3BB
#define MM_WOM_CLOSE 0x3BC
#define MM_WOM_DONE 0x3BD
#define MM_WIM_OPEN 0x3BE
#define MM_WIM_CLOSE 0x3BF
#define MM_WIM_DATA 0x3C0
#define WOM_OPEN MM_WOM_OPEN
#define WOM_CLOSE MM_WOM_CLOSE
#define WOM_DONE MM_WOM_DONE
#define WIM_OPEN MM_WIM_OPEN
#define WIM_CLOSE MM_WIM_CLOSE
#define WIM_DATA MM_WIM_DATA

#define WHDR_DONE 0x00000001
#define WHDR_PREPARED 0x00000002
#define WHDR_BEGINLOOP 0x00000004
#define WHDR_ENDLOOP 0x00000008
#define WHDR_INQUEUE 0x00000010

#ifndef RC_INVOKED
// Windows declares WAVEFORMATEX with one-byte packing: 18 bytes, no padding, so it
// can be copied to and from a WAV file's format chunk as it is.
#pragma pack(push, 1)
struct tWAVEFORMATEX {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
    WORD wBitsPerSample;
    WORD cbSize;
};
#pragma pack(pop)
using WAVEFORMATEX = tWAVEFORMATEX;
using PWAVEFORMATEX = WAVEFORMATEX*;
using NPWAVEFORMATEX = WAVEFORMATEX*;
using LPWAVEFORMATEX = WAVEFORMATEX*;
using LPCWAVEFORMATEX = const WAVEFORMATEX*;
static_assert(sizeof(WAVEFORMATEX) == 18, "WAVEFORMATEX must have Windows' packed layout");

// A block of sound going to or coming from a device. While it is queued
// (WHDR_INQUEUE) it belongs to the device; WHDR_DONE says the device gave it back.
struct wavehdr_tag {
    LPSTR lpData;
    DWORD dwBufferLength;
    DWORD dwBytesRecorded;
    DWORD_PTR dwUser;
    DWORD dwFlags;
    DWORD dwLoops;
    struct wavehdr_tag* lpNext;
    DWORD_PTR reserved;
};
using WAVEHDR = wavehdr_tag;
using PWAVEHDR = WAVEHDR*;
using NPWAVEHDR = WAVEHDR*;
using LPWAVEHDR = WAVEHDR*;
static_assert(sizeof(WAVEHDR) == 48, "WAVEHDR has the size of a 64-bit Windows build");

using LPHWAVEIN = HWAVEIN*;
using LPHWAVEOUT = HWAVEOUT*;

// Playback. Opening posts MM_WOM_OPEN; each block written comes back with
// MM_WOM_DONE when it has played (or at waveOutReset); closing, which needs every
// block back first (WAVERR_STILLPLAYING otherwise), posts MM_WOM_CLOSE. A block
// with WHDR_BEGINLOOP | WHDR_ENDLOOP plays dwLoops times; a loop over several
// blocks is not offered (each of its blocks plays once). With no output device,
// opening fails with MMSYSERR_NODRIVER.
W32_EXPORT UINT waveOutGetNumDevs();
W32_EXPORT MMRESULT waveOutOpen(LPHWAVEOUT phwo, UINT uDeviceID, LPCWAVEFORMATEX pwfx, DWORD_PTR dwCallback,
                                DWORD_PTR dwInstance, DWORD fdwOpen);
W32_EXPORT MMRESULT waveOutClose(HWAVEOUT hwo);
W32_EXPORT MMRESULT waveOutPrepareHeader(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh);
W32_EXPORT MMRESULT waveOutUnprepareHeader(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh);
W32_EXPORT MMRESULT waveOutWrite(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh);
W32_EXPORT MMRESULT waveOutReset(HWAVEOUT hwo);

// Capture. Opening posts MM_WIM_OPEN; blocks added are filled in order once
// waveInStart has started the device, and each comes back full with MM_WIM_DATA
// (dwBytesRecorded says how much); waveInStop gives back the block being filled,
// waveInReset every block; closing, which needs every block back first, posts
// MM_WIM_CLOSE. Sound arriving while no block is queued is lost, as on Windows.
W32_EXPORT UINT waveInGetNumDevs();
W32_EXPORT MMRESULT waveInOpen(LPHWAVEIN phwi, UINT uDeviceID, LPCWAVEFORMATEX pwfx, DWORD_PTR dwCallback,
                               DWORD_PTR dwInstance, DWORD fdwOpen);
W32_EXPORT MMRESULT waveInClose(HWAVEIN hwi);
W32_EXPORT MMRESULT waveInPrepareHeader(HWAVEIN hwi, LPWAVEHDR pwh, UINT cbwh);
W32_EXPORT MMRESULT waveInUnprepareHeader(HWAVEIN hwi, LPWAVEHDR pwh, UINT cbwh);
W32_EXPORT MMRESULT waveInAddBuffer(HWAVEIN hwi, LPWAVEHDR pwh, UINT cbwh);
W32_EXPORT MMRESULT waveInStart(HWAVEIN hwi);
W32_EXPORT MMRESULT waveInStop(HWAVEIN hwi);
W32_EXPORT MMRESULT waveInReset(HWAVEIN hwi);
#endif
