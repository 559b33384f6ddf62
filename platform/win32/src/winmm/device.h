// An open wave device: its handle, format, whom it tells (a window, or nobody), the
// blocks queued on it, and the engine that moves sound in or out (virtual on the
// clock, or real through PortAudio). Handles are never reused, and every call
// checks its handle, so a closed or made-up handle gives MMSYSERR_INVALHANDLE.
#pragma once
#include <deque>
#include <memory>

#include "mmsystem.h"
#include "winuser.h"

namespace win32::audio {

struct Device;

class Engine {
public:
    virtual ~Engine() = default;
    // A block was queued.
    virtual void queued() = 0;
    // Capture only.
    virtual void start() = 0;
    virtual void stop() = 0;
    // Every queued block comes back.
    virtual void reset() = 0;
};

struct Device {
    bool input = false;
    void* handle = nullptr;
    WAVEFORMATEX format{};
    DWORD callbackType = CALLBACK_NULL;
    HWND window = nullptr;
    DWORD_PTR instance = 0;
    std::deque<WAVEHDR*> queue;
    std::unique_ptr<Engine> engine;

    // Posts MM_WOM_* or MM_WIM_* to the callback window (nothing for CALLBACK_NULL).
    void notify(UINT message, LPARAM param) const;
    // The head block is done: it leaves the queue, and the window hears of it.
    void finishHead();
};

Device* findDevice(void* handle, bool input);
Device* openDevice(bool input, const WAVEFORMATEX& format, DWORD callbackType, HWND window, DWORD_PTR instance);
void closeDevice(Device* device);

std::unique_ptr<Engine> makeVirtualOutput(Device& device);
std::unique_ptr<Engine> makeVirtualInput(Device& device);
// Null (with the reason) when the machine has no such device.
std::unique_ptr<Engine> makeRealOutput(Device& device, std::string& why);
std::unique_ptr<Engine> makeRealInput(Device& device, std::string& why);

}  // namespace win32::audio
