// PathFindExtensionW: the "." of the last part's extension, or the terminating
// null; no extension holds a space or reaches past a separator.
#include <gtest/gtest.h>

#include <shlwapi.h>

#include <cwchar>

namespace {

std::wstring extensionOf(const wchar_t* path) { return PathFindExtensionW(path); }

TEST(PathFindExtension, PointsAtTheDotOfTheLastPartsExtension)
{
    const wchar_t* path = L"C:\\work\\site.plan.SV$";
    EXPECT_EQ(PathFindExtensionW(path), path + std::wcslen(L"C:\\work\\site.plan"));
    EXPECT_EQ(extensionOf(L"/tmp/a_1_2.sv$"), L".sv$");
    EXPECT_EQ(extensionOf(L"name."), L".");
}

TEST(PathFindExtension, WithoutAnExtensionPointsAtTheTerminatingNull)
{
    for (const wchar_t* path : {L"drawing", L"", L"C:\\dir.d\\drawing", L"/dir.d/drawing", L"file.a b"}) {
        const wchar_t* end = path + std::wcslen(path);
        EXPECT_EQ(PathFindExtensionW(path), end) << path;
    }
    EXPECT_EQ(PathFindExtensionW(nullptr), nullptr);
}

}  // namespace
