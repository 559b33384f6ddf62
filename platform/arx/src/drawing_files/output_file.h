// OutputFile: writes a file through a temporary file beside it, renamed over
// the target only when everything was written, so a failed save never leaves a
// damaged drawing where the old one was. The new file keeps the old one's mode,
// and a symbolic link is written through to the file it names.
#pragma once
#include <cstdint>
#include <string>

namespace arx {

class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    bool open(const std::string& path, std::string& error);
    // Data goes into buffer(); flush() writes it out when it has grown large.
    std::string& buffer() { return mBuffer; }
    bool flush(bool force = false);
    bool writeAt(std::uint64_t offset, const void* data, size_t len);
    std::uint64_t written() const { return mWritten + mBuffer.size(); }
    bool commit(std::string& error);
    const std::string& error() const { return mError; }

private:
    int mFd = -1;
    std::string mPath;
    std::string mTemp;
    std::string mBuffer;
    std::uint64_t mWritten = 0;
    std::string mError;
};

}  // namespace arx
