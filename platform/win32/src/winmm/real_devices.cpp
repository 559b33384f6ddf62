// The machine's own sound devices through PortAudio, for interactive runs on the
// real clock. PortAudio's callback runs on its own thread and only moves bytes
// between a locked buffer and the device; every 10 ms the main thread (a scheduled
// action) moves them between that buffer and the queued blocks, and gives back the
// blocks that are done, so headers and notifications stay on the main thread.
#include <portaudio.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>

#include "user/clock.h"
#include "user/scheduler.h"
#include "winmm/device.h"

namespace win32::audio {
namespace {

constexpr std::uint64_t kPollMs = 10;

bool initialised()
{
    static const bool ok = Pa_Initialize() == paNoError;
    return ok;
}

struct Shared {
    std::mutex lock;
    std::deque<std::uint8_t> bytes;  // output: waiting to play; input: captured
    bool capturing = false;
    std::uint64_t played = 0;  // output: bytes the device has taken
};

class RealEngine : public Engine {
public:
    RealEngine(Device& d, bool input) : mDevice(d), mInput(input), mShared(std::make_shared<Shared>()) {}
    ~RealEngine() override
    {
        if (mPoll != 0) win32::user::cancel(mPoll);
        if (mStream != nullptr) {
            Pa_AbortStream(mStream);
            Pa_CloseStream(mStream);
        }
    }

    bool open(std::string& why)
    {
        if (!initialised()) {
            why = "the sound system did not start";
            return false;
        }
        PaDeviceIndex index = mInput ? Pa_GetDefaultInputDevice() : Pa_GetDefaultOutputDevice();
        if (index == paNoDevice) {
            why = mInput ? "no input device" : "no output device";
            return false;
        }
        PaStreamParameters p{};
        p.device = index;
        p.channelCount = mDevice.format.nChannels;
        p.sampleFormat = mDevice.format.wBitsPerSample == 8 ? paUInt8 : paInt16;
        const PaDeviceInfo* info = Pa_GetDeviceInfo(index);
        p.suggestedLatency = info ? (mInput ? info->defaultLowInputLatency : info->defaultLowOutputLatency) : 0.05;
        mFrameBytes = mDevice.format.nBlockAlign;
        PaError e = Pa_OpenStream(&mStream, mInput ? &p : nullptr, mInput ? nullptr : &p,
                                  mDevice.format.nSamplesPerSec, paFramesPerBufferUnspecified, paNoFlag,
                                  mInput ? inputCallback : outputCallbackFor, this);
        if (e != paNoError || Pa_StartStream(mStream) != paNoError) {
            why = Pa_GetErrorText(e);
            if (mStream != nullptr) Pa_CloseStream(mStream);
            mStream = nullptr;
            return false;
        }
        schedulePoll();
        return true;
    }

    void queued() override
    {
        if (mInput) return;
        // The block's bytes (looped as its flags say) join the sound waiting to play.
        WAVEHDR* h = mDevice.queue.back();
        DWORD loops = (h->dwFlags & (WHDR_BEGINLOOP | WHDR_ENDLOOP)) == (WHDR_BEGINLOOP | WHDR_ENDLOOP)
                          ? std::max<DWORD>(1, h->dwLoops)
                          : 1;
        std::lock_guard lock(mShared->lock);
        for (DWORD i = 0; i < loops; ++i)
            mShared->bytes.insert(mShared->bytes.end(), h->lpData, h->lpData + h->dwBufferLength);
        mQueuedEnd += static_cast<std::uint64_t>(h->dwBufferLength) * loops;
        mEnds.push_back(mQueuedEnd);
    }

    void start() override
    {
        std::lock_guard lock(mShared->lock);
        mShared->capturing = true;
    }

    void stop() override
    {
        {
            std::lock_guard lock(mShared->lock);
            mShared->capturing = false;
        }
        poll();
        if (mInput && !mDevice.queue.empty()) mDevice.finishHead();
    }

