// Starting and stopping the host application: it puts the document manager,
// the editor, the command stack and the dynamic linker where modules look for
// them (the system registry), and takes them away again.
#include "host_app.h"

#include <cstdio>

#include "rxdlinkr.h"
#include "../ed/commands.h"
#include "../rx/module.h"
#include "../core/utf.h"

namespace arx {

namespace {
HostApp* gApp = nullptr;

struct DocManager final : AcApDocManager {};
struct Editor final : AcEditor {};
}  // namespace

AcEdCommandStack* makeCommandStack();  // ed/commands.cpp
AcRxDynamicLinker* makeDynamicLinker();  // rx/dynlinker.cpp
void unloadAllModules();                  // rx/dynlinker.cpp
void clearCommands();                     // ed/commands.cpp
void registerHostCommands(AcEdCommandStack* stack);  // ed/host_commands.cpp

HostApp* hostApp() { return gApp; }
HostApp::HostApp() = default;
HostApp::~HostApp() = default;

void HostApp::print(const std::wstring& text)
{
    if (commandLine) {
        commandLine(text);
        return;
    }
    std::string utf8 = toUtf8(text);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    std::fflush(stdout);
}

void startHostApp()
{
    if (gApp != nullptr) return;
    gApp = new HostApp();
    gApp->docManager = new DocManager();
    gApp->editor = new Editor();
    gApp->commandStack = makeCommandStack();
    AcRxDictionary* reg = acrxSysRegistry();
    reg->atPut(L"AcEditor", gApp->editor);
    reg->atPut(L"ACAD_REGISTERED_COMMANDS", gApp->commandStack);
    reg->atPut(L"DynamicLinker", makeDynamicLinker());
    registerHostCommands(gApp->commandStack);
}

void stopHostApp()
{
    if (gApp == nullptr) return;
    unloadAllModules();
    while (!gApp->documents.empty()) closeDocument(gApp->documents.back());
    clearCommands();
    AcRxDictionary* reg = acrxSysRegistry();
    reg->remove(L"AcEditor");
    reg->remove(L"ACAD_REGISTERED_COMMANDS");
    delete reg->remove(L"DynamicLinker");
    delete gApp->docManager;
    delete gApp->editor;
    delete gApp->commandStack;
    delete gApp;
    gApp = nullptr;
}

}  // namespace arx
