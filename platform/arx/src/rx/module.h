// A loaded plug-in module: its file, its handle and image base, its entry
// points and its application flags.
#pragma once
#include <string>

#include "rxobject.h"
#include "wtypes.h"

namespace arx {

using EntryPoint = AcRx::AppRetCode (*)(AcRx::AppMsgCode, void*);
using DllMainFn = BOOL (*)(HINSTANCE, DWORD, LPVOID);

struct Module {
    std::wstring path;
    std::wstring name;  // file name
    void* handle = nullptr;
    HINSTANCE base = nullptr;
    EntryPoint entry = nullptr;
    DllMainFn dllMain = nullptr;
    bool locked = true;
    bool mdiAware = false;
    void* appId() const { return base; }
};

}  // namespace arx
