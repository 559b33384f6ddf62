// Opening a drawing to read, once; see input_file.h.
#include "input_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <memory>
#include <string_view>

#include "dwg_format.h"
#include "../core/numtext.h"

namespace arx {

const char* describe(FileKind kind)
{
    switch (kind) {
    case FileKind::kBinaryDrawing: return "a binary drawing";
    case FileKind::kDxf: return "a DXF file";
    case FileKind::kBinaryDxf: return "a binary DXF file, which this host does not read (save it as ASCII DXF)";
    case FileKind::kForeignDwg: return "a drawing file of another program, which this host does not read";
    case FileKind::kEmpty: return "empty";
    case FileKind::kMissing: return "missing";
    case FileKind::kUnknown: return "neither a DXF file nor a binary drawing";
    }
    return "unknown";
}

InputFile::~InputFile()
{
    if (mFd >= 0) ::close(mFd);
}

bool InputFile::open(const std::string& path)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        mDetail = std::strerror(errno);
        mKind = errno == ENOENT ? FileKind::kMissing : FileKind::kUnknown;
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        mDetail = std::strerror(errno);
        ::close(fd);
        return false;
    }
    if (S_ISDIR(st.st_mode)) {
        mDetail = "a folder, not a file";
        ::close(fd);
        return false;
    }
    if (S_ISREG(st.st_mode)) {
        mFd = fd;
    } else {
        bool ok = takeStream(fd);
        ::close(fd);
        if (!ok) return false;
    }
    mKind = sniff();
    return true;
}

bool InputFile::takeStream(int source)
{
    int memory = ::memfd_create("drawing", MFD_CLOEXEC);
    if (memory < 0) {
        mDetail = std::string("cannot hold the input: ") + std::strerror(errno);
        return false;
    }
    const size_t kBlock = 1 << 20;
    std::unique_ptr<char[]> block(new char[kBlock]);
    std::uint64_t total = 0;
    for (;;) {
        ssize_t n = ::read(source, block.get(), kBlock);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            mDetail = std::string("read failed: ") + std::strerror(errno);
            ::close(memory);
            return false;
        }
        if (n == 0) break;
        total += static_cast<std::uint64_t>(n);
        if (total > kMaxStreamedBytes) {
            mDetail = "more than " + std::to_string(kMaxStreamedBytes >> 30) +
                      " GiB arrived through a pipe; save the drawing to a file and open that";
            ::close(memory);
            return false;
        }
        for (ssize_t done = 0; done < n;) {
            ssize_t w = ::write(memory, block.get() + done, static_cast<size_t>(n - done));
            if (w < 0 && errno == EINTR) continue;
            if (w < 0) {
                mDetail = std::string("cannot hold the input: ") + std::strerror(errno);
                ::close(memory);
                return false;
            }
            done += w;
        }
    }
    ::lseek(memory, 0, SEEK_SET);
    mFd = memory;
    return true;
}

FileKind InputFile::sniff()
{
    char head[256];
    ssize_t n;
    do n = ::pread(mFd, head, sizeof head, 0);
    while (n < 0 && errno == EINTR);
    if (n < 0) {
        mDetail = std::strerror(errno);
        return FileKind::kUnknown;
    }
    std::string_view b(head, static_cast<size_t>(n));
    if (b.empty()) return FileKind::kEmpty;
    if (b.size() >= 16 && std::memcmp(b.data(), dwgfile::kMagic, 16) == 0) return FileKind::kBinaryDrawing;
    // Binary DXF opens with a 22-byte sentinel: a 7-letter program name, then
    // " Binary DXF", CR LF, SUB and NUL.
    if (b.size() >= 21 && b.substr(7, 14) == " Binary DXF\r\n\x1a") return FileKind::kBinaryDxf;
    if (b.size() >= 6 && b.substr(0, 4) == "AC10" && std::isdigit(static_cast<unsigned char>(b[4])) &&
        std::isdigit(static_cast<unsigned char>(b[5]))) {
        mDetail = std::string(b.substr(0, 6));
        return FileKind::kForeignDwg;
    }
    if (b.substr(0, 3) == "\xEF\xBB\xBF") b.remove_prefix(3);
    // DXF starts with a group code line: 0 (SECTION) or 999 (a comment).
    size_t nl = b.find('\n');
    std::int64_t code = -1;
    if (nl != std::string_view::npos && parseInt(b.substr(0, nl), code) && (code == 0 || code == 999)) {
        if (code == 999) return FileKind::kDxf;
        size_t nl2 = b.find('\n', nl + 1);
        std::string_view second = trimSpaces(b.substr(nl + 1, nl2 == std::string_view::npos ? std::string_view::npos : nl2 - nl - 1));
        if (second == "SECTION") return FileKind::kDxf;
    }
    return FileKind::kUnknown;
}

}  // namespace arx
