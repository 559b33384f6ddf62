// CString: Format with Windows' printf conventions (which differ from the C
// library's), the GetBuffer contract, clamping of Left/Right/Mid, search, case and
// comparison, and strings loaded by resource id.
#include <gtest/gtest.h>

#include <cstring>

#include "afxwin.h"
#include "cstring_printer.h"
#include "data/resource.h"

namespace {

CString format(const wchar_t* fmt, auto... args)
{
    CString s;
    s.Format(fmt, args...);
    return s;
}

}  // namespace

TEST(CStringFormat, StringAndCharacterConversionsFollowWindows)
{
    EXPECT_EQ(format(L"%s=%d", L"x", 5), L"x=5");  // %s is wide in a wide function
    EXPECT_EQ(format(L"%S|%hs", "narrow", "also"), L"narrow|also");
    EXPECT_EQ(format(L"%ls|%ws", L"wide", L"too"), L"wide|too");
    EXPECT_EQ(format(L"%c%C%lc%hc", L'\u00e9', 'A', L'\u00fc', 'b'), L"\u00e9A\u00fcb");
    EXPECT_EQ(format(L"%S", "\xc3\xa9t\xc3\xa9"), L"\u00e9t\u00e9");  // narrow text is UTF-8
    EXPECT_EQ(format(L"[%5s][%-5s][%.2s]", L"ab", L"ab", L"abcdef"), L"[   ab][ab   ][ab]");
    EXPECT_EQ(format(L"[%*s][%.*s]", 4, L"a", 1, L"xyz"), L"[   a][x]");
    EXPECT_EQ(format(L"%s|%S", static_cast<const wchar_t*>(nullptr), static_cast<const char*>(nullptr)), L"(null)|(null)");
    EXPECT_EQ(format(L"100%%"), L"100%");
}

TEST(CStringFormat, IntegerSizesAreWindowsSizes)
{
    // l is 32 bits on Windows: a LONG followed by an int must both read correctly.
    LONG negative = -5;
    DWORD big = 0xFFFFFFFFu;
    EXPECT_EQ(format(L"%ld %d %lu %lx", negative, 7, big, big), L"-5 7 4294967295 ffffffff");
    EXPECT_EQ(format(L"%I64d %I64u", -(1LL << 40), 1ULL << 63), L"-1099511627776 9223372036854775808");
    EXPECT_EQ(format(L"%lld %I32d %Iu", 1LL << 33, -3, static_cast<size_t>(1) << 40), L"8589934592 -3 1099511627776");
    EXPECT_EQ(format(L"%hd %hu %hhd", 70000, 70000, 300), L"4464 4464 44");
    EXPECT_EQ(format(L"%08X|%-4d|%+d|%#x|%o", 0xBEEFu, 42, 3, 255u, 8u), L"0000BEEF|42  |+3|0xff|10");
}

TEST(CStringFormat, FloatingPointAndPointers)
{
    EXPECT_EQ(format(L"%5.2f|%e|%g", 3.14159, 1500.0, 0.5), L" 3.14|1.500000e+03|0.5");
    // Windows prints every hex digit of a pointer, in upper case.
    EXPECT_EQ(format(L"%p", reinterpret_cast<void*>(0xABCDEF)), L"0000000000ABCDEF");
}

TEST(CStringFormat, PercentNIsRefusedAndItsArgumentSkipped)
{
    int written = 42;
    EXPECT_EQ(format(L"a%nb%d", &written, 9), L"ab9");
    EXPECT_EQ(written, 42);
}

TEST(CStringFormat, MalformedConversionsDoNotReadArguments)
{
    EXPECT_EQ(format(L"%y|%d", 4), L"%y|4");
    EXPECT_EQ(format(L"tail %"), L"tail %");
    CString s = L"before";
    s.AppendFormat(L" %d", 1);
    EXPECT_EQ(s, L"before 1");
}

