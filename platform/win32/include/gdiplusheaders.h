// GDI+ images: Image and Bitmap, thin classes over the flat interface that remember
// the result of their last call.
#pragma once
#include "gdiplusbase.h"

#ifndef RC_INVOKED
namespace Gdiplus {

class Graphics;

class Image : public GdiplusBase {
public:
    friend class Graphics;

    Image(IStream* stream, BOOL useEmbeddedColorManagement = FALSE) : nativeImage(nullptr)
    {
        lastResult = useEmbeddedColorManagement ? DllExports::GdipLoadImageFromStreamICM(stream, &nativeImage)
                                                : DllExports::GdipLoadImageFromStream(stream, &nativeImage);
    }
    static Image* FromStream(IStream* stream, BOOL useEmbeddedColorManagement = FALSE)
    {
        return new Image(stream, useEmbeddedColorManagement);
    }
    virtual ~Image() { DllExports::GdipDisposeImage(nativeImage); }
    virtual Image* Clone()
    {
        GpImage* clone = nullptr;
        SetStatus(DllExports::GdipCloneImage(nativeImage, &clone));
        return new Image(clone, lastResult);
    }
    UINT GetWidth()
    {
        UINT width = 0;
        SetStatus(DllExports::GdipGetImageWidth(nativeImage, &width));
        return width;
    }
    UINT GetHeight()
    {
        UINT height = 0;
        SetStatus(DllExports::GdipGetImageHeight(nativeImage, &height));
        return height;
    }
    // The result of the last call, which it then forgets (as GDI+ does).
    Status GetLastStatus() const
    {
        Status s = lastResult;
        lastResult = Ok;
        return s;
    }

protected:
    Image() : nativeImage(nullptr), lastResult(Ok) {}
    Image(GpImage* image, Status status) : nativeImage(image), lastResult(status) {}
    VOID SetNativeImage(GpImage* image) { nativeImage = image; }
    Status SetStatus(Status status) const
    {
        if (status != Ok) lastResult = status;
        return status;
    }

    GpImage* nativeImage;
    mutable Status lastResult;

private:
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;
};

class Bitmap : public Image {
public:
    Bitmap(IStream* stream, BOOL useIcm = FALSE)
    {
        GpBitmap* bitmap = nullptr;
        lastResult = useIcm ? DllExports::GdipCreateBitmapFromStreamICM(stream, &bitmap)
                            : DllExports::GdipCreateBitmapFromStream(stream, &bitmap);
        SetNativeImage(bitmap);
    }
    static Bitmap* FromStream(IStream* stream, BOOL useIcm = FALSE) { return new Bitmap(stream, useIcm); }
    Status GetPixel(INT x, INT y, Color* color)
    {
        ARGB argb = 0;
        Status s = SetStatus(DllExports::GdipBitmapGetPixel(static_cast<GpBitmap*>(nativeImage), x, y, &argb));
        if (s == Ok && color != nullptr) color->SetValue(argb);
        return s;
    }
};

}  // namespace Gdiplus
#endif
