// GDI objects inside the stand-in: bitmaps (DIB sections, and the 1 by 1 stock
// bitmap every memory device context starts with) and device contexts. Handles are
// checked against these tables, so a stale or made-up handle fails.
#pragma once
#include <cstdint>
#include <vector>

#include "win32/export.h"
#include "wingdi.h"

namespace win32::gdi {

struct Bitmap {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 32;
    bool topDown = false;
    bool stock = false;
    std::vector<std::uint32_t> pixels;  // 32-bit pixels in memory order (blue, green, red, alpha)
    HDC selectedInto = nullptr;

    // The pixels of image row y (0 = top), whatever the memory order.
    std::uint32_t* row(int y) { return pixels.data() + static_cast<size_t>(topDown ? y : height - 1 - y) * width; }
    const std::uint32_t* row(int y) const
    {
        return pixels.data() + static_cast<size_t>(topDown ? y : height - 1 - y) * width;
    }
};

struct DeviceContext {
    bool memory = false;
    HWND window = nullptr;  // window device contexts
    HBITMAP bitmap = nullptr;  // memory device contexts: the selected bitmap
};

W32_EXPORT Bitmap* bitmapOf(HGDIOBJ handle);
DeviceContext* dcOf(HDC hdc);
// The bitmap selected into a memory device context, or null.
W32_EXPORT Bitmap* selectedBitmap(HDC hdc);

HBITMAP addBitmap(Bitmap* b);
void removeBitmap(HBITMAP h);
HDC addDc(DeviceContext* dc);
void removeDc(HDC h);

}  // namespace win32::gdi
