// LoadStringW: finds the string's bundle (RT_STRING resource (id >> 4) + 1) and walks
// the length-prefixed strings before it, as Windows does. The walk is bounded by the
// resource's size, so a malformed bundle cannot take it outside the resource.
#include <cstring>

#include "libloaderapi.h"
#include "winuser.h"

namespace {

// The string's characters inside its bundle, or false when it is missing or empty.
bool findString(HINSTANCE hInstance, UINT uID, const wchar_t*& text, int& length)
{
    HRSRC info = FindResourceW(hInstance, MAKEINTRESOURCE((uID >> 4) + 1), RT_STRING);
    if (info == nullptr)
        return false;
    HGLOBAL data = LoadResource(hInstance, info);
    auto* p = static_cast<const wchar_t*>(LockResource(data));
    DWORD units = SizeofResource(hInstance, info) / sizeof(wchar_t);
    if (p == nullptr)
        return false;
    const wchar_t* end = p + units;
    for (UINT skip = uID & 15; skip > 0; --skip) {
        if (p >= end || static_cast<DWORD>(*p) >= static_cast<DWORD>(end - p))
            return false;
        p += 1 + *p;
    }
    if (p >= end || static_cast<DWORD>(*p) >= static_cast<DWORD>(end - p) || *p == 0) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return false;
    }
    length = static_cast<int>(*p);
    text = p + 1;
    return true;
}

}  // namespace

int LoadStringW(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int cchBufferMax)
{
    if (lpBuffer == nullptr || cchBufferMax < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const wchar_t* text = nullptr;
    int length = 0;
    if (!findString(hInstance, uID, text, length)) {
        if (cchBufferMax > 0)
            lpBuffer[0] = L'\0';
        else
            *reinterpret_cast<const wchar_t**>(lpBuffer) = nullptr;
        return 0;
    }
    if (cchBufferMax == 0) {
        *reinterpret_cast<const wchar_t**>(lpBuffer) = text;
        return length;
    }
    int copied = length < cchBufferMax - 1 ? length : cchBufferMax - 1;
    std::memcpy(lpBuffer, text, static_cast<std::size_t>(copied) * sizeof(wchar_t));
    lpBuffer[copied] = L'\0';
    return copied;
}
