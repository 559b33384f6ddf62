// Finding resources by module handle: ids, names without regard to case and "#id",
// the errors for what is missing, the data of a resource, and resources that come
// and go with their module.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "data/resource.h"
#include "loaded_module.h"
#include "win32/dialog_template.h"
#include "commctrl.h"
#include "windows.h"

namespace {

std::vector<unsigned char> dotPng()
{
    std::ifstream in(ARXHOST_SOURCE_DIR "/tests/win32/data/dot.png", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<unsigned char> resourceBytes(HMODULE module, HRSRC info)
{
    auto* p = static_cast<const unsigned char*>(LockResource(LoadResource(module, info)));
    DWORD size = SizeofResource(module, info);
    return p ? std::vector<unsigned char>(p, p + size) : std::vector<unsigned char>();
}

}  // namespace

TEST(FindResourceW, ByIdByNameAndByNumberText)
{
    HRSRC byId = FindResourceW(nullptr, MAKEINTRESOURCE(IDB_DOT), L"PNG");
    ASSERT_NE(byId, nullptr);
    EXPECT_EQ(resourceBytes(nullptr, byId), dotPng());
    EXPECT_EQ(FindResourceW(GetModuleHandleW(nullptr), MAKEINTRESOURCE(IDB_DOT), L"png"), byId);
    EXPECT_EQ(FindResourceW(nullptr, L"#600", L"Png"), byId);

    // "Dot PNG ..." in the script: names are kept and compared without case.
    HRSRC byName = FindResourceW(nullptr, L"dot", L"PNG");
    ASSERT_NE(byName, nullptr);
    EXPECT_NE(byName, byId);
    EXPECT_EQ(FindResourceW(nullptr, L"DoT", L"PNG"), byName);
    EXPECT_EQ(resourceBytes(nullptr, byName), dotPng());

    // The same id under another type is another resource.
    HRSRC rcdata = FindResourceW(nullptr, MAKEINTRESOURCE(IDB_DOT), RT_RCDATA);
    ASSERT_NE(rcdata, nullptr);
    EXPECT_NE(rcdata, byId);
    EXPECT_EQ(SizeofResource(nullptr, rcdata), dotPng().size());
}

TEST(FindResourceW, MissingResourcesGiveNullAndSayWhatIsMissing)
{
    EXPECT_EQ(FindResourceW(nullptr, MAKEINTRESOURCE(IDB_DOT + 1), L"PNG"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(FindResourceW(nullptr, L"dots", L"PNG"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(FindResourceW(nullptr, MAKEINTRESOURCE(IDB_DOT), L"GIF"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
    EXPECT_EQ(FindResourceW(nullptr, L"#600x", L"PNG"), nullptr);  // not a number: a name

    // The stand-in's own library has no resources at all.
    HMODULE library = GetModuleHandleW(L"libwin32.so");
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(FindResourceW(library, MAKEINTRESOURCE(IDB_DOT), L"PNG"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
}

TEST(FindResourceW, HandlesThatAreNoResourcesAreRefused)
{
    HRSRC fake = reinterpret_cast<HRSRC>(&GetLastError);
    EXPECT_EQ(LoadResource(nullptr, fake), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(SizeofResource(nullptr, fake), 0u);
    EXPECT_EQ(LoadResource(nullptr, nullptr), nullptr);
    EXPECT_EQ(LockResource(nullptr), nullptr);
}

TEST(FindResourceW, EachModuleHasItsOwnResourcesWhileItIsLoaded)
{
    auto b = std::make_unique<LoadedModule>(TEST_MODULE_B, false);
    HMODULE module = b->handle();
    HRSRC inModule = FindResourceW(module, MAKEINTRESOURCE(IDB_DOT), L"PNG");
    ASSERT_NE(inModule, nullptr);
    EXPECT_NE(inModule, FindResourceW(nullptr, MAKEINTRESOURCE(IDB_DOT), L"PNG"));
    EXPECT_EQ(resourceBytes(module, inModule), dotPng());
    // The program's named PNG is not the module's.
    EXPECT_EQ(FindResourceW(module, L"DOT", L"PNG"), nullptr);
    // A handle of one module is not valid with another.
    EXPECT_EQ(LoadResource(GetModuleHandleW(nullptr), inModule), nullptr);

    b->unload();
    EXPECT_FALSE(LoadedModule::isLoaded(TEST_MODULE_B));
    EXPECT_EQ(FindResourceW(module, MAKEINTRESOURCE(IDB_DOT), L"PNG"), nullptr);
    // The old handle points into an unloaded image: refused, not read.
    EXPECT_EQ(LoadResource(module, inModule), nullptr);
    EXPECT_EQ(SizeofResource(nullptr, inModule), 0u);
}

TEST(DialogResource, TheTemplateHoldsWhatTheScriptSays)
{
    HRSRC info = FindResourceW(nullptr, MAKEINTRESOURCE(IDD_NOTES), RT_DIALOG);
    ASSERT_NE(info, nullptr);
    ASSERT_EQ(SizeofResource(nullptr, info), sizeof(win32::res::DialogTemplate));
    auto* dlg = static_cast<const win32::res::DialogTemplate*>(LockResource(LoadResource(nullptr, info)));
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->dlgVer, 1);
    EXPECT_EQ(dlg->signature, 0xFFFF);
    // CAPTION adds WS_CAPTION to the style the script gave.
    EXPECT_EQ(dlg->style, static_cast<DWORD>(DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_SYSMENU | WS_CAPTION));
    EXPECT_EQ(dlg->exStyle, 0u);
    EXPECT_EQ(dlg->x, 10);
    EXPECT_EQ(dlg->y, 20);
    EXPECT_EQ(dlg->cx, 300);
    EXPECT_EQ(dlg->cy, 180);
    EXPECT_STREQ(dlg->caption, L"Voice notes");
    EXPECT_EQ(dlg->pointsize, 9);
    EXPECT_EQ(dlg->weight, 400);
    EXPECT_EQ(dlg->italic, 0);
    EXPECT_EQ(dlg->charset, 1);
    EXPECT_STREQ(dlg->typeface, L"Segoe UI");
    ASSERT_EQ(dlg->cDlgItems, 3);

    const auto& list = dlg->items[0];
    EXPECT_STREQ(list.windowClass, L"SysListView32");
    EXPECT_EQ(list.id, static_cast<DWORD>(IDC_LIST));
    EXPECT_EQ(list.style, static_cast<DWORD>(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | WS_BORDER | WS_TABSTOP));
    EXPECT_EQ(list.cx, 286);
    const auto& play = dlg->items[1];
    EXPECT_STREQ(play.windowClass, L"Button");
    EXPECT_STREQ(play.title, L"&Play");
    EXPECT_EQ(play.style, static_cast<DWORD>(WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP));
    EXPECT_EQ(dlg->items[2].id, static_cast<DWORD>(IDCANCEL));
    EXPECT_EQ(dlg->items[2].style, static_cast<DWORD>(WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP));
}
