// What kind of value each DXF group code carries, and what a result buffer
// owns by that kind. Points are three groups in a file (x at code c, y at c + 10,
// z at c + 20) and one value in a result buffer.
#pragma once
#include <string_view>

#include "adsdef.h"

namespace arx {

enum class DxfValueType { kString, kPoint, kDouble, kInt16, kInt32, kInt64, kBool, kBinary, kHandle, kObjectId, kInvalid };

// A constant expression, so that a table of group codes is checked when it is compiled.
constexpr DxfValueType dxfValueType(int code)
{
    if (code < 0) return DxfValueType::kInvalid;
    if (code <= 9) return DxfValueType::kString;
    if (code <= 18) return DxfValueType::kPoint;
    if (code <= 59) return DxfValueType::kDouble;
    if (code <= 79) return DxfValueType::kInt16;
    if (code <= 89) return DxfValueType::kInvalid;
    if (code <= 99) return DxfValueType::kInt32;
    if (code == 100 || code == 101 || code == 102) return DxfValueType::kString;
    if (code == 105) return DxfValueType::kHandle;
    if (code >= 110 && code <= 112) return DxfValueType::kPoint;
    if (code >= 113 && code <= 149) return DxfValueType::kDouble;
    if (code >= 160 && code <= 169) return DxfValueType::kInt64;
    if (code >= 170 && code <= 179) return DxfValueType::kInt16;
    if (code == 210) return DxfValueType::kPoint;
    if (code >= 211 && code <= 239) return DxfValueType::kDouble;
    if (code >= 270 && code <= 289) return DxfValueType::kInt16;
    if (code >= 290 && code <= 299) return DxfValueType::kBool;
    if (code >= 300 && code <= 309) return DxfValueType::kString;
    if (code >= 310 && code <= 319) return DxfValueType::kBinary;
    if (code >= 320 && code <= 329) return DxfValueType::kHandle;
    if (code >= 330 && code <= 369) return DxfValueType::kObjectId;
    if (code >= 370 && code <= 389) return DxfValueType::kInt16;
    if (code >= 390 && code <= 399) return DxfValueType::kObjectId;
    if (code >= 400 && code <= 409) return DxfValueType::kInt16;
    if (code >= 410 && code <= 419) return DxfValueType::kString;
    if (code >= 420 && code <= 429) return DxfValueType::kInt32;
    if (code >= 430 && code <= 439) return DxfValueType::kString;
    if (code >= 440 && code <= 459) return DxfValueType::kInt32;
    if (code >= 460 && code <= 469) return DxfValueType::kDouble;
    if (code >= 470 && code <= 479) return DxfValueType::kString;
    if (code >= 480 && code <= 481) return DxfValueType::kObjectId;
    if (code == 999) return DxfValueType::kString;
    if (code >= 1000 && code <= 1003) return DxfValueType::kString;
    if (code == 1004) return DxfValueType::kBinary;
    if (code == 1005) return DxfValueType::kHandle;
    if (code >= 1006 && code <= 1009) return DxfValueType::kString;
    if (code >= 1010 && code <= 1013) return DxfValueType::kPoint;
    if (code >= 1014 && code <= 1059) return DxfValueType::kDouble;
    if (code >= 1060 && code <= 1070) return DxfValueType::kInt16;
    if (code == 1071) return DxfValueType::kInt32;
    return DxfValueType::kInvalid;
}

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
