// CString: MFC's wide string with its copy-on-assign value semantics, Format with
// Windows' printf conventions, and LoadString from the module resource chain.
#pragma once
#include <compare>
#include <string>

#include "win32/export.h"
#include "afx.h"

class W32_EXPORT CString {
public:
    CString() = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    // A MAKEINTRESOURCE value loads that string, as MFC does; null is the empty string.
    CString(LPCWSTR psz);
    CString(LPCWSTR pch, int nLength);
    explicit CString(wchar_t ch, int nRepeat = 1);
    // Narrow text is taken as UTF-8.
    CString(LPCSTR psz);
    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(LPCWSTR psz);
    CString& operator=(LPCSTR psz);
    CString& operator=(wchar_t ch);

    int GetLength() const { return static_cast<int>(mText.size()); }
    bool IsEmpty() const { return mText.empty(); }
    void Empty() { mText.clear(); }
    // Out-of-range indexes give 0 rather than reading outside the string.
    wchar_t GetAt(int nIndex) const;
    wchar_t operator[](int nIndex) const { return GetAt(nIndex); }
    void SetAt(int nIndex, wchar_t ch);
    LPCWSTR GetString() const { return mText.c_str(); }
    operator LPCWSTR() const { return mText.c_str(); }

    // A writable buffer of at least nMinBufLength characters and a terminator; the
    // string's length is settled by ReleaseBuffer (-1: up to the first terminator).
    LPWSTR GetBuffer();
    LPWSTR GetBuffer(int nMinBufLength);
    void ReleaseBuffer(int nNewLength = -1);

    // printf formatting with Windows' rules for wide functions: %s and %c take wide
    // text, %S, %hs and %hc narrow; l on integers is 32 bits; I64, I32 and I sizes.
    void Format(LPCWSTR pszFormat, ...);
    void AppendFormat(LPCWSTR pszFormat, ...);
    // Loads string nID from the resource handle that AfxFindResourceHandle chooses.
    BOOL LoadString(UINT nID);

    CString& operator+=(const CString& str);
    CString& operator+=(LPCWSTR psz);
    CString& operator+=(wchar_t ch);

    int Compare(LPCWSTR psz) const;
    int CompareNoCase(LPCWSTR psz) const;
    CString& MakeUpper();
    CString& MakeLower();
    // Counts and positions outside the string are clamped to it, as MFC does.
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString Mid(int iFirst) const;
    CString Mid(int iFirst, int nCount) const;
    // Index of the first match at or after iStart, or -1.
    int Find(wchar_t ch, int iStart = 0) const;
    int Find(LPCWSTR pszSub, int iStart = 0) const;

    friend bool operator==(const CString& a, const CString& b) { return a.Compare(b.mText.c_str()) == 0; }
    friend bool operator==(const CString& a, LPCWSTR b) { return a.Compare(b) == 0; }
    friend std::strong_ordering operator<=>(const CString& a, const CString& b) { return a.Compare(b.mText.c_str()) <=> 0; }
    friend std::strong_ordering operator<=>(const CString& a, LPCWSTR b) { return a.Compare(b) <=> 0; }

private:
    std::wstring mText;
};

W32_EXPORT CString operator+(const CString& a, const CString& b);
W32_EXPORT CString operator+(const CString& a, LPCWSTR b);
W32_EXPORT CString operator+(LPCWSTR a, const CString& b);
W32_EXPORT CString operator+(const CString& a, wchar_t b);
W32_EXPORT CString operator+(wchar_t a, const CString& b);
