// Group values as text: result buffers to and from kept tag stores, and whether
// a store can be written back as DXF as it stands.
#pragma once
#include <string>
#include <string_view>

#include "adsdef.h"
#include "dbid.h"
#include "../core/group_codes.h"

namespace arx {

// Appends a result buffer as DXF groups to a tag store. Ids are written as
// their handles. Fails for a type that has no DXF form.
bool appendResbufAsTags(std::string& tags, const resbuf* rb);
// Where a tag store from a binary file will be written in DXF, which decides the
// group codes it may hold.
enum class TagPlace {
    kObject,          // groups a known class keeps: read back through the DXF filer
    kObjectHeader,    // the same, of the object's header, where 102 groups pair up
    kRawObject,       // groups kept as they stand (xrecord values): no 0 group
    kProxy,           // a proxy's groups: kept as they stand after the object's
                      // header, whose reader sees the first of them
    kExtendedData,    // 1000-1071 only, starting with a 1001 application name
    kHeaderVariable,  // the value of a header variable: no 0 or 9 group
    kSection,         // whole records of a kept section
};
// The most bytes one binary group may hold, as other programs' readers take them.
constexpr size_t kMaxBinaryGroupBytes = 32767;
// Whether every group of a store would be read back as it is when written in
// DXF: a code the reader accepts, a value of the code's type that stays on its
// line. why says what is wrong when it is not.
bool isWritableTagStore(std::string_view store, TagPlace place, std::string& why);

// Builds a chain from a tag store; id groups are resolved in db (reserving ids
// for handles that name nothing). Returns null for an empty store.
resbuf* tagsToResbufChain(std::string_view tags, AcDbDatabase* db);

}  // namespace arx
