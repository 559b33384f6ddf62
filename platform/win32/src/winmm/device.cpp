// The table of open wave devices and their notifications.
#include "winmm/device.h"

#include <map>

namespace win32::audio {
namespace {

struct Devices {
    std::map<void*, std::unique_ptr<Device>> open;
    std::uintptr_t next = 0x40000;
};

Devices& devices()
{
    static Devices* d = new Devices;
    return *d;
}

}  // namespace

void Device::notify(UINT message, LPARAM param) const
{
    if ((callbackType & CALLBACK_TYPEMASK) == CALLBACK_WINDOW && window != nullptr)
        PostMessageW(window, message, reinterpret_cast<WPARAM>(handle), param);
}

void Device::finishHead()
{
    WAVEHDR* h = queue.front();
    queue.pop_front();
    h->dwFlags = (h->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
    notify(input ? MM_WIM_DATA : MM_WOM_DONE, reinterpret_cast<LPARAM>(h));
}

Device* findDevice(void* handle, bool input)
{
    auto& open = devices().open;
    auto it = open.find(handle);
    return it != open.end() && it->second->input == input ? it->second.get() : nullptr;
}

Device* openDevice(bool input, const WAVEFORMATEX& format, DWORD callbackType, HWND window, DWORD_PTR instance)
{
    Devices& d = devices();
    auto device = std::make_unique<Device>();
    device->input = input;
    d.next += 8;
    device->handle = reinterpret_cast<void*>(d.next);
    device->format = format;
    device->callbackType = callbackType;
    device->window = window;
    device->instance = instance;
    Device* raw = device.get();
    d.open[raw->handle] = std::move(device);
    return raw;
}

void closeDevice(Device* device) { devices().open.erase(device->handle); }

}  // namespace win32::audio
