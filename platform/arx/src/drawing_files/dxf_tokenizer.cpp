#include "dxf_tokenizer.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "../core/numtext.h"

namespace arx {

namespace {

// The first line break in [p, p + n), or null. DXF lines are short: the first
// 32 bytes are looked at 16 at a time before memchr takes over for long lines.
const char* findLineEnd(const char* p, size_t n)
{
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i newline = _mm_set1_epi8('\n');
    for (; i + 16 <= n && i < 32; i += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, newline)));
        if (mask != 0) return p + i + static_cast<size_t>(__builtin_ctz(mask));
    }
#endif
    for (const size_t head = n < 32 ? n : 32; i < head; ++i)
        if (p[i] == '\n') return p + i;
    return i < n ? static_cast<const char*>(std::memchr(p + i, '\n', n - i)) : nullptr;
}

// Small enough to stay in the processor's cache; a longer line grows the buffer.
constexpr size_t kBlock = 256u << 10;
}

DxfTokenizer::DxfTokenizer(int fd) : mFd(fd)
{
    // A small file gets a buffer its size; a large one is read in blocks.
    struct stat st {};
    size_t size = kBlock;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && static_cast<std::uint64_t>(st.st_size) < kBlock)
        size = std::max<size_t>(static_cast<size_t>(st.st_size) + 1, 4096);
    mBuf.reset(new char[size]);
    mCapacity = size;
}

bool DxfTokenizer::fill()
{
    if (mEof) return false;
    // Keep the unread part and read more after it.
    if (mStart > 0) {
        std::memmove(mBuf.get(), mBuf.get() + mStart, mEnd - mStart);
        mEnd -= mStart;
        mStart = 0;
    }
    if (mEnd == mCapacity) {
        // A line longer than the buffer: grow it, up to the longest line allowed.
        if (mCapacity >= kMaxLine + kBlock) return false;
        size_t grown = std::min(mCapacity * 2, kMaxLine + kBlock);
        std::unique_ptr<char[]> bigger(new char[grown]);
        std::memcpy(bigger.get(), mBuf.get(), mEnd);
        mBuf = std::move(bigger);
        mCapacity = grown;
    }
    for (;;) {
        ssize_t n = ::read(mFd, mBuf.get() + mEnd, mCapacity - mEnd);
        if (n < 0) {
            if (errno == EINTR) continue;
            mError = {FilePlace::nowhere(), std::string("read failed: ") + std::strerror(errno)};
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
        const char* base = mBuf.get() + mStart;
        size_t avail = mEnd - mStart;
        const char* nl = findLineEnd(base, avail);
        if (nl != nullptr) {
            size_t len = static_cast<size_t>(nl - base);
            if (len > kMaxLine) break;
            out = std::string_view(base, len);
            while (!out.empty() && out.back() == '\r') out.remove_suffix(1);
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
                out = std::string_view(mBuf.get() + mStart, mEnd - mStart);
                while (!out.empty() && out.back() == '\r') out.remove_suffix(1);
                mConsumed += mEnd - mStart;
                mStart = mEnd;
                ++mLine;
                return true;
            }
            return false;
        }
    }
    mError = {FilePlace::line(mLine + 1), "the line is longer than " + std::to_string(kMaxLine) + " bytes"};
    return false;
}

bool DxfTokenizer::next(int& code, std::string_view& value, std::uint64_t& line)
{
    std::string_view codeText;
    if (!readLine(codeText)) return false;
    line = mLine;
    // Group codes are written as up to four digits after padding spaces.
    std::int64_t c = 0;
    size_t i = 0;
    while (i < codeText.size() && codeText[i] == ' ') ++i;
    size_t digits = 0;
    for (; i < codeText.size() && codeText[i] >= '0' && codeText[i] <= '9' && digits < 5; ++i, ++digits)
        c = c * 10 + (codeText[i] - '0');
    bool plain = digits > 0 && i == codeText.size();
    if ((!plain && !parseInt(codeText, c)) || c < 0 || c > 1071) {
        std::string shown(codeText.substr(0, 40));
        mError = {FilePlace::line(mLine), "a group code was expected, found \"" + shown + "\""};
        return false;
    }
    // The value must be read before the buffer moves: copy the code first.
    code = static_cast<int>(c);
    if (!readLine(value)) {
        if (!failed()) mError = {FilePlace::line(mLine + 1), "the file ends inside group " + std::to_string(code)};
        return false;
    }
    return true;
}

}  // namespace arx
