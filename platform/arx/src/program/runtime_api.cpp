// The host program's view of the runtime: the generation played, drawings
// opened by content and saved by extension, and an inventory of a drawing.
#include "arxhost/runtime.h"

#include <algorithm>
#include <filesystem>
#include <map>

#include "../drawing_files/drawing_files.h"
#include "../core/utf.h"
#include "../db/database_impl.h"
#include "../core/generation.h"
#include "../db/defaults.h"
#include "../db/proxy.h"

namespace arxhost {

void setGeneration(int year) { arx::setHostGeneration(year); }
int generation() { return arx::hostGeneration(); }
const std::string& lastError() { return arx::lastFileError(); }
void addSupportPath(const std::wstring& dir) { arx::supportPaths().push_back(dir); }

Acad::ErrorStatus openDrawing(AcDbDatabase* db, const std::wstring& path) { return arx::openDrawingByContent(db, path); }
Acad::ErrorStatus saveDrawing(AcDbDatabase* db, const std::wstring& path) { return arx::saveDrawingByName(db, path); }

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
