// The tag window's pictures travel in the plug-in's own resources: six PNG
// pictures of the sizes the window draws, opaque where the shapes are and
// transparent outside them, so that only the painted part takes the mouse.
#include <cairo.h>

#include <cstring>
#include <string>

#include "plugin_fixture.h"
#include "windows.h"

namespace {

struct Png {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // premultiplied ARGB
};

cairo_status_t readBytes(void* closure, unsigned char* data, unsigned int length)
{
    auto* rest = static_cast<std::string_view*>(closure);
    if (rest->size() < length) return CAIRO_STATUS_READ_ERROR;
    std::memcpy(data, rest->data(), length);
    rest->remove_prefix(length);
    return CAIRO_STATUS_SUCCESS;
}

// Finds a "PNG" resource of the module and decodes it.
bool loadPicture(HMODULE module, int id, Png& png)
{
    HRSRC found = FindResourceW(module, MAKEINTRESOURCE(id), L"PNG");
    if (found == nullptr) return false;
    const void* bytes = LockResource(LoadResource(module, found));
    std::string_view rest(static_cast<const char*>(bytes), SizeofResource(module, found));
    cairo_surface_t* s = cairo_image_surface_create_from_png_stream(readBytes, &rest);
    bool ok = cairo_surface_status(s) == CAIRO_STATUS_SUCCESS;
    if (ok) {
        cairo_surface_flush(s);
        png.width = cairo_image_surface_get_width(s);
        png.height = cairo_image_surface_get_height(s);
        const int stride = cairo_image_surface_get_stride(s);
        const unsigned char* data = cairo_image_surface_get_data(s);
        for (int y = 0; y < png.height; ++y)
            for (int x = 0; x < png.width; ++x)
                png.pixels.push_back(*reinterpret_cast<const std::uint32_t*>(data + y * stride + x * 4));
    }
    cairo_surface_destroy(s);
    return ok;
}

TEST_F(PluginHost, TheTagWindowsPicturesAreInTheModulesResources)
{
    ASSERT_TRUE(load(2013)) << loadError;
    HMODULE module = GetModuleHandleW(L"VelaToneViewer2013_x64.arx");
    ASSERT_NE(module, nullptr);
    const struct {
        int id;
        int size;
    } pictures[] = {{206, 36}, {207, 36}, {208, 32}, {209, 32}, {210, 32}, {225, 32}};
    std::vector<std::vector<std::uint32_t>> seen;
    for (const auto& p : pictures) {
        SCOPED_TRACE(p.id);
        Png png;
        ASSERT_TRUE(loadPicture(module, p.id, png));
        EXPECT_EQ(png.width, p.size);
        EXPECT_EQ(png.height, p.size);
        // Transparent in the corner outside the rounded square, opaque inside.
        EXPECT_EQ(png.pixels[0] >> 24, 0u);
        EXPECT_EQ(png.pixels[static_cast<size_t>(p.size / 2 * p.size + 3)] >> 24, 255u);
        seen.push_back(png.pixels);
    }
    // Each animation frame differs from the others.
    for (size_t a = 2; a < seen.size(); ++a)
        for (size_t b = a + 1; b < seen.size(); ++b) EXPECT_NE(seen[a], seen[b]) << a << " " << b;
}

}  // namespace
