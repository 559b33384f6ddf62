// GDI+ images: a PNG picture from the module's resources through FindResourceW,
// global memory and a stream, decoded with its alpha; refusals of what is not PNG
// or is damaged, and of everything without GdiplusStartup; and DrawImage from a
// source rectangle into a destination rectangle of a 32-bit DIB section.
#include <cairo.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "gdiplus.h"
#include "data/resource.h"

using namespace Gdiplus;

namespace {

class GdiplusTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        GdiplusStartupInput input;
        ASSERT_EQ(GdiplusStartup(&token, &input, nullptr), Ok);
    }
    void TearDown() override { GdiplusShutdown(token); }
    ULONG_PTR token = 0;
};

IStream* streamOf(const void* data, size_t size)
{
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(h), data, size);
    GlobalUnlock(h);
    IStream* s = nullptr;
    EXPECT_EQ(CreateStreamOnHGlobal(h, TRUE, &s), S_OK);
    return s;
}

// The picture as the plug-in loads its PNG resources.
Image* imageFromResource(UINT id)
{
    HRSRC info = FindResourceW(nullptr, MAKEINTRESOURCE(id), L"PNG");
    EXPECT_NE(info, nullptr);
    if (info == nullptr) return nullptr;
    DWORD size = SizeofResource(nullptr, info);
    const void* data = LockResource(LoadResource(nullptr, info));
    IStream* s = streamOf(data, size);
    Image* image = Image::FromStream(s);
    s->Release();
    return image;
}

cairo_status_t append(void* closure, const unsigned char* data, unsigned int length)
{
    auto* out = static_cast<std::vector<unsigned char>*>(closure);
    out->insert(out->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

// A width x height PNG whose pixel (x, y) is opaque with red x*10 and green y*10.
std::vector<unsigned char> gradientPng(int width, int height)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    auto* px = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(s));
    int stride = cairo_image_surface_get_stride(s) / 4;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) px[y * stride + x] = 0xFF000000u | (std::uint32_t(x * 10) << 16) | (std::uint32_t(y * 10) << 8);
    cairo_surface_mark_dirty(s);
    std::vector<unsigned char> png;
    cairo_surface_write_to_png_stream(s, append, &png);
    cairo_surface_destroy(s);
    return png;
}

struct Target {
    HDC dc;
    HBITMAP bmp;
    HGDIOBJ old;
    std::uint32_t* bits;
    int width, height;
    bool topDown;
    Target(int w, int h, bool down) : width(w), height(h), topDown(down)
    {
        dc = CreateCompatibleDC(nullptr);
        BITMAPINFO bi{};
        bi.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), w, down ? -h : h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* p = nullptr;
        bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
        bits = static_cast<std::uint32_t*>(p);
        old = SelectObject(dc, bmp);
    }
    ~Target()
    {
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
    }
    std::uint32_t at(int x, int y) const { return bits[(topDown ? y : height - 1 - y) * width + x]; }
};

}  // namespace

TEST_F(GdiplusTest, APngResourceDecodesWithItsAlpha)
{
    Image* image = imageFromResource(IDB_DOT);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetLastStatus(), Ok);
    EXPECT_EQ(image->GetWidth(), 2u);
    EXPECT_EQ(image->GetHeight(), 2u);
    delete image;

    HRSRC info = FindResourceW(nullptr, MAKEINTRESOURCE(IDB_DOT), L"PNG");
    IStream* s = streamOf(LockResource(LoadResource(nullptr, info)), SizeofResource(nullptr, info));
    Bitmap bitmap(s);
    s->Release();
    Color c;
    ASSERT_EQ(bitmap.GetPixel(0, 0, &c), Ok);
    EXPECT_EQ(c.GetValue(), 0xFFFF0000u);
    bitmap.GetPixel(1, 0, &c);
    EXPECT_EQ(c.GetValue(), 0xFF00FF00u);
    bitmap.GetPixel(0, 1, &c);
    EXPECT_EQ(c.GetValue(), 0xFF0000FFu);
    bitmap.GetPixel(1, 1, &c);
    EXPECT_EQ(c.GetA(), 0);
    EXPECT_EQ(bitmap.GetPixel(2, 0, &c), InvalidParameter);
}

