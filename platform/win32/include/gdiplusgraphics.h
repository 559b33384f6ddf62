// The GDI+ Graphics class: drawing images into a device context.
#pragma once
#include "gdiplusheaders.h"

#ifndef RC_INVOKED
namespace Gdiplus {

class ImageAttributes;

class Graphics : public GdiplusBase {
public:
    Graphics(HDC hdc) : nativeGraphics(nullptr) { lastResult = DllExports::GdipCreateFromHDC(hdc, &nativeGraphics); }
    static Graphics* FromHDC(HDC hdc) { return new Graphics(hdc); }
    ~Graphics() { DllExports::GdipDeleteGraphics(nativeGraphics); }

    Status DrawImage(Image* image, INT x, INT y)
    {
        return SetStatus(DllExports::GdipDrawImageI(nativeGraphics, image ? image->nativeImage : nullptr, x, y));
    }
    Status DrawImage(Image* image, INT x, INT y, INT width, INT height)
    {
        return SetStatus(DllExports::GdipDrawImageRectI(nativeGraphics, image ? image->nativeImage : nullptr, x, y,
                                                        width, height));
    }
    Status DrawImage(Image* image, const Rect& rect) { return DrawImage(image, rect.X, rect.Y, rect.Width, rect.Height); }
    Status DrawImage(Image* image, const Rect& destRect, INT srcx, INT srcy, INT srcwidth, INT srcheight, Unit srcUnit,
                     const ImageAttributes* imageAttributes = nullptr, DrawImageAbort callback = nullptr,
                     VOID* callbackData = nullptr)
    {
        return SetStatus(DllExports::GdipDrawImageRectRectI(
            nativeGraphics, image ? image->nativeImage : nullptr, destRect.X, destRect.Y, destRect.Width,
            destRect.Height, srcx, srcy, srcwidth, srcheight, srcUnit,
            reinterpret_cast<const GpImageAttributes*>(imageAttributes), callback, callbackData));
    }
    Status GetLastStatus() const
    {
        Status s = lastResult;
        lastResult = Ok;
        return s;
    }

private:
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;
    Status SetStatus(Status status) const
    {
        if (status != Ok) lastResult = status;
        return status;
    }

    GpGraphics* nativeGraphics;
    mutable Status lastResult;
};

}  // namespace Gdiplus
#endif
