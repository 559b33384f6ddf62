// Commands that copy entities out of the drawing: WBLOCK writes them (or the
// whole drawing) to a new drawing file, COPYCLIP copies them to the clipboard
// drawing, PASTECLIP copies the clipboard into the drawing. All three copy
// through wblock cloning into the other drawing, so an entity that declines to
// be copied is left out without an error.
#include <memory>
#include <stdexcept>

#include "acedads.h"
#include "clone_entities.h"
#include "dbapserv.h"
#include "editing_commands.h"
#include "selection.h"
#include "../ap/app_state.h"
#include "../core/utf.h"
#include "../drawing_files/drawing_files.h"
#include "../view/doc_view.h"

namespace arx {

namespace {

// The clipboard: a drawing of its own and the point it was copied from.
std::unique_ptr<AcDbDatabase> gClipboard;
AcGePoint3d gClipboardBase;

void say(const std::wstring& text)
{
    if (AppState* app = appState()) app->print(text);
}

// Copies entities into the model space of another drawing, moved by offset;
// the count copied.
size_t copyInto(AcDbDatabase* target, const std::vector<AcDbObjectId>& ids, const AcGeVector3d& offset)
{
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, target->modelSpaceId(), AcDb::kForWrite) != Acad::eOk) return 0;
    size_t copied = 0;
    for (const AcDbObjectId& id : ids) {
        Acad::ErrorStatus es;
        AcDbEntity* copy = copyEntity(id, space, AcGeMatrix3d::translation(offset), es);
        if (copy == nullptr) continue;
        copy->close();
        ++copied;
    }
    space->close();
    return copied;
}

std::vector<AcDbObjectId> entitiesOf(AcDbObjectId spaceId)
{
    std::vector<AcDbObjectId> ids;
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, spaceId, AcDb::kForRead) != Acad::eOk) return ids;
    AcDbBlockTableRecordIterator* it = nullptr;
    if (space->newIterator(it) == Acad::eOk) {
        for (; !it->done(); it->step()) {
            AcDbObjectId id;
            if (it->getEntityId(id) == Acad::eOk) ids.push_back(id);
        }
        delete it;
    }
    space->close();
    return ids;
}

void wblockCommand()
{
    AppState* app = appState();
    if (app->current == nullptr) return;
    ACHAR buf[1024];
    if (acedGetString(1, L"Enter name of output file: ", buf, 1024) != RTNORM) return;
    std::wstring file = buf;
    if (file.empty()) return;
    if (acedGetString(1, L"Enter name of existing block or\n[= (block=output file)/* (whole drawing)] <define new drawing>: ",
                      buf, 1024) != RTNORM)
        return;
    std::wstring which = buf;
    std::vector<AcDbObjectId> ids;
    AcGeVector3d offset;
    if (which == L"*") {
        ids = entitiesOf(app->current->db->modelSpaceId());
    } else if (which.empty()) {
        ads_point base;
        if (acedGetPoint(nullptr, L"Specify insertion base point: ", base) != RTNORM) return;
        offset = -AcGeVector3d(base[0], base[1], base[2]);
        if (!commandSelection(ids, false)) return;
        endSelection(ids);
        if (ids.empty()) return;
    } else {
        say(L"Block \"" + which + L"\" not found.\n");
        return;
    }
    auto target = std::make_unique<AcDbDatabase>(true, true);
    size_t copied = copyInto(target.get(), ids, offset);
    // A file that cannot be written fails the command, with the reason.
    if (saveDrawingByName(target.get(), file) != Acad::eOk) throw std::runtime_error(lastFileError());
    say(std::to_wstring(copied) + (copied == 1 ? L" object" : L" objects") + L" written to " + file + L"\n");
}

void copyclipCommand()
{
    std::vector<AcDbObjectId> ids;
    if (!commandSelection(ids, false)) return;
    endSelection(ids);
    if (ids.empty()) return;
    // The base point is the lower left corner of what was copied.
    AcDbExtents ext;
    for (const AcDbObjectId& id : ids) {
        AcDbEntity* ent = nullptr;
        if (acdbOpenAcDbEntity(ent, id, AcDb::kForRead) != Acad::eOk) continue;
        AcDbExtents e;
        if (ent->getGeomExtents(e) == Acad::eOk) ext.addExt(e);
        ent->close();
    }
    gClipboardBase = ext.isValid() ? ext.minPoint() : AcGePoint3d::kOrigin;
    auto clip = std::make_unique<AcDbDatabase>(true, true);
    copyInto(clip.get(), ids, AcGeVector3d());
    gClipboard = std::move(clip);
}

void pasteclipCommand()
{
    AppState* app = appState();
    if (app->current == nullptr) return;
    if (gClipboard == nullptr) {
        say(L"The clipboard holds no drawing.\n");
        return;
    }
    ads_point at;
    if (acedGetPoint(nullptr, L"Specify insertion point: ", at) != RTNORM) return;
    std::vector<AcDbObjectId> ids = entitiesOf(gClipboard->modelSpaceId());
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, app->current->db->currentSpaceId(), AcDb::kForWrite) != Acad::eOk) return;
    AcGeVector3d offset = AcGePoint3d(at[0], at[1], at[2]) - gClipboardBase;
    for (const AcDbObjectId& id : ids) {
        Acad::ErrorStatus es;
        AcDbEntity* copy = copyEntity(id, space, AcGeMatrix3d::translation(offset), es);
        if (copy != nullptr) copy->close();
    }
    space->close();
}

}  // namespace

void clearClipboard() { gClipboard.reset(); }
AcDbDatabase* clipboardDrawing() { return gClipboard.get(); }

void registerCloneCommands(AcEdCommandStack* stack)
{
    stack->addCommand(L"ACAD", L"WBLOCK", L"WBLOCK", ACRX_CMD_MODAL, &wblockCommand);
    stack->addCommand(L"ACAD", L"COPYCLIP", L"COPYCLIP", ACRX_CMD_MODAL, &copyclipCommand);
    stack->addCommand(L"ACAD", L"PASTECLIP", L"PASTECLIP", ACRX_CMD_MODAL, &pasteclipCommand);
}

}  // namespace arx
