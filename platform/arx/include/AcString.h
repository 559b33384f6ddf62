// AcString: the SDK's wide string. Text is kept as wchar_t; conversion to and from
// UTF-8 happens at the edges (files, the command line).
#pragma once
#include <string>

#include "adesk.h"

class AcString {
public:
    AcString() = default;
    AcString(const ACHAR* s) : mText(s ? s : L"") {}
    AcString(const std::wstring& s) : mText(s) {}
    AcString(ACHAR ch) : mText(1, ch) {}

    const ACHAR* kwszPtr() const { return mText.c_str(); }
    const ACHAR* constPtr() const { return mText.c_str(); }
    const ACHAR* kACharPtr() const { return mText.c_str(); }
    operator const ACHAR*() const { return mText.c_str(); }
    std::string utf8() const;
    static AcString fromUtf8(const char* s, size_t len);

    int length() const { return static_cast<int>(mText.size()); }
    bool isEmpty() const { return mText.empty(); }
    AcString& setEmpty()
    {
        mText.clear();
        return *this;
    }
    AcString& format(const ACHAR* fmt, ...);
    AcString& operator=(const ACHAR* s)
    {
        mText = s ? s : L"";
        return *this;
    }
    AcString& operator+=(const AcString& s)
    {
        mText += s.mText;
        return *this;
    }
    AcString operator+(const AcString& s) const { return AcString(mText + s.mText); }
    bool operator==(const AcString& s) const { return mText == s.mText; }
    bool operator==(const ACHAR* s) const { return mText == (s ? s : L""); }
    bool operator<(const AcString& s) const { return mText < s.mText; }
    int compareNoCase(const ACHAR* s) const;
    AcString& makeUpper();

    const std::wstring& str() const { return mText; }

private:
    std::wstring mText;
};
