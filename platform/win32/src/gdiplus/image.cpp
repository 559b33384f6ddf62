// GDI+ images: loading from streams, cloning, disposing, sizes and pixels, and
// GDI+'s allocator. Handles are checked against the table of live images, so a
// disposed or foreign pointer gives InvalidParameter instead of a crash.
#include "gdiplus/image.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

#include "gdiplus/startup.h"

using namespace Gdiplus;

namespace win32::gdiplus {
namespace {

constexpr size_t kMaxEncoded = 64u * 1024 * 1024;

struct Images {
    std::mutex lock;
    std::set<ImageData*> live;
};

Images& images()
{
    static Images* i = new Images;
    return *i;
}

GpStatus load(IStream* stream, GpImage** out)
{
    if (out != nullptr) *out = nullptr;
    if (stream == nullptr || out == nullptr) return InvalidParameter;
    if (activeStartups() == 0) return GdiplusNotInitialized;
    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[65536];
    for (;;) {
        ULONG got = 0;
        HRESULT hr = stream->Read(buffer, sizeof buffer, &got);
        if (FAILED(hr)) return Win32Error;
        bytes.insert(bytes.end(), buffer, buffer + got);
        if (bytes.size() > kMaxEncoded) return OutOfMemory;
        if (got < sizeof buffer) break;
    }
    auto image = std::make_unique<ImageData>();
    GpStatus s = decodePng(bytes.data(), bytes.size(), *image);
    if (s != Ok) return s;
    return registerImage(image.release(), out);
}

}  // namespace

ImageData* liveImage(GpImage* image)
{
    Images& i = images();
    std::lock_guard lock(i.lock);
    auto* data = static_cast<ImageData*>(static_cast<GpBitmap*>(image));
    return i.live.count(data) ? data : nullptr;
}

GpStatus registerImage(ImageData* image, GpImage** out)
{
    Images& i = images();
    std::lock_guard lock(i.lock);
    i.live.insert(image);
    *out = image;
    return Ok;
}

}  // namespace win32::gdiplus

using namespace win32::gdiplus;

namespace Gdiplus::DllExports {

void* GdipAlloc(size_t size) { return std::malloc(size ? size : 1); }

void GdipFree(void* ptr) { std::free(ptr); }

GpStatus GdipLoadImageFromStream(IStream* stream, GpImage** image) { return load(stream, image); }

GpStatus GdipLoadImageFromStreamICM(IStream* stream, GpImage** image) { return load(stream, image); }

GpStatus GdipCreateBitmapFromStream(IStream* stream, GpBitmap** bitmap)
{
    GpImage* image = nullptr;
    GpStatus s = load(stream, bitmap ? &image : nullptr);
    if (bitmap != nullptr) *bitmap = static_cast<GpBitmap*>(image);
    return s;
}

GpStatus GdipCreateBitmapFromStreamICM(IStream* stream, GpBitmap** bitmap) { return GdipCreateBitmapFromStream(stream, bitmap); }

GpStatus GdipCloneImage(GpImage* image, GpImage** cloneImage)
{
    if (cloneImage != nullptr) *cloneImage = nullptr;
    ImageData* data = liveImage(image);
    if (data == nullptr || cloneImage == nullptr) return InvalidParameter;
    if (activeStartups() == 0) return GdiplusNotInitialized;
    auto copy = std::make_unique<ImageData>();
    copy->width = data->width;
    copy->height = data->height;
    copy->pixels = data->pixels;
    return registerImage(copy.release(), cloneImage);
}

GpStatus GdipDisposeImage(GpImage* image)
{
    ImageData* data = liveImage(image);
    if (data == nullptr) return InvalidParameter;
    {
        Images& i = images();
        std::lock_guard lock(i.lock);
        i.live.erase(data);
    }
    delete data;
    return Ok;
}

GpStatus GdipGetImageWidth(GpImage* image, UINT* width)
{
    ImageData* data = liveImage(image);
    if (data == nullptr || width == nullptr) return InvalidParameter;
    *width = static_cast<UINT>(data->width);
    return Ok;
}

GpStatus GdipGetImageHeight(GpImage* image, UINT* height)
{
    ImageData* data = liveImage(image);
    if (data == nullptr || height == nullptr) return InvalidParameter;
    *height = static_cast<UINT>(data->height);
    return Ok;
}

GpStatus GdipBitmapGetPixel(GpBitmap* bitmap, INT x, INT y, ARGB* color)
{
    ImageData* data = liveImage(bitmap);
    if (data == nullptr || color == nullptr || x < 0 || y < 0 || x >= data->width || y >= data->height)
        return InvalidParameter;
    std::uint32_t px = data->pixels[static_cast<size_t>(y) * data->width + x];
    std::uint32_t a = px >> 24;
    auto unpremultiply = [a](std::uint32_t c) { return a == 0 ? 0u : std::min(255u, (c * 255 + a / 2) / a); };
    *color = (a << 24) | (unpremultiply((px >> 16) & 0xFF) << 16) | (unpremultiply((px >> 8) & 0xFF) << 8) |
             unpremultiply(px & 0xFF);
    return Ok;
}

}  // namespace Gdiplus::DllExports
