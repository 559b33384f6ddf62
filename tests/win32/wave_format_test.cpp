// WAVEFORMATEX has Windows' packed layout, so the format chunk of a WAV file can be
// read into it byte for byte.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "windows.h"

TEST(WaveFormat, LayoutIsWindowsPackedLayout)
{
    EXPECT_EQ(sizeof(WAVEFORMATEX), 18u);
    EXPECT_EQ(offsetof(WAVEFORMATEX, wFormatTag), 0u);
    EXPECT_EQ(offsetof(WAVEFORMATEX, nChannels), 2u);
    EXPECT_EQ(offsetof(WAVEFORMATEX, nSamplesPerSec), 4u);
    EXPECT_EQ(offsetof(WAVEFORMATEX, nAvgBytesPerSec), 8u);
    EXPECT_EQ(offsetof(WAVEFORMATEX, nBlockAlign), 12u);
    EXPECT_EQ(offsetof(WAVEFORMATEX, wBitsPerSample), 14u);
    EXPECT_EQ(offsetof(WAVEFORMATEX, cbSize), 16u);

    // The "fmt " chunk body of a 16-bit mono 40000 Hz PCM file.
    const unsigned char chunk[18] = {0x01, 0x00, 0x01, 0x00, 0x40, 0x9C, 0x00, 0x00, 0x80,
                                     0x38, 0x01, 0x00, 0x02, 0x00, 0x10, 0x00, 0x00, 0x00};
    WAVEFORMATEX wfx;
    std::memcpy(&wfx, chunk, sizeof chunk);
    EXPECT_EQ(wfx.wFormatTag, WAVE_FORMAT_PCM);
    EXPECT_EQ(wfx.nChannels, 1);
    EXPECT_EQ(wfx.nSamplesPerSec, 40000u);
    EXPECT_EQ(wfx.nAvgBytesPerSec, 80000u);
    EXPECT_EQ(wfx.nBlockAlign, 2);
    EXPECT_EQ(wfx.wBitsPerSample, 16);
    EXPECT_EQ(wfx.cbSize, 0);
}
