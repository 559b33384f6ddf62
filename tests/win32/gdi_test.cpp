// GDI: memory device contexts and 32-bit DIB sections (top-down and bottom-up as
// their header says), selecting and deleting bitmaps, UpdateLayeredWindow with
// per-pixel and constant alpha, and the compositing of layered windows over a
// picture of the screen.
#include <gtest/gtest.h>

#include <vector>

#include "win32/screen.h"
#include "window_recorder.h"
#include "windows.h"

namespace {

BITMAPINFO header32(int width, int height)
{
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}

struct Dib {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    std::uint32_t* bits = nullptr;
    Dib(int w, int h)
    {
        dc = CreateCompatibleDC(nullptr);
        BITMAPINFO bi = header32(w, h);
        void* p = nullptr;
        bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
        bits = static_cast<std::uint32_t*>(p);
        old = SelectObject(dc, bitmap);
    }
    ~Dib()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
};

HWND layeredWindow(int x, int y, int w, int h)
{
    return recorder::make(WS_EX_LAYERED, WS_POPUP | WS_VISIBLE, x, y, w, h);
}

bool update(HWND w, Dib& dib, SIZE size, BYTE constantAlpha = 255, BYTE format = AC_SRC_ALPHA, POINT* at = nullptr,
            POINT src = {0, 0})
{
    BLENDFUNCTION blend{AC_SRC_OVER, 0, constantAlpha, format};
    return UpdateLayeredWindow(w, nullptr, at, &size, dib.dc, &src, 0, &blend, ULW_ALPHA) != FALSE;
}

}  // namespace

TEST(DibSection, PixelsStartAtZeroAndTheHeightSaysTheRowOrder)
{
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO up = header32(3, 2);
    BITMAPINFO down = header32(3, -2);
    void* upBits = nullptr;
    void* downBits = nullptr;
    HBITMAP a = CreateDIBSection(dc, &up, DIB_RGB_COLORS, &upBits, nullptr, 0);
    HBITMAP b = CreateDIBSection(dc, &down, DIB_RGB_COLORS, &downBits, nullptr, 0);
    ASSERT_TRUE(a && b && upBits && downBits);
    EXPECT_EQ(static_cast<std::uint32_t*>(upBits)[5], 0u);
    BITMAP bm{};
    ASSERT_EQ(GetObjectW(a, sizeof bm, &bm), static_cast<int>(sizeof bm));
    EXPECT_EQ(bm.bmWidth, 3);
    EXPECT_EQ(bm.bmHeight, 2);
    EXPECT_EQ(bm.bmWidthBytes, 12);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    EXPECT_EQ(bm.bmBits, upBits);

    // The first row in memory is the bottom row of a bottom-up bitmap: a layered
    // window made from it shows that row at the bottom.
    static_cast<std::uint32_t*>(upBits)[0] = 0xFF0000FFu;    // memory row 0: bottom
    static_cast<std::uint32_t*>(downBits)[0] = 0xFF0000FFu;  // memory row 0: top
    for (auto [bmp, expectTop] : {std::pair{a, false}, std::pair{b, true}}) {
        HGDIOBJ old = SelectObject(dc, bmp);
        HWND w = layeredWindow(0, 0, 3, 2);
        SIZE size{3, 2};
        POINT src{0, 0};
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        ASSERT_TRUE(UpdateLayeredWindow(w, nullptr, nullptr, &size, dc, &src, 0, &blend, ULW_ALPHA));
        std::vector<std::uint32_t> screen(6, 0);
        ASSERT_TRUE(win32::screen::compositeLayeredWindows(screen.data(), 3, 2, 12, RECT{0, 0, 3, 2}));
        EXPECT_EQ(screen[expectTop ? 0 : 3], 0xFF0000FFu);
        EXPECT_EQ(screen[expectTop ? 3 : 0], 0u);
        DestroyWindow(w);
        SelectObject(dc, old);
    }
    DeleteObject(a);
    DeleteObject(b);
    DeleteDC(dc);
}

