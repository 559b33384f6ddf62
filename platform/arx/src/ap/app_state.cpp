// The running application's state: made when the application starts and
// taken down when it stops (program/startup.cpp wires it to the rest).
#include "app_state.h"

#include <cstdio>

#include "module.h"
#include "../ed/commands.h"
#include "../core/utf.h"

namespace arx {

namespace {
AppState* gApp = nullptr;

struct DocManager final : AcApDocManager {};
struct Editor final : AcEditor {};
}  // namespace

AppState* appState() { return gApp; }
AppState::AppState() = default;
AppState::~AppState() = default;

void AppState::print(const std::wstring& text)
{
    if (commandLine) {
        commandLine(text);
        return;
    }
    std::string utf8 = toUtf8(text);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    std::fflush(stdout);
}

AppState* createAppState()
{
    if (gApp != nullptr) return gApp;
    gApp = new AppState();
    gApp->docManager = new DocManager();
    gApp->editor = new Editor();
    return gApp;
}

void destroyAppState()
{
    if (gApp == nullptr) return;
    delete gApp->docManager;
    delete gApp->editor;
    delete gApp->commandStack;
    delete gApp;
    gApp = nullptr;
}

}  // namespace arx
