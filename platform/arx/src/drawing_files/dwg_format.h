// The host's binary drawing file. Little-endian throughout.
//
//   header   64 bytes: magic (16), format version u32, drawing version u32,
//            maintenance version u32, flags u32 (0), handle seed u64,
//            directory offset u64, object count u64, meta length u64
//   records  one per object, what its dwgOut wrote (form 0), or a DXF-read
//            proxy's common fields and groups (form 1)
//   meta     (just before the directory) written with the binary filer: the
//            classes of the records, header variables, kept sections, CLASSES
//            entries of the DXF the drawing came from, the root objects' handles
//   directory  per object: handle u64, class u32, form u8, 3 zero bytes,
//            offset u64, length u64 (32 bytes)
//
// docs/file-formats.md describes it in full.
#pragma once
#include <cstdint>

namespace arx::dwgfile {

constexpr char kMagic[16] = {'\x89', 'A', 'R', 'X', 'H', 'O', 'S', 'T', ' ', 'D', 'W', 'G', '\r', '\n', '\x1a', '\n'};
constexpr std::uint32_t kFormatVersion = 2;
constexpr size_t kHeaderSize = 64;
constexpr size_t kDirectoryEntrySize = 32;
constexpr std::uint8_t kFormObject = 0;
constexpr std::uint8_t kFormDxfProxy = 1;
// Bounds that no real drawing comes near, so hostile counts fail early.
constexpr std::uint64_t kMaxMetaBytes = 256u << 20;
constexpr std::uint64_t kMaxRecordBytes = 1ull << 31;

struct Header {
    char magic[16];
    std::uint32_t formatVersion;
    std::uint32_t dwgVersion;
    std::uint32_t maintVersion;
    std::uint32_t flags;
    std::uint64_t handseed;
    std::uint64_t directoryOffset;
    std::uint64_t objectCount;
    std::uint64_t metaLength;
};
static_assert(sizeof(Header) == kHeaderSize);

struct DirectoryEntry {
    std::uint64_t handle;
    std::uint32_t classIndex;
    std::uint8_t form;
    std::uint8_t pad[3];
    std::uint64_t offset;
    std::uint64_t length;
};
static_assert(sizeof(DirectoryEntry) == kDirectoryEntrySize);

}  // namespace arx::dwgfile
