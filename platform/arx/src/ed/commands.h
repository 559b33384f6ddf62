// Registered commands and running them: the active command stack, transparent
// commands, the editor's command notifications, and answers to prompts.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "accmd.h"

namespace arx {

struct Module;

struct CommandRecord {
    std::wstring group;
    std::wstring globalName;
    std::wstring localName;
    Adesk::Int32 flags = 0;
    AcRxFunctionPtr function = nullptr;
    int functionCode = -1;
    HINSTANCE resourceHandle = nullptr;
    Module* module = nullptr;
    AcEdCommand* object = nullptr;
};

enum class CommandResult { kEnded, kCancelled, kFailed, kUnknown, kRefused };

// Runs a command by name: "NAME", "_NAME" (global name), "'NAME" (transparently).
CommandResult runCommand(const std::wstring& name, std::string& message);
// Runs a command whose first prompts take the answers given, as if typed; any
// prompt after them asks the input source.
CommandResult runCommand(const std::wstring& name, const std::vector<std::wstring>& answers, std::string& message);
// Runs a command for a program (acedCommand): inside whatever command is running,
// its prompts answered by `answers` only (one past them cancels), shown on the
// command line only when `echo` is set.
CommandResult runCommandFromCode(const std::wstring& name, const std::vector<std::wstring>& answers, bool echo,
                                 std::string& message);
// Where prompts take their answers from; false means the user cancelled.
void setInputSource(std::function<bool(std::wstring& answer)> source);
// Commands of a module, removed when it goes.
void removeModuleCommands(Module* module);
int activeCommandCount();

// The command stack the application registers, and its end: every command gone.
AcEdCommandStack* makeCommandStack();
void clearCommands();
// The host's own commands (LINE, U, UNDO, REDO, ...).
void registerBuiltinCommands(AcEdCommandStack* stack);
void registerUndoCommands(AcEdCommandStack* stack);
void registerFileCommands(AcEdCommandStack* stack);
void registerLayoutCommands(AcEdCommandStack* stack);
void registerSetvarCommand(AcEdCommandStack* stack);

}  // namespace arx
