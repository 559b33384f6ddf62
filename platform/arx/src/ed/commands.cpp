// The command stack (command groups with global and local names) and running a
// command: the document locked, the editor told of its start and of how it
// ended, transparent commands only while another runs, and the prompts
// (acedGetPoint, acedGetString, ...) answered from the application's input.
#include "commands.h"

#include <algorithm>
#include <cwchar>

#include "acedads.h"
#include "../ap/app_state.h"
#include "../core/numtext.h"
#include "../core/utf.h"
#include "../db/builtin.h"
#include "../db/undo.h"

ARX_DEFINE_BUILTIN_ABSTRACT(AcEdCommand, AcRxObject)
ARX_DEFINE_BUILTIN_ABSTRACT(AcEdCommandStack, AcRxObject)

AcEdCommand::AcEdCommand() = default;
AcEdCommand::~AcEdCommand() = default;
void AcEdCommand::commandUndef(bool) {}
AcEdCommandStack::AcEdCommandStack() = default;
AcEdCommandStack::~AcEdCommandStack() = default;

namespace arx {
namespace {

std::function<bool(std::wstring&)> gInput;
// The commands in progress, innermost last, and whether a prompt of each was cancelled.
struct ActiveCommand {
    CommandRecord* record;
    bool cancelled;
};
std::vector<ActiveCommand> gActive;
// acedCommand's commands run inside the caller's command, whatever their flags,
// and show their prompts only while CMDECHO is on.
bool gSubcommand = false;
bool gEchoPrompts = true;

class CommandObject final : public AcEdCommand {
public:
    explicit CommandObject(const CommandRecord* r) : mRecord(r) {}
    Adesk::Int32 commandFlags() const override { return mRecord->flags; }
    AcRxFunctionPtr functionAddr() const override { return mRecord->function; }
    void* commandApp() const override { return mRecord->module; }
    HINSTANCE resourceHandle() const override { return mRecord->resourceHandle; }
    const ACHAR* globalName() const override { return mRecord->globalName.c_str(); }
    const ACHAR* localName() const override { return mRecord->localName.c_str(); }
    int functionCode() const override { return mRecord->functionCode; }

private:
    const CommandRecord* mRecord;
};

CommandRecord* lookup(const std::wstring& name, bool global)
{
    AppState* app = appState();
    if (app == nullptr) return nullptr;
    for (auto& c : app->commands)
        if (equalsNoCase(global ? c->globalName : c->localName, name)) return c.get();
    return nullptr;
}

class CommandStack final : public AcEdCommandStack {
public:
    Acad::ErrorStatus addCommand(const ACHAR* group, const ACHAR* globalName, const ACHAR* localName,
                                 Adesk::Int32 flags, AcRxFunctionPtr function, AcEdUIContext*, int fcode,
                                 HINSTANCE resourceHandle, AcEdCommand** cmdPtrRet) override
    {
        AppState* app = appState();
        if (group == nullptr || globalName == nullptr || function == nullptr || *globalName == 0)
            return Acad::eInvalidInput;
        for (auto& c : app->commands)
            if (equalsNoCase(c->group, group) && equalsNoCase(c->globalName, globalName)) return Acad::eDuplicateKey;
        auto rec = std::make_unique<CommandRecord>();
        rec->group = group;
        rec->globalName = globalName;
        rec->localName = localName != nullptr && *localName != 0 ? localName : globalName;
        rec->flags = flags;
        rec->function = function;
        rec->functionCode = fcode;
        rec->resourceHandle = resourceHandle;
        rec->module = app->runningModule;
        rec->object = new CommandObject(rec.get());
        if (cmdPtrRet != nullptr) *cmdPtrRet = rec->object;
        app->commands.push_back(std::move(rec));
        return Acad::eOk;
    }

    Acad::ErrorStatus removeCmd(const ACHAR* group, const ACHAR* globalName) override
    {
        auto& cmds = appState()->commands;
        for (auto it = cmds.begin(); it != cmds.end(); ++it)
            if (equalsNoCase((*it)->group, group ? group : L"") && equalsNoCase((*it)->globalName, globalName ? globalName : L"")) {
                for (const ActiveCommand& a : gActive)
                    if (a.record == it->get()) return Acad::eCommandWasInProgress;
                delete (*it)->object;
                cmds.erase(it);
                return Acad::eOk;
            }
        return Acad::eKeyNotFound;
    }

