// Extended data kept as DXF groups, one group per application: read out as a
// result buffer chain, merged with a new chain by application (an application
// given alone removes its group), and checked against the registered
// applications and the size limit.
#include "xdata.h"

#include <vector>

#include "dbsymtb.h"
#include "../core/tags.h"
#include "../core/utf.h"
#include "../filers/dxf_values.h"

namespace arx {
namespace {

struct AppGroup {
    std::wstring name;
    std::string tags;  // including the 1001 group
};

std::vector<AppGroup> splitGroups(const std::string& store)
{
    std::vector<AppGroup> groups;
    TagCursor c(store);
    Tag t;
    while (c.next(t)) {
        if (t.code == 1001 || groups.empty()) groups.push_back(AppGroup{t.code == 1001 ? fromUtf8(t.value) : L"", {}});
        addTag(groups.back().tags, t.code, t.kind, t.value);
    }
    return groups;
}

bool isRegistered(AcDbDatabase* db, const std::wstring& app)
{
    if (db == nullptr) return true;
    AcDbRegAppTable* table = nullptr;
    if (db->getRegAppTable(table, AcDb::kForRead) != Acad::eOk) return false;
    bool has = table->has(app.c_str());
    table->close();
    return has;
}

}  // namespace

resbuf* xdataToResbuf(const std::string& store, const ACHAR* regappName, AcDbDatabase* db)
{
    if (regappName == nullptr) return tagsToResbufChain(store, db);
    for (const AppGroup& g : splitGroups(store))
        if (equalsNoCase(g.name, regappName)) return tagsToResbufChain(g.tags, db);
    return nullptr;
}

Acad::ErrorStatus mergeXdata(const std::string& existing, const resbuf* xdata, AcDbDatabase* db, std::string& out)
{
    std::vector<AppGroup> incoming;
    for (const resbuf* rb = xdata; rb != nullptr; rb = rb->rbnext) {
        if (rb->restype < 1000 || rb->restype > 1071) return Acad::eInvalidInput;
        if (rb->restype == 1001) {
            std::wstring name = rb->resval.rstring != nullptr ? rb->resval.rstring : L"";
            if (name.empty()) return Acad::eInvalidInput;
            if (!isRegistered(db, name)) return Acad::eRegappIdNotFound;
            incoming.push_back(AppGroup{name, {}});
        } else if (incoming.empty()) {
            return Acad::eInvalidInput;  // data before any application name
        }
        if (!appendResbufAsTags(incoming.back().tags, rb)) return Acad::eInvalidResBuf;
    }
    std::vector<AppGroup> groups = splitGroups(existing);
    for (AppGroup& in : incoming) {
        bool removeOnly = countTags(in.tags) == 1;
        auto it = groups.begin();
        for (; it != groups.end(); ++it)
            if (equalsNoCase(it->name, in.name)) break;
        if (it != groups.end()) {
            if (removeOnly)
                groups.erase(it);
            else
                it->tags = std::move(in.tags);
        } else if (!removeOnly) {
            groups.push_back(std::move(in));
        }
    }
    out.clear();
    for (const AppGroup& g : groups) out += g.tags;
    // The limit counts the values, not the store's own framing.
    size_t payload = 0;
    TagCursor c(out);
    Tag t;
    while (c.next(t)) payload += t.value.size() + 2;
    if (payload > kMaxXdataBytes) return Acad::eXdataSizeExceeded;
    return Acad::eOk;
}

}  // namespace arx
