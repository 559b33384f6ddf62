// QSAVE and SAVEAS: the current drawing saved under its own name or under the
// name the user gives (DXF for ".dxf", the binary drawing for ".dwg"), with the
// editor's beginSave and saveComplete around the writing. A save that fails
// says why and fails the command.
#include <stdexcept>

#include "acedads.h"
#include "commands.h"
#include "../ap/app_state.h"
#include "../core/utf.h"

namespace arx {

namespace {

void saveAs(Document* doc, const std::wstring& path)
{
    std::string error;
    if (saveDocument(doc, path, error)) return;
    appState()->print(fromUtf8(error) + L"\n");
    throw std::runtime_error(error);
}

void qsaveCommand()
{
    Document* doc = appState()->current;
    if (doc != nullptr) saveAs(doc, doc->fileName);
}

void saveasCommand()
{
    Document* doc = appState()->current;
    if (doc == nullptr) return;
    ACHAR name[4096];
    int rc = acedGetString(1, (L"Save drawing as <" + doc->fileName + L">: ").c_str(), name, 4096);
    if (rc != RTNORM) return;
    saveAs(doc, name[0] != 0 ? std::wstring(name) : doc->fileName);
}

}  // namespace

void registerFileCommands(AcEdCommandStack* stack)
{
    stack->addCommand(L"ACAD", L"QSAVE", L"QSAVE", ACRX_CMD_MODAL, &qsaveCommand);
    stack->addCommand(L"ACAD", L"SAVEAS", L"SAVEAS", ACRX_CMD_MODAL, &saveasCommand);
}

}  // namespace arx
