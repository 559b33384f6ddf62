// DxfTokenizer: turns DXF text into groups (a code line, then a value line)
// while reading the file in large blocks, so that memory does not grow with the
// file. A value is valid until the next group is read.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "read_error.h"

namespace arx {

class DxfTokenizer {
public:
    // Lines longer than this are not DXF.
    static constexpr size_t kMaxLine = 1u << 20;

    explicit DxfTokenizer(int fd);
    // false at the end of the input or on an error (then failed() is true).
    bool next(int& code, std::string_view& value, std::uint64_t& line);
    bool failed() const { return !mError.what.empty(); }
    const ReadError& error() const { return mError; }
    std::uint64_t line() const { return mLine; }
    std::uint64_t bytesRead() const { return mConsumed; }

private:
    bool readLine(std::string_view& out);
    bool fill();

    int mFd;
    std::unique_ptr<char[]> mBuf;  // not cleared: only what was read is looked at
    size_t mCapacity = 0;
    size_t mStart = 0;
    size_t mEnd = 0;
    bool mEof = false;
    std::uint64_t mLine = 0;
    std::uint64_t mConsumed = 0;
    ReadError mError;
};

}  // namespace arx
