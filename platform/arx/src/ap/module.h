// A loaded plug-in module as the application keeps it: its file, its handle
// and image base, its entry points and its application flags; and how the
// application sends it messages. Loading and unloading is the loader's.
#pragma once
#include <string>
#include <vector>

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

class Document;

// Calls the module's entry point with the module marked as the one running.
AcRx::AppRetCode callModule(Module* module, AcRx::AppMsgCode msg);
// Sends a document message (kLoadDwgMsg, kUnloadDwgMsg) with doc made current.
void sendDocumentMessage(Module* m, AcRx::AppMsgCode msg, Document* doc);
// Sends an application message to every loaded module (document messages with
// that document current).
void sendToModules(AcRx::AppMsgCode msg, Document* doc);
// Tells the host program's observer of a step in a module's life.
void observeModule(const wchar_t* event, const Module* m, Document* doc = nullptr);
std::vector<std::wstring> loadedModuleNames();

}  // namespace arx
