// The kind of value each DXF group code (and each result buffer type) carries,
// and what a result buffer owns by its kind: the one place that knows which
// buffers hold a text, a binary chunk or a plain value.
#include "group_codes.h"

#include <cstring>

#include "acutads.h"
#include "adscodes.h"

namespace arx {

DxfValueType dxfValueType(int code)
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

// The value kind of a result buffer: its DXF code's kind, or that of its RT type.
static DxfValueType resbufType(int restype)
{
    switch (restype) {
    case RTSTR: return DxfValueType::kString;
    case RTREAL:
    case RTANG: return DxfValueType::kDouble;
    case RTPOINT:
    case RT3DPOINT: return DxfValueType::kPoint;
    case RTSHORT: return DxfValueType::kInt16;
    case RTLONG: return DxfValueType::kInt32;
    case RTINT64: return DxfValueType::kInt64;
    case RTENAME: return DxfValueType::kObjectId;
    case RTDXF0: return DxfValueType::kString;
    default: break;
    }
    if (restype >= 5000) return DxfValueType::kInvalid;
    return dxfValueType(restype);
}

void freeResbufValue(resbuf* rb)
{
    switch (resbufType(rb->restype)) {
    case DxfValueType::kString:
    case DxfValueType::kHandle:
        acutDelString(rb->resval.rstring);
        break;
    case DxfValueType::kBinary:
        acutDelBuffer(rb->resval.rbinary.buf);
        break;
    default: break;
    }
}

ACHAR* newWideString(std::wstring_view text)
{
    auto* s = static_cast<ACHAR*>(acutNewBuffer((text.size() + 1) * sizeof(ACHAR)));
    std::memcpy(s, text.data(), text.size() * sizeof(ACHAR));
    s[text.size()] = 0;
    return s;
}

resbuf* copyResbuf(const resbuf* rb)
{
    resbuf* c = acutNewRb(rb->restype);
    c->resval = rb->resval;
    switch (resbufType(rb->restype)) {
    case DxfValueType::kString:
    case DxfValueType::kHandle:
        c->resval.rstring = rb->resval.rstring ? newWideString(rb->resval.rstring) : nullptr;
        break;
    case DxfValueType::kBinary: {
        short n = rb->resval.rbinary.clen > 0 ? rb->resval.rbinary.clen : 0;
        c->resval.rbinary.clen = n;
        c->resval.rbinary.buf = static_cast<char*>(acutNewBuffer(n > 0 ? static_cast<size_t>(n) : 1));
        if (n > 0) std::memcpy(c->resval.rbinary.buf, rb->resval.rbinary.buf, static_cast<size_t>(n));
        break;
    }
    default: break;
    }
    return c;
}

}  // namespace arx
