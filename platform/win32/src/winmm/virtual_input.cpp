// The virtual microphone as a wave input device. Once started, sound arrives on the
// clock at the format's byte rate and fills the queued blocks in order; a block is
// done (MM_WIM_DATA) when it is full. Sound that arrives while no block is queued
// is lost. Stopping gives back the block being filled with what it holds; a reset
// gives back every block.
#include <algorithm>

#include "user/clock.h"
#include "user/scheduler.h"
#include "winmm/device.h"
#include "winmm/microphone.h"
#include "winmm/wave_format.h"

namespace win32::audio {
namespace {

class VirtualInput final : public Engine {
public:
    VirtualInput(Device& d, MicrophoneSound sound) : mDevice(d), mSound(std::move(sound)) {}
    ~VirtualInput() override { cancelPending(); }

    void queued() override
    {
        if (mStarted && !mFilling) beginHead(position());
    }

    void start() override
    {
        if (mStarted) return;
        mStarted = true;
        mStreamStart = win32::user::now();
        if (!mDevice.queue.empty()) beginHead(0);
    }

    void stop() override
    {
        if (!mStarted) return;
        cancelPending();
        if (mFilling) returnHeadPartly();
        endStream();
    }

    void reset() override
    {
        cancelPending();
        if (mStarted && mFilling) returnHeadPartly();
        while (!mDevice.queue.empty()) mDevice.finishHead();
        if (mStarted) endStream();
    }

private:
    // Bytes of the stream that have arrived by now.
    std::uint64_t position() const { return msToBytes(win32::user::now() - mStreamStart, mDevice.format); }

    void cancelPending()
    {
        if (mPending != 0) win32::user::cancel(mPending);
        mPending = 0;
    }

    void beginHead(std::uint64_t at)
    {
        if (mDevice.queue.empty()) {
            mFilling = false;
            return;
        }
        mFilling = true;
        mHeadStart = at;
        WAVEHDR* h = mDevice.queue.front();
        std::uint64_t due = mStreamStart + bytesToMs(at + h->dwBufferLength, mDevice.format);
        mPending = win32::user::schedule(due, [this] { headFull(); });
    }

    void fill(WAVEHDR* h, std::uint64_t bytes)
    {
        if (bytes > 0 && h->lpData != nullptr)
            mSound.read(mSourceBase + mHeadStart, reinterpret_cast<std::uint8_t*>(h->lpData), static_cast<size_t>(bytes));
        h->dwBytesRecorded = static_cast<DWORD>(bytes);
    }

    void headFull()
    {
        mPending = 0;
        WAVEHDR* h = mDevice.queue.front();
        fill(h, h->dwBufferLength);
        std::uint64_t next = mHeadStart + h->dwBufferLength;
        mDevice.finishHead();
        beginHead(next);
    }

    void returnHeadPartly()
    {
        WAVEHDR* h = mDevice.queue.front();
        std::uint64_t arrived = position();
        std::uint64_t bytes = arrived > mHeadStart ? std::min<std::uint64_t>(arrived - mHeadStart, h->dwBufferLength) : 0;
        fill(h, bytes);
        mDevice.finishHead();
        mFilling = false;
    }

    // The microphone's sound carries on from here at the next start.
    void endStream()
    {
        mSourceBase += position();
        mStarted = false;
        mFilling = false;
    }

    Device& mDevice;
    MicrophoneSound mSound;
    win32::user::ActionId mPending = 0;
    bool mStarted = false;
    bool mFilling = false;
    std::uint64_t mStreamStart = 0;
    std::uint64_t mHeadStart = 0;
    std::uint64_t mSourceBase = 0;
};

}  // namespace

std::unique_ptr<Engine> makeVirtualInput(Device& device)
{
    MicrophoneSound sound;
    std::string error;
    if (!sound.open(device.format, error)) {
        std::fprintf(stderr, "win32: microphone: %s\n", error.c_str());
        return nullptr;
    }
    return std::make_unique<VirtualInput>(device, std::move(sound));
}

}  // namespace win32::audio
