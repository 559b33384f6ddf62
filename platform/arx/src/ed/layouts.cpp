// The current layout and switching it (layouts.h), and the LAYOUT command's Set
// and ? options. Model space is shown while TILEMODE is 1; otherwise the
// paper-space layout whose block is named *Paper_Space, so switching to another
// paper-space layout swaps the names of the two layouts' blocks, as the drawing
// files keep the current paper space under that name.
#include "layouts.h"

#include <algorithm>
#include <vector>

#include "acedads.h"
#include "commands.h"
#include "dbapserv.h"
#include "dbdict.h"
#include "dblayout.h"
#include "dbsymtb.h"
#include "grips.h"
#include "sysvars.h"
#include "../ap/app_state.h"
#include "../core/utf.h"

namespace arx {

namespace {

struct LayoutEntry {
    std::wstring name;
    AcDbObjectId block;
    int tab = 0;
};

std::vector<LayoutEntry> layoutsOf(AcDbDatabase* db)
{
    std::vector<LayoutEntry> found;
    AcDbDictionary* dict = nullptr;
    if (db->getLayoutDictionary(dict, AcDb::kForRead) != Acad::eOk) return found;
    AcDbDictionaryIterator* it = dict->newIterator();
    dict->close();
    for (; !it->done(); it->next()) {
        AcDbLayout* layout = nullptr;
        if (acdbOpenObject(layout, it->objectId(), AcDb::kForRead) != Acad::eOk) continue;
        AcString name;
        layout->getLayoutName(name);
        found.push_back({name.kwszPtr(), layout->getBlockTableRecordId(), layout->getTabOrder()});
        layout->close();
    }
    delete it;
    return found;
}

void say(const std::wstring& text)
{
    if (AppState* app = appState()) app->print(text);
}

// Gives the layout's block the name of the current paper space and the current
// paper space's block the layout's old name.
bool makePaperSpace(AcDbDatabase* db, AcDbObjectId block)
{
    AcDbBlockTableRecord* current = nullptr;
    AcDbBlockTableRecord* wanted = nullptr;
    if (acdbOpenObject(current, db->paperSpaceId(), AcDb::kForWrite) != Acad::eOk) return false;
    if (acdbOpenObject(wanted, block, AcDb::kForWrite) != Acad::eOk) {
        current->close();
        return false;
    }
    AcString wantedName, currentName;
    wanted->getName(wantedName);
    current->getName(currentName);
    current->setName(wantedName.kwszPtr());
    wanted->setName(currentName.kwszPtr());
    wanted->close();
    current->close();
    return true;
}

void layoutCommand()
{
    AppState* app = appState();
    AcDbDatabase* db = app->current->db;
    for (;;) {
        ACHAR option[64];
        int rc = acedGetString(0, L"Enter layout option [Set/?] <set>: ", option, 64);
        if (rc == RTCAN) return;
        std::wstring word = rc == RTNORM ? upperAscii(option) : L"";
        if (word == L"?") {
            std::vector<LayoutEntry> layouts = layoutsOf(db);
            std::stable_sort(layouts.begin(), layouts.end(),
                             [](const LayoutEntry& a, const LayoutEntry& b) { return a.tab < b.tab; });
            for (const LayoutEntry& l : layouts) say(L"Layout: " + l.name + L"\n");
            continue;
        }
        if (!word.empty() && word != L"S" && word != L"SET") {
            say(L"Invalid option keyword.\n");
            continue;
        }
        break;
    }
    const std::wstring current = currentLayoutName(db);
    for (;;) {
        ACHAR name[256];
        int rc = acedGetString(1, (L"Enter layout to make current <" + current + L">: ").c_str(), name, 256);
        if (rc == RTCAN) return;
        std::wstring wanted = rc == RTNORM && name[0] != 0 ? std::wstring(name) : current;
        std::wstring why;
        if (switchLayout(wanted, why)) return;
        say(why + L"\n");
    }
}

}  // namespace

std::wstring currentLayoutName(AcDbDatabase* db)
{
    if (db->tilemode()) return L"Model";
    const AcDbObjectId paper = db->paperSpaceId();
    for (const LayoutEntry& l : layoutsOf(db))
        if (l.block == paper) return l.name;
    return L"Layout1";
}

bool switchLayout(const std::wstring& name, std::wstring& why)
{
    AppState* app = appState();
    Document* doc = app != nullptr ? app->current : nullptr;
    if (doc == nullptr) {
        why = L"No drawing is open.";
        return false;
    }
    AcDbDatabase* db = doc->db;
    const LayoutEntry* target = nullptr;
    std::vector<LayoutEntry> layouts = layoutsOf(db);
    for (const LayoutEntry& l : layouts)
        if (equalsNoCase(l.name, name)) target = &l;
    if (target == nullptr) {
        why = L"Layout \"" + name + L"\" not found.";
        return false;
    }
    if (target->block == db->modelSpaceId()) return setTilemode(true);
    if (target->block == db->paperSpaceId()) return setTilemode(false);
    // Another paper-space layout becomes the paper space shown.
    const bool wasModel = db->tilemode();
    clearPickfirst();
    if (!makePaperSpace(db, target->block)) {
        why = L"Layout \"" + target->name + L"\" cannot be made current.";
        return false;
    }
    if (wasModel) return setTilemode(false);
    const std::wstring shown = target->name;
    app->notifyEditorReactors([&](AcEditorReactor* r) { r->layoutSwitched(shown.c_str()); });
    return true;
}

void registerLayoutCommands(AcEdCommandStack* stack)
{
    stack->addCommand(L"ACAD", L"LAYOUT", L"LAYOUT", ACRX_CMD_MODAL, &layoutCommand);
}

}  // namespace arx
