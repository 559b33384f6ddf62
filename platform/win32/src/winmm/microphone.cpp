// The virtual microphone's sound and the device settings of win32/audio_devices.h.
#include "winmm/microphone.h"

#include <cmath>
#include <cstring>
#include <mutex>

#include "win32/audio_devices.h"
#include "winmm/wave_format.h"

namespace win32::audio {
namespace {

struct Settings {
    std::mutex lock;
    Backend backend = Backend::Virtual;
    bool inputPresent = true;
    bool outputPresent = true;
    MicrophoneSetting microphone;
};

Settings& settings()
{
    static Settings* s = new Settings;
    return *s;
}

}  // namespace

bool devicePresent(bool input)
{
    Settings& s = settings();
    std::lock_guard lock(s.lock);
    return input ? s.inputPresent : s.outputPresent;
}

MicrophoneSetting microphoneSetting()
{
    Settings& s = settings();
    std::lock_guard lock(s.lock);
    return s.microphone;
}

void setBackend(Backend backend)
{
    Settings& s = settings();
    std::lock_guard lock(s.lock);
    s.backend = backend;
}

Backend backend()
{
    Settings& s = settings();
    std::lock_guard lock(s.lock);
    return s.backend;
}

void setInputPresent(bool present)
{
    Settings& s = settings();
    std::lock_guard lock(s.lock);
    s.inputPresent = present;
}

void setOutputPresent(bool present)
{
    Settings& s = settings();
    std::lock_guard lock(s.lock);
    s.outputPresent = present;
}

bool setMicrophoneFile(const std::string& path, std::string& error)
{
    // Read once now in a common format, so that a file that cannot be used is
    // reported when it is named rather than when a device opens.
    WAVEFORMATEX probe{WAVE_FORMAT_PCM, 1, 8000, 8000, 1, 8, 0};
    std::vector<std::uint8_t> bytes;
    if (!readWavFile(path, probe, bytes, error)) return false;
    Settings& s = settings();
    std::lock_guard lock(s.lock);
    s.microphone = MicrophoneSetting{false, 0, path};
    return true;
}

void setMicrophoneTone(double hertz)
{
    Settings& s = settings();
    std::lock_guard lock(s.lock);
    s.microphone = MicrophoneSetting{true, hertz > 0 && hertz < 20000 ? hertz : 440.0, ""};
}

bool MicrophoneSound::open(const WAVEFORMATEX& format, std::string& error)
{
    mFormat = format;
    MicrophoneSetting m = microphoneSetting();
    mTone = m.tone;
    mHertz = m.hertz;
    mBytes.clear();
    return mTone || readWavFile(m.path, format, mBytes, error);
}

void MicrophoneSound::read(std::uint64_t position, std::uint8_t* out, size_t size) const
{
    if (!mTone) {
        for (size_t i = 0; i < size; ++i) {
            std::uint64_t p = position + i;
            out[i] = p < mBytes.size() ? mBytes[p] : silence(mFormat);
        }
        return;
    }
    const unsigned block = mFormat.nBlockAlign, sampleBytes = mFormat.wBitsPerSample / 8u;
    for (size_t i = 0; i < size; ++i) {
        std::uint64_t p = position + i;
        std::uint64_t frame = p / block;
        unsigned within = static_cast<unsigned>(p % block) % sampleBytes;
        double v = 0.5 * std::sin(2.0 * M_PI * mHertz * static_cast<double>(frame) / mFormat.nSamplesPerSec);
        if (sampleBytes == 1) {
            out[i] = static_cast<std::uint8_t>(std::lround(v * 127.0) + 128);
        } else {
            auto s = static_cast<std::int16_t>(std::lround(v * 32767.0));
            out[i] = static_cast<std::uint8_t>(within == 0 ? (s & 0xFF) : ((s >> 8) & 0xFF));
        }
    }
}

}  // namespace win32::audio
