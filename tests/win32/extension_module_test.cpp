// MFC extension modules and the resource chain: the current resource handle is
// searched first, then the extension modules newest first (system libraries last),
// and a module whose CDynLinkLibrary is gone is no longer searched.
#include <gtest/gtest.h>

#include "afxwin.h"
#include "cstring_printer.h"
#include "data/resource.h"
#include "loaded_module.h"

namespace {

HINSTANCE holderOf(UINT stringId)
{
    return AfxFindResourceHandle(MAKEINTRESOURCE((stringId >> 4) + 1), RT_STRING);
}

CString loaded(UINT id)
{
    CString s;
    if (!s.LoadString(id))
        return L"<not found>";
    return s;
}

// Restores the current resource handle a test changed.
struct ResourceHandleGuard {
    HINSTANCE saved = AfxGetResourceHandle();
    ~ResourceHandleGuard() { AfxSetResourceHandle(saved); }
};

}  // namespace

TEST(ExtensionModule, TheApplicationIsTheFirstResourceHandle)
{
    EXPECT_EQ(AfxGetResourceHandle(), GetModuleHandleW(nullptr));
    EXPECT_EQ(AfxGetInstanceHandle(), GetModuleHandleW(nullptr));
    ResourceHandleGuard guard;
    LoadedModule a(TEST_MODULE_A, false);
    AfxSetResourceHandle(a.handle());
    EXPECT_EQ(AfxGetResourceHandle(), a.handle());
    EXPECT_EQ(AfxGetInstanceHandle(), GetModuleHandleW(nullptr));
}

TEST(ExtensionModule, InitialisationRecordsTheModuleOnce)
{
    LoadedModule a(TEST_MODULE_A, false);
    AFX_EXTENSION_MODULE state = {};
    EXPECT_FALSE(AfxInitExtensionModule(state, nullptr));
    EXPECT_FALSE(state.bInitialized);
    ASSERT_TRUE(AfxInitExtensionModule(state, a.handle()));
    EXPECT_TRUE(state.bInitialized);
    EXPECT_EQ(state.hModule, a.handle());
    EXPECT_EQ(state.hResource, a.handle());
    EXPECT_TRUE(AfxInitExtensionModule(state, GetModuleHandleW(nullptr)));
    EXPECT_EQ(state.hModule, a.handle());
    AfxTermExtensionModule(state);
    EXPECT_FALSE(state.bInitialized);
}

TEST(ExtensionModule, SearchOrderIsCurrentHandleThenNewestModuleFirst)
{
    LoadedModule a(TEST_MODULE_A);
    LoadedModule b(TEST_MODULE_B);
    ASSERT_EQ(a.symbol<int (*)()>("testModuleAttached")(), 1);
    HINSTANCE program = GetModuleHandleW(nullptr);

    EXPECT_EQ(holderOf(IDS_SHARED), program);  // the program and A have it
    EXPECT_EQ(holderOf(IDS_ONLY_IN_A), a.handle());
    EXPECT_EQ(holderOf(IDS_NEWEST), b.handle());  // A and B have it; B came later
    EXPECT_EQ(holderOf(IDS_ONLY_IN_B), b.handle());
    EXPECT_EQ(holderOf(3000), program);  // nobody: MFC answers the current handle

    EXPECT_EQ(loaded(IDS_SHARED), L"shared, from the program");
    EXPECT_EQ(loaded(IDS_ONLY_IN_A), L"only in module A");
    EXPECT_EQ(loaded(IDS_NEWEST), L"newest is B");
    EXPECT_EQ(loaded(3000), L"<not found>");

    ResourceHandleGuard guard;
    AfxSetResourceHandle(a.handle());
    EXPECT_EQ(holderOf(IDS_NEWEST), a.handle());
    EXPECT_EQ(loaded(IDS_SHARED), L"shared, from module A");
    EXPECT_EQ(loaded(IDS_GREETING), L"<not found>");  // only the program has it
}

