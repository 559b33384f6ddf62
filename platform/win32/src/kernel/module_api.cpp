// GetModuleHandleW, GetModuleHandleExW, GetModuleFileNameW and FreeLibrary over the
// dynamic loader. A reference that GetModuleHandleExW takes is a dlopen of the loaded
// module (RTLD_NOLOAD, so nothing new is ever loaded), kept until FreeLibrary.
#include <dlfcn.h>
#include <link.h>

#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "core/utf8.h"
#include "kernel/modules.h"
#include "libloaderapi.h"

namespace {

std::mutex gReferenceLock;
std::map<HMODULE, std::vector<void*>> gReferences;

std::string baseName(const std::string& path)
{
    auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

struct NameSearch {
    std::string wanted;
    bool byPath = false;
    HMODULE found = nullptr;
};

int matchName(dl_phdr_info* info, size_t, void* data)
{
    auto* s = static_cast<NameSearch*>(data);
    std::string name = info->dlpi_name ? info->dlpi_name : "";
    if (name.empty())
        return 0;
    if (s->byPath ? name == s->wanted : baseName(name) == s->wanted) {
        Dl_info dl{};
        // The first program header lies inside the image, so dladdr names its base.
        if (dladdr(info->dlpi_phdr, &dl) != 0 && dl.dli_fbase != nullptr) {
            s->found = static_cast<HMODULE>(dl.dli_fbase);
            return 1;
        }
    }
    return 0;
}

}  // namespace

HMODULE GetModuleHandleW(LPCWSTR lpModuleName)
{
    if (lpModuleName == nullptr)
        return win32::mainProgram();
    NameSearch s;
    s.wanted = win32::narrow(lpModuleName);
    s.byPath = s.wanted.find('/') != std::string::npos;
    dl_iterate_phdr(matchName, &s);
    if (s.found == nullptr)
        SetLastError(ERROR_MOD_NOT_FOUND);
    return s.found;
}

BOOL GetModuleHandleExW(DWORD dwFlags, LPCWSTR lpModuleName, HMODULE* phModule)
{
    constexpr DWORD known = GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT |
                            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS;
    const bool pin = dwFlags & GET_MODULE_HANDLE_EX_FLAG_PIN;
    const bool unchanged = dwFlags & GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;
    if (phModule == nullptr || (dwFlags & ~known) != 0 || (pin && unchanged)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *phModule = nullptr;
    HMODULE module = (dwFlags & GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS)
                         ? win32::moduleContaining(reinterpret_cast<const void*>(lpModuleName))
                         : GetModuleHandleW(lpModuleName);
    if (module == nullptr) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return FALSE;
    }
    std::string name;
    // The main program is never unloaded, so references to it need no bookkeeping.
    if (!unchanged && module != win32::mainProgram() && win32::loaderName(module, name) && !name.empty()) {
        int mode = RTLD_LAZY | RTLD_NOLOAD | (pin ? RTLD_NODELETE : 0);
        void* ref = dlopen(name.c_str(), mode);
        if (ref == nullptr) {
            SetLastError(ERROR_MOD_NOT_FOUND);
            return FALSE;
        }
        if (!pin) {
            std::lock_guard lock(gReferenceLock);
            gReferences[module].push_back(ref);
        }
    }
    *phModule = module;
    return TRUE;
}

BOOL FreeLibrary(HMODULE hLibModule)
{
    void* ref = nullptr;
    {
        std::lock_guard lock(gReferenceLock);
        auto it = gReferences.find(hLibModule);
        if (it != gReferences.end()) {
            ref = it->second.back();
            it->second.pop_back();
            if (it->second.empty())
                gReferences.erase(it);
        }
    }
    if (ref != nullptr) {
        dlclose(ref);
        return TRUE;
    }
    if (hLibModule != nullptr && hLibModule == win32::mainProgram())
        return TRUE;
    // Only references taken through GetModuleHandleExW can be given back: modules
    // are loaded by the host, which alone unloads them.
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
}

DWORD GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize)
{
    std::string path = win32::modulePath(hModule == nullptr ? win32::mainProgram() : hModule);
    if (path.empty()) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    if (lpFilename == nullptr || nSize == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::wstring wide = win32::widen(path);
    if (wide.size() >= nSize) {
        std::memcpy(lpFilename, wide.data(), (nSize - 1) * sizeof(wchar_t));
        lpFilename[nSize - 1] = L'\0';
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return nSize;
    }
    std::memcpy(lpFilename, wide.data(), wide.size() * sizeof(wchar_t));
    lpFilename[wide.size()] = L'\0';
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(wide.size());
}
