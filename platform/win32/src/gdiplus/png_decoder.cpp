// PNG decoding for GDI+ images, with cairo (which reads PNG through libpng). The
// header is checked first: anything but PNG is refused, and pictures larger than
// 16384 pixels a side or 64 million pixels are refused before any pixel memory is
// taken, so a hostile file cannot make the decoder allocate gigabytes.
#include <cairo.h>

#include <cstring>

#include "gdiplus/image.h"

namespace win32::gdiplus {
namespace {

struct Reader {
    const std::uint8_t* data;
    size_t size;
    size_t at;
};

cairo_status_t readChunk(void* closure, unsigned char* out, unsigned int length)
{
    auto* r = static_cast<Reader*>(closure);
    if (length > r->size - r->at) return CAIRO_STATUS_READ_ERROR;
    std::memcpy(out, r->data + r->at, length);
    r->at += length;
    return CAIRO_STATUS_SUCCESS;
}

std::uint32_t bigEndian32(const std::uint8_t* p)
{
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

}  // namespace

Gdiplus::GpStatus decodePng(const std::uint8_t* data, size_t size, ImageData& out)
{
    static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (size < 8 || std::memcmp(data, kSignature, 8) != 0) return Gdiplus::UnknownImageFormat;
    // The first chunk must be IHDR: length 13, then width and height.
    if (size < 8 + 8 + 13 || bigEndian32(data + 8) != 13 || std::memcmp(data + 12, "IHDR", 4) != 0)
        return Gdiplus::InvalidParameter;
    std::uint32_t width = bigEndian32(data + 16), height = bigEndian32(data + 20);
    if (width == 0 || height == 0 || width > 16384 || height > 16384 ||
        static_cast<std::uint64_t>(width) * height > 64u * 1024 * 1024)
        return Gdiplus::InvalidParameter;

    Reader reader{data, size, 0};
    cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(readChunk, &reader);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_status_t status = cairo_surface_status(surface);
        cairo_surface_destroy(surface);
        return status == CAIRO_STATUS_NO_MEMORY ? Gdiplus::OutOfMemory : Gdiplus::InvalidParameter;
    }
    cairo_surface_flush(surface);
    cairo_format_t format = cairo_image_surface_get_format(surface);
    int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
    int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* pixels = cairo_image_surface_get_data(surface);
    if ((format != CAIRO_FORMAT_ARGB32 && format != CAIRO_FORMAT_RGB24) || w != static_cast<int>(width) ||
        h != static_cast<int>(height) || pixels == nullptr) {
        cairo_surface_destroy(surface);
        return Gdiplus::InvalidParameter;
    }
    out.width = w;
    out.height = h;
    out.pixels.resize(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(pixels + static_cast<size_t>(y) * stride);
        std::uint32_t* dst = out.pixels.data() + static_cast<size_t>(y) * w;
        for (int x = 0; x < w; ++x) dst[x] = format == CAIRO_FORMAT_RGB24 ? (row[x] | 0xFF000000u) : row[x];
    }
    cairo_surface_destroy(surface);
    return Gdiplus::Ok;
}

}  // namespace win32::gdiplus
