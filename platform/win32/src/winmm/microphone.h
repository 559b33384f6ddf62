// The virtual microphone's sound: the bytes of the WAV file set (converted to the
// device's format when the device opens), or a tone made on demand.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "mmsystem.h"

namespace win32::audio {

class MicrophoneSound {
public:
    // The sound as the microphone is set up now, in `format`; false with the reason
    // when its file cannot be read any more.
    bool open(const WAVEFORMATEX& format, std::string& error);
    // Bytes [position, position + size) of the sound; silence after a file's end.
    void read(std::uint64_t position, std::uint8_t* out, size_t size) const;

private:
    WAVEFORMATEX mFormat{};
    bool mTone = true;
    double mHertz = 440.0;
    std::vector<std::uint8_t> mBytes;
};

struct MicrophoneSetting {
    bool tone = true;
    double hertz = 440.0;
    std::string path;
};
MicrophoneSetting microphoneSetting();

}  // namespace win32::audio
