// Starting and stopping the host application: the application's state, with
// the editor, the command stack and the dynamic linker put where modules look
// for them (the system registry), the host's own commands registered; and all
// of it taken away again, modules first, then documents.
#include "startup.h"

#include "rxdlinkr.h"
#include "../ap/app_state.h"
#include "../ed/commands.h"
#include "../ed/editing_commands.h"
#include "../loader/loader.h"
#include "../view/doc_view.h"

namespace arx {

void startApplication()
{
    if (appState() != nullptr) return;
    AppState* app = createAppState();
    app->commandStack = makeCommandStack();
    AcRxDictionary* reg = acrxSysRegistry();
    reg->atPut(L"AcEditor", app->editor);
    reg->atPut(L"ACAD_REGISTERED_COMMANDS", app->commandStack);
    reg->atPut(L"DynamicLinker", makeDynamicLinker());
    registerBuiltinCommands(app->commandStack);
    registerEditingCommands(app->commandStack);
    installViewHooks();
}

void stopApplication()
{
    AppState* app = appState();
    if (app == nullptr) return;
    unloadAllModules();
    while (!app->documents.empty()) closeDocument(app->documents.back());
    clearClipboard();
    clearCommands();
    AcRxDictionary* reg = acrxSysRegistry();
    reg->remove(L"AcEditor");
    reg->remove(L"ACAD_REGISTERED_COMMANDS");
    delete reg->remove(L"DynamicLinker");
    destroyAppState();
}

}  // namespace arx
