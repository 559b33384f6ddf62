// The virtual speaker's sink: the WAV file, made anew when it is set, takes the
// format of the first sound played; sound in another format is converted to it
// (through readWav's conversion) before it is appended.
#include <sndfile.h>

#include <cstring>
#include <mutex>
#include <vector>

#include "win32/audio_devices.h"
#include "winmm/speaker_sink.h"
#include "winmm/wave_format.h"

namespace win32::audio {
namespace {

struct Sink {
    std::mutex lock;
    std::string path;
    SNDFILE* file = nullptr;
    WAVEFORMATEX format{};
    bool haveFormat = false;
    std::uint64_t played = 0;
};

Sink& sink()
{
    static Sink* s = new Sink;
    return *s;
}

void closeLocked(Sink& s)
{
    if (s.file != nullptr) sf_close(s.file);
    s.file = nullptr;
    s.haveFormat = false;
}

// The bytes of a minimal WAV file around the sound, for converting it with readWav.
std::vector<std::uint8_t> asWav(const std::uint8_t* data, size_t size, const WAVEFORMATEX& f)
{
    std::vector<std::uint8_t> w(44 + size);
    auto put32 = [&](size_t at, std::uint32_t v) { std::memcpy(w.data() + at, &v, 4); };
    std::memcpy(w.data(), "RIFF", 4);
    put32(4, static_cast<std::uint32_t>(36 + size));
    std::memcpy(w.data() + 8, "WAVEfmt ", 8);
    put32(16, 16);
    std::memcpy(w.data() + 20, &f, 16);
    std::memcpy(w.data() + 36, "data", 4);
    put32(40, static_cast<std::uint32_t>(size));
    if (size > 0) std::memcpy(w.data() + 44, data, size);
    return w;
}

}  // namespace

void playToSpeaker(const std::uint8_t* data, size_t size, const WAVEFORMATEX& format)
{
    Sink& s = sink();
    std::lock_guard lock(s.lock);
    if (size == 0) return;
    if (s.path.empty()) {
        s.played += size;
        return;
    }
    if (!s.haveFormat) {
        SF_INFO info{};
        info.samplerate = static_cast<int>(format.nSamplesPerSec);
        info.channels = format.nChannels;
        info.format = SF_FORMAT_WAV | (format.wBitsPerSample == 8 ? SF_FORMAT_PCM_U8 : SF_FORMAT_PCM_16);
        s.file = sf_open(s.path.c_str(), SFM_WRITE, &info);
        if (s.file == nullptr) {
            std::fprintf(stderr, "win32: speaker: %s: %s\n", s.path.c_str(), sf_strerror(nullptr));
            s.path.clear();
            return;
        }
        sf_command(s.file, SFC_SET_UPDATE_HEADER_AUTO, nullptr, SF_TRUE);
        s.format = format;
        s.haveFormat = true;
    }
    std::vector<std::uint8_t> converted;
    if (std::memcmp(&format, &s.format, sizeof format) != 0) {
        std::vector<std::uint8_t> wav = asWav(data, size, format);
        std::string error;
        if (!readWav(wav.data(), wav.size(), "speaker", s.format, converted, error)) return;
        data = converted.data();
        size = converted.size();
    }
    sf_write_raw(s.file, data, static_cast<sf_count_t>(size));
    sf_write_sync(s.file);
    s.played += size;
}

bool setSpeakerFile(const std::string& path, std::string& error)
{
    Sink& s = sink();
    std::lock_guard lock(s.lock);
    closeLocked(s);
    s.path.clear();
    s.played = 0;
    // Made now (empty), so that a path that cannot be written is reported at once.
    std::FILE* probe = std::fopen(path.c_str(), "wb");
    if (probe == nullptr) {
        error = path + ": cannot write the file: " + std::strerror(errno);
        return false;
    }
    std::fclose(probe);
    s.path = path;
    return true;
}

void setSpeakerDiscard()
{
    Sink& s = sink();
    std::lock_guard lock(s.lock);
    closeLocked(s);
    s.path.clear();
    s.played = 0;
}

std::uint64_t speakerBytesPlayed()
{
    Sink& s = sink();
    std::lock_guard lock(s.lock);
    return s.played;
}

}  // namespace win32::audio
