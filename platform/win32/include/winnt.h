// The reasons a module's DllMain is called for, with Windows' values. The host calls
// DllMain(module, DLL_PROCESS_ATTACH, nullptr) after loading a module and
// DllMain(module, DLL_PROCESS_DETACH, nullptr) before unloading it.
#pragma once
#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3

// Language ids of resources; the stand-in keeps one language per resource.
#define LANG_NEUTRAL 0x00
#define SUBLANG_NEUTRAL 0x00
