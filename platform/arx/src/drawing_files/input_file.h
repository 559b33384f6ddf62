// A drawing to read, opened once and read once. A regular file is read where it
// lies; any other input (a pipe, a FIFO, standard input) is first read whole
// into an anonymous file in memory, because the binary reader reads at offsets
// and a second open of a pipe would find it drained. What the input holds is
// judged from its first bytes without moving the readers' position.
#pragma once
#include <cstdint>
#include <string>

namespace arx {

enum class FileKind { kBinaryDrawing, kDxf, kBinaryDxf, kForeignDwg, kEmpty, kMissing, kUnknown };

// "a DXF file", "a binary drawing", ...
const char* describe(FileKind kind);

class InputFile {
public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Opens path; on failure kind() is kMissing or kUnknown and error() says why.
    bool open(const std::string& path);
    int fd() const { return mFd; }
    FileKind kind() const { return mKind; }
    // The version text of a foreign drawing, or why the input could not be read.
    const std::string& detail() const { return mDetail; }

    // The most a non-regular input may bring: it is held in memory.
    static constexpr std::uint64_t kMaxStreamedBytes = std::uint64_t(4) << 30;

private:
    bool takeStream(int source);
    FileKind sniff();

    int mFd = -1;
    FileKind mKind = FileKind::kUnknown;
    std::string mDetail;
};

}  // namespace arx
