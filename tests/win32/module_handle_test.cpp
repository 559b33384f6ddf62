// Module handles: a module's handle is its image base whichever way it is asked
// for (null name, file name, an address inside it), and GetModuleHandleExW's
// references keep a module loaded until FreeLibrary gives them back.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <memory>

#include "loaded_module.h"
#include "windows.h"

namespace {

constexpr DWORD kFromAddress = GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;

void anchorInProgram() {}

HMODULE loaderBase(const void* address)
{
    Dl_info info{};
    EXPECT_NE(dladdr(address, &info), 0);
    return static_cast<HMODULE>(info.dli_fbase);
}

std::wstring fileName(HMODULE module, DWORD size, DWORD& result)
{
    std::wstring buffer(size + 4, L'#');
    result = GetModuleFileNameW(module, buffer.data(), size);
    return buffer;
}

}  // namespace

TEST(ModuleHandle, EveryWayToTheProgramGivesItsImageBase)
{
    HMODULE program = loaderBase(reinterpret_cast<const void*>(&anchorInProgram));
    EXPECT_EQ(GetModuleHandleW(nullptr), program);

    HMODULE fromAddress = nullptr;
    ASSERT_TRUE(GetModuleHandleExW(kFromAddress, reinterpret_cast<LPCWSTR>(&anchorInProgram), &fromAddress));
    EXPECT_EQ(fromAddress, program);
    ASSERT_TRUE(GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT, nullptr, &fromAddress));
    EXPECT_EQ(fromAddress, program);
}

TEST(ModuleHandle, AnAddressFindsTheLibraryThatHoldsIt)
{
    HMODULE library = nullptr;
    ASSERT_TRUE(GetModuleHandleExW(kFromAddress, reinterpret_cast<LPCWSTR>(&GetLastError), &library));
    EXPECT_EQ(library, loaderBase(reinterpret_cast<const void*>(&GetLastError)));
    EXPECT_NE(library, GetModuleHandleW(nullptr));
    EXPECT_EQ(GetModuleHandleW(L"libwin32.so"), library);

    auto heap = std::make_unique<int>(0);
    HMODULE none = reinterpret_cast<HMODULE>(1);
    EXPECT_FALSE(GetModuleHandleExW(kFromAddress, reinterpret_cast<LPCWSTR>(heap.get()), &none));
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_EQ(GetModuleHandleW(L"no-such-module.so"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST(ModuleHandle, ALoadedModuleSeesTheHandleTheLoaderGaveIt)
{
    LoadedModule a(TEST_MODULE_A, false);
    HMODULE self = a.symbol<HMODULE (*)()>("testModuleHandle")();
    EXPECT_EQ(self, a.handle());
    EXPECT_NE(self, GetModuleHandleW(nullptr));
    std::string base = std::filesystem::path(TEST_MODULE_A).filename().string();
    EXPECT_EQ(GetModuleHandleW(std::wstring(base.begin(), base.end()).c_str()), self);
}

TEST(ModuleHandle, BadArgumentsAreRefused)
{
    HMODULE module = nullptr;
    EXPECT_FALSE(GetModuleHandleExW(kFromAddress, reinterpret_cast<LPCWSTR>(&anchorInProgram), nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_FALSE(GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT, nullptr, &module));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_FALSE(GetModuleHandleExW(0x100, nullptr, &module));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(ModuleHandle, AReferenceKeepsTheModuleLoadedUntilFreeLibrary)
{
    auto a = std::make_unique<LoadedModule>(TEST_MODULE_A, false);
    HMODULE handle = a->handle();
    HMODULE referenced = nullptr;
    ASSERT_TRUE(GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                                   reinterpret_cast<LPCWSTR>(a->symbol<void*>("testModuleHandle")), &referenced));
    EXPECT_EQ(referenced, handle);

    a->unload();  // the host lets go; the reference still holds the module
    EXPECT_TRUE(LoadedModule::isLoaded(TEST_MODULE_A));
    EXPECT_TRUE(FreeLibrary(referenced));
    EXPECT_FALSE(LoadedModule::isLoaded(TEST_MODULE_A));
    EXPECT_FALSE(FreeLibrary(referenced));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(ModuleHandle, UnchangedRefcountTakesNoReference)
{
    auto a = std::make_unique<LoadedModule>(TEST_MODULE_A, false);
    HMODULE module = a->symbol<HMODULE (*)()>("testModuleHandle")();
    ASSERT_NE(module, nullptr);
    a->unload();
    EXPECT_FALSE(LoadedModule::isLoaded(TEST_MODULE_A));
}

TEST(ModuleFileName, GivesTheAbsolutePathOfTheModulesFile)
{
    char exe[4096] = {};
    ASSERT_GT(readlink("/proc/self/exe", exe, sizeof exe - 1), 0);
    std::string expected = exe;
    DWORD n = 0;
    std::wstring got = fileName(nullptr, 4096, n);
    EXPECT_EQ(n, expected.size());
    EXPECT_EQ(got.substr(0, n + 1), std::wstring(expected.begin(), expected.end()) + L'\0');
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));

    LoadedModule a(TEST_MODULE_A, false);
    std::string path = std::filesystem::canonical(TEST_MODULE_A).string();
    got = fileName(a.handle(), 4096, n);
    EXPECT_EQ(got.substr(0, n), std::wstring(path.begin(), path.end()));
}

TEST(ModuleFileName, ASmallBufferGetsATerminatedPrefixAndItsSize)
{
    char exe[4096] = {};
    ASSERT_GT(readlink("/proc/self/exe", exe, sizeof exe - 1), 0);
    std::wstring full(exe, exe + std::strlen(exe));
    const auto length = static_cast<DWORD>(full.size());

    DWORD n = 0;
    std::wstring got = fileName(nullptr, 5, n);
    EXPECT_EQ(n, 5u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(got.substr(0, 5), full.substr(0, 4) + L'\0');
    EXPECT_EQ(got[5], L'#');  // nothing written past the buffer

    got = fileName(nullptr, length, n);  // no room for the terminator
    EXPECT_EQ(n, length);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(got[length - 1], L'\0');

    got = fileName(nullptr, length + 1, n);  // just enough
    EXPECT_EQ(n, length);
    EXPECT_EQ(got.substr(0, length), full);

    EXPECT_EQ(GetModuleFileNameW(reinterpret_cast<HMODULE>(0x1000), got.data(), 100), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}
