// The tables of GDI objects and device contexts, and the functions that create,
// select and delete them.
#include "gdi/objects.h"

#include <map>
#include <memory>

#include "winuser.h"

namespace win32::gdi {
namespace {

struct Tables {
    std::map<std::uintptr_t, std::unique_ptr<Bitmap>> bitmaps;
    std::map<std::uintptr_t, std::unique_ptr<DeviceContext>> dcs;
    std::uintptr_t next = 0x20000;
};

Tables& tables()
{
    static Tables* t = new Tables;
    return *t;
}

std::uintptr_t newHandle()
{
    Tables& t = tables();
    t.next += 4;
    return t.next;
}

}  // namespace

Bitmap* bitmapOf(HGDIOBJ handle)
{
    auto& m = tables().bitmaps;
    auto it = m.find(reinterpret_cast<std::uintptr_t>(handle));
    return it == m.end() ? nullptr : it->second.get();
}

DeviceContext* dcOf(HDC hdc)
{
    auto& m = tables().dcs;
    auto it = m.find(reinterpret_cast<std::uintptr_t>(hdc));
    return it == m.end() ? nullptr : it->second.get();
}

Bitmap* selectedBitmap(HDC hdc)
{
    DeviceContext* dc = dcOf(hdc);
    return dc && dc->memory ? bitmapOf(dc->bitmap) : nullptr;
}

HBITMAP addBitmap(Bitmap* b)
{
    std::uintptr_t h = newHandle();
    tables().bitmaps[h].reset(b);
    return reinterpret_cast<HBITMAP>(h);
}

void removeBitmap(HBITMAP h) { tables().bitmaps.erase(reinterpret_cast<std::uintptr_t>(h)); }

HDC addDc(DeviceContext* dc)
{
    std::uintptr_t h = newHandle();
    tables().dcs[h].reset(dc);
    return reinterpret_cast<HDC>(h);
}

void removeDc(HDC h) { tables().dcs.erase(reinterpret_cast<std::uintptr_t>(h)); }

}  // namespace win32::gdi

using namespace win32::gdi;

HDC GetDC(HWND hWnd)
{
    if (hWnd != nullptr && !IsWindow(hWnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    auto* dc = new DeviceContext;
    dc->window = hWnd ? hWnd : GetDesktopWindow();
    return addDc(dc);
}

int ReleaseDC(HWND hWnd, HDC hDC)
{
    DeviceContext* dc = dcOf(hDC);
    if (dc == nullptr || dc->memory) return 0;
    removeDc(hDC);
    return 1;
}

HDC CreateCompatibleDC(HDC hdc)
{
    if (hdc != nullptr && dcOf(hdc) == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    auto* stock = new Bitmap;
    stock->width = stock->height = 1;
    stock->bitsPerPixel = 1;
    stock->stock = true;
    stock->pixels.assign(1, 0);
    HBITMAP stockHandle = addBitmap(stock);
    auto* dc = new DeviceContext;
    dc->memory = true;
    dc->bitmap = stockHandle;
    HDC h = addDc(dc);
    stock->selectedInto = h;
    return h;
}

BOOL DeleteDC(HDC hdc)
{
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (Bitmap* b = bitmapOf(dc->bitmap)) {
        b->selectedInto = nullptr;
        if (b->stock) removeBitmap(dc->bitmap);
    }
    removeDc(hdc);
    return TRUE;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h)
{
    DeviceContext* dc = dcOf(hdc);
    Bitmap* b = bitmapOf(h);
    if (dc == nullptr || b == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    // Only memory device contexts take bitmaps, and a bitmap lives in one at a time.
    if (!dc->memory || (b->selectedInto != nullptr && b->selectedInto != hdc)) return nullptr;
    HGDIOBJ previous = dc->bitmap;
    if (Bitmap* old = bitmapOf(dc->bitmap)) old->selectedInto = nullptr;
    dc->bitmap = static_cast<HBITMAP>(h);
    b->selectedInto = hdc;
    return previous;
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type)
{
    DeviceContext* dc = dcOf(hdc);
    if (dc == nullptr || type != OBJ_BITMAP) return nullptr;
    return dc->bitmap;
}

BOOL DeleteObject(HGDIOBJ ho)
{
    Bitmap* b = bitmapOf(ho);
    if (b == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    // The stock bitmap belongs to its device context; a selected bitmap is in use.
    if (b->stock || b->selectedInto != nullptr) return FALSE;
    removeBitmap(static_cast<HBITMAP>(ho));
    return TRUE;
}

int GetObjectW(HANDLE h, int c, LPVOID pv)
{
    Bitmap* b = bitmapOf(h);
    if (b == nullptr) return 0;
    if (pv == nullptr) return sizeof(BITMAP);
    if (c < static_cast<int>(sizeof(BITMAP))) return 0;
    BITMAP bm{};
    bm.bmWidth = b->width;
    bm.bmHeight = b->height;
    bm.bmWidthBytes = b->bitsPerPixel == 32 ? b->width * 4 : 2;
    bm.bmPlanes = 1;
    bm.bmBitsPixel = static_cast<WORD>(b->bitsPerPixel);
    bm.bmBits = b->stock ? nullptr : b->pixels.data();
    *static_cast<BITMAP*>(pv) = bm;
    return sizeof(BITMAP);
}

BOOL GdiFlush() { return TRUE; }
