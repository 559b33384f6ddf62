// Writing a file whole or not at all; see output_file.h.
#include "output_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
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

// The file a save really replaces: a symbolic link is followed to what it
// names (however many links deep, up to the system's limit), so the link stays
// and its target gets the drawing.
static bool resolveTarget(const std::string& path, std::string& target, std::string& error)
{
    target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
        std::string link(4096, '\0');
        ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
        if (n < 0 || static_cast<size_t>(n) >= link.size()) {
            error = path + ": cannot follow the link: " + std::strerror(n < 0 ? errno : ENAMETOOLONG);
            return false;
        }
        link.resize(static_cast<size_t>(n));
        if (link.front() != '/') {
            size_t slash = target.rfind('/');
            link = (slash == std::string::npos ? std::string() : target.substr(0, slash + 1)) + link;
        }
        target = link;
    }
    error = path + ": cannot follow the link: " + std::strerror(ELOOP);
    return false;
}

bool OutputFile::open(const std::string& path, std::string& error)
{
    if (!resolveTarget(path, mPath, error)) return false;
    // The temporary file sits beside the target under a short name of its own,
    // so a target whose name is as long as names may be can still be saved.
    size_t slash = mPath.rfind('/');
    mTemp = (slash == std::string::npos ? std::string() : mPath.substr(0, slash + 1)) + ".arxsave-XXXXXX";
    mFd = ::mkstemp(mTemp.data());
    if (mFd < 0) {
        error = path + ": cannot write: " + std::strerror(errno);
        return false;
    }
    ::fcntl(mFd, F_SETFD, FD_CLOEXEC);
    // The drawing keeps the mode (and, where allowed, the owner) of the file it
    // replaces; a new file gets what the umask leaves of read and write for all.
    struct stat st {};
    if (::stat(mPath.c_str(), &st) == 0) {
        if (::fchown(mFd, st.st_uid, st.st_gid) != 0) {
            // Only the owner's and group's own ids can be given; keep ours.
        }
        ::fchmod(mFd, st.st_mode & 07777);
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(mFd, 0666 & ~mask);
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
