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
    if (mIndexed > records.size() || (mIndexed > 0 && static_cast<AcDbStub*>(records[mIndexed - 1]) != mLastIndexed))
        forget();
    while (mIndexed < records.size()) {
        AcDbStub* s = records[mIndexed];
        const unsigned forgets = mForgets;
        // Naming a record may read it, and reading it renames it.
        std::wstring name = foldName(symbolName(s, L""));
        if (mForgets != forgets) continue;  // emptied meanwhile: start over
        mByName[std::move(name)].push_back(s);
        mLastIndexed = s;
        ++mIndexed;
    }
}

void SymbolNameIndex::forget()
{
    mLastFound = nullptr;
    mByName.clear();
    mIndexed = 0;
    mLastIndexed = nullptr;
    ++mForgets;
}

AcDbStub* SymbolNameIndex::find(const std::vector<AcDbObjectId>& records, const wchar_t* name, bool includeErased)
{
    catchUp(records);
    // Entities read from a file name the same few layers over and over.
    if (mLastFound != nullptr && mLastName == name && (includeErased || (mLastFound->flags & AcDbStub::kErased) == 0))
        return mLastFound;
    auto it = mByName.find(foldName(name));
    if (it == mByName.end()) return nullptr;
    for (AcDbStub* s : it->second)
        if (includeErased || (s->flags & AcDbStub::kErased) == 0) {
            // Only the first record of a name is remembered, so that a lookup
            // that counts erased records does not answer one that does not.
            if (s == it->second.front()) {
                mLastName = name;
                mLastFound = s;
            }
            return s;
        }
    return nullptr;
}

void forgetSymbolNames(AcDbSymbolTableRecord* record)
{
    AcDbStub* owner = ObjectAccess::owner(record);
    if (owner == nullptr) return;
    if (auto* table = AcDbSymbolTable::cast(owner->object))
        if (const auto& index = ObjectAccess::nameIndex(table)) index->forget();
}

}  // namespace arx
