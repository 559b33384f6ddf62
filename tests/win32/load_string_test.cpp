// LoadStringW as Windows defines it: at most cchBufferMax - 1 characters and a
// terminator, the count copied as result, a read-only pointer for cchBufferMax 0,
// and 0 for strings that are missing or empty.
#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "data/resource.h"
#include "loaded_module.h"
#include "windows.h"

namespace {

// A buffer with guard characters after the part LoadStringW may use.
struct Buffer {
    explicit Buffer(int size) : size(size), data(static_cast<std::size_t>(size) + 8, L'#') {}
    int load(HINSTANCE module, UINT id) { return LoadStringW(module, id, data.data(), size); }
    bool guardIntact() const { return data.substr(static_cast<std::size_t>(size)) == std::wstring(8, L'#'); }
    int size;
    std::wstring data;
};

}  // namespace

TEST(LoadStringW, CopiesTheWholeStringWhenItFits)
{
    Buffer b(64);
    EXPECT_EQ(b.load(nullptr, IDS_GREETING), 12);
    EXPECT_STREQ(b.data.c_str(), L"Hello, world");
    EXPECT_TRUE(b.guardIntact());

    Buffer exact(13);
    EXPECT_EQ(exact.load(nullptr, IDS_GREETING), 12);
    EXPECT_STREQ(exact.data.c_str(), L"Hello, world");
    EXPECT_TRUE(exact.guardIntact());
}

TEST(LoadStringW, ASmallBufferGetsATerminatedPrefix)
{
    Buffer b(6);
    EXPECT_EQ(b.load(nullptr, IDS_GREETING), 5);
    EXPECT_EQ(b.data.substr(0, 6), std::wstring(L"Hello") + L'\0');
    EXPECT_TRUE(b.guardIntact());

    Buffer one(1);
    EXPECT_EQ(one.load(nullptr, IDS_GREETING), 0);
    EXPECT_EQ(one.data[0], L'\0');
    EXPECT_TRUE(one.guardIntact());
}

TEST(LoadStringW, ZeroBufferSizeHandsOutAPointerIntoTheResource)
{
    const wchar_t* text = nullptr;
    int length = LoadStringW(nullptr, IDS_GREETING, reinterpret_cast<LPWSTR>(&text), 0);
    ASSERT_EQ(length, 12);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::wstring(text, 12), L"Hello, world");

    // The pointer lies inside the string's bundle, resource (id >> 4) + 1.
    HRSRC bundle = FindResourceW(nullptr, MAKEINTRESOURCE((IDS_GREETING >> 4) + 1), RT_STRING);
    ASSERT_NE(bundle, nullptr);
    auto* first = static_cast<const wchar_t*>(LockResource(LoadResource(nullptr, bundle)));
    EXPECT_GE(text, first);
    EXPECT_LE(text + 12, first + SizeofResource(nullptr, bundle) / sizeof(wchar_t));
}

TEST(LoadStringW, MissingAndEmptyStringsGiveZero)
{
    Buffer missing(16);
    EXPECT_EQ(missing.load(nullptr, 3), 0);  // a bundle that exists, an id that does not
    EXPECT_EQ(missing.data[0], L'\0');
    EXPECT_EQ(Buffer(16).load(nullptr, 4000), 0);  // no bundle at all
    EXPECT_EQ(Buffer(16).load(nullptr, IDS_EMPTY), 0);

    const wchar_t* text = L"unchanged";
    EXPECT_EQ(LoadStringW(nullptr, 4000, reinterpret_cast<LPWSTR>(&text), 0), 0);
    EXPECT_EQ(LoadStringW(nullptr, IDS_GREETING, nullptr, 16), 0);
    EXPECT_EQ(LoadStringW(nullptr, IDS_GREETING, Buffer(4).data.data(), -1), 0);
}

TEST(LoadStringW, FindsIdsAtTheEdgesOfBundles)
{
    Buffer b(64);
    EXPECT_EQ(b.load(nullptr, IDS_LAST_OF_BUNDLE), 7);
    EXPECT_STREQ(b.data.c_str(), L"fifteen");
    EXPECT_EQ(b.load(nullptr, IDS_FIRST_OF_NEXT), 7);
    EXPECT_STREQ(b.data.c_str(), L"sixteen");
    EXPECT_EQ(b.load(nullptr, IDS_HIGHEST), 14);
    EXPECT_STREQ(b.data.c_str(), L"the highest id");
}

TEST(LoadStringW, ReadsTheTableOfTheModuleItIsGiven)
{
    LoadedModule a(TEST_MODULE_A, false);
    Buffer b(64);
    EXPECT_GT(b.load(a.handle(), IDS_SHARED), 0);
    EXPECT_STREQ(b.data.c_str(), L"shared, from module A");
    EXPECT_GT(b.load(nullptr, IDS_SHARED), 0);
    EXPECT_STREQ(b.data.c_str(), L"shared, from the program");
    EXPECT_EQ(b.load(nullptr, IDS_ONLY_IN_A), 0);
}
