// What kind of value each DXF group code carries, and the conversion between
// groups kept as text and result buffers. Points are three groups in a file (x at
// code c, y at c + 10, z at c + 20) and one value in a result buffer.
#pragma once
#include <string>
#include <string_view>

#include "adsdef.h"
#include "dbid.h"

namespace arx {

enum class DxfValueType { kString, kPoint, kDouble, kInt16, kInt32, kInt64, kBool, kBinary, kHandle, kObjectId, kInvalid };

DxfValueType dxfValueType(int code);
// The x code of a point group (10..18, 110..112, 210, 1010..1013); y and z follow.
inline bool isPointCode(int code) { return dxfValueType(code) == DxfValueType::kPoint; }
inline bool isBinaryCode(int code) { return (code >= 310 && code <= 319) || code == 1004; }

// Frees what a result buffer owns (its text or binary chunk), by its type.
void freeResbufValue(resbuf* rb);
// Copies a result buffer's value (deep) into a new buffer of the same type.
resbuf* copyResbuf(const resbuf* rb);

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
