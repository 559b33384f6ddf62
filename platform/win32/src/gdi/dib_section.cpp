// CreateDIBSection for 32-bit BI_RGB bitmaps: the pixels are zero at first and are
// addressed by the caller directly; a positive height means the rows are stored
// bottom-up, a negative one top-down, as the header says. Sizes beyond 16384 pixels
// a side, or 64 million pixels, are refused.
#include <cstdlib>

#include "gdi/objects.h"
#include "winuser.h"

using namespace win32::gdi;

HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* pbmi, UINT usage, VOID** ppvBits, HANDLE hSection, DWORD offset)
{
    if (ppvBits != nullptr) *ppvBits = nullptr;
    if (pbmi == nullptr || (hdc != nullptr && dcOf(hdc) == nullptr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const BITMAPINFOHEADER& h = pbmi->bmiHeader;
    long long width = h.biWidth, height = std::llabs(static_cast<long long>(h.biHeight));
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biPlanes != 1 || h.biBitCount != 32 || h.biCompression != BI_RGB ||
        usage != DIB_RGB_COLORS || hSection != nullptr || offset != 0 || width <= 0 || height <= 0 || width > 16384 ||
        height > 16384 || width * height > 64LL * 1024 * 1024) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto* b = new Bitmap;
    b->width = static_cast<int>(width);
    b->height = static_cast<int>(height);
    b->topDown = h.biHeight < 0;
    b->pixels.assign(static_cast<size_t>(width * height), 0);
    HBITMAP handle = addBitmap(b);
    if (ppvBits != nullptr) *ppvBits = b->pixels.data();
    return handle;
}
