// A window of the tests' own records from the microphone (playing a WAV file)
// through waveIn* with CALLBACK_WINDOW, then plays what it recorded through
// waveOut* to the virtual speaker, as the plug-in's tag window does. The speaker
// gets back exactly the bytes recorded, the messages come in Windows' order, and on
// the virtual clock a ten-second session takes a fraction of a second.
#include <chrono>

#include "sequences.h"
#include "temp_dir.h"
#include "wave_test_support.h"

using namespace wavetest;

namespace {

// The recorder: two blocks of a quarter second kept queued until `wanted` bytes are
// in, then a reset, close, and playback of everything recorded in one block.
class RecordAndPlay {
public:
    explicit RecordAndPlay(std::uint32_t wanted) : mWanted(wanted)
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = proc;
        wc.lpszClassName = L"RecordAndPlay";
        RegisterClassW(&wc);
        mWindow = CreateWindowExW(0, L"RecordAndPlay", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, this);
    }

    bool run()
    {
        WAVEFORMATEX f = voiceFormat();
        if (waveInOpen(&mIn, WAVE_MAPPER, &f, reinterpret_cast<DWORD_PTR>(mWindow), 0, CALLBACK_WINDOW) != MMSYSERR_NOERROR)
            return false;
        MSG m;
        while (!mFinished && GetMessageW(&m, nullptr, 0, 0) > 0) DispatchMessageW(&m);
        return mFinished;
    }

    std::vector<std::string> order;
    std::vector<std::uint8_t> recorded;

private:
    static LRESULT CALLBACK proc(HWND h, UINT m, WPARAM wp, LPARAM lp)
    {
        if (m == WM_NCCREATE)
            SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
        auto* self = reinterpret_cast<RecordAndPlay*>(GetWindowLongPtrW(h, GWLP_USERDATA));
        if (self != nullptr && m >= MM_WOM_OPEN && m <= MM_WIM_DATA) {
            self->order.push_back(name(m));
            self->handle(m, reinterpret_cast<WAVEHDR*>(lp));
            return 0;
        }
        return DefWindowProcW(h, m, wp, lp);
    }

    void handle(UINT m, WAVEHDR* h)
    {
        switch (m) {
        case MM_WIM_OPEN:
            for (int i = 0; i < 2; ++i) {
                mBlocks[i].assign(10000, 0);
                mHeaders[i] = WAVEHDR{reinterpret_cast<LPSTR>(mBlocks[i].data()), 10000, 0, 0, 0, 1, nullptr, 0};
                waveInPrepareHeader(mIn, &mHeaders[i], sizeof(WAVEHDR));
                waveInAddBuffer(mIn, &mHeaders[i], sizeof(WAVEHDR));
            }
            waveInStart(mIn);
            break;
        case MM_WIM_DATA:
            recorded.insert(recorded.end(), h->lpData, h->lpData + h->dwBytesRecorded);
            ++mReturned;
            if (!mStopping && recorded.size() < mWanted) {
                waveInAddBuffer(mIn, h, sizeof(WAVEHDR));
                --mReturned;
            } else if (!mStopping) {
                mStopping = true;
                waveInReset(mIn);
            }
            if (mStopping && mReturned == 2) waveInClose(mIn);
            break;
        case MM_WIM_CLOSE: {
            for (WAVEHDR& hdr : mHeaders) waveInUnprepareHeader(mIn, &hdr, sizeof(WAVEHDR));
            WAVEFORMATEX f = voiceFormat();
            waveOutOpen(&mOut, WAVE_MAPPER, &f, reinterpret_cast<DWORD_PTR>(mWindow), 0, CALLBACK_WINDOW);
            break;
        }
        case MM_WOM_OPEN:
            mPlay = WAVEHDR{reinterpret_cast<LPSTR>(recorded.data()), static_cast<DWORD>(recorded.size()), 0, 0,
                            WHDR_BEGINLOOP | WHDR_ENDLOOP, 1, nullptr, 0};
            waveOutPrepareHeader(mOut, &mPlay, sizeof(WAVEHDR));
            waveOutWrite(mOut, &mPlay, sizeof(WAVEHDR));
            break;
        case MM_WOM_DONE:
            waveOutUnprepareHeader(mOut, h, sizeof(WAVEHDR));
            waveOutClose(mOut);
            break;
        case MM_WOM_CLOSE:
            mFinished = true;
            break;
        default:
            break;
        }
    }

    std::uint32_t mWanted;
    HWND mWindow = nullptr;
    HWAVEIN mIn = nullptr;
    HWAVEOUT mOut = nullptr;
    std::vector<std::uint8_t> mBlocks[2];
    WAVEHDR mHeaders[2]{};
    WAVEHDR mPlay{};
    int mReturned = 0;
    bool mStopping = false;
    bool mFinished = false;
};

void prepareDevices(TempDir& dir, size_t micBytes)
{
    writeWav(dir.file("mic.wav"), 40000, 1, SF_FORMAT_PCM_U8, countingBytes(micBytes));
    std::string error;
    ASSERT_TRUE(win32::audio::setMicrophoneFile(dir.file("mic.wav"), error)) << error;
    ASSERT_TRUE(win32::audio::setSpeakerFile(dir.file("speaker.wav"), error)) << error;
}

}  // namespace

TEST(WaveRoundTrip, OneSecondRecordedComesBackFromTheSpeakerByteForByte)
{
    TempDir dir;
    prepareDevices(dir, 60000);
    RecordAndPlay session(40000);
    ASSERT_TRUE(session.run());
    EXPECT_EQ(session.order, seq::recordThenPlay(4));
    ASSERT_EQ(session.recorded.size(), 40000u);
    EXPECT_EQ(session.recorded, countingBytes(40000));  // the first second of the file
    EXPECT_EQ(speakerBytes(dir.file("speaker.wav")), session.recorded);
    EXPECT_EQ(GetTickCount(), 2000u);  // one second recording, one second playing
}

TEST(WaveRoundTrip, TenSecondsTakeAFractionOfASecondOnTheVirtualClock)
{
    TempDir dir;
    prepareDevices(dir, 500000);
    auto start = std::chrono::steady_clock::now();
    RecordAndPlay session(400000);
    ASSERT_TRUE(session.run());
    auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(session.order, seq::recordThenPlay(40));
    EXPECT_EQ(speakerBytes(dir.file("speaker.wav")), session.recorded);
    EXPECT_EQ(GetTickCount(), 20000u);
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(took).count(), 500);
    std::printf("a ten-second recording and its playback took %lld ms of real time\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(took).count()));
}
