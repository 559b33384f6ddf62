// CString over std::wstring. MFC's contract is kept where it matters to callers:
// GetBuffer's room for a terminator, clamping in Left/Right/Mid, string ids in the
// constructor, and Windows' printf dialect in Format.
#include <algorithm>
#include <cstdarg>
#include <cwchar>

#include "afxdll_.h"
#include "afxstr.h"
#include "core/utf8.h"
#include "core/wide_case.h"
#include "mfc/msvc_format.h"

CString::CString(LPCWSTR psz)
{
    *this = psz;
}

CString::CString(LPCWSTR pch, int nLength)
{
    if (pch != nullptr && nLength > 0)
        mText.assign(pch, static_cast<std::size_t>(nLength));
}

CString::CString(wchar_t ch, int nRepeat)
{
    if (nRepeat > 0)
        mText.assign(static_cast<std::size_t>(nRepeat), ch);
}

CString::CString(LPCSTR psz)
{
    *this = psz;
}

CString& CString::operator=(LPCWSTR psz)
{
    if (psz == nullptr) {
        mText.clear();
    } else if (IS_INTRESOURCE(psz)) {
        // MFC's way of constructing a string from its resource id.
        LoadString(LOWORD(psz));
    } else {
        mText.assign(psz);
    }
    return *this;
}

CString& CString::operator=(LPCSTR psz)
{
    mText = psz ? win32::widen(psz) : std::wstring();
    return *this;
}

CString& CString::operator=(wchar_t ch)
{
    mText.assign(1, ch);
    return *this;
}

wchar_t CString::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetLength() ? mText[static_cast<std::size_t>(nIndex)] : L'\0';
}

void CString::SetAt(int nIndex, wchar_t ch)
{
    if (nIndex >= 0 && nIndex < GetLength())
        mText[static_cast<std::size_t>(nIndex)] = ch;
}

LPWSTR CString::GetBuffer()
{
    return GetBuffer(0);
}

LPWSTR CString::GetBuffer(int nMinBufLength)
{
    // One character more than asked for, holding a terminator, so that a caller that
    // writes nMinBufLength characters and then a terminator stays inside the string.
    std::size_t length = std::max(mText.size(), static_cast<std::size_t>(std::max(nMinBufLength, 0)));
    mText.resize(length + 1, L'\0');
    return mText.data();
}

void CString::ReleaseBuffer(int nNewLength)
{
    std::size_t room = mText.size();
    std::size_t length = nNewLength < 0 ? wcsnlen(mText.data(), room) : std::min(static_cast<std::size_t>(nNewLength), room);
    mText.resize(length);
}

void CString::Format(LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    mText = win32::formatMsvc(pszFormat, args);
    va_end(args);
}

void CString::AppendFormat(LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    mText += win32::formatMsvc(pszFormat, args);
    va_end(args);
}

BOOL CString::LoadString(UINT nID)
{
    HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE((nID >> 4) + 1), RT_STRING);
    const wchar_t* text = nullptr;
    int length = ::LoadStringW(module, nID, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0)
        return FALSE;
    mText.assign(text, static_cast<std::size_t>(length));
    return TRUE;
}

CString& CString::operator+=(const CString& str)
{
    mText += str.mText;
    return *this;
}

CString& CString::operator+=(LPCWSTR psz)
{
    if (psz != nullptr)
        mText += psz;
    return *this;
}

CString& CString::operator+=(wchar_t ch)
{
    mText += ch;
    return *this;
}

int CString::Compare(LPCWSTR psz) const
{
    int r = std::wcscmp(mText.c_str(), psz ? psz : L"");
    return r < 0 ? -1 : r > 0 ? 1 : 0;
}

int CString::CompareNoCase(LPCWSTR psz) const
{
    const wchar_t* a = mText.c_str();
    const wchar_t* b = psz ? psz : L"";
    for (;; ++a, ++b) {
        wchar_t ca = win32::lowerCase(*a);
        wchar_t cb = win32::lowerCase(*b);
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == L'\0')
            return 0;
    }
}

CString& CString::MakeUpper()
{
    for (wchar_t& c : mText)
        c = win32::upperCase(c);
    return *this;
}

CString& CString::MakeLower()
{
    for (wchar_t& c : mText)
        c = win32::lowerCase(c);
    return *this;
}

CString CString::Left(int nCount) const
{
    return Mid(0, nCount);
}

CString CString::Right(int nCount) const
{
    nCount = std::clamp(nCount, 0, GetLength());
    return Mid(GetLength() - nCount, nCount);
}

CString CString::Mid(int iFirst) const
{
    return Mid(iFirst, GetLength());
}

CString CString::Mid(int iFirst, int nCount) const
{
    iFirst = std::clamp(iFirst, 0, GetLength());
    nCount = std::clamp(nCount, 0, GetLength() - iFirst);
    return CString(mText.c_str() + iFirst, nCount);
}

int CString::Find(wchar_t ch, int iStart) const
{
    if (iStart < 0 || iStart >= GetLength())
        return -1;
    auto pos = mText.find(ch, static_cast<std::size_t>(iStart));
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(LPCWSTR pszSub, int iStart) const
{
    if (pszSub == nullptr || iStart < 0 || iStart > GetLength())
        return -1;
    auto pos = mText.find(pszSub, static_cast<std::size_t>(iStart));
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

CString operator+(const CString& a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, LPCWSTR b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(LPCWSTR a, const CString& b)
{
    CString r(a ? CString(a, static_cast<int>(std::wcslen(a))) : CString());
    r += b;
    return r;
}

CString operator+(const CString& a, wchar_t b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(wchar_t a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}
