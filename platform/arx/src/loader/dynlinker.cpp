// Loading and unloading plug-in modules as the CAD host does: dlopen brings the
// module's static objects up, its generation is checked, the entry point gets
// kInitAppMsg and kLoadDwgMsg for every open document; unloading sends
// kUnloadDwgMsg and kUnloadAppMsg, turns the module's objects into proxies so that
// no object outlives its code, and dlclose takes the static objects down.
#include <dlfcn.h>

#include <algorithm>
#include <filesystem>

#include "dbapserv.h"
#include "rxdlinkr.h"
#include "../ap/module.h"
#include "module_objects.h"
#include "../ap/app_state.h"
#include "../core/utf.h"
#include "../db/builtin.h"
#include "../core/generation.h"
#include "../ed/commands.h"
#include "../ed/lisp.h"
#include "loader.h"

ARX_DEFINE_BUILTIN_ABSTRACT(AcRxDynamicLinker, AcRxObject)

namespace arx {

namespace {

std::wstring gLastError;

bool fail(const std::wstring& message)
{
    gLastError = message;
    return false;
}

Module* findModule(const std::wstring& nameOrPath)
{
    AppState* app = appState();
    std::wstring wanted = std::filesystem::path(nameOrPath).filename().wstring();
    std::wstring stem = std::filesystem::path(nameOrPath).stem().wstring();
    for (auto& m : app->modules) {
        std::wstring mstem = std::filesystem::path(m->name).stem().wstring();
        if (equalsNoCase(m->name, wanted) || equalsNoCase(m->path, nameOrPath) || equalsNoCase(mstem, stem)) return m.get();
    }
    return nullptr;
}

Module* moduleOfApp(void* appId)
{
    AppState* app = appState();
    if (app == nullptr) return nullptr;
    for (auto& m : app->modules)
        if (m->appId() == appId) return m.get();
    return nullptr;
}

const char* generationName(Adesk::UInt32 version)
{
    return version == ACRX_API_VERSION_R18 ? "the 2010 generation (SDK R18)"
           : version == ACRX_API_VERSION_R19 ? "the 2013 generation (SDK R19)"
                                             : "an unknown generation";
}

}  // namespace

namespace {

class DynamicLinker final : public AcRxDynamicLinker {
public:
    bool loadModule(const ACHAR* fileName, bool printit, bool) override
    {
        AppState* app = appState();
        if (fileName == nullptr || *fileName == 0) return fail(L"no module named");
        std::error_code ec;
        std::filesystem::path path = std::filesystem::absolute(fileName, ec);
        if (!std::filesystem::is_regular_file(path, ec)) return fail(std::wstring(fileName) + L": no such module file");
        if (findModule(path.wstring()) != nullptr) return fail(path.filename().wstring() + L" is already loaded");
        void* handle = dlopen(path.string().c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) return fail(std::wstring(fileName) + L": cannot load: " + fromUtf8(dlerror()));
        auto version = reinterpret_cast<Adesk::UInt32 (*)()>(dlsym(handle, "acrxGetApiVersion"));
        auto entry = reinterpret_cast<EntryPoint>(dlsym(handle, "acrxEntryPoint"));
        if (version == nullptr || entry == nullptr) {
            dlclose(handle);
            return fail(path.filename().wstring() + L" is not a module of this host (it lacks acrxGetApiVersion or acrxEntryPoint)");
        }
        Adesk::UInt32 wanted = hostGeneration() == 2010 ? ACRX_API_VERSION_R18 : ACRX_API_VERSION_R19;
        Adesk::UInt32 built = version();
        if (built != wanted) {
            dlclose(handle);
            return fail(path.filename().wstring() + L" was built for " + fromUtf8(generationName(built)) +
                        L"; this host is " + fromUtf8(generationName(wanted)) + L", so it was not loaded");
        }
        auto module = std::make_unique<Module>();
        module->path = path.wstring();
        module->name = path.filename().wstring();
        module->handle = handle;
        module->entry = entry;
        module->dllMain = reinterpret_cast<DllMainFn>(dlsym(handle, "DllMain"));
        Dl_info info{};
        dladdr(reinterpret_cast<void*>(entry), &info);
        module->base = reinterpret_cast<HINSTANCE>(info.dli_fbase);
        if (module->dllMain != nullptr && !module->dllMain(module->base, 1 /* DLL_PROCESS_ATTACH */, nullptr)) {
            dlclose(handle);
            return fail(module->name + L" refused to attach");
        }
        Module* m = module.get();
        app->modules.push_back(std::move(module));
        observeModule(L"attached", m);
        if (callModule(m, AcRx::kInitAppMsg) != AcRx::kRetOK) {
            std::wstring name = m->name;
            dropModule(m);
            return fail(name + L" failed to initialise and was unloaded");
        }
        observeModule(L"initialised", m);
        auto docs = app->documents;
        for (Document* d : docs) sendDocumentMessage(m, AcRx::kLoadDwgMsg, d);
        reviveModuleObjects();
        if (printit) app->print(L"\n" + m->name + L" loaded.\n");
        return true;
    }

