// Opening and saving whole drawings: the input opened once and judged by its
// content, the drawing read aside and swapped in only when whole, writes through
// a temporary file, and every exception from an object's filing turned into a
// failure with a message.
#include "drawing_files.h"

#include <fcntl.h>
#include <unistd.h>

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
#include "input_file.h"
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


// Reads a drawing of the format wanted, or (wanted null) of whichever format
// the input holds. The input is opened and read once.
static Acad::ErrorStatus readInput(AcDbDatabase* db, const ACHAR* path, const DrawingFormat* wanted)
{
    if (db == nullptr || path == nullptr) return Acad::eInvalidInput;
    std::string file = toUtf8(path);
    InputFile input;
    if (!input.open(file)) {
        setLastFileError(file + ": " + (input.detail().empty() ? "no such file" : input.detail()));
        return input.kind() == FileKind::kMissing ? Acad::eFileNotFound : Acad::eFileAccessErr;
    }
    FileKind kind = input.kind();
    DrawingFormat format = wanted != nullptr ? *wanted
                           : kind == FileKind::kDxf ? DrawingFormat::kDxf
                                                    : DrawingFormat::kBinary;
    FileKind expected = format == DrawingFormat::kDxf ? FileKind::kDxf : FileKind::kBinaryDrawing;
    if (kind != expected) {
        std::string what = describe(kind);
        if (kind == FileKind::kForeignDwg) what += " (version " + input.detail() + ")";
        if (kind == FileKind::kUnknown && !input.detail().empty())
            what = input.detail();
        else if (kind == FileKind::kUnknown || kind == FileKind::kEmpty || wanted == nullptr)
            what = "is " + what;
        else
            what = "is " + what + ", not " + describe(expected);
        setLastFileError(file + ": " + what);
        return Acad::eUnsupportedFileFormat;
    }
    // The drawing is built aside; the database keeps its content until it is done.
    DatabaseImpl*& slot = DatabaseImpl::slot(db);
    DatabaseImpl* previous = slot;
    slot = new DatabaseImpl(db);
    std::string error;
    bool ok = guarded("reading", error, [&] {
        return format == DrawingFormat::kDxf ? readDxfFile(db, input.fd(), error) : readDwgFile(db, input.fd(), error);
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

Acad::ErrorStatus readDrawing(AcDbDatabase* db, const ACHAR* path, DrawingFormat format)
{
    return readInput(db, path, &format);
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
    return readInput(db, path.c_str(), nullptr);
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
