// Checks of wave formats and conversions between bytes and time.
#include "winmm/wave_format.h"

namespace win32::audio {

bool supportedFormat(const WAVEFORMATEX& f)
{
    return f.wFormatTag == WAVE_FORMAT_PCM && (f.nChannels == 1 || f.nChannels == 2) &&
           (f.wBitsPerSample == 8 || f.wBitsPerSample == 16) && f.nSamplesPerSec >= 1000 &&
           f.nSamplesPerSec <= 192000 && f.nBlockAlign == f.nChannels * f.wBitsPerSample / 8 &&
           f.nAvgBytesPerSec == f.nSamplesPerSec * f.nBlockAlign;
}

std::uint64_t bytesToMs(std::uint64_t bytes, const WAVEFORMATEX& f)
{
    return (bytes * 1000 + f.nAvgBytesPerSec - 1) / f.nAvgBytesPerSec;
}

std::uint64_t msToBytes(std::uint64_t ms, const WAVEFORMATEX& f)
{
    std::uint64_t bytes = ms * f.nAvgBytesPerSec / 1000;
    return bytes - bytes % f.nBlockAlign;
}

std::uint8_t silence(const WAVEFORMATEX& f) { return f.wBitsPerSample == 8 ? 0x80 : 0x00; }

}  // namespace win32::audio
