// Where the virtual speaker's sound goes: appended to a WAV file (through
// libsndfile, header kept up to date after every write so the file is whole at any
// moment), or nowhere.
#pragma once
#include <cstdint>
#include <string>

#include "mmsystem.h"

namespace win32::audio {

void playToSpeaker(const std::uint8_t* data, size_t size, const WAVEFORMATEX& format);

}  // namespace win32::audio
