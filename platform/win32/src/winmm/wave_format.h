// The wave formats the devices take: PCM, 8 or 16 bits, one or two channels, 1000
// to 192000 samples a second, with a block alignment and byte rate that agree.
#pragma once
#include <cstdint>

#include "mmsystem.h"

namespace win32::audio {

bool supportedFormat(const WAVEFORMATEX& f);
// The milliseconds it takes to play `bytes` at the format's byte rate, rounded up.
std::uint64_t bytesToMs(std::uint64_t bytes, const WAVEFORMATEX& f);
// The whole blocks that fit in `ms` milliseconds, in bytes.
std::uint64_t msToBytes(std::uint64_t ms, const WAVEFORMATEX& f);
// The byte that is silence in this format.
std::uint8_t silence(const WAVEFORMATEX& f);

}  // namespace win32::audio
