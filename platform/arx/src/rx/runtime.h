// The process-wide run-time system: the system registry, its class dictionary,
// the built-in classes, and the class objects removed while a module still had
// objects of them in memory.
#pragma once
#include <vector>

#include "rxclass.h"

namespace arx {

enum class RootClass { kRxObject, kRxClass, kRxDictionary };
AcRxClass* runtimeClass(RootClass which);

// Makes sure the system registry exists and the built-in classes are registered.
void ensureRuntime();
// Who registers the platform's own classes (database, entities, application,
// editor) when the run-time system starts: set once, when the library loads.
void setPlatformClassRegistrar(void (*registerClasses)());

// Registers a built-in class of the platform (no module owns it).
AcRxClass* registerBuiltinClass(const wchar_t* name, const wchar_t* parent, AcRxPseudoConstructor ctor,
                                const wchar_t* dxfName, int proxyFlags = 0);

// Class objects taken out of the class dictionary stay alive here until the
// module whose code they describe has been unloaded.
void retireClass(AcRxClass* cls);
void releaseRemovedClasses();
const std::vector<AcRxClass*>& removedClasses();

// Reports a fatal misuse of the platform (for example writing an object that
// was opened for read) and ends the process, as the host does.
[[noreturn]] void fatal(const char* format, ...);

}  // namespace arx
