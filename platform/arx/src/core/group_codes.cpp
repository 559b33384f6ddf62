// The kind of value each DXF group code (and each result buffer type) carries,
// and what a result buffer owns by its kind: the one place that knows which
// buffers hold a text, a binary chunk or a plain value.
#include "group_codes.h"

#include <cstring>

#include "acutads.h"
#include "adscodes.h"

namespace arx {

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
