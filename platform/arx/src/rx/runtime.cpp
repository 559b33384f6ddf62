// Bring-up of the run-time system: the system registry with its class dictionary,
// the three root classes, and then every class of the platform.
#include <malloc.h>

#include <algorithm>

#include "rxclass.h"
#include "rxdict.h"
#include "runtime.h"

struct AcRxClassAccess {
    static AcRxClass* make(const wchar_t* name, AcRxClass* parent)
    {
        auto* c = new AcRxClass();
        c->mName = name;
        if (parent != nullptr) {
            c->mParent = parent;
            c->mParentName = parent->name();
        }
        return c;
    }
};

namespace arx {
namespace {
enum class State { kNone, kStarting, kReady };
State gState = State::kNone;
AcRxDictionary* gSysRegistry = nullptr;
AcRxClass* gRoot[3] = {nullptr, nullptr, nullptr};
void (*gRegisterPlatformClasses)() = nullptr;
// Kept for the life of the process, like the registry: class objects retired
// here may be named by objects until the very end.
std::vector<AcRxClass*>& gRemoved = *new std::vector<AcRxClass*>();
}  // namespace

void ensureRuntime()
{
    if (gState != State::kNone) return;
    gState = State::kStarting;
    // Drawings are read and written in blocks of hundreds of kilobytes (voice
    // notes carry their sound whole). Left to itself the allocator maps each such
    // block from the kernel and unmaps it when freed, so every block costs a
    // page fault per page; keeping them in the heap lets freed pages be reused.
    mallopt(M_MMAP_THRESHOLD, 256 << 20);
    mallopt(M_TRIM_THRESHOLD, 512 << 20);
    gSysRegistry = new AcRxDictionary();
    auto* classes = new AcRxDictionary();
    gRoot[0] = AcRxClassAccess::make(L"AcRxObject", nullptr);
    gRoot[1] = AcRxClassAccess::make(L"AcRxClass", gRoot[0]);
    gRoot[2] = AcRxClassAccess::make(L"AcRxDictionary", gRoot[0]);
    classes->atPut(L"AcRxObject", gRoot[0]);
    classes->atPut(L"AcRxClass", gRoot[1]);
    classes->atPut(L"AcRxDictionary", gRoot[2]);
    gSysRegistry->atPut(L"ClassDictionary", classes);
    // The platform's classes live on every floor above this one; the top floor
    // hands over the list when the library loads.
    if (gRegisterPlatformClasses == nullptr) fatal("the run-time system started before the platform's classes were known");
    gRegisterPlatformClasses();
    acrxBuildClassHierarchy();
    gState = State::kReady;
}

void setPlatformClassRegistrar(void (*registerClasses)()) { gRegisterPlatformClasses = registerClasses; }

AcRxClass* runtimeClass(RootClass which)
{
    ensureRuntime();
    return gRoot[static_cast<int>(which)];
}

AcRxClass* registerBuiltinClass(const wchar_t* name, const wchar_t* parent, AcRxPseudoConstructor ctor,
                                const wchar_t* dxfName, int proxyFlags)
{
    return newAcRxClass(name, parent, 0, 0, proxyFlags, ctor, dxfName, nullptr, nullptr);
}

void retireClass(AcRxClass* cls)
{
    if (std::find(gRemoved.begin(), gRemoved.end(), cls) == gRemoved.end()) gRemoved.push_back(cls);
}

const std::vector<AcRxClass*>& removedClasses() { return gRemoved; }

void releaseRemovedClasses()
{
    for (AcRxClass* c : gRemoved) delete c;
    gRemoved.clear();
}

}  // namespace arx

AcRxDictionary* acrxSysRegistry()
{
    arx::ensureRuntime();
    return arx::gSysRegistry;
}
