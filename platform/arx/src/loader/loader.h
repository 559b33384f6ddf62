// The dynamic linker the application registers, and the last step of shutting
// down: every module unloaded, whatever its lock.
#pragma once

class AcRxDynamicLinker;

namespace arx {
AcRxDynamicLinker* makeDynamicLinker();
void unloadAllModules();
}  // namespace arx
