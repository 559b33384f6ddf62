// The loaded modules as the stand-in sees them: each one's handle is its image base
// (dladdr's dli_fbase, the start of its first mapped segment).
#pragma once
#include <string>

#include "wtypes.h"

namespace win32 {

// The module whose image contains address, or null.
HMODULE moduleContaining(const void* address);
HMODULE mainProgram();
// The name the loader knows the module by (what was given to dlopen; empty for the
// main program), or nothing when no loaded module has this handle.
bool loaderName(HMODULE module, std::string& name);
// The absolute path of the module's file, or empty when no loaded module has this
// handle.
std::string modulePath(HMODULE module);

}  // namespace win32
