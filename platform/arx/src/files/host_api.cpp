// The host program's view of the runtime.
#include "arxhost/host_api.h"

#include <algorithm>
#include <filesystem>
#include <map>

#include "drawing_files.h"
#include "../core/utf.h"
#include "../db/database_impl.h"
#include "../db/host_state.h"
#include "../db/proxy.h"

namespace arx {
std::vector<std::wstring>& supportPaths();
}

namespace arxhost {

void setGeneration(int year) { arx::setHostGeneration(year); }
int generation() { return arx::hostGeneration(); }
const std::string& lastError() { return arx::lastFileError(); }
void addSupportPath(const std::wstring& dir) { arx::supportPaths().push_back(dir); }

Acad::ErrorStatus openDrawing(AcDbDatabase* db, const std::wstring& path)
{
    std::string detail;
    arx::FileKind kind = arx::sniffFile(arx::toUtf8(path), detail);
    return arx::readDrawing(db, path.c_str(),
                            kind == arx::FileKind::kDxf ? arx::DrawingFormat::kDxf : arx::DrawingFormat::kBinary);
}

Acad::ErrorStatus saveDrawing(AcDbDatabase* db, const std::wstring& path)
{
    std::wstring ext = arx::upperAscii(std::filesystem::path(path).extension().wstring());
    if (ext == L".DXF") return arx::writeDrawing(db, path.c_str(), arx::DrawingFormat::kDxf, arx::hostDwgVersion(), -1);
    if (ext == L".DWG") return arx::writeDrawing(db, path.c_str(), arx::DrawingFormat::kBinary, arx::hostDwgVersion(), -1);
    arx::setLastFileError(arx::toUtf8(path) + ": the name must end in .dxf or .dwg");
    return Acad::eInvalidFileExtension;
}

std::vector<ClassCount> countObjects(AcDbDatabase* db)
{
    std::map<std::pair<std::wstring, bool>, size_t> counts;
    arx::implOf(db)->forEachStub([&](AcDbStub* s) {
        if (s->object == nullptr || (s->flags & AcDbStub::kErased) != 0) return;
        if (arx::ProxyData* d = arx::proxyData(s->object))
            ++counts[{d->cls.className.empty() ? d->cls.dxfName : d->cls.className, true}];
        else
            ++counts[{s->object->isA()->name(), false}];
    });
    std::vector<ClassCount> out;
    for (const auto& [key, n] : counts) out.push_back(ClassCount{key.first, n, key.second});
    std::stable_sort(out.begin(), out.end(), [](const ClassCount& a, const ClassCount& b) { return a.count > b.count; });
    return out;
}

}  // namespace arxhost
