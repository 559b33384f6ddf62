// The symbol name index: names folded as equalsNoCase folds them, records added
// to the index as the table grows, and a rename that makes the table forget it.
#include "symbol_index.h"

#include "object_access.h"
#include "stub.h"
#include "symbols.h"
#include "../core/utf.h"

namespace arx {
namespace {

// Names compare with ASCII letters folded, as equalsNoCase does.
std::wstring foldName(std::wstring_view name)
{
    std::wstring folded(name);
    for (wchar_t& c : folded)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - 32);
    return folded;
}

}  // namespace

void SymbolNameIndex::catchUp(const std::vector<AcDbObjectId>& records)
{
    if (mIndexed > records.size() || (mIndexed > 0 && static_cast<AcDbStub*>(records[mIndexed - 1]) != mLastIndexed)) {
        mByName.clear();
        mIndexed = 0;
        mLastIndexed = nullptr;
    }
    for (; mIndexed < records.size(); ++mIndexed) {
        AcDbStub* s = records[mIndexed];
        mByName[foldName(symbolName(s, L""))].push_back(s);
        mLastIndexed = s;
    }
}

AcDbStub* SymbolNameIndex::find(const std::vector<AcDbObjectId>& records, const wchar_t* name, bool includeErased)
{
    catchUp(records);
    auto it = mByName.find(foldName(name));
    if (it == mByName.end()) return nullptr;
    for (AcDbStub* s : it->second)
        if (includeErased || (s->flags & AcDbStub::kErased) == 0) return s;
    return nullptr;
}

void forgetSymbolNames(AcDbSymbolTableRecord* record)
{
    AcDbStub* owner = ObjectAccess::owner(record);
    if (owner == nullptr) return;
    if (auto* table = AcDbSymbolTable::cast(owner->object)) ObjectAccess::nameIndex(table).reset();
}

}  // namespace arx
