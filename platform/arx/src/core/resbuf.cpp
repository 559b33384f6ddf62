// Result buffer chains and host-allocated memory.
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "acutads.h"
#include "group_codes.h"

void* acutNewBuffer(size_t size)
{
    void* p = std::malloc(size > 0 ? size : 1);
    if (p == nullptr) std::abort();  // the host cannot go on without memory
    return p;
}

void acutDelBuffer(void*& pBuffer)
{
    std::free(pBuffer);
    pBuffer = nullptr;
}

resbuf* acutNewRb(int type)
{
    auto* rb = static_cast<resbuf*>(acutNewBuffer(sizeof(resbuf)));
    std::memset(rb, 0, sizeof *rb);
    rb->restype = static_cast<short>(type);
    return rb;
}

int acutRelRb(resbuf* rb)
{
    while (rb != nullptr) {
        resbuf* next = rb->rbnext;
        arx::freeResbufValue(rb);
        void* block = rb;
        acutDelBuffer(block);
        rb = next;
    }
    return RTNORM;
}

int acutNewString(const ACHAR* text, ACHAR*& copy)
{
    size_t n = text != nullptr ? std::wcslen(text) : 0;
    copy = static_cast<ACHAR*>(acutNewBuffer((n + 1) * sizeof(ACHAR)));
    if (n > 0) std::memcpy(copy, text, n * sizeof(ACHAR));
    copy[n] = 0;
    return RTNORM;
}

int acutCopyString(ACHAR* dest, size_t destSize, const ACHAR* src)
{
    if (dest == nullptr || destSize == 0) return RTERROR;
    size_t n = src != nullptr ? std::wcslen(src) : 0;
    if (n >= destSize) n = destSize - 1;
    if (n > 0) std::memcpy(dest, src, n * sizeof(ACHAR));
    dest[n] = 0;
    return RTNORM;
}

resbuf* acutBuildList(int rtype, ...)
{
    va_list ap;
    va_start(ap, rtype);
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    bool failed = false;
    for (int type = rtype; type != 0 && type != RTNONE; type = va_arg(ap, int)) {
        resbuf* rb = acutNewRb(type);
        switch (type) {
        case RTLB:
        case RTLE:
        case RTDOTE:
        case RTNIL:
        case RTT:
        case RTVOID: break;
        case RTSTR:
        case RTDXF0: acutNewString(va_arg(ap, const ACHAR*), rb->resval.rstring); break;
        case RTREAL:
        case RTANG: rb->resval.rreal = va_arg(ap, double); break;
        case RTPOINT:
        case RT3DPOINT: {
            const double* p = va_arg(ap, const double*);
            for (int i = 0; i < 3; ++i) rb->resval.rpoint[i] = p != nullptr ? p[i] : 0;
            break;
        }
        case RTSHORT: rb->resval.rint = static_cast<short>(va_arg(ap, int)); break;
        case RTLONG: rb->resval.rlong = va_arg(ap, Adesk::Int32); break;
        case RTINT64: rb->resval.mnInt64 = va_arg(ap, Adesk::Int64); break;
        case RTENAME:
        case RTPICKS: {
            const Adesk::Int64* n = va_arg(ap, const Adesk::Int64*);
            rb->resval.rlname[0] = n != nullptr ? n[0] : 0;
            rb->resval.rlname[1] = n != nullptr ? n[1] : 0;
            break;
        }
        default:
            switch (arx::dxfValueType(type)) {
            case arx::DxfValueType::kString:
            case arx::DxfValueType::kHandle: acutNewString(va_arg(ap, const ACHAR*), rb->resval.rstring); break;
            case arx::DxfValueType::kDouble: rb->resval.rreal = va_arg(ap, double); break;
            case arx::DxfValueType::kPoint: {
                const double* p = va_arg(ap, const double*);
                for (int i = 0; i < 3; ++i) rb->resval.rpoint[i] = p != nullptr ? p[i] : 0;
                break;
            }
            case arx::DxfValueType::kInt16:
            case arx::DxfValueType::kBool: rb->resval.rint = static_cast<short>(va_arg(ap, int)); break;
            case arx::DxfValueType::kInt32: rb->resval.rlong = va_arg(ap, Adesk::Int32); break;
            case arx::DxfValueType::kInt64: rb->resval.mnInt64 = va_arg(ap, Adesk::Int64); break;
            case arx::DxfValueType::kObjectId: {
                const Adesk::Int64* n = va_arg(ap, const Adesk::Int64*);
                rb->resval.rlname[0] = n != nullptr ? n[0] : 0;
                rb->resval.rlname[1] = n != nullptr ? n[1] : 0;
                break;
            }
            case arx::DxfValueType::kBinary: {
                const ads_binary* b = va_arg(ap, const ads_binary*);
                short n = b != nullptr && b->clen > 0 ? b->clen : 0;
                rb->resval.rbinary.clen = n;
                rb->resval.rbinary.buf = static_cast<char*>(acutNewBuffer(static_cast<size_t>(n) + 1));
                if (n > 0) std::memcpy(rb->resval.rbinary.buf, b->buf, static_cast<size_t>(n));
                break;
            }
            case arx::DxfValueType::kInvalid: failed = true; break;
            }
        }
        if (tail != nullptr)
            tail->rbnext = rb;
        else
            head = rb;
        tail = rb;
        if (failed) break;
    }
    va_end(ap);
    if (failed) {  // an unknown type leaves the arguments unreadable: no list
        acutRelRb(head);
        return nullptr;
    }
    return head;
}