TEST(ExtensionModule, AModuleThatDetachesLeavesTheChain)
{
    LoadedModule a(TEST_MODULE_A);
    LoadedModule b(TEST_MODULE_B);
    EXPECT_EQ(holderOf(IDS_NEWEST), b.handle());
    b.unload();  // DllMain(DLL_PROCESS_DETACH) calls AfxTermExtensionModule
    EXPECT_EQ(holderOf(IDS_NEWEST), a.handle());
    EXPECT_EQ(holderOf(IDS_ONLY_IN_B), GetModuleHandleW(nullptr));
    EXPECT_EQ(loaded(IDS_ONLY_IN_B), L"<not found>");
    EXPECT_EQ(loaded(IDS_NEWEST), L"newest is A");
}

TEST(ExtensionModule, ADestroyedLibraryLeavesTheChain)
{
    LoadedModule a(TEST_MODULE_A, false);
    AFX_EXTENSION_MODULE state = {};
    ASSERT_TRUE(AfxInitExtensionModule(state, a.handle()));
    auto* first = new CDynLinkLibrary(state);
    auto* second = new CDynLinkLibrary(state);
    EXPECT_EQ(holderOf(IDS_ONLY_IN_A), a.handle());
    delete first;
    EXPECT_EQ(holderOf(IDS_ONLY_IN_A), a.handle());  // the second one still holds it
    delete second;
    EXPECT_EQ(holderOf(IDS_ONLY_IN_A), GetModuleHandleW(nullptr));
    AfxTermExtensionModule(state);
}

TEST(ExtensionModule, TerminationEndsOnlyThatModulesLibrariesUnlessAll)
{
    LoadedModule a(TEST_MODULE_A, false);
    LoadedModule b(TEST_MODULE_B, false);
    AFX_EXTENSION_MODULE stateA = {}, stateB = {};
    ASSERT_TRUE(AfxInitExtensionModule(stateA, a.handle()));
    ASSERT_TRUE(AfxInitExtensionModule(stateB, b.handle()));
    new CDynLinkLibrary(stateA);
    new CDynLinkLibrary(stateB);
    AfxTermExtensionModule(stateA);
    EXPECT_EQ(holderOf(IDS_ONLY_IN_A), GetModuleHandleW(nullptr));
    EXPECT_EQ(holderOf(IDS_ONLY_IN_B), b.handle());

    new CDynLinkLibrary(stateA);
    AfxTermExtensionModule(stateB, TRUE);
    EXPECT_EQ(holderOf(IDS_ONLY_IN_A), GetModuleHandleW(nullptr));
    EXPECT_EQ(holderOf(IDS_ONLY_IN_B), GetModuleHandleW(nullptr));
}

TEST(ExtensionModule, SystemLibrariesAreSearchedAfterTheOthers)
{
    LoadedModule a(TEST_MODULE_A, false);
    LoadedModule b(TEST_MODULE_B, false);
    AFX_EXTENSION_MODULE stateA = {}, stateB = {};
    ASSERT_TRUE(AfxInitExtensionModule(stateA, a.handle()));
    ASSERT_TRUE(AfxInitExtensionModule(stateB, b.handle()));
    new CDynLinkLibrary(stateB);
    new CDynLinkLibrary(stateA, TRUE);  // newer, but a system library
    EXPECT_EQ(holderOf(IDS_NEWEST), b.handle());
    EXPECT_EQ(holderOf(IDS_ONLY_IN_A), a.handle());
    AfxTermExtensionModule(stateA, TRUE);
}

TEST(ExtensionModule, ALibraryNotOnTheHeapIsUnlinkedButNotFreed)
{
    // MFC would delete it and corrupt the stack; here it only leaves the chain.
    LoadedModule a(TEST_MODULE_A, false);
    AFX_EXTENSION_MODULE state = {};
    ASSERT_TRUE(AfxInitExtensionModule(state, a.handle()));
    {
        CDynLinkLibrary onStack(state);
        EXPECT_EQ(holderOf(IDS_ONLY_IN_A), a.handle());
        AfxTermExtensionModule(state);
        EXPECT_EQ(holderOf(IDS_ONLY_IN_A), GetModuleHandleW(nullptr));
    }
    EXPECT_EQ(holderOf(IDS_ONLY_IN_A), GetModuleHandleW(nullptr));
}
