// Wave output on the virtual speaker: MM_WOM_OPEN, MM_WOM_DONE and MM_WOM_CLOSE in
// Windows' order and at the times the byte rate gives, header flags through
// prepare, write, done and unprepare, Windows' error codes, loops, reset, and what
// the speaker writes to its file.
#include "sequences.h"
#include "temp_dir.h"
#include "wave_test_support.h"

using namespace wavetest;

namespace {

struct Block {
    std::vector<char> data;
    WAVEHDR header{};
    explicit Block(size_t n, char fill = 1) : data(n, fill)
    {
        header.lpData = data.data();
        header.dwBufferLength = static_cast<DWORD>(n);
    }
};

}  // namespace

TEST(WaveOut, HeaderFlagsAndMessagesFollowWindows)
{
    HWND w = noteWindow();
    WAVEFORMATEX f = voiceFormat();
    HWAVEOUT out = nullptr;
    ASSERT_EQ(waveOutOpen(&out, WAVE_MAPPER, &f, reinterpret_cast<DWORD_PTR>(w), 0, CALLBACK_WINDOW), MMSYSERR_NOERROR);
    Block b(10000);
    EXPECT_EQ(waveOutWrite(out, &b.header, sizeof(WAVEHDR)), WAVERR_UNPREPARED);
    EXPECT_EQ(waveOutPrepareHeader(out, &b.header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    EXPECT_EQ(b.header.dwFlags, static_cast<DWORD>(WHDR_PREPARED));
    EXPECT_EQ(waveOutPrepareHeader(out, &b.header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);  // prepared already: fine
    EXPECT_EQ(waveOutWrite(out, &b.header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    EXPECT_EQ(b.header.dwFlags, static_cast<DWORD>(WHDR_PREPARED | WHDR_INQUEUE));
    EXPECT_EQ(waveOutWrite(out, &b.header, sizeof(WAVEHDR)), WAVERR_STILLPLAYING);
    EXPECT_EQ(waveOutUnprepareHeader(out, &b.header, sizeof(WAVEHDR)), WAVERR_STILLPLAYING);
    EXPECT_EQ(waveOutClose(out), WAVERR_STILLPLAYING);
    runFor(1000);
    EXPECT_EQ(b.header.dwFlags, static_cast<DWORD>(WHDR_PREPARED | WHDR_DONE));
    EXPECT_EQ(waveOutUnprepareHeader(out, &b.header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    EXPECT_EQ(b.header.dwFlags, static_cast<DWORD>(WHDR_DONE));
    EXPECT_EQ(waveOutUnprepareHeader(out, &b.header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);  // not prepared: fine
    EXPECT_EQ(waveOutClose(out), MMSYSERR_NOERROR);
    runFor(10);
    EXPECT_EQ(messages(), seq::kPlayOneBlock);
    ASSERT_EQ(notes().size(), 3u);
    EXPECT_EQ(notes()[0].time, 0u);
    EXPECT_EQ(notes()[1].time, 250u);  // 10000 bytes at 40000 bytes a second
    EXPECT_EQ(notes()[1].header, &b.header);
    EXPECT_EQ(notes()[1].flagsThen, static_cast<DWORD>(WHDR_PREPARED | WHDR_DONE));
    EXPECT_EQ(notes()[1].device, reinterpret_cast<WPARAM>(out));
    EXPECT_EQ(waveOutClose(out), MMSYSERR_INVALHANDLE);  // the handle is gone
}

TEST(WaveOut, ArgumentsAreCheckedAsWindowsChecksThem)
{
    WAVEFORMATEX f = voiceFormat();
    HWAVEOUT out = nullptr;
    ASSERT_EQ(waveOutOpen(&out, WAVE_MAPPER, &f, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    Block b(100);
    EXPECT_EQ(waveOutPrepareHeader(out, &b.header, sizeof(WAVEHDR) - 1), MMSYSERR_INVALPARAM);
    EXPECT_EQ(waveOutPrepareHeader(out, nullptr, sizeof(WAVEHDR)), MMSYSERR_INVALPARAM);
    EXPECT_EQ(waveOutPrepareHeader(reinterpret_cast<HWAVEOUT>(0x99), &b.header, sizeof(WAVEHDR)), MMSYSERR_INVALHANDLE);
    EXPECT_EQ(waveOutWrite(reinterpret_cast<HWAVEOUT>(0x99), &b.header, sizeof(WAVEHDR)), MMSYSERR_INVALHANDLE);
    EXPECT_EQ(waveOutReset(nullptr), MMSYSERR_INVALHANDLE);
    EXPECT_EQ(waveInStart(reinterpret_cast<HWAVEIN>(out)), MMSYSERR_INVALHANDLE);  // not a capture device
    EXPECT_EQ(waveOutClose(out), MMSYSERR_NOERROR);

    WAVEFORMATEX bad = f;
    bad.nAvgBytesPerSec = 1234;
    EXPECT_EQ(waveOutOpen(&out, WAVE_MAPPER, &bad, 0, 0, CALLBACK_NULL), WAVERR_BADFORMAT);
    EXPECT_EQ(waveOutOpen(nullptr, WAVE_MAPPER, &f, 0, 0, WAVE_FORMAT_QUERY), MMSYSERR_NOERROR);
    EXPECT_EQ(waveOutOpen(nullptr, WAVE_MAPPER, &bad, 0, 0, WAVE_FORMAT_QUERY), WAVERR_BADFORMAT);
    EXPECT_EQ(waveOutOpen(&out, 5, &f, 0, 0, CALLBACK_NULL), MMSYSERR_BADDEVICEID);
    EXPECT_EQ(waveOutOpen(&out, WAVE_MAPPER, nullptr, 0, 0, CALLBACK_NULL), MMSYSERR_INVALPARAM);
    EXPECT_EQ(waveOutOpen(&out, WAVE_MAPPER, &f, 0x1234, 0, CALLBACK_WINDOW), MMSYSERR_INVALPARAM);  // no such window
    EXPECT_EQ(waveOutOpen(&out, WAVE_MAPPER, &f, 0, 0, CALLBACK_FUNCTION), MMSYSERR_NOTSUPPORTED);
}

TEST(WaveOut, BlocksPlayBackToBackAndAResetGivesThemAllBackInOrder)
{
    TempDir dir;
    std::string error;
    ASSERT_TRUE(win32::audio::setSpeakerFile(dir.file("out.wav"), error)) << error;
    HWND w = noteWindow();
    WAVEFORMATEX f = voiceFormat();
    HWAVEOUT out = nullptr;
    waveOutOpen(&out, WAVE_MAPPER, &f, reinterpret_cast<DWORD_PTR>(w), 0, CALLBACK_WINDOW);
    Block a(8000, 10), b(8000, 20);
    for (Block* x : {&a, &b}) {
        waveOutPrepareHeader(out, &x->header, sizeof(WAVEHDR));
        waveOutWrite(out, &x->header, sizeof(WAVEHDR));
    }
    runFor(100);  // 4000 bytes of a have played
    EXPECT_EQ(waveOutReset(out), MMSYSERR_NOERROR);
    EXPECT_EQ(a.header.dwFlags & (WHDR_DONE | WHDR_INQUEUE), static_cast<DWORD>(WHDR_DONE));
    EXPECT_EQ(b.header.dwFlags & (WHDR_DONE | WHDR_INQUEUE), static_cast<DWORD>(WHDR_DONE));
    EXPECT_EQ(waveOutClose(out), MMSYSERR_NOERROR);
    runFor(10);
    EXPECT_EQ(messages(), seq::kResetTwoBlocks);
    EXPECT_EQ(notes()[1].header, &a.header);
    EXPECT_EQ(notes()[2].header, &b.header);
    EXPECT_EQ(notes()[1].time, 100u);  // at the reset, not when the blocks would have ended
    std::vector<std::uint8_t> played = speakerBytes(dir.file("out.wav"));
    EXPECT_EQ(played, std::vector<std::uint8_t>(4000, 10));  // what had played before the reset
}

TEST(WaveOut, ALoopedBlockPlaysItsLoopCountAndADeviceThatRanDryStartsAgainWhenWritten)
{
    TempDir dir;
    std::string error;
    ASSERT_TRUE(win32::audio::setSpeakerFile(dir.file("out.wav"), error)) << error;
    HWND w = noteWindow();
    WAVEFORMATEX f = voiceFormat();
    HWAVEOUT out = nullptr;
    waveOutOpen(&out, WAVE_MAPPER, &f, reinterpret_cast<DWORD_PTR>(w), 0, CALLBACK_WINDOW);
    Block looped(400, 7);
    looped.header.dwFlags = WHDR_BEGINLOOP | WHDR_ENDLOOP;
    looped.header.dwLoops = 3;
    waveOutPrepareHeader(out, &looped.header, sizeof(WAVEHDR));
    waveOutWrite(out, &looped.header, sizeof(WAVEHDR));
    runFor(500);
    ASSERT_EQ(notes().size(), 2u);
    EXPECT_EQ(notes()[1].time, 30u);  // three times 10 ms
    Block later(400, 8);
    waveOutPrepareHeader(out, &later.header, sizeof(WAVEHDR));
    waveOutWrite(out, &later.header, sizeof(WAVEHDR));
    runFor(100);
    ASSERT_EQ(notes().size(), 3u);
    EXPECT_EQ(notes()[2].time, 510u);  // from the write, not from where the last block ended
    std::vector<std::uint8_t> expected(1200, 7);
    expected.insert(expected.end(), 400, 8);
    EXPECT_EQ(speakerBytes(dir.file("out.wav")), expected);
    EXPECT_EQ(win32::audio::speakerBytesPlayed(), 1600u);
}

TEST(WaveOut, WithoutAnOutputDeviceOpeningFailsWithNoDriver)
{
    win32::audio::setOutputPresent(false);
    WAVEFORMATEX f = voiceFormat();
    HWAVEOUT out = nullptr;
    EXPECT_EQ(waveOutGetNumDevs(), 0u);
    EXPECT_EQ(waveOutOpen(&out, WAVE_MAPPER, &f, 0, 0, CALLBACK_NULL), MMSYSERR_NODRIVER);
    EXPECT_EQ(waveOutOpen(&out, 0, &f, 0, 0, CALLBACK_NULL), MMSYSERR_BADDEVICEID);
    HWAVEIN in = nullptr;
    EXPECT_EQ(waveInOpen(&in, WAVE_MAPPER, &f, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);  // input is still there
    waveInClose(in);
    win32::audio::setOutputPresent(true);
    EXPECT_EQ(waveOutOpen(&out, WAVE_MAPPER, &f, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
}

TEST(WaveOut, SoundInAnotherFormatIsConvertedToTheSpeakerFilesFormat)
{
    TempDir dir;
    std::string error;
    ASSERT_TRUE(win32::audio::setSpeakerFile(dir.file("out.wav"), error)) << error;
    WAVEFORMATEX voice = voiceFormat();
    WAVEFORMATEX wide{WAVE_FORMAT_PCM, 1, 40000, 80000, 2, 16, 0};
    for (const WAVEFORMATEX* f : {&voice, &wide}) {
        HWAVEOUT out = nullptr;
        ASSERT_EQ(waveOutOpen(&out, WAVE_MAPPER, f, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
        Block b(400, f == &voice ? static_cast<char>(0xC0) : 0);
        if (f == &wide)
            for (size_t i = 0; i < b.data.size(); i += 2) b.data[i + 1] = 0x40;  // +0x4000: 0xC0 in 8 bits
        waveOutPrepareHeader(out, &b.header, sizeof(WAVEHDR));
        waveOutWrite(out, &b.header, sizeof(WAVEHDR));
        runFor(100);
        waveOutUnprepareHeader(out, &b.header, sizeof(WAVEHDR));
        waveOutClose(out);
    }
    SF_INFO info{};
    std::vector<std::uint8_t> played = speakerBytes(dir.file("out.wav"), &info);
    EXPECT_EQ(info.samplerate, 40000);
    EXPECT_EQ(info.format & SF_FORMAT_SUBMASK, SF_FORMAT_PCM_U8);
    EXPECT_EQ(played, std::vector<std::uint8_t>(600, 0xC0));  // 400 bytes, then 200 samples made 8-bit
}
