// Wave input from the virtual microphone: MM_WIM_OPEN, MM_WIM_DATA and MM_WIM_CLOSE
// in Windows' order, blocks filled in order at the byte rate once started, the
// sound of the WAV file the microphone plays, stop and reset giving blocks back
// with what they hold, sound lost while no block is queued, and a tone.
#include <algorithm>

#include "sequences.h"
#include "temp_dir.h"
#include "wave_test_support.h"

using namespace wavetest;

namespace {

struct Capture {
    std::vector<char> data;
    WAVEHDR header{};
    explicit Capture(size_t n) : data(n, 0)
    {
        header.lpData = data.data();
        header.dwBufferLength = static_cast<DWORD>(n);
    }
};

class WaveIn : public ::testing::Test {
protected:
    void SetUp() override
    {
        source = countingBytes(120000);
        writeWav(dir.file("mic.wav"), 40000, 1, SF_FORMAT_PCM_U8, source);
        std::string error;
        ASSERT_TRUE(win32::audio::setMicrophoneFile(dir.file("mic.wav"), error)) << error;
        window = noteWindow();
        WAVEFORMATEX f = voiceFormat();
        ASSERT_EQ(waveInOpen(&in, WAVE_MAPPER, &f, reinterpret_cast<DWORD_PTR>(window), 0, CALLBACK_WINDOW),
                  MMSYSERR_NOERROR);
    }
    void add(Capture& c)
    {
        ASSERT_EQ(waveInPrepareHeader(in, &c.header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
        ASSERT_EQ(waveInAddBuffer(in, &c.header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    }
    std::vector<std::uint8_t> bytesOf(const Capture& c) const
    {
        return std::vector<std::uint8_t>(c.data.begin(), c.data.begin() + c.header.dwBytesRecorded);
    }
    std::vector<std::uint8_t> sourceAt(size_t from, size_t n) const
    {
        return std::vector<std::uint8_t>(source.begin() + static_cast<long>(from), source.begin() + static_cast<long>(from + n));
    }

    TempDir dir;
    std::vector<std::uint8_t> source;
    HWND window = nullptr;
    HWAVEIN in = nullptr;
};

}  // namespace

TEST_F(WaveIn, BlocksFillInOrderAtTheByteRateWithTheMicrophonesSound)
{
    Capture a(10000), b(10000), c(10000), d(10000);
    add(a);
    add(b);
    EXPECT_EQ(a.header.dwFlags, static_cast<DWORD>(WHDR_PREPARED | WHDR_INQUEUE));
    runFor(300);
    EXPECT_EQ(notes().size(), 1u);  // nothing is captured before waveInStart
    ASSERT_EQ(waveInStart(in), MMSYSERR_NOERROR);
    runFor(500);
    ASSERT_EQ(notes().size(), 3u);
    EXPECT_EQ(notes()[1].header, &a.header);
    EXPECT_EQ(notes()[1].time, 550u);  // 250 ms after the start
    EXPECT_EQ(notes()[1].bytesThen, 10000u);
    EXPECT_EQ(notes()[1].flagsThen, static_cast<DWORD>(WHDR_PREPARED | WHDR_DONE));
    EXPECT_EQ(notes()[2].time, 800u);
    EXPECT_EQ(bytesOf(a), sourceAt(0, 10000));
    EXPECT_EQ(bytesOf(b), sourceAt(10000, 10000));
    add(c);
    add(d);
    runFor(100);  // 4000 bytes into c
    EXPECT_EQ(waveInReset(in), MMSYSERR_NOERROR);
    EXPECT_EQ(c.header.dwBytesRecorded, 4000u);
    EXPECT_EQ(d.header.dwBytesRecorded, 0u);
    EXPECT_EQ(d.header.dwFlags, static_cast<DWORD>(WHDR_PREPARED | WHDR_DONE));
    // c started where b ended: nothing was lost, since no time passed between them.
    EXPECT_EQ(bytesOf(c), sourceAt(20000, 4000));
    EXPECT_EQ(waveInUnprepareHeader(in, &a.header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    EXPECT_EQ(waveInClose(in), MMSYSERR_NOERROR);
    runFor(10);
    EXPECT_EQ(messages(), seq::kRecordThenReset);
}

TEST_F(WaveIn, SoundArrivingWhileNoBlockIsQueuedIsLost)
{
    Capture a(4000), b(4000);
    add(a);
    waveInStart(in);
    runFor(200);  // a is full at 100 ms; 100 ms of sound then find no block
    add(b);
    runFor(150);
    ASSERT_EQ(b.header.dwBytesRecorded, 4000u);
    EXPECT_EQ(bytesOf(b), sourceAt(8000, 4000));
    EXPECT_EQ(notes().back().time, 300u);
}

TEST_F(WaveIn, StopGivesBackTheBlockBeingFilledAndKeepsTheOthers)
{
    Capture a(10000), b(10000);
    add(a);
    add(b);
    waveInStart(in);
    runFor(50);
    EXPECT_EQ(waveInStop(in), MMSYSERR_NOERROR);
    EXPECT_EQ(a.header.dwBytesRecorded, 2000u);
    EXPECT_EQ(b.header.dwFlags, static_cast<DWORD>(WHDR_PREPARED | WHDR_INQUEUE));
    EXPECT_EQ(waveInClose(in), WAVERR_STILLPLAYING);  // b is still queued
    runFor(1000);
    EXPECT_EQ(b.header.dwFlags & WHDR_DONE, 0u);  // stopped: nothing fills it
    waveInStart(in);  // the microphone carries on from where it stopped
    runFor(250);
    EXPECT_EQ(bytesOf(b), sourceAt(2000, 10000));
}

TEST_F(WaveIn, DuringSleepTheDeviceWorksOnAndItsMessagesWaitInTheQueue)
{
    Capture a(4000), b(4000);
    add(a);
    add(b);
    waveInStart(in);
    Sleep(150);  // a is full at 100 ms while the thread sleeps
    EXPECT_EQ(GetTickCount(), 150u);
    EXPECT_EQ(a.header.dwFlags, static_cast<DWORD>(WHDR_PREPARED | WHDR_DONE));
    EXPECT_EQ(notes().size(), 0u);  // nothing dispatched yet, not even MM_WIM_OPEN
    waveInReset(in);
    Sleep(500);
    runFor(0);
    EXPECT_EQ(messages(), (std::vector<std::string>{"MM_WIM_OPEN", "MM_WIM_DATA", "MM_WIM_DATA"}));
    EXPECT_EQ(notes()[1].time, 650u);  // handled when the loop got to them
    EXPECT_EQ(b.header.dwBytesRecorded, 2000u);
}

TEST_F(WaveIn, CaptureBlocksMustBePreparedAndHoldWholeSamples)
{
    Capture a(100);
    EXPECT_EQ(waveInAddBuffer(in, &a.header, sizeof(WAVEHDR)), WAVERR_UNPREPARED);
    waveInPrepareHeader(in, &a.header, sizeof(WAVEHDR));
    a.header.dwBufferLength = 0;
    EXPECT_EQ(waveInAddBuffer(in, &a.header, sizeof(WAVEHDR)), MMSYSERR_INVALPARAM);
    a.header.dwBufferLength = 100;
    EXPECT_EQ(waveInAddBuffer(in, &a.header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    EXPECT_EQ(waveInAddBuffer(in, &a.header, sizeof(WAVEHDR)), WAVERR_STILLPLAYING);
    EXPECT_EQ(waveInUnprepareHeader(in, &a.header, sizeof(WAVEHDR)), WAVERR_STILLPLAYING);
    waveInReset(in);
    EXPECT_EQ(waveInUnprepareHeader(in, &a.header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    EXPECT_EQ(waveInClose(in), MMSYSERR_NOERROR);
}

TEST_F(WaveIn, AfterTheFileEndsTheMicrophoneGivesSilence)
{
    Capture a(130000);
    add(a);
    waveInStart(in);
    runFor(3300);
    ASSERT_EQ(a.header.dwBytesRecorded, 130000u);
    EXPECT_EQ(static_cast<std::uint8_t>(a.data[119999]), source[119999]);
    EXPECT_EQ(static_cast<std::uint8_t>(a.data[120000]), 0x80);
}

TEST(WaveInTone, TheToneIsASineAtHalfScale)
{
    win32::audio::setMicrophoneTone(1000);
    WAVEFORMATEX f = voiceFormat();
    HWAVEIN in = nullptr;
    ASSERT_EQ(waveInOpen(&in, WAVE_MAPPER, &f, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    std::vector<char> data(40, 0);
    WAVEHDR h{data.data(), 40, 0, 0, 0, 0, nullptr, 0};
    waveInPrepareHeader(in, &h, sizeof h);
    waveInAddBuffer(in, &h, sizeof h);
    waveInStart(in);
    runFor(10);
    ASSERT_EQ(h.dwBytesRecorded, 40u);
    auto [lo, hi] = std::minmax_element(data.begin(), data.end(), [](char x, char y) {
        return static_cast<std::uint8_t>(x) < static_cast<std::uint8_t>(y);
    });
    EXPECT_EQ(static_cast<std::uint8_t>(data[0]), 128);  // sin 0
    EXPECT_EQ(static_cast<std::uint8_t>(data[10]), 128 + 64);  // a quarter period at 40 samples a period
    EXPECT_GE(static_cast<std::uint8_t>(*lo), 64);
    EXPECT_LE(static_cast<std::uint8_t>(*hi), 192);
}

TEST(WaveInDevices, WithoutAnInputDeviceOpeningFailsWithNoDriver)
{
    win32::audio::setInputPresent(false);
    WAVEFORMATEX f = voiceFormat();
    HWAVEIN in = nullptr;
    EXPECT_EQ(waveInGetNumDevs(), 0u);
    EXPECT_EQ(waveInOpen(&in, WAVE_MAPPER, &f, 0, 0, CALLBACK_NULL), MMSYSERR_NODRIVER);
}

TEST(WaveInDevices, AMicrophoneFileThatIsNotWavIsRefusedWhenNamed)
{
    TempDir dir;
    std::FILE* f = std::fopen(dir.file("x.wav").c_str(), "wb");
    std::fputs("not a wave file", f);
    std::fclose(f);
    std::string error;
    EXPECT_FALSE(win32::audio::setMicrophoneFile(dir.file("x.wav"), error));
    EXPECT_NE(error.find("x.wav: byte 0: not a WAV file"), std::string::npos) << error;
    EXPECT_FALSE(win32::audio::setMicrophoneFile(dir.file("missing.wav"), error));
    EXPECT_NE(error.find("cannot read"), std::string::npos) << error;
}
