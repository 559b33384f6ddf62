// Fuzz target: WAV files read for the virtual microphone, converted to the voice
// format and to 16-bit stereo.
#include <cstdint>
#include <string>
#include <vector>

#include "win32/audio_devices.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    static const WAVEFORMATEX kFormats[] = {{WAVE_FORMAT_PCM, 1, 40000, 40000, 1, 8, 0},
                                            {WAVE_FORMAT_PCM, 2, 44100, 176400, 4, 16, 0}};
    for (const WAVEFORMATEX& f : kFormats) {
        std::vector<std::uint8_t> out;
        std::string error;
        win32::audio::readWav(data, size, "fuzz.wav", f, out, error);
    }
    return 0;
}
