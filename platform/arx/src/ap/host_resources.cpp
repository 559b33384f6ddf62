#include "host_resources.h"

#include <dlfcn.h>

namespace arx {
namespace {
HINSTANCE gCurrent = nullptr;
}

HINSTANCE hostResourceHandle()
{
    Dl_info info{};
    // The main program: the module of its entry point.
    static HINSTANCE host = dladdr(reinterpret_cast<void*>(&hostResourceHandle), &info) != 0
                                ? reinterpret_cast<HINSTANCE>(dlopen(nullptr, RTLD_NOW))
                                : nullptr;
    return host;
}

HINSTANCE currentResourceHandle() { return gCurrent != nullptr ? gCurrent : hostResourceHandle(); }
void setCurrentResourceHandle(HINSTANCE h) { gCurrent = h; }

}  // namespace arx