    bool unloadModule(const ACHAR* fileName, bool) override
    {
        AppState* app = appState();
        Module* m = fileName != nullptr ? findModule(fileName) : nullptr;
        if (m == nullptr) return fail(std::wstring(fileName != nullptr ? fileName : L"") + L" is not loaded");
        if (m->locked) return fail(m->name + L" is locked and cannot be unloaded");
        std::wstring busy;
        if (!moduleObjectsClosed(m->base, busy)) return fail(m->name + L" cannot be unloaded: " + busy);
        auto docs = app->documents;
        for (Document* d : docs) sendDocumentMessage(m, AcRx::kUnloadDwgMsg, d);
        callModule(m, AcRx::kUnloadAppMsg);
        observeModule(L"unloaded", m);
        dropModule(m);
        return true;
    }

    bool unlockApplication(void* appId) const override
    {
        Module* m = moduleOfApp(appId);
        if (m != nullptr) m->locked = false;
        return m != nullptr;
    }
    bool lockApplication(void* appId) const override
    {
        Module* m = moduleOfApp(appId);
        if (m != nullptr) m->locked = true;
        return m != nullptr;
    }
    bool isApplicationLocked(const ACHAR* name) const override
    {
        Module* m = name != nullptr ? findModule(name) : nullptr;
        return m != nullptr && m->locked;
    }
    bool isAppMDIAware(const ACHAR* name) const override
    {
        Module* m = name != nullptr ? findModule(name) : nullptr;
        return m != nullptr && m->mdiAware;
    }
    bool registerAppMDIAware(void* appId) const override
    {
        Module* m = moduleOfApp(appId);
        if (m != nullptr) m->mdiAware = true;
        return m != nullptr;
    }
    bool registerAppNotMDIAware(void* appId) const override
    {
        Module* m = moduleOfApp(appId);
        if (m != nullptr) m->mdiAware = false;
        return m != nullptr;
    }

    // Takes a module out: its objects become proxies, what it registered goes,
    // its code is unmapped, and its classes are released.
    static void dropModule(Module* m)
    {
        AppState* app = appState();
        removeModuleCommands(m);
        removeModuleFunctions(m);
        ModuleCleanup cleanup = prepareModuleUnload(m->base);
        if (m->dllMain != nullptr) m->dllMain(m->base, 0 /* DLL_PROCESS_DETACH */, nullptr);
        dlclose(m->handle);
        cleanup.finish();
        observeModule(L"detached", m);
        auto& mods = app->modules;
        mods.erase(std::remove_if(mods.begin(), mods.end(), [&](const std::unique_ptr<Module>& p) { return p.get() == m; }),
                   mods.end());
        releaseRemovedClasses();
    }
};

}  // namespace

AcRxDynamicLinker* makeDynamicLinker() { return new DynamicLinker(); }

void unloadAllModules()
{
    AppState* app = appState();
    while (!app->modules.empty()) {
        Module* m = app->modules.back().get();
        auto docs = app->documents;
        for (Document* d : docs) sendDocumentMessage(m, AcRx::kUnloadDwgMsg, d);
        callModule(m, AcRx::kUnloadAppMsg);
        DynamicLinker::dropModule(m);
    }
}

}  // namespace arx

AcRxDynamicLinker::AcRxDynamicLinker() = default;
const ACHAR* AcRxDynamicLinker::lastError() const { return arx::gLastError.c_str(); }
