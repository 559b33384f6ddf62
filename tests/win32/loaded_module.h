// Loads a test module as the host loads a plug-in: dlopen, then DllMain with
// DLL_PROCESS_ATTACH; unloading calls DllMain with DLL_PROCESS_DETACH, then dlclose.
#pragma once
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

#include "windows.h"

class LoadedModule {
public:
    explicit LoadedModule(const std::string& path, bool attach = true) : mPath(path)
    {
        mLib = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        EXPECT_NE(mLib, nullptr) << dlerror();
        if (mLib == nullptr)
            return;
        Dl_info info{};
        EXPECT_NE(dladdr(dlsym(mLib, "testModuleHandle"), &info), 0);
        mHandle = static_cast<HMODULE>(info.dli_fbase);
        if (attach) {
            EXPECT_EQ(symbol<int (*)(HINSTANCE, DWORD, LPVOID)>("DllMain")(mHandle, DLL_PROCESS_ATTACH, nullptr), 1);
            mAttached = true;
        }
    }
    ~LoadedModule() { unload(); }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    template <typename F>
    F symbol(const char* name) const
    {
        void* p = mLib ? dlsym(mLib, name) : nullptr;
        EXPECT_NE(p, nullptr) << name;
        return reinterpret_cast<F>(p);
    }

    // The image base, from the loader (not from the stand-in under test).
    HMODULE handle() const { return mHandle; }
    const std::string& path() const { return mPath; }

    void unload()
    {
        if (mLib == nullptr)
            return;
        if (mAttached)
            symbol<int (*)(HINSTANCE, DWORD, LPVOID)>("DllMain")(mHandle, DLL_PROCESS_DETACH, nullptr);
        dlclose(mLib);
        mLib = nullptr;
    }

    static bool isLoaded(const std::string& path)
    {
        void* lib = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
        if (lib == nullptr)
            return false;
        dlclose(lib);
        return true;
    }

private:
    std::string mPath;
    void* mLib = nullptr;
    HMODULE mHandle = nullptr;
    bool mAttached = false;
};
