// The wave devices behind waveIn and waveOut, as the host program sets them up.
//
// Virtual devices (the default) run on the clock at the format's byte rate: the
// microphone plays a WAV file (converted to the format the device is opened with)
// or a test tone, and the speaker appends what it played to a WAV file (or lets it
// go). The real devices are the machine's default input and output through
// PortAudio, for interactive runs on the real clock. Either direction can be
// without a device, and then opening it fails with MMSYSERR_NODRIVER.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "mmsystem.h"
#include "win32/export.h"

namespace win32::audio {

enum class Backend { Virtual, Real };

W32_EXPORT void setBackend(Backend backend);
W32_EXPORT Backend backend();
W32_EXPORT void setInputPresent(bool present);
W32_EXPORT void setOutputPresent(bool present);

// The microphone plays this WAV file from its start each time a capture device is
// opened, and silence after its end. The file is read and checked now; false with
// the reason when it cannot be used.
W32_EXPORT bool setMicrophoneFile(const std::string& path, std::string& error);
// The microphone makes a sine tone (440 Hz by default) at half the full scale.
W32_EXPORT void setMicrophoneTone(double hertz = 440.0);

// What the speaker plays is appended to this WAV file, which is made anew (false
// with the reason when it cannot be written). Its format is that of the first
// sound played; later sounds in other formats are converted to it.
W32_EXPORT bool setSpeakerFile(const std::string& path, std::string& error);
// The speaker plays into nothing (the default).
W32_EXPORT void setSpeakerDiscard();
// How many bytes the speaker has played since it was set, in its file's format.
W32_EXPORT std::uint64_t speakerBytesPlayed();

// Reads WAV data (RIFF "WAVE", PCM of 8 to 32 bits or floating point, 1 to 8
// channels) and converts it to `format` (8- or 16-bit PCM, mono or stereo):
// channels are mixed or copied, the rate is converted linearly. Hostile input is
// refused with the reason and the byte where it was found; `name` goes into the
// message. At most 64 MiB of sound comes out.
W32_EXPORT bool readWav(const std::uint8_t* data, size_t size, const std::string& name, const WAVEFORMATEX& format,
                        std::vector<std::uint8_t>& out, std::string& error);
W32_EXPORT bool readWavFile(const std::string& path, const WAVEFORMATEX& format, std::vector<std::uint8_t>& out,
                            std::string& error);

}  // namespace win32::audio
