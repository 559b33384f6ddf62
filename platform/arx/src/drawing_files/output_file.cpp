#include "output_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace arx {

namespace {
constexpr size_t kFlushAt = 8u << 20;
}

OutputFile::~OutputFile()
{
    if (mFd >= 0) {
        ::close(mFd);
        ::unlink(mTemp.c_str());
    }
}

bool OutputFile::open(const std::string& path, std::string& error)
{
    mPath = path;
    mTemp = path + ".saving-" + std::to_string(::getpid());
    mFd = ::open(mTemp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (mFd < 0) {
        error = path + ": cannot write: " + std::strerror(errno);
        return false;
    }
    mBuffer.reserve(kFlushAt + (1u << 20));
    return true;
}

bool OutputFile::flush(bool force)
{
    if (!force && mBuffer.size() < kFlushAt) return true;
    const char* p = mBuffer.data();
    size_t left = mBuffer.size();
    while (left > 0) {
        ssize_t n = ::write(mFd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            mError = mPath + ": write failed: " + std::strerror(errno);
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    mWritten += mBuffer.size();
    mBuffer.clear();
    return true;
}

bool OutputFile::writeAt(std::uint64_t offset, const void* data, size_t len)
{
    if (::pwrite(mFd, data, len, static_cast<off_t>(offset)) != static_cast<ssize_t>(len)) {
        mError = mPath + ": write failed: " + std::strerror(errno);
        return false;
    }
    return true;
}

bool OutputFile::commit(std::string& error)
{
    if (!flush(true)) {
        error = mError;
        return false;
    }
    if (::close(mFd) != 0) {
        mFd = -1;
        ::unlink(mTemp.c_str());
        error = mPath + ": write failed: " + std::strerror(errno);
        return false;
    }
    mFd = -1;
    if (::rename(mTemp.c_str(), mPath.c_str()) != 0) {
        error = mPath + ": cannot replace the file: " + std::strerror(errno);
        ::unlink(mTemp.c_str());
        return false;
    }
    return true;
}

}  // namespace arx
