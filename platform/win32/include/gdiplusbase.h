// The base of the GDI+ classes: their memory comes from GDI+'s own allocator.
#pragma once
#include "gdiplusflat.h"

#ifndef RC_INVOKED
namespace Gdiplus {

class GdiplusBase {
public:
    void operator delete(void* in_pVoid) { DllExports::GdipFree(in_pVoid); }
    void* operator new(size_t in_size) { return DllExports::GdipAlloc(in_size); }
    void operator delete[](void* in_pVoid) { DllExports::GdipFree(in_pVoid); }
    void* operator new[](size_t in_size) { return DllExports::GdipAlloc(in_size); }
};

}  // namespace Gdiplus
#endif
