// Module handles from the dynamic loader: dladdr for an address, dl_iterate_phdr to
// walk the loaded objects, /proc/self/maps for a module's absolute path.
#include "kernel/modules.h"

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <sstream>

namespace win32 {

namespace {

// The image base as the loader computes l_map_start: the load bias plus the lowest
// loadable segment's address, rounded down to a page.
std::uintptr_t imageBase(const dl_phdr_info* info)
{
    const std::uintptr_t page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    std::uintptr_t lowest = UINTPTR_MAX;
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        const auto& ph = info->dlpi_phdr[i];
        if (ph.p_type == PT_LOAD && ph.p_vaddr < lowest)
            lowest = ph.p_vaddr;
    }
    if (lowest == UINTPTR_MAX)
        return 0;
    return info->dlpi_addr + (lowest & ~(page - 1));
}

struct Search {
    std::uintptr_t wanted = 0;  // 0: the first object, which is the main program
    bool found = false;
    std::uintptr_t base = 0;
    std::string name;
};

int visit(dl_phdr_info* info, size_t, void* data)
{
    auto* s = static_cast<Search*>(data);
    std::uintptr_t base = imageBase(info);
    if (s->wanted == 0 || base == s->wanted) {
        s->found = true;
        s->base = base;
        s->name = info->dlpi_name ? info->dlpi_name : "";
        return 1;
    }
    return 0;
}

}  // namespace

HMODULE moduleContaining(const void* address)
{
    Dl_info info{};
    if (address == nullptr || dladdr(address, &info) == 0 || info.dli_fbase == nullptr)
        return nullptr;
    return static_cast<HMODULE>(info.dli_fbase);
}

HMODULE mainProgram()
{
    static const HMODULE main = [] {
        Search s;
        dl_iterate_phdr(visit, &s);
        return reinterpret_cast<HMODULE>(s.base);
    }();
    return main;
}

bool loaderName(HMODULE module, std::string& name)
{
    if (module == nullptr)
        return false;
    Search s;
    s.wanted = reinterpret_cast<std::uintptr_t>(module);
    dl_iterate_phdr(visit, &s);
    if (!s.found)
        return false;
    name = module == mainProgram() ? std::string() : s.name;
    return true;
}

std::string modulePath(HMODULE module)
{
    std::string ignored;
    if (!loaderName(module, ignored))
        return {};
    // The kernel's map of the process names the file behind the mapping that starts
    // at the image base, always as an absolute path.
    std::ifstream maps("/proc/self/maps");
    std::string line;
    const auto base = reinterpret_cast<std::uintptr_t>(module);
    while (std::getline(maps, line)) {
        std::istringstream fields(line);
        std::string range, perms, offset, dev, inode;
        if (!(fields >> range >> perms >> offset >> dev >> inode))
            continue;
        std::uintptr_t start = std::stoull(range.substr(0, range.find('-')), nullptr, 16);
        if (start != base)
            continue;
        std::string path;
        std::getline(fields >> std::ws, path);
        return path;
    }
    return {};
}

}  // namespace win32
