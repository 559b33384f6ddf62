// Talking to loaded modules: the entry point is called with the module marked
// as running (so what it registers is known to be its own), and document
// messages go with their document made current.
#include "module.h"

#include "dbapserv.h"
#include "app_state.h"

namespace arx {

AcRx::AppRetCode callModule(Module* module, AcRx::AppMsgCode msg)
{
    if (module == nullptr || module->entry == nullptr) return AcRx::kRetError;
    AppState* app = appState();
    Module* previous = app->runningModule;
    app->runningModule = module;
    AcRx::AppRetCode rc = module->entry(msg, module->appId());
    app->runningModule = previous;
    return rc;
}

void observeModule(const wchar_t* event, const Module* m, Document* doc)
{
    AppState* app = appState();
    if (app->moduleObserver) app->moduleObserver(event, m->name, doc);
}

void sendDocumentMessage(Module* m, AcRx::AppMsgCode msg, Document* doc)
{
    AppState* app = appState();
    Document* previous = app->current;
    app->current = doc;
    acdbHostApplicationServices()->setWorkingDatabase(doc->db);
    callModule(m, msg);
    app->current = previous;
    acdbHostApplicationServices()->setWorkingDatabase(previous != nullptr ? previous->db : nullptr);
    if (msg == AcRx::kLoadDwgMsg) observeModule(L"dwg-loaded", m, doc);
    if (msg == AcRx::kUnloadDwgMsg) observeModule(L"dwg-unloaded", m, doc);
}

void sendToModules(AcRx::AppMsgCode msg, Document* doc)
{
    AppState* app = appState();
    std::vector<Module*> modules;
    for (auto& m : app->modules) modules.push_back(m.get());
    for (Module* m : modules) {
        if (doc != nullptr)
            sendDocumentMessage(m, msg, doc);
        else
            callModule(m, msg);
    }
}

std::vector<std::wstring> loadedModuleNames()
{
    std::vector<std::wstring> names;
    if (AppState* app = appState())
        for (auto& m : app->modules) names.push_back(m->name);
    return names;
}

}  // namespace arx
