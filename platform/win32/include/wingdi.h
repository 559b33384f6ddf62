// GDI: device contexts, 32-bit DIB sections, object selection and the blend function
// of layered windows, with Windows' structures and values. A memory device context
// draws into the bitmap selected into it; a window's device context has no pixels of
// its own (what shows on screen is the layered surface or the host's renderer).
#pragma once
#include "win32/export.h"
#include "wtypes.h"

#define BI_RGB 0L
#define BI_RLE8 1L
#define BI_RLE4 2L
#define BI_BITFIELDS 3L
#define DIB_RGB_COLORS 0
#define DIB_PAL_COLORS 1
#define AC_SRC_OVER 0x00
#define AC_SRC_ALPHA 0x01
#define OBJ_BITMAP 7
#define OBJ_DC 3
#define OBJ_MEMDC 10

#ifndef RC_INVOKED

#define RGB(r, g, b) ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(rgb) (LOBYTE(rgb))
#define GetGValue(rgb) (LOBYTE(((WORD)(rgb)) >> 8))
#define GetBValue(rgb) (LOBYTE((rgb) >> 16))

struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};
using LPBITMAPINFOHEADER = BITMAPINFOHEADER*;
using PBITMAPINFOHEADER = BITMAPINFOHEADER*;
static_assert(sizeof(BITMAPINFOHEADER) == 40, "BITMAPINFOHEADER has Windows' size");

struct RGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
};

struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};
using LPBITMAPINFO = BITMAPINFO*;
using PBITMAPINFO = BITMAPINFO*;

struct BITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;
};
using PBITMAP = BITMAP*;
using LPBITMAP = BITMAP*;

struct BLENDFUNCTION {
    BYTE BlendOp;
    BYTE BlendFlags;
    BYTE SourceConstantAlpha;
    BYTE AlphaFormat;
};
using PBLENDFUNCTION = BLENDFUNCTION*;

// A memory device context compatible with hdc (null: the screen). It starts with a
// 1 by 1 monochrome bitmap selected, as on Windows.
W32_EXPORT HDC CreateCompatibleDC(HDC hdc);
W32_EXPORT BOOL DeleteDC(HDC hdc);
// Selects a bitmap into a memory device context and gives back the one it replaces.
// A bitmap can be selected into one device context at a time.
W32_EXPORT HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h);
W32_EXPORT HGDIOBJ GetCurrentObject(HDC hdc, UINT type);
// Deletes a bitmap; one still selected into a device context is refused.
W32_EXPORT BOOL DeleteObject(HGDIOBJ ho);
// A 32-bit BI_RGB DIB section (top-down when biHeight is negative, bottom-up
// otherwise) whose pixels start at zero. Other depths and compressions, and file
// mapping sections, are refused (ERROR_INVALID_PARAMETER).
W32_EXPORT HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* pbmi, UINT usage, VOID** ppvBits, HANDLE hSection,
                                   DWORD offset);
W32_EXPORT int GetObjectW(HANDLE h, int c, LPVOID pv);
W32_EXPORT BOOL GdiFlush();

#define GetObject GetObjectW

#endif  // RC_INVOKED
