// The flat GDI+ interface that the C++ classes are built on. Only PNG images are
// decoded; images are kept as 32-bit premultiplied pixels. Every function answers
// GdiplusNotInitialized while no GdiplusStartup is active.
#pragma once
#include <cstddef>

#include "gdiplustypes.h"
#include "objidl.h"
#include "win32/export.h"

#ifndef RC_INVOKED
namespace Gdiplus {
namespace DllExports {
extern "C" {

W32_EXPORT void* WINGDIPAPI GdipAlloc(size_t size);
W32_EXPORT void WINGDIPAPI GdipFree(void* ptr);

// Decodes a PNG picture from the stream's current position to its end (at most
// 64 MiB, at most 16384 pixels a side). Anything but PNG gives UnknownImageFormat,
// damaged data InvalidParameter.
W32_EXPORT GpStatus WINGDIPAPI GdipLoadImageFromStream(IStream* stream, GpImage** image);
W32_EXPORT GpStatus WINGDIPAPI GdipLoadImageFromStreamICM(IStream* stream, GpImage** image);
W32_EXPORT GpStatus WINGDIPAPI GdipCreateBitmapFromStream(IStream* stream, GpBitmap** bitmap);
W32_EXPORT GpStatus WINGDIPAPI GdipCreateBitmapFromStreamICM(IStream* stream, GpBitmap** bitmap);
W32_EXPORT GpStatus WINGDIPAPI GdipCloneImage(GpImage* image, GpImage** cloneImage);
W32_EXPORT GpStatus WINGDIPAPI GdipDisposeImage(GpImage* image);
W32_EXPORT GpStatus WINGDIPAPI GdipGetImageWidth(GpImage* image, UINT* width);
W32_EXPORT GpStatus WINGDIPAPI GdipGetImageHeight(GpImage* image, UINT* height);
// The pixel's colour, not premultiplied.
W32_EXPORT GpStatus WINGDIPAPI GdipBitmapGetPixel(GpBitmap* bitmap, INT x, INT y, ARGB* color);

// A graphics object drawing into the bitmap selected into a memory device context
// (a window's device context has no pixels of its own: drawing there changes
// nothing).
W32_EXPORT GpStatus WINGDIPAPI GdipCreateFromHDC(HDC hdc, GpGraphics** graphics);
W32_EXPORT GpStatus WINGDIPAPI GdipDeleteGraphics(GpGraphics* graphics);
W32_EXPORT GpStatus WINGDIPAPI GdipDrawImageI(GpGraphics* graphics, GpImage* image, INT x, INT y);
W32_EXPORT GpStatus WINGDIPAPI GdipDrawImageRectI(GpGraphics* graphics, GpImage* image, INT x, INT y, INT width,
                                                  INT height);
// Draws the source rectangle (in pixels) of the image into the destination
// rectangle, source over what is there, scaled bilinearly when the sizes differ.
// Image attributes are not offered (NotImplemented); the abort callback is asked
// once before drawing.
W32_EXPORT GpStatus WINGDIPAPI GdipDrawImageRectRectI(GpGraphics* graphics, GpImage* image, INT dstx, INT dsty,
                                                      INT dstwidth, INT dstheight, INT srcx, INT srcy, INT srcwidth,
                                                      INT srcheight, GpUnit srcUnit,
                                                      GDIPCONST GpImageAttributes* imageAttributes,
                                                      DrawImageAbort callback, VOID* callbackData);
}
}  // namespace DllExports
}  // namespace Gdiplus
#endif
