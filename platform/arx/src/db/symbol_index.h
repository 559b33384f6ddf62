// A symbol table's records by name, so that finding a layer or linetype by name
// does not walk the whole table: a drawing that names many layers would
// otherwise take time growing with the square of their number.
#pragma once
#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "dbsymtb.h"

namespace arx {

class SymbolNameIndex {
public:
    // The first record in the table's order whose name equals name without
    // regard to case; erased records count only when includeErased.
    AcDbStub* find(const std::vector<AcDbObjectId>& records, const wchar_t* name, bool includeErased);
    // Empties the index: a record's name may have changed. Safe while the
    // index is catching up (a record read on demand renames itself).
    void forget();

private:
    // Takes in the records added since the last lookup; starts over when the
    // list no longer begins with what was taken in.
    void catchUp(const std::vector<AcDbObjectId>& records);

    std::unordered_map<std::wstring, std::vector<AcDbStub*>> mByName;  // folded name -> records in table order
    size_t mIndexed = 0;
    AcDbStub* mLastIndexed = nullptr;
    unsigned mForgets = 0;
    // The last name found, compared as given (not folded): the common case of
    // the same name asked for again costs no allocation.
    std::wstring mLastName;
    AcDbStub* mLastFound = nullptr;
};

// Forgets the name index of the table that owns record, whose name may have
// changed. A table not in memory has no index to forget.
void forgetSymbolNames(AcDbSymbolTableRecord* record);

}  // namespace arx
