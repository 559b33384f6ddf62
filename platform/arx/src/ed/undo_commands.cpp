// U, UNDO and REDO: the current drawing's undo history played back. U takes
// back the last command's changes, UNDO the number of commands asked for, and
// REDO brings back what the U or UNDO just before took back (until a new change
// is made). Each says which commands it took back or brought again.
#include "acedads.h"
#include "commands.h"
#include "../ap/app_state.h"
#include "../db/undo.h"

namespace arx {

namespace {

UndoLog* currentLog()
{
    AppState* app = appState();
    return app != nullptr && app->current != nullptr ? &undoLog(app->current->db) : nullptr;
}

void say(const std::wstring& text)
{
    if (AppState* app = appState()) app->print(text);
}

void sayNames(const std::vector<std::wstring>& names)
{
    std::wstring line;
    for (const std::wstring& n : names) line += (line.empty() ? L"" : L" ") + n;
    say(line + L"\n");
}

void undoSteps(size_t count)
{
    UndoLog* log = currentLog();
    if (log == nullptr) return;
    std::vector<std::wstring> names = log->undo(count);
    if (!names.empty()) sayNames(names);
    if (names.size() < count) say(L"Everything has been undone\n");
}

void uCommand() { undoSteps(1); }

void undoCommand()
{
    for (;;) {
        int n = 1;
        int rc = acedGetInt(L"Enter the number of operations to undo <1>: ", &n);
        if (rc == RTCAN) return;
        if (rc == RTNONE) n = 1;
        if (n > 0) {
            undoSteps(static_cast<size_t>(n));
            return;
        }
        say(L"Value must be positive and nonzero.\n");
    }
}

void redoCommand()
{
    UndoLog* log = currentLog();
    if (log == nullptr) return;
    if (log->lastUndone() == 0) {
        say(L"The previous command did not undo anything.\n");
        return;
    }
    sayNames(log->redo(log->lastUndone()));
}

}  // namespace

void registerUndoCommands(AcEdCommandStack* stack)
{
    stack->addCommand(L"ACAD", L"U", L"U", ACRX_CMD_MODAL, &uCommand);
    stack->addCommand(L"ACAD", L"UNDO", L"UNDO", ACRX_CMD_MODAL, &undoCommand);
    stack->addCommand(L"ACAD", L"REDO", L"REDO", ACRX_CMD_MODAL, &redoCommand);
}

}  // namespace arx
