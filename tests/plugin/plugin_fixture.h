// A running host with the VelaTone plug-in's module files at hand.
#pragma once
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "acdocman.h"
#include "aced.h"
#include "arxHeaders.h"
#include "arxhost/application.h"
#include "arxhost/runtime.h"

inline std::wstring pluginPath(int generation)
{
    return AcString::fromUtf8(ARXHOST_BINARY_DIR, sizeof(ARXHOST_BINARY_DIR) - 1).str() + L"/bin/VelaToneViewer" +
           std::to_wstring(generation) + L"_x64.arx";
}

inline std::wstring samplePath(const char* name)
{
    std::string p = std::string(ARXHOST_SOURCE_DIR) + "/" + name;
    return AcString::fromUtf8(p.data(), p.size()).str();
}

class PluginHost : public ::testing::Test {
protected:
    void SetUp() override
    {
        app.setCommandLine([this](const std::wstring& t) { commandLine += t; });
    }

    bool load(int generation)
    {
        arxhost::setGeneration(generation);
        std::string error;
        bool ok = app.loadModule(pluginPath(generation), error);
        loadError = error;
        return ok;
    }

    std::wstring lisp(const std::wstring& expr)
    {
        std::wstring printed;
        std::string error;
        if (!app.evaluateLisp(expr, printed, error)) return L"error: " + AcString::fromUtf8(error.data(), error.size()).str();
        return printed;
    }

    // A function the plug-in exports by name, as another module finds it.
    template <class Fn>
    Fn exported(int generation, const char* mangledName)
    {
        std::string path = AcString(pluginPath(generation)).utf8();
        void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
        if (handle == nullptr) return nullptr;
        auto fn = reinterpret_cast<Fn>(dlsym(handle, mangledName));
        dlclose(handle);
        return fn;
    }

    arxhost::Application app;
    std::wstring commandLine;
    std::string loadError;
};
