// Reading WAV files for the microphone: conversion to the device format (depth,
// channels, rate), and refusal of damaged or unusual files with the byte where the
// fault is.
#include <cstring>
#include <filesystem>

#include "temp_dir.h"
#include "wave_test_support.h"

using namespace wavetest;

namespace {

std::vector<std::uint8_t> fileBytes(const std::string& path)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    std::vector<std::uint8_t> out;
    int c;
    while ((c = std::fgetc(f)) != EOF) out.push_back(static_cast<std::uint8_t>(c));
    std::fclose(f);
    return out;
}

bool read(const std::vector<std::uint8_t>& wav, const WAVEFORMATEX& f, std::vector<std::uint8_t>& out, std::string& error)
{
    return win32::audio::readWav(wav.data(), wav.size(), "t.wav", f, out, error);
}

}  // namespace

TEST(WavReader, TheVoiceFormatComesThroughByteForByte)
{
    TempDir dir;
    std::vector<std::uint8_t> samples = countingBytes(1000);
    writeWav(dir.file("a.wav"), 40000, 1, SF_FORMAT_PCM_U8, samples);
    std::vector<std::uint8_t> out;
    std::string error;
    ASSERT_TRUE(win32::audio::readWavFile(dir.file("a.wav"), voiceFormat(), out, error)) << error;
    EXPECT_EQ(out, samples);
}

TEST(WavReader, DepthChannelsAndRateAreConverted)
{
    TempDir dir;
    // 8000 Hz stereo 16-bit: left +0.5, right -0.5 for 100 frames.
    std::vector<std::int16_t> frames;
    for (int i = 0; i < 100; ++i) {
        frames.push_back(16384);
        frames.push_back(i < 50 ? -16384 : 16384);
    }
    writeWav(dir.file("s.wav"), 8000, 2, SF_FORMAT_PCM_16, frames);
    std::vector<std::uint8_t> out;
    std::string error;
    ASSERT_TRUE(win32::audio::readWavFile(dir.file("s.wav"), voiceFormat(), out, error)) << error;
    EXPECT_EQ(out.size(), 500u);  // 100 frames at 5 output samples each
    EXPECT_EQ(out[0], 128);     // (0.5 - 0.5) / 2: silence
    EXPECT_EQ(out[300], 192);   // both channels at +0.5
    WAVEFORMATEX stereo16{WAVE_FORMAT_PCM, 2, 8000, 32000, 4, 16, 0};
    ASSERT_TRUE(win32::audio::readWavFile(dir.file("s.wav"), stereo16, out, error));
    ASSERT_EQ(out.size(), 400u);
    std::int16_t right;
    std::memcpy(&right, out.data() + 2, 2);
    EXPECT_EQ(right, -16384);
}

TEST(WavReader, DamagedFilesAreRefusedWithTheByteOfTheFault)
{
    TempDir dir;
    writeWav(dir.file("a.wav"), 40000, 1, SF_FORMAT_PCM_U8, countingBytes(100));
    std::vector<std::uint8_t> good = fileBytes(dir.file("a.wav"));
    std::vector<std::uint8_t> out;
    std::string error;

    std::vector<std::uint8_t> bad = good;
    std::memcpy(bad.data() + 8, "AVI ", 4);
    EXPECT_FALSE(read(bad, voiceFormat(), out, error));
    EXPECT_EQ(error, "t.wav: byte 0: not a WAV file (no RIFF WAVE header)");

    bad = good;
    bad[16] = 0xFF, bad[17] = 0xFF, bad[18] = 0xFF, bad[19] = 0x7F;  // the format chunk claims 2 GiB
    EXPECT_FALSE(read(bad, voiceFormat(), out, error));
    EXPECT_EQ(error, "t.wav: byte 12: a chunk runs past the end of the file");

    bad = good;
    bad[20] = 0x55;  // format tag 0x55 (MP3)
    EXPECT_FALSE(read(bad, voiceFormat(), out, error));
    EXPECT_NE(error.find("byte 12: not PCM"), std::string::npos) << error;

    bad = good;
    bad[22] = 0;  // no channels
    EXPECT_FALSE(read(bad, voiceFormat(), out, error));
    EXPECT_NE(error.find("0 channels"), std::string::npos) << error;

    bad.assign(good.begin(), good.begin() + 36);  // the header without its data chunk
    EXPECT_FALSE(read(bad, voiceFormat(), out, error));
    EXPECT_NE(error.find("no data chunk"), std::string::npos) << error;

    // A file cut short in its data keeps what is there.
    std::vector<std::uint8_t> cut(good.begin(), good.end() - 40);
    ASSERT_TRUE(read(cut, voiceFormat(), out, error)) << error;
    EXPECT_EQ(out.size(), 60u);
}

TEST(WavReader, TheDeviceFormatMustBeOneTheDevicesTake)
{
    TempDir dir;
    writeWav(dir.file("a.wav"), 40000, 1, SF_FORMAT_PCM_U8, countingBytes(10));
    std::vector<std::uint8_t> out;
    std::string error;
    WAVEFORMATEX bad = voiceFormat();
    bad.wBitsPerSample = 12;
    EXPECT_FALSE(win32::audio::readWavFile(dir.file("a.wav"), bad, out, error));
}

TEST(WavReader, TheFuzzSeedsAreAllReadable)
{
    // The shapes of WAV the reader takes, kept as the fuzz target's seeds.
    std::string folder = std::string(ARXHOST_SOURCE_DIR) + "/fuzz/seeds/wav_reader";
    int read = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::vector<std::uint8_t> out;
        std::string error;
        EXPECT_TRUE(win32::audio::readWavFile(entry.path().string(), voiceFormat(), out, error)) << error;
        EXPECT_FALSE(out.empty()) << entry.path();
        ++read;
    }
    EXPECT_GE(read, 6);
}
