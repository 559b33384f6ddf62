// The SDK's fixed-width integer types, its boolean type and its wide character
// type. Everything else in the SDK surface builds on these names.
//
// Adesk::Int32 and UInt32 have 32 bits. The SDK declares them long and unsigned
// long where long has 32 bits (Windows) and int and unsigned int under LP64, the
// data model of this platform; either way binary filing stays 32-bit.
// Adesk::Boolean is int, as the SDK declares it for Windows in both generations
// (bool only under LP64): an override written with bool overrides nothing here,
// as on Windows.
#pragma once
#include <cstddef>
#include <cstdint>

struct Adesk {
    using Int8 = std::int8_t;
    using Int16 = short;
    using Int32 = int;
    using Int64 = std::int64_t;
    using UInt8 = unsigned char;
    using UInt16 = unsigned short;
    using UInt32 = unsigned int;
    using UInt64 = std::uint64_t;
    using IntPtr = std::intptr_t;
    using UIntPtr = std::uintptr_t;
    using LongPtr = std::intptr_t;
    using ULongPtr = std::uintptr_t;
    using IntDbId = LongPtr;
    using GsMarker = IntPtr;
    using Boolean = int;
    enum { kFalse = 0, kTrue = 1 };
};
static_assert(sizeof(Adesk::Int32) == 4 && sizeof(Adesk::UInt32) == 4, "binary filing needs 32-bit Int32");

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
