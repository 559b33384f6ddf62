#include "drawing_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>
#include <new>
#include <unordered_map>

#include "dwg_format.h"
#include "dwg_reader.h"
#include "dwg_writer.h"
#include "dxf_reader.h"
#include "dxf_writer.h"
#include "output_file.h"
#include "../core/generation.h"
#include "../core/hex.h"
#include "../core/numtext.h"
#include "../core/utf.h"
#include "../db/database_impl.h"
#include "../db/defaults.h"
#include "../db/object_access.h"
#include "dbdict.h"
#include "dbsymtb.h"

namespace arx {

namespace {

struct Fd {
    int fd = -1;
    ~Fd()
    {
        if (fd >= 0) ::close(fd);
    }
};

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

// Runs a read or a write. An exception from an object's own filing (or memory
// running out) ends it as a failure with a message, so that the caller can
// put back the drawing that was open.
template <class Step>
bool guarded(const char* what, std::string& error, Step step)
{
    try {
        return step();
    } catch (const std::bad_alloc&) {
        error = std::string(what) + " stopped: out of memory";
    } catch (const std::exception& e) {
        error = std::string(what) + " stopped: " + e.what();
    } catch (...) {
        error = std::string(what) + " stopped: an object's filing threw an exception";
    }
    return false;
}

}  // namespace


FileKind sniffFile(const std::string& path, std::string& detail)
{
    Fd f;
    f.fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (f.fd < 0) {
        detail = std::strerror(errno);
        return errno == ENOENT ? FileKind::kMissing : FileKind::kUnknown;
    }
    char head[256];
    ssize_t n = ::read(f.fd, head, sizeof head);
    if (n < 0) {
        detail = std::strerror(errno);
        return FileKind::kUnknown;
    }
    std::string_view b(head, static_cast<size_t>(n));
    if (b.empty()) return FileKind::kEmpty;
    if (b.size() >= 16 && std::memcmp(b.data(), dwgfile::kMagic, 16) == 0) return FileKind::kBinaryDrawing;
    if (b.substr(0, 18) == "AutoCAD Binary DXF") return FileKind::kBinaryDxf;
    if (b.size() >= 6 && b.substr(0, 4) == "AC10" && std::isdigit(static_cast<unsigned char>(b[4])) &&
        std::isdigit(static_cast<unsigned char>(b[5]))) {
        detail = std::string(b.substr(0, 6));
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

Acad::ErrorStatus readDrawing(AcDbDatabase* db, const ACHAR* path, DrawingFormat format)
{
    if (db == nullptr || path == nullptr) return Acad::eInvalidInput;
    std::string file = toUtf8(path);
    std::string detail;
    FileKind kind = sniffFile(file, detail);
    FileKind wanted = format == DrawingFormat::kDxf ? FileKind::kDxf : FileKind::kBinaryDrawing;
    if (kind != wanted) {
        std::string what = describe(kind);
        if (kind == FileKind::kForeignDwg) what += " (version " + detail + ")";
        if (kind == FileKind::kMissing || (kind == FileKind::kUnknown && !detail.empty()))
            what = detail.empty() ? "no such file" : detail;
        else if (kind == FileKind::kUnknown || kind == FileKind::kEmpty)
            what = "is " + what;
        else
            what = "is " + what + ", not " + describe(wanted);
        setLastFileError(file + ": " + what);
        return kind == FileKind::kMissing ? Acad::eFileNotFound : Acad::eUnsupportedFileFormat;
    }
    Fd f;
    f.fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (f.fd < 0) {
        setLastFileError(file + ": " + std::strerror(errno));
        return Acad::eFileAccessErr;
    }
    // The drawing is built aside; the database keeps its content until it is done.
    DatabaseImpl*& slot = DatabaseImpl::slot(db);
    DatabaseImpl* previous = slot;
    slot = new DatabaseImpl(db);
    std::string error;
    bool ok = guarded("reading", error, [&] {
        return format == DrawingFormat::kDxf ? readDxfFile(db, f.fd, error) : readDwgFile(db, f.fd, error);
    });
    // New objects need handles above everything the file named.
    if (ok && slot->handseed() > UINT64_MAX - (std::uint64_t(1) << 32)) {
        error = "its handles leave no room for new objects (handle seed " + hexHandle(slot->handseed()) + ")";
        ok = false;
    }
    if (!ok) {
        delete slot;
        slot = previous;
        setLastFileError(file + ": " + error);
        return format == DrawingFormat::kDxf ? Acad::eDxfReadAborted : Acad::eCorruptFile;
    }
    completeDrawing(db);
    slot->filename = fromUtf8(file);
    delete previous;
    return Acad::eOk;
}

Acad::ErrorStatus writeDrawing(AcDbDatabase* db, const ACHAR* path, DrawingFormat format, AcDb::AcDbDwgVersion version,
                               int precision)
{
    if (db == nullptr || path == nullptr) return Acad::eInvalidInput;
    if (version != AcDb::kDHL_1024 && version != AcDb::kDHL_1027) {
        setLastFileError(toUtf8(path) + ": the host writes drawing versions 29 and 31 only");
        return Acad::eInvalidDwgVersion;
    }
    std::string file = toUtf8(path);
    OutputFile out;
    std::string error;
    if (!out.open(file, error)) {
        setLastFileError(error);
        return Acad::eFileAccessErr;
    }
    bool ok = guarded("saving", error, [&] {
        return format == DrawingFormat::kDxf ? writeDxfFile(db, out, version, precision, error)
                                             : writeDwgFile(db, out, version, error);
    });
    if (ok) ok = out.commit(error);
    if (!ok) {
        setLastFileError(error.rfind(file, 0) == 0 ? error : file + ": " + error);
        return Acad::eFilerError;
    }
    return Acad::eOk;
}

Acad::ErrorStatus openDrawingByContent(AcDbDatabase* db, const std::wstring& path)
{
    std::string detail;
    FileKind kind = sniffFile(toUtf8(path), detail);
    return readDrawing(db, path.c_str(),
                            kind == FileKind::kDxf ? DrawingFormat::kDxf : DrawingFormat::kBinary);
}

Acad::ErrorStatus saveDrawingByName(AcDbDatabase* db, const std::wstring& path)
{
    std::wstring ext = upperAscii(std::filesystem::path(path).extension().wstring());
    if (ext == L".DXF") return writeDrawing(db, path.c_str(), DrawingFormat::kDxf, hostDwgVersion(), -1);
    if (ext == L".DWG") return writeDrawing(db, path.c_str(), DrawingFormat::kBinary, hostDwgVersion(), -1);
    setLastFileError(toUtf8(path) + ": the name must end in .dxf or .dwg");
    return Acad::eInvalidFileExtension;
}

}  // namespace arx
