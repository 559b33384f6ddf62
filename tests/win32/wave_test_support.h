// What the wave device tests share: the voice format, a window that records the
// MM_WIM_* and MM_WOM_* messages it gets (with the clock time), WAV files made by the
// tests, and reading back what the virtual speaker wrote.
#pragma once
#include <gtest/gtest.h>
#include <sndfile.h>

#include <string>
#include <vector>

#include "win32/audio_devices.h"
#include "win32/message_loop.h"
#include "windows.h"

namespace wavetest {

inline WAVEFORMATEX voiceFormat() { return WAVEFORMATEX{WAVE_FORMAT_PCM, 1, 40000, 40000, 1, 8, 0}; }

struct Note {
    UINT message;
    WPARAM device;
    WAVEHDR* header;
    DWORD flagsThen;  // the header's flags when the message was handled
    DWORD bytesThen;
    DWORD time;
};

inline std::vector<Note>& notes()
{
    static std::vector<Note> n;
    return n;
}

inline std::string name(UINT m)
{
    switch (m) {
    case MM_WOM_OPEN: return "MM_WOM_OPEN";
    case MM_WOM_DONE: return "MM_WOM_DONE";
    case MM_WOM_CLOSE: return "MM_WOM_CLOSE";
    case MM_WIM_OPEN: return "MM_WIM_OPEN";
    case MM_WIM_DATA: return "MM_WIM_DATA";
    case MM_WIM_CLOSE: return "MM_WIM_CLOSE";
    default: return std::to_string(m);
    }
}

inline std::vector<std::string> messages()
{
    std::vector<std::string> out;
    for (const Note& n : notes()) out.push_back(name(n.message));
    return out;
}

inline LRESULT CALLBACK noteProc(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    if (m >= MM_WOM_OPEN && m <= MM_WIM_DATA) {
        auto* hdr = reinterpret_cast<WAVEHDR*>(lp);
        notes().push_back(Note{m, wp, hdr, hdr ? hdr->dwFlags : 0, hdr ? hdr->dwBytesRecorded : 0, GetTickCount()});
        return 0;
    }
    return DefWindowProcW(h, m, wp, lp);
}

inline HWND noteWindow()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = noteProc;
        wc.lpszClassName = L"WaveNotes";
        RegisterClassW(&wc);
        registered = true;
    }
    return CreateWindowExW(0, L"WaveNotes", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
}

// Writes a WAV file of the given samples with libsndfile.
template <typename Sample>
inline void writeWav(const std::string& path, int rate, int channels, int subtype, const std::vector<Sample>& samples)
{
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | subtype;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(f, nullptr) << sf_strerror(nullptr);
    if constexpr (sizeof(Sample) == 1)
        sf_write_raw(f, samples.data(), static_cast<sf_count_t>(samples.size()));
    else
        sf_write_short(f, reinterpret_cast<const short*>(samples.data()), static_cast<sf_count_t>(samples.size()));
    sf_close(f);
}

// A 40000 Hz 8-bit mono file whose bytes count through 1..255 (never silence).
inline std::vector<std::uint8_t> countingBytes(size_t n)
{
    std::vector<std::uint8_t> v(n);
    for (size_t i = 0; i < n; ++i) v[i] = static_cast<std::uint8_t>(1 + i % 255);
    return v;
}

// The raw sound bytes of a WAV file the speaker wrote.
inline std::vector<std::uint8_t> speakerBytes(const std::string& path, SF_INFO* infoOut = nullptr)
{
    SF_INFO info{};
    SNDFILE* f = sf_open(path.c_str(), SFM_READ, &info);
    EXPECT_NE(f, nullptr) << sf_strerror(nullptr);
    if (f == nullptr) return {};
    std::vector<std::uint8_t> bytes(static_cast<size_t>(info.frames) * static_cast<size_t>(info.channels) *
                                    ((info.format & SF_FORMAT_SUBMASK) == SF_FORMAT_PCM_U8 ? 1 : 2));
    sf_read_raw(f, bytes.data(), static_cast<sf_count_t>(bytes.size()));
    sf_close(f);
    if (infoOut) *infoOut = info;
    return bytes;
}

// Runs the message loop while the clock moves on by ms.
inline void runFor(DWORD ms) { ASSERT_TRUE(win32::loop::runUntil(GetTickCount() + ms)); }

}  // namespace wavetest