    void reset() override
    {
        {
            std::lock_guard lock(mShared->lock);
            mShared->capturing = false;
            if (!mInput) {
                mShared->played = mQueuedEnd;
                mShared->bytes.clear();
            }
        }
        if (mInput) poll();
        mEnds.clear();
        while (!mDevice.queue.empty()) mDevice.finishHead();
    }

private:
    static int outputCallbackFor(const void*, void* out, unsigned long frames, const PaStreamCallbackTimeInfo*,
                                 PaStreamCallbackFlags, void* user)
    {
        auto* self = static_cast<RealEngine*>(user);
        Shared& s = *self->mShared;
        auto* dst = static_cast<std::uint8_t*>(out);
        size_t want = frames * self->mFrameBytes;
        std::lock_guard lock(s.lock);
        size_t n = std::min(want, s.bytes.size());
        std::copy(s.bytes.begin(), s.bytes.begin() + static_cast<long>(n), dst);
        s.bytes.erase(s.bytes.begin(), s.bytes.begin() + static_cast<long>(n));
        s.played += n;
        // Silence when nothing waits: 0x80 for unsigned 8-bit samples.
        std::memset(dst + n, self->mFrameBytes == self->mDevice.format.nChannels ? 0x80 : 0, want - n);
        return paContinue;
    }

    static int inputCallback(const void* in, void*, unsigned long frames, const PaStreamCallbackTimeInfo*,
                             PaStreamCallbackFlags, void* user)
    {
        auto* self = static_cast<RealEngine*>(user);
        Shared& s = *self->mShared;
        std::lock_guard lock(s.lock);
        if (s.capturing && in != nullptr) {
            const auto* src = static_cast<const std::uint8_t*>(in);
            s.bytes.insert(s.bytes.end(), src, src + frames * self->mFrameBytes);
            // A main thread that stopped polling must not make the buffer grow forever.
            size_t limit = static_cast<size_t>(self->mDevice.format.nAvgBytesPerSec) * 10;
            if (s.bytes.size() > limit) s.bytes.erase(s.bytes.begin(), s.bytes.end() - static_cast<long>(limit));
        }
        return paContinue;
    }

    void schedulePoll()
    {
        mPoll = win32::user::schedule(win32::user::now() + kPollMs, [this] {
            mPoll = 0;
            poll();
            schedulePoll();
        });
    }

    void poll()
    {
        if (mInput) {
            // Captured bytes go into the queued blocks; with none queued they are lost.
            std::lock_guard lock(mShared->lock);
            while (!mShared->bytes.empty()) {
                if (mDevice.queue.empty()) {
                    mShared->bytes.clear();
                    break;
                }
                WAVEHDR* h = mDevice.queue.front();
                size_t room = h->dwBufferLength - h->dwBytesRecorded;
                size_t n = std::min(room, mShared->bytes.size());
                std::copy(mShared->bytes.begin(), mShared->bytes.begin() + static_cast<long>(n),
                          h->lpData + h->dwBytesRecorded);
                mShared->bytes.erase(mShared->bytes.begin(), mShared->bytes.begin() + static_cast<long>(n));
                h->dwBytesRecorded += static_cast<DWORD>(n);
                if (h->dwBytesRecorded == h->dwBufferLength) mDevice.finishHead();
            }
            return;
        }
        std::uint64_t played;
        {
            std::lock_guard lock(mShared->lock);
            played = mShared->played;
        }
        while (!mEnds.empty() && mEnds.front() <= played && !mDevice.queue.empty()) {
            mEnds.pop_front();
            mDevice.finishHead();
        }
    }

    Device& mDevice;
    bool mInput;
    std::shared_ptr<Shared> mShared;
    PaStream* mStream = nullptr;
    unsigned mFrameBytes = 1;
    win32::user::ActionId mPoll = 0;
    std::uint64_t mQueuedEnd = 0;
    std::deque<std::uint64_t> mEnds;  // output: where each queued block ends in the stream
};

}  // namespace

std::unique_ptr<Engine> makeRealOutput(Device& device, std::string& why)
{
    auto e = std::make_unique<RealEngine>(device, false);
    if (!e->open(why)) return nullptr;
    return e;
}

std::unique_ptr<Engine> makeRealInput(Device& device, std::string& why)
{
    auto e = std::make_unique<RealEngine>(device, true);
    if (!e->open(why)) return nullptr;
    return e;
}

}  // namespace win32::audio