TEST(CString, GetBufferLeavesRoomForATerminator)
{
    CString s = L"abc";
    wchar_t* p = s.GetBuffer(10);
    EXPECT_EQ(std::wcsncmp(p, L"abc", 3), 0);
    std::wcscpy(p, L"0123456789");  // ten characters and the terminator
    s.ReleaseBuffer();
    EXPECT_EQ(s, L"0123456789");
    EXPECT_EQ(s.GetLength(), 10);

    p = s.GetBuffer(4);  // never shrinks the string
    p[2] = L'\0';
    s.ReleaseBuffer();
    EXPECT_EQ(s, L"01");
    s.GetBuffer(8);
    s.ReleaseBuffer(1);
    EXPECT_EQ(s, L"0");
    s.GetBuffer();
    s.ReleaseBuffer(100);  // more than there is: clamped to the buffer
    EXPECT_LE(s.GetLength(), 2);
}

TEST(CString, LeftRightMidClampToTheString)
{
    CString s = L"abcdef";
    EXPECT_EQ(s.Left(2), L"ab");
    EXPECT_EQ(s.Left(100), L"abcdef");
    EXPECT_EQ(s.Left(-1), L"");
    EXPECT_EQ(s.Right(2), L"ef");
    EXPECT_EQ(s.Right(100), L"abcdef");
    EXPECT_EQ(s.Mid(2), L"cdef");
    EXPECT_EQ(s.Mid(2, 2), L"cd");
    EXPECT_EQ(s.Mid(4, 100), L"ef");
    EXPECT_EQ(s.Mid(10), L"");
    EXPECT_EQ(s.Mid(-3, 2), L"ab");
    EXPECT_EQ(s.GetAt(100), L'\0');
}

TEST(CString, FindSearchesFromAStart)
{
    CString s = L"a.b.c";
    EXPECT_EQ(s.Find(L'.'), 1);
    EXPECT_EQ(s.Find(L'.', 2), 3);
    EXPECT_EQ(s.Find(L'.', 4), -1);
    EXPECT_EQ(s.Find(L'.', -1), -1);
    EXPECT_EQ(s.Find(L"b.c"), 2);
    EXPECT_EQ(s.Find(L"b.c", 3), -1);
    EXPECT_EQ(s.Find(L"x"), -1);
    EXPECT_EQ(s.Find(L'.', 100), -1);
}

TEST(CString, CaseMappingCoversMoreThanAscii)
{
    CString s = L"caf\u00e9 \u00f1";
    s.MakeUpper();
    EXPECT_EQ(s, L"CAF\u00c9 \u00d1");
    s.MakeLower();
    EXPECT_EQ(s, L"caf\u00e9 \u00f1");
    EXPECT_EQ(CString(L"\u00c9t\u00e9").CompareNoCase(L"\u00e9T\u00c9"), 0);
}

TEST(CString, ComparisonsAndConcatenation)
{
    CString a = L"apple";
    CString b = L"banana";
    EXPECT_TRUE(a < b);
    EXPECT_TRUE(a != b);
    EXPECT_TRUE(a == L"apple");
    EXPECT_TRUE(L"apple" == a);
    EXPECT_TRUE(b > L"apple");
    EXPECT_LT(a.Compare(L"b"), 0);
    EXPECT_EQ(a + L"-" + b, L"apple-banana");
    EXPECT_EQ(L'<' + a + L'>', L"<apple>");
    CString c;
    EXPECT_TRUE(c.IsEmpty());
    c += a;
    c += L'!';
    c += static_cast<const wchar_t*>(nullptr);
    EXPECT_EQ(c, L"apple!");
    c.Empty();
    EXPECT_EQ(c.GetLength(), 0);
    EXPECT_EQ(CString(L'x', 3), L"xxx");
    EXPECT_EQ(CString(L"abcdef", 3), L"abc");
    EXPECT_EQ(CString("\xc3\xa9"), L"\u00e9");
    const wchar_t* raw = a;
    EXPECT_STREQ(raw, L"apple");
}

TEST(CString, AResourceIdLoadsTheString)
{
    CString s(MAKEINTRESOURCE(IDS_GREETING));
    EXPECT_EQ(s, L"Hello, world");
    EXPECT_TRUE(s.LoadString(IDS_FIRST_OF_NEXT));
    EXPECT_EQ(s, L"sixteen");
    EXPECT_FALSE(s.LoadString(4000));
    EXPECT_EQ(s, L"sixteen");  // unchanged when the string is missing
    EXPECT_TRUE(CString(MAKEINTRESOURCE(4000)).IsEmpty());
}
