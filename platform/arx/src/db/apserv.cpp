// The host's services to databases: the working database and file lookup.
#include <filesystem>
#include <vector>

#include "dbapserv.h"
#include "database_impl.h"
#include "../core/utf.h"

namespace {
AcDbDatabase* gWorking = nullptr;
}

namespace arx {
// Folders searched for support files (linetype files and the like), in order.
std::vector<std::wstring>& supportPaths()
{
    static std::vector<std::wstring> paths;
    return paths;
}
// A database going away stops being the working one.
void forgetWorkingDatabase(AcDbDatabase* db)
{
    if (gWorking == db) gWorking = nullptr;
}
}  // namespace arx

AcDbHostApplicationServices::~AcDbHostApplicationServices() = default;
AcDbDatabase* AcDbHostApplicationServices::workingDatabase() const { return gWorking; }
void AcDbHostApplicationServices::setWorkingDatabase(AcDbDatabase* db) { gWorking = db; }

Acad::ErrorStatus AcDbHostApplicationServices::findFile(ACHAR* fileFound, int nBufferLength, const ACHAR* fileName,
                                                        AcDbDatabase* db)
{
    namespace fs = std::filesystem;
    if (fileName == nullptr || fileFound == nullptr || nBufferLength <= 0) return Acad::eInvalidInput;
    std::vector<fs::path> candidates;
    fs::path name(arx::toUtf8(fileName));
    candidates.push_back(name);
    if (db != nullptr) {
        const ACHAR* dwg = nullptr;
        if (db->getFilename(dwg) == Acad::eOk && dwg != nullptr && *dwg != 0)
            candidates.push_back(fs::path(arx::toUtf8(dwg)).parent_path() / name.filename());
    }
    for (const auto& dir : arx::supportPaths()) candidates.push_back(fs::path(arx::toUtf8(dir)) / name.filename());
    for (const auto& c : candidates) {
        std::error_code ec;
        if (fs::is_regular_file(c, ec)) {
            std::wstring found = arx::fromUtf8(c.string());
            if (found.size() + 1 > static_cast<size_t>(nBufferLength)) return Acad::eBufferTooSmall;
            std::copy(found.begin(), found.end(), fileFound);
            fileFound[found.size()] = 0;
            return Acad::eOk;
        }
    }
    return Acad::eFileNotFound;
}

AcDbHostApplicationServices* acdbHostApplicationServices()
{
    static AcDbHostApplicationServices services;
    return &services;
}