TEST(DibSection, OnlyThirtyTwoBitUncompressedBitmapsOfSaneSizeAreMade)
{
    BITMAPINFO bi = header32(4, 4);
    void* bits = reinterpret_cast<void*>(1);
    bi.bmiHeader.biBitCount = 24;
    EXPECT_EQ(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(bits, nullptr);
    bi = header32(4, 4);
    bi.bmiHeader.biCompression = BI_BITFIELDS;
    EXPECT_EQ(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    bi = header32(0, 4);
    EXPECT_EQ(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    bi = header32(100000, 100000);
    EXPECT_EQ(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(DeviceContexts, ABitmapLivesInOneMemoryDeviceContextAtATimeAndCannotBeDeletedThere)
{
    HDC one = CreateCompatibleDC(nullptr);
    HDC two = CreateCompatibleDC(one);
    BITMAPINFO bi = header32(2, 2);
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(one, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ stock = SelectObject(one, bmp);
    ASSERT_NE(stock, nullptr);  // every memory device context starts with a stock bitmap
    BITMAP bm{};
    GetObjectW(stock, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 1);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_EQ(SelectObject(two, bmp), nullptr);  // already selected into one
    EXPECT_FALSE(DeleteObject(bmp));
    EXPECT_EQ(SelectObject(one, stock), bmp);
    EXPECT_NE(SelectObject(two, bmp), nullptr);
    EXPECT_TRUE(DeleteDC(two));  // deselects it
    EXPECT_TRUE(DeleteObject(bmp));
    EXPECT_FALSE(DeleteObject(bmp));
    EXPECT_TRUE(DeleteDC(one));
    EXPECT_FALSE(DeleteDC(one));
    HWND w = recorder::make(0, WS_POPUP, 0, 0, 10, 10);
    HDC windowDc = GetDC(w);
    ASSERT_NE(windowDc, nullptr);
    EXPECT_EQ(ReleaseDC(w, windowDc), 1);
}

TEST(LayeredWindows, UpdateNeedsTheLayeredStyleAndASourceInsideTheBitmap)
{
    Dib dib(10, 10);
    HWND plain = recorder::make(0, WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
    EXPECT_FALSE(update(plain, dib, SIZE{10, 10}));
    HWND w = layeredWindow(0, 0, 10, 10);
    EXPECT_FALSE(update(w, dib, SIZE{11, 10}));
    EXPECT_FALSE(update(w, dib, SIZE{5, 5}, 255, AC_SRC_ALPHA, nullptr, POINT{6, 0}));
    EXPECT_TRUE(update(w, dib, SIZE{5, 5}, 255, AC_SRC_ALPHA, nullptr, POINT{5, 5}));
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    EXPECT_FALSE(UpdateLayeredWindow(w, nullptr, nullptr, nullptr, dib.dc, nullptr, 0, nullptr, ULW_ALPHA));
    EXPECT_FALSE(UpdateLayeredWindow(w, nullptr, nullptr, nullptr, dib.dc, nullptr, 0, &blend, 0x100));
}

TEST(LayeredWindows, UpdateTakesThePositionAndSizeGiven)
{
    Dib dib(36, 36);
    HWND w = layeredWindow(0, 0, 200, 100);
    POINT at{300, 400};
    ASSERT_TRUE(update(w, dib, SIZE{36, 36}, 255, AC_SRC_ALPHA, &at));
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 300);
    EXPECT_EQ(r.top, 400);
    EXPECT_EQ(r.right - r.left, 36);
    EXPECT_EQ(r.bottom - r.top, 36);
}

TEST(LayeredWindows, PerPixelAlphaAndConstantAlphaBothReachTheScreen)
{
    Dib dib(2, -1);
    dib.bits[0] = 0x80404040u;  // half-transparent grey, premultiplied
    dib.bits[1] = 0xFFFF0000u;  // opaque red
    HWND w = layeredWindow(0, 0, 2, 1);
    ASSERT_TRUE(update(w, dib, SIZE{2, 1}));
    std::uint32_t white[2] = {0xFFFFFFFFu, 0xFFFFFFFFu};
    win32::screen::compositeLayeredWindows(white, 2, 1, 8, RECT{0, 0, 2, 1});
    EXPECT_EQ(white[0], 0xFFBFBFBFu);  // 0x40 + 0xFF * (255 - 0x80) / 255
    EXPECT_EQ(white[1], 0xFFFF0000u);
    ASSERT_TRUE(update(w, dib, SIZE{2, 1}, 0));  // constant alpha 0: nothing of it shows or takes the mouse
    std::uint32_t again[2] = {0xFF000000u, 0xFF000000u};
    win32::screen::compositeLayeredWindows(again, 2, 1, 8, RECT{0, 0, 2, 1});
    EXPECT_EQ(again[1], 0xFF000000u);
    EXPECT_NE(WindowFromPoint(POINT{1, 0}), w);
    ASSERT_TRUE(update(w, dib, SIZE{2, 1}, 255, 0));  // no AC_SRC_ALPHA: every pixel opaque
    std::uint32_t third[2] = {0, 0};
    win32::screen::compositeLayeredWindows(third, 2, 1, 8, RECT{0, 0, 2, 1});
    EXPECT_EQ(third[0] >> 24, 0xFFu);
}

TEST(Compositing, WindowsAreDrawnBottomFirstClippedToTheArea)
{
    Dib red(4, -4), blue(4, -4);
    for (int i = 0; i < 16; ++i) {
        red.bits[i] = 0xFFFF0000u;
        blue.bits[i] = 0xFF0000FFu;
    }
    HWND lower = layeredWindow(10, 10, 4, 4);
    HWND upper = layeredWindow(12, 12, 4, 4);
    ASSERT_TRUE(update(lower, red, SIZE{4, 4}));
    ASSERT_TRUE(update(upper, blue, SIZE{4, 4}));
    HWND hidden = layeredWindow(10, 10, 4, 4);
    ASSERT_TRUE(update(hidden, red, SIZE{4, 4}));
    ShowWindow(hidden, SW_HIDE);
    // The area (11,11)-(14,14): a 3 x 3 picture.
    std::vector<std::uint32_t> pic(9, 0xFFFFFFFFu);
    ASSERT_TRUE(win32::screen::compositeLayeredWindows(pic.data(), 3, 3, 12, RECT{11, 11, 14, 14}));
    EXPECT_EQ(pic[0], 0xFFFF0000u);  // (11,11): only the lower window
    EXPECT_EQ(pic[4], 0xFF0000FFu);  // (12,12): the upper one covers it
    EXPECT_EQ(pic[8], 0xFF0000FFu);
    SetWindowPos(lower, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    std::vector<std::uint32_t> again(9, 0);
    win32::screen::compositeLayeredWindows(again.data(), 3, 3, 12, RECT{11, 11, 14, 14});
    EXPECT_EQ(again[4], 0xFFFF0000u);  // now red is on top
    EXPECT_FALSE(win32::screen::compositeLayeredWindows(again.data(), 3, 3, 12, RECT{0, 0, 4, 3}));  // size mismatch
}