TEST_F(GdiplusTest, WhatIsNotPngOrIsDamagedIsRefused)
{
    const char text[] = "GIF89a not a png at all";
    IStream* s = streamOf(text, sizeof text);
    Image notPng(s);
    s->Release();
    EXPECT_EQ(notPng.GetLastStatus(), UnknownImageFormat);
    EXPECT_EQ(notPng.GetWidth(), 0u);
    EXPECT_EQ(notPng.GetLastStatus(), InvalidParameter);

    std::vector<unsigned char> png = gradientPng(8, 8);
    std::vector<unsigned char> cut(png.begin(), png.begin() + static_cast<long>(png.size() / 2));
    s = streamOf(cut.data(), cut.size());
    Image truncated(s);
    s->Release();
    EXPECT_EQ(truncated.GetLastStatus(), InvalidParameter);

    // A header claiming a picture of 100000 x 100000 is refused before decoding.
    std::vector<unsigned char> huge = png;
    huge[16] = 0x00, huge[17] = 0x01, huge[18] = 0x86, huge[19] = 0xA0;
    huge[20] = 0x00, huge[21] = 0x01, huge[22] = 0x86, huge[23] = 0xA0;
    s = streamOf(huge.data(), huge.size());
    Image tooLarge(s);
    s->Release();
    EXPECT_EQ(tooLarge.GetLastStatus(), InvalidParameter);
}

TEST(Gdiplus, NothingWorksWithoutStartup)
{
    std::vector<unsigned char> png = gradientPng(2, 2);
    IStream* s = streamOf(png.data(), png.size());
    Image image(s);
    s->Release();
    EXPECT_EQ(image.GetLastStatus(), GdiplusNotInitialized);
    HDC dc = CreateCompatibleDC(nullptr);
    Graphics g(dc);
    EXPECT_EQ(g.GetLastStatus(), GdiplusNotInitialized);
    DeleteDC(dc);
}

TEST_F(GdiplusTest, DrawImageCopiesTheSourceRectangleIntoTheDestinationRectangle)
{
    std::vector<unsigned char> png = gradientPng(36, 36);
    IStream* s = streamOf(png.data(), png.size());
    Image image(s);
    s->Release();
    for (bool topDown : {true, false}) {
        Target t(36, 36, topDown);
        {
            Graphics g(t.dc);
            ASSERT_EQ(g.GetLastStatus(), Ok);
            // The image's (2,3)-(34,35) lands at (0,4): the small frame of a 36 x 36 window.
            ASSERT_EQ(g.DrawImage(&image, Rect(0, 4, 32, 32), 2, 3, 32, 32, UnitPixel), Ok);
        }
        EXPECT_EQ(t.at(0, 4), 0xFF000000u | (20u << 16) | (30u << 8)) << "top-down " << topDown;
        EXPECT_EQ(t.at(31, 35), 0xFF000000u | (330u << 16) | (340u << 8)) << "top-down " << topDown;
        EXPECT_EQ(t.at(0, 3), 0u);   // above the destination: untouched, transparent
        EXPECT_EQ(t.at(32, 10), 0u);  // right of it
    }
}

TEST_F(GdiplusTest, DrawingIsSourceOverAndScalesToTheDestination)
{
    HRSRC info = FindResourceW(nullptr, MAKEINTRESOURCE(IDB_DOT), L"PNG");
    IStream* s = streamOf(LockResource(LoadResource(nullptr, info)), SizeofResource(nullptr, info));
    Image dot(s);
    s->Release();
    Target t(4, 4, true);
    for (int i = 0; i < 16; ++i) t.bits[i] = 0xFF808080u;
    Graphics g(t.dc);
    ASSERT_EQ(g.DrawImage(&dot, 0, 0, 4, 4), Ok);
    // Scaled up bilinearly: the corners keep their colour, mostly, and where the
    // transparent pixel lands the grey below mostly shows through.
    Color topLeft(t.at(0, 0)), bottomRight(t.at(3, 3));
    EXPECT_EQ(topLeft.GetA(), 0xFF);
    EXPECT_GT(topLeft.GetR(), 0xC0);
    EXPECT_LT(topLeft.GetG(), 0x40);
    EXPECT_EQ(bottomRight.GetA(), 0xFF);
    EXPECT_NEAR(bottomRight.GetR(), 0x80, 0x30);
    EXPECT_NEAR(bottomRight.GetG(), 0x80, 0x30);
    EXPECT_EQ(g.DrawImage(&dot, Rect(0, 0, 4, 4), 0, 0, 2, 2, UnitInch), NotImplemented);
    EXPECT_EQ(g.DrawImage(&dot, Rect(0, 0, 4, 4), 0, 0, 0, 2, UnitPixel), InvalidParameter);
    EXPECT_EQ(g.DrawImage(nullptr, 0, 0, 4, 4), InvalidParameter);
}
