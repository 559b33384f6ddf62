// The virtual speaker as a wave output device: blocks play one after another on the
// clock at the format's byte rate. A block is done (MM_WOM_DONE) when its last byte
// has played; its bytes then go to the speaker's sink. A reset gives every block
// back at once; the part of the current block played so far goes to the sink.
#include <algorithm>
#include <vector>

#include "user/clock.h"
#include "user/scheduler.h"
#include "winmm/device.h"
#include "winmm/speaker_sink.h"
#include "winmm/wave_format.h"

namespace win32::audio {
namespace {

DWORD loopsOf(const WAVEHDR* h)
{
    if ((h->dwFlags & (WHDR_BEGINLOOP | WHDR_ENDLOOP)) != (WHDR_BEGINLOOP | WHDR_ENDLOOP)) return 1;
    return std::max<DWORD>(1, h->dwLoops);
}

class VirtualOutput final : public Engine {
public:
    explicit VirtualOutput(Device& d) : mDevice(d) {}
    ~VirtualOutput() override { cancelPending(); }

    void queued() override
    {
        if (!mRunning) beginHead(true);
    }
    void start() override {}
    void stop() override {}

    void reset() override
    {
        cancelPending();
        if (mRunning && !mDevice.queue.empty()) {
            std::uint64_t played = msToBytes(win32::user::now() - mStreamStart, mDevice.format);
            std::uint64_t inHead = played > mHeadStart ? std::min(played - mHeadStart, mHeadBytes) : 0;
            play(mDevice.queue.front(), inHead);
        }
        while (!mDevice.queue.empty()) mDevice.finishHead();
        mRunning = false;
    }

private:
    void cancelPending()
    {
        if (mPending != 0) win32::user::cancel(mPending);
        mPending = 0;
    }

    // Plays the head block; a new stream starts when the device had run dry.
    void beginHead(bool newStream)
    {
        if (mDevice.queue.empty()) {
            mRunning = false;
            return;
        }
        if (newStream) {
            mStreamStart = win32::user::now();
            mStreamBytes = 0;
        }
        mRunning = true;
        WAVEHDR* h = mDevice.queue.front();
        mHeadBytes = static_cast<std::uint64_t>(h->dwBufferLength) * loopsOf(h);
        mHeadStart = mStreamBytes;
        mStreamBytes += mHeadBytes;
        std::uint64_t due = mStreamStart + bytesToMs(mStreamBytes, mDevice.format);
        mPending = win32::user::schedule(due, [this] { headDone(); });
    }

    void headDone()
    {
        mPending = 0;
        WAVEHDR* h = mDevice.queue.front();
        play(h, mHeadBytes);
        mDevice.finishHead();
        beginHead(mDevice.queue.empty());
    }

    // Sends the first `bytes` of the block (looped as its flags say) to the sink.
    void play(const WAVEHDR* h, std::uint64_t bytes)
    {
        if (h->dwBufferLength == 0 || h->lpData == nullptr) return;
        const auto* data = reinterpret_cast<const std::uint8_t*>(h->lpData);
        while (bytes > 0) {
            size_t n = static_cast<size_t>(std::min<std::uint64_t>(bytes, h->dwBufferLength));
            playToSpeaker(data, n, mDevice.format);
            bytes -= n;
        }
    }

    Device& mDevice;
    win32::user::ActionId mPending = 0;
    bool mRunning = false;
    std::uint64_t mStreamStart = 0;  // clock time the current stream began
    std::uint64_t mStreamBytes = 0;  // bytes of the stream up to the end of the head block
    std::uint64_t mHeadStart = 0;    // stream bytes before the head block
    std::uint64_t mHeadBytes = 0;
};

}  // namespace

std::unique_ptr<Engine> makeVirtualOutput(Device& device) { return std::make_unique<VirtualOutput>(device); }

}  // namespace win32::audio
