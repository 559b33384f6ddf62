// What kind of value each DXF group code carries, and what a result buffer
// owns by that kind. Points are three groups in a file (x at code c, y at c + 10,
// z at c + 20) and one value in a result buffer.
#pragma once
#include <string_view>

#include "adsdef.h"

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

// A wide string in host-allocated memory (released with acutDelBuffer).
ACHAR* newWideString(std::wstring_view text);

}  // namespace arx