    Acad::ErrorStatus removeGroup(const ACHAR* group) override
    {
        auto& cmds = appState()->commands;
        size_t before = cmds.size();
        std::erase_if(cmds, [&](const std::unique_ptr<CommandRecord>& c) {
            if (!equalsNoCase(c->group, group ? group : L"")) return false;
            delete c->object;
            return true;
        });
        return cmds.size() < before ? Acad::eOk : Acad::eKeyNotFound;
    }

    AcEdCommand* lookupGlobalCmd(const ACHAR* name) override
    {
        CommandRecord* r = name != nullptr ? lookup(name, true) : nullptr;
        return r != nullptr ? r->object : nullptr;
    }

    AcEdCommand* lookupLocalCmd(const ACHAR* name) override
    {
        CommandRecord* r = name != nullptr ? lookup(name, false) : nullptr;
        return r != nullptr ? r->object : nullptr;
    }
};

// Asks the input source for an answer. A leading apostrophe runs a command
// transparently and asks again; no answer cancels.
int answer(const ACHAR* prompt, std::wstring& text)
{
    AppState* app = appState();
    for (;;) {
        if (prompt != nullptr && app != nullptr && gEchoPrompts) app->print(prompt);
        if (!gInput || !gInput(text)) {
            // A cancelled prompt cancels the command that asked.
            if (!gActive.empty()) gActive.back().cancelled = true;
            return RTCAN;
        }
        if (app != nullptr && gEchoPrompts) app->print(text + L"\n");
        if (!text.empty() && text[0] == L'\'') {
            std::string message;
            runCommand(text, message);
            continue;
        }
        return text.empty() ? RTNONE : RTNORM;
    }
}

}  // namespace

AcEdCommandStack* makeCommandStack() { return new CommandStack(); }

void clearCommands()
{
    if (AppState* app = appState()) {
        for (auto& c : app->commands) delete c->object;
        app->commands.clear();
    }
}

void removeModuleCommands(Module* module)
{
    auto& cmds = appState()->commands;
    std::erase_if(cmds, [&](const std::unique_ptr<CommandRecord>& c) {
        if (c->module != module) return false;
        delete c->object;
        return true;
    });
}

void setInputSource(std::function<bool(std::wstring&)> source) { gInput = std::move(source); }
int activeCommandCount() { return static_cast<int>(gActive.size()); }

CommandResult runCommand(const std::wstring& input, std::string& message)
{
    AppState* app = appState();
    std::wstring name = input;
    bool transparent = false;
    if (!name.empty() && name[0] == L'\'') {
        transparent = true;
        name.erase(0, 1);
    }
    bool global = false;
    while (!name.empty() && (name[0] == L'_' || name[0] == L'.')) {
        global = global || name[0] == L'_';
        name.erase(0, 1);
    }
    CommandRecord* cmd = lookup(name, global);
    if (cmd == nullptr && !global) cmd = lookup(name, true);
    if (cmd == nullptr) {
        message = "Unknown command \"" + toUtf8(upperAscii(name)) + "\".";
        app->print(L"Unknown command \"" + upperAscii(name) + L"\".  Press F1 for help.\n");
        return CommandResult::kUnknown;
    }
    // While a command runs, only transparent commands may start.
    const bool subcommand = gSubcommand;
    gSubcommand = false;  // the commands it runs in turn are asked as usual
    if (!subcommand && !gActive.empty() && (cmd->flags & ACRX_CMD_TRANSPARENT) == 0) {
        message = "** That command may not be invoked transparently **";
        app->print(L"** That command may not be invoked transparently **\n");
        return CommandResult::kRefused;
    }
    (void)transparent;
    const std::wstring cmdName = cmd->globalName;
    AcApDocument* doc = app->current;
    app->notifyEditorReactors([&](AcEditorReactor* r) { r->commandWillStart(cmdName.c_str()); });
    // What the command changes is one step of its drawing's undo history.
    AcDbDatabase* undoDb = doc != nullptr ? doc->database() : nullptr;
    if (undoDb != nullptr) undoLog(undoDb).beginGroup(cmdName);
    if (doc != nullptr) app->docManager->lockDocument(doc, AcAp::kAutoWrite, cmdName.c_str(), cmd->localName.c_str());
    gActive.push_back(ActiveCommand{cmd, false});
    Module* previous = app->runningModule;
    app->runningModule = cmd->module;
    CommandResult result = CommandResult::kEnded;
    try {
        cmd->function();
        if (gActive.back().cancelled) result = CommandResult::kCancelled;
    } catch (const std::exception& e) {
        message = e.what();
        result = CommandResult::kFailed;
    } catch (...) {
        message = "the command failed";
        result = CommandResult::kFailed;
    }
    app->runningModule = previous;
    gActive.pop_back();
    if (doc != nullptr && std::find(app->documents.begin(), app->documents.end(), doc) != app->documents.end()) {
        app->docManager->unlockDocument(doc);
        undoLog(undoDb).endGroup();
    }
    switch (result) {
    case CommandResult::kEnded:
        app->notifyEditorReactors([&](AcEditorReactor* r) { r->commandEnded(cmdName.c_str()); });
        break;
    case CommandResult::kCancelled:
        app->print(L"*Cancel*\n");
        message = "*Cancel*";
        app->notifyEditorReactors([&](AcEditorReactor* r) { r->commandCancelled(cmdName.c_str()); });
        break;
    default:
        app->notifyEditorReactors([&](AcEditorReactor* r) { r->commandFailed(cmdName.c_str()); });
        break;
    }
    return result;
}

CommandResult runCommand(const std::wstring& name, const std::vector<std::wstring>& answers, std::string& message)
{
    std::function<bool(std::wstring&)> saved = gInput;
    size_t next = 0;
    gInput = [&](std::wstring& a) {
        if (next < answers.size()) {
            a = answers[next++];
            return true;
        }
        return saved ? saved(a) : false;
    };
    CommandResult result = runCommand(name, message);
    gInput = saved;
    return result;
}

CommandResult runCommandFromCode(const std::wstring& name, const std::vector<std::wstring>& answers, bool echo,
                                 std::string& message)
{
    std::function<bool(std::wstring&)> saved = gInput;
    const bool savedEcho = gEchoPrompts;
    size_t next = 0;
    // Only the answers given: a prompt past them is cancelled rather than put to
    // the user, so that the caller's command is never left waiting.
    gInput = [&](std::wstring& a) {
        if (next >= answers.size()) return false;
        a = answers[next++];
        return true;
    };
    gEchoPrompts = echo;
    gSubcommand = true;
    CommandResult result = runCommand(name, message);
    gSubcommand = false;
    gEchoPrompts = savedEcho;
    gInput = saved;
    return result;
}

}  // namespace arx

