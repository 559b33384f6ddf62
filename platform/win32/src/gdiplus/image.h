// GDI+ images inside the stand-in: decoded pixels, premultiplied 0xAARRGGBB, and the
// table of live images that every handle is checked against.
#pragma once
#include <cstdint>
#include <vector>

#include "gdiplusflat.h"

namespace win32::gdiplus {

struct ImageData : public Gdiplus::GpBitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

ImageData* liveImage(Gdiplus::GpImage* image);
Gdiplus::GpStatus registerImage(ImageData* image, Gdiplus::GpImage** out);
// Decodes a PNG picture held in memory.
Gdiplus::GpStatus decodePng(const std::uint8_t* data, size_t size, ImageData& out);

}  // namespace win32::gdiplus
