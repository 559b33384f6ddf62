// waveOut* and waveIn*: argument checks and header flags with Windows' rules and
// error codes, over the device table and its engines.
//
// Header rules (as WinMM has them): preparing a prepared header and unpreparing an
// unprepared one succeed and change nothing; a queued header cannot be unprepared
// (WAVERR_STILLPLAYING); only a prepared header can be queued (WAVERR_UNPREPARED),
// and not twice (WAVERR_STILLPLAYING); queuing clears WHDR_DONE and sets
// WHDR_INQUEUE, and the device clears WHDR_INQUEUE and sets WHDR_DONE when it gives
// the block back. A device with queued blocks cannot be closed.
#include <string>

#include "win32/audio_devices.h"
#include "winmm/device.h"
#include "winmm/wave_format.h"

namespace win32::audio {
bool devicePresent(bool input);

namespace {

MMRESULT open(bool input, void** handleOut, UINT deviceId, LPCWAVEFORMATEX format, DWORD_PTR callback,
              DWORD_PTR instance, DWORD flags)
{
    if (!devicePresent(input)) return deviceId == WAVE_MAPPER ? MMSYSERR_NODRIVER : MMSYSERR_BADDEVICEID;
    if (deviceId != WAVE_MAPPER && deviceId != 0) return MMSYSERR_BADDEVICEID;
    if (format == nullptr) return MMSYSERR_INVALPARAM;
    DWORD type = flags & CALLBACK_TYPEMASK;
    if (flags & ~(CALLBACK_TYPEMASK | WAVE_FORMAT_QUERY | WAVE_ALLOWSYNC | WAVE_MAPPED | WAVE_FORMAT_DIRECT))
        return MMSYSERR_INVALFLAG;
    if (!supportedFormat(*format)) return WAVERR_BADFORMAT;
    if (flags & WAVE_FORMAT_QUERY) return MMSYSERR_NOERROR;
    if (handleOut == nullptr) return MMSYSERR_INVALPARAM;
    // The stand-in runs everything on one thread: notifications go to a window or
    // nowhere; callback functions, threads and events are not offered.
    if (type != CALLBACK_NULL && type != CALLBACK_WINDOW) return MMSYSERR_NOTSUPPORTED;
    HWND window = type == CALLBACK_WINDOW ? reinterpret_cast<HWND>(callback) : nullptr;
    if (type == CALLBACK_WINDOW && window != nullptr && !IsWindow(window)) return MMSYSERR_INVALPARAM;

    Device* d = openDevice(input, *format, type, window, instance);
    std::string why;
    if (backend() == Backend::Real)
        d->engine = input ? makeRealInput(*d, why) : makeRealOutput(*d, why);
    else
        d->engine = input ? makeVirtualInput(*d) : makeVirtualOutput(*d);
    if (!d->engine) {
        closeDevice(d);
        return backend() == Backend::Real ? MMSYSERR_NODRIVER : MMSYSERR_ERROR;
    }
    *handleOut = d->handle;
    d->notify(input ? MM_WIM_OPEN : MM_WOM_OPEN, 0);
    return MMSYSERR_NOERROR;
}

MMRESULT close(bool input, void* handle)
{
    Device* d = findDevice(handle, input);
    if (d == nullptr) return MMSYSERR_INVALHANDLE;
    if (!d->queue.empty()) return WAVERR_STILLPLAYING;
    d->engine.reset();
    d->notify(input ? MM_WIM_CLOSE : MM_WOM_CLOSE, 0);
    closeDevice(d);
    return MMSYSERR_NOERROR;
}

MMRESULT prepare(bool input, void* handle, LPWAVEHDR h, UINT size)
{
    if (h == nullptr || size < sizeof(WAVEHDR)) return MMSYSERR_INVALPARAM;
    if (h->dwFlags & WHDR_PREPARED) return MMSYSERR_NOERROR;
    if (findDevice(handle, input) == nullptr) return MMSYSERR_INVALHANDLE;
    if (h->lpData == nullptr && h->dwBufferLength != 0) return MMSYSERR_INVALPARAM;
    h->dwFlags |= WHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT unprepare(bool input, void* handle, LPWAVEHDR h, UINT size)
{
    if (h == nullptr || size < sizeof(WAVEHDR)) return MMSYSERR_INVALPARAM;
    if (!(h->dwFlags & WHDR_PREPARED)) return MMSYSERR_NOERROR;
    if (h->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
    if (findDevice(handle, input) == nullptr) return MMSYSERR_INVALHANDLE;
    h->dwFlags &= ~WHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT enqueue(bool input, void* handle, LPWAVEHDR h, UINT size)
{
    Device* d = findDevice(handle, input);
    if (d == nullptr) return MMSYSERR_INVALHANDLE;
    if (h == nullptr || size < sizeof(WAVEHDR)) return MMSYSERR_INVALPARAM;
    if (h->lpData == nullptr || !(h->dwFlags & WHDR_PREPARED)) return WAVERR_UNPREPARED;
    if (h->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
    // Capture blocks must hold whole samples.
    if (input && (h->dwBufferLength == 0 || h->dwBufferLength % d->format.nBlockAlign != 0)) return MMSYSERR_INVALPARAM;
    h->dwFlags = (h->dwFlags & ~WHDR_DONE) | WHDR_INQUEUE;
    h->lpNext = nullptr;
    h->reserved = 0;
    if (input) h->dwBytesRecorded = 0;
    d->queue.push_back(h);
    d->engine->queued();
    return MMSYSERR_NOERROR;
}

template <typename F>
MMRESULT withDevice(bool input, void* handle, F f)
{
    Device* d = findDevice(handle, input);
    if (d == nullptr) return MMSYSERR_INVALHANDLE;
    f(*d);
    return MMSYSERR_NOERROR;
}

}  // namespace
}  // namespace win32::audio

using namespace win32::audio;

UINT waveOutGetNumDevs() { return devicePresent(false) ? 1 : 0; }
UINT waveInGetNumDevs() { return devicePresent(true) ? 1 : 0; }

MMRESULT waveOutOpen(LPHWAVEOUT phwo, UINT uDeviceID, LPCWAVEFORMATEX pwfx, DWORD_PTR dwCallback, DWORD_PTR dwInstance,
                     DWORD fdwOpen)
{
    return open(false, reinterpret_cast<void**>(phwo), uDeviceID, pwfx, dwCallback, dwInstance, fdwOpen);
}

MMRESULT waveOutClose(HWAVEOUT hwo) { return close(false, hwo); }
MMRESULT waveOutPrepareHeader(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh) { return prepare(false, hwo, pwh, cbwh); }
MMRESULT waveOutUnprepareHeader(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh) { return unprepare(false, hwo, pwh, cbwh); }
MMRESULT waveOutWrite(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh) { return enqueue(false, hwo, pwh, cbwh); }
MMRESULT waveOutReset(HWAVEOUT hwo)
{
    return withDevice(false, hwo, [](Device& d) { d.engine->reset(); });
}

MMRESULT waveInOpen(LPHWAVEIN phwi, UINT uDeviceID, LPCWAVEFORMATEX pwfx, DWORD_PTR dwCallback, DWORD_PTR dwInstance,
                    DWORD fdwOpen)
{
    return open(true, reinterpret_cast<void**>(phwi), uDeviceID, pwfx, dwCallback, dwInstance, fdwOpen);
}

MMRESULT waveInClose(HWAVEIN hwi) { return close(true, hwi); }
MMRESULT waveInPrepareHeader(HWAVEIN hwi, LPWAVEHDR pwh, UINT cbwh) { return prepare(true, hwi, pwh, cbwh); }
MMRESULT waveInUnprepareHeader(HWAVEIN hwi, LPWAVEHDR pwh, UINT cbwh) { return unprepare(true, hwi, pwh, cbwh); }
MMRESULT waveInAddBuffer(HWAVEIN hwi, LPWAVEHDR pwh, UINT cbwh) { return enqueue(true, hwi, pwh, cbwh); }
MMRESULT waveInStart(HWAVEIN hwi)
{
    return withDevice(true, hwi, [](Device& d) { d.engine->start(); });
}
MMRESULT waveInStop(HWAVEIN hwi)
{
    return withDevice(true, hwi, [](Device& d) { d.engine->stop(); });
}
MMRESULT waveInReset(HWAVEIN hwi)
{
    return withDevice(true, hwi, [](Device& d) { d.engine->reset(); });
}