int acedGetString(int cronly, const ACHAR* prompt, ACHAR* result, size_t bufLen)
{
    std::wstring text;
    int rc = arx::answer(prompt, text);
    if (rc == RTCAN) return RTCAN;
    if (!cronly) {
        size_t space = text.find(L' ');
        if (space != std::wstring::npos) text.resize(space);
    }
    if (result == nullptr || bufLen == 0 || text.size() >= bufLen) return RTERROR;
    std::copy(text.begin(), text.end(), result);
    result[text.size()] = 0;
    return RTNORM;
}

int acedGetPoint(const ads_point, const ACHAR* prompt, ads_point result)
{
    for (;;) {
        std::wstring text;
        int rc = arx::answer(prompt, text);
        if (rc != RTNORM) return rc;
        // "x,y" or "x,y,z"
        std::string t = arx::toUtf8(text);
        double c[3] = {0, 0, 0};
        int n = 0;
        size_t start = 0;
        bool ok = true;
        while (ok && n < 3) {
            size_t comma = t.find(',', start);
            ok = arx::parseDouble(t.substr(start, comma == std::string::npos ? std::string::npos : comma - start), c[n]);
            ++n;
            if (comma == std::string::npos) break;
            start = comma + 1;
        }
        if (ok && n >= 2) {
            for (int i = 0; i < 3; ++i) result[i] = c[i];
            return RTNORM;
        }
        if (arx::AppState* app = arx::appState()) app->print(L"Invalid point.\n");
    }
}

int acedGetInt(const ACHAR* prompt, int* result)
{
    for (;;) {
        std::wstring text;
        int rc = arx::answer(prompt, text);
        if (rc != RTNORM) return rc;
        std::int64_t v = 0;
        if (arx::parseInt(arx::toUtf8(text), v) && v >= -32768 && v <= 32767) {
            *result = static_cast<int>(v);
            return RTNORM;
        }
        if (arx::AppState* app = arx::appState()) app->print(L"Requires an integer value.\n");
    }
}

int acedGetReal(const ACHAR* prompt, ads_real* result)
{
    for (;;) {
        std::wstring text;
        int rc = arx::answer(prompt, text);
        if (rc != RTNORM) return rc;
        if (arx::parseDouble(arx::toUtf8(text), *result)) return RTNORM;
        if (arx::AppState* app = arx::appState()) app->print(L"Requires numeric value.\n");
    }
}
