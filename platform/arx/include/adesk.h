// Fixed-width integer types, the boolean type and the wide character type of the
// host SDK. Everything else in the SDK surface builds on these names.
#pragma once
#include <cstddef>
#include <cstdint>

namespace Adesk {
using Int8 = std::int8_t;
using Int16 = std::int16_t;
using Int32 = std::int32_t;
using Int64 = std::int64_t;
using UInt8 = std::uint8_t;
using UInt16 = std::uint16_t;
using UInt32 = std::uint32_t;
using UInt64 = std::uint64_t;
using IntPtr = std::intptr_t;
using UIntPtr = std::uintptr_t;
using IntDbId = std::int64_t;
using GsMarker = std::intptr_t;
using Boolean = bool;
constexpr Boolean kFalse = false;
constexpr Boolean kTrue = true;
using ULongPtr = std::uintptr_t;
}  // namespace Adesk

// The SDK is wide-character throughout.
using ACHAR = wchar_t;
#ifndef ACRX_T
#define ACRX_T(x) L##x
#endif
// What the stand-in's own library exports. It is no name of the SDK: a module
// marks its exports with a macro of its own.
#ifndef ARXHOST_EXPORT
#define ARXHOST_EXPORT __attribute__((visibility("default")))
#endif
