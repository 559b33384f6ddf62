// What both fuzz targets do with an input: read it as a drawing into a fresh
// database and, when that works, save it in both formats and read those back.
#pragma once
#include <cstddef>
#include <cstdint>

namespace fuzz {
enum class Format { kDxf, kBinary };
void readWriteRead(const std::uint8_t* data, size_t size, Format format);
}  // namespace fuzz
