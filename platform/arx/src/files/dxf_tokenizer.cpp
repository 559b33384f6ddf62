#include "dxf_tokenizer.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "../core/numtext.h"

namespace arx {

namespace {
constexpr size_t kBlock = 4u << 20;
}

DxfTokenizer::DxfTokenizer(int fd) : mFd(fd), mBuf(kBlock) {}

bool DxfTokenizer::fill()
{
    if (mEof) return false;
    // Keep the unread part and read more after it.
    if (mStart > 0) {
        std::memmove(mBuf.data(), mBuf.data() + mStart, mEnd - mStart);
        mEnd -= mStart;
        mStart = 0;
    }
    if (mEnd == mBuf.size()) {
        if (mBuf.size() >= kMaxLine + kBlock) return false;
        mBuf.resize(mBuf.size() * 2);
    }
    for (;;) {
        ssize_t n = ::read(mFd, mBuf.data() + mEnd, mBuf.size() - mEnd);
        if (n < 0) {
            if (errno == EINTR) continue;
            mError = std::string("read failed: ") + std::strerror(errno);
            return false;
        }
        if (n == 0) {
            mEof = true;
            return false;
        }
        mEnd += static_cast<size_t>(n);
        return true;
    }
}

bool DxfTokenizer::readLine(std::string_view& out)
{
    for (;;) {
        const char* base = mBuf.data() + mStart;
        size_t avail = mEnd - mStart;
        const void* nl = std::memchr(base, '\n', avail);
        if (nl != nullptr) {
            size_t len = static_cast<size_t>(static_cast<const char*>(nl) - base);
            if (len > kMaxLine) break;
            out = std::string_view(base, len);
            if (!out.empty() && out.back() == '\r') out.remove_suffix(1);
            mStart += len + 1;
            mConsumed += len + 1;
            ++mLine;
            return true;
        }
        if (avail > kMaxLine) break;
        if (!fill()) {
            if (failed()) return false;
            // The last line may lack its line break.
            if (mEnd > mStart) {
                out = std::string_view(mBuf.data() + mStart, mEnd - mStart);
                if (!out.empty() && out.back() == '\r') out.remove_suffix(1);
                mConsumed += mEnd - mStart;
                mStart = mEnd;
                ++mLine;
                return true;
            }
            return false;
        }
    }
    mError = "line " + std::to_string(mLine + 1) + " is longer than " + std::to_string(kMaxLine) + " bytes";
    return false;
}

bool DxfTokenizer::next(int& code, std::string_view& value, std::uint64_t& line)
{
    std::string_view codeText;
    if (!readLine(codeText)) return false;
    line = mLine;
    std::int64_t c = 0;
    if (!parseInt(codeText, c) || c < 0 || c > 1071) {
        std::string shown(codeText.substr(0, 40));
        mError = "line " + std::to_string(mLine) + ": a group code was expected, found \"" + shown + "\"";
        return false;
    }
    // The value must be read before the buffer moves: copy the code first.
    code = static_cast<int>(c);
    if (!readLine(value)) {
        if (!failed()) mError = "line " + std::to_string(mLine + 1) + ": the file ends inside group " + std::to_string(code);
        return false;
    }
    return true;
}

}  // namespace arx
