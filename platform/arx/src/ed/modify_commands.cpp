// The host's editing commands: MOVE, COPY, ROTATE and SCALE transform what is
// selected through transformBy (COPY copies it first, by deep clone), ERASE
// erases it. Entities on locked layers are not changed.
#include <cmath>
#include <cwchar>

#include "acedads.h"
#include "clone_entities.h"
#include "dbsymtb.h"
#include "editing_commands.h"
#include "selection.h"
#include "../ap/app_state.h"
#include "../core/numtext.h"
#include "../core/utf.h"
#include "../view/doc_view.h"

namespace arx {

namespace {

void say(const std::wstring& text)
{
    if (AppState* app = appState()) app->print(text);
}

AcGePoint3d toPoint(const ads_point p) { return AcGePoint3d(p[0], p[1], p[2]); }

// Transforms every entity; says how many could not be.
void transformAll(const std::vector<AcDbObjectId>& ids, const AcGeMatrix3d& xform, const wchar_t* verb)
{
    size_t failed = 0;
    for (const AcDbObjectId& id : ids) {
        AcDbEntity* ent = nullptr;
        if (acdbOpenAcDbEntity(ent, id, AcDb::kForWrite) != Acad::eOk) {
            ++failed;
            continue;
        }
        if (ent->transformBy(xform) != Acad::eOk) {
            ++failed;
            ent->cancel();
            continue;
        }
        ent->close();
    }
    if (failed > 0)
        say(std::to_wstring(failed) + (failed == 1 ? L" object could not be " : L" objects could not be ") + verb +
            L".\n");
}

// The base point and the second point of a displacement; with no second
// point, the first is the displacement. False when cancelled.
bool displacement(AcGeVector3d& d, const wchar_t* firstPrompt, const wchar_t* secondPrompt)
{
    ads_point a, b;
    if (acedGetPoint(nullptr, firstPrompt, a) != RTNORM) return false;
    int rc = acedGetPoint(a, secondPrompt, b);
    if (rc == RTCAN) return false;
    d = rc == RTNORM ? toPoint(b) - toPoint(a) : toPoint(a).asVector();
    return true;
}

void moveCommand()
{
    std::vector<AcDbObjectId> ids;
    if (!commandSelection(ids, true)) return;
    if (ids.empty()) return;
    AcGeVector3d d;
    if (displacement(d, L"Specify base point or [Displacement] <Displacement>: ",
                     L"Specify second point or <use first point as displacement>: "))
        transformAll(ids, AcGeMatrix3d::translation(d), L"moved");
    endSelection(ids);
}

void copyCommand()
{
    std::vector<AcDbObjectId> ids;
    if (!commandSelection(ids, false)) return;
    if (ids.empty()) return;
    say(L"Current settings:  Copy mode = Multiple\n");
    ads_point base, to;
    if (acedGetPoint(nullptr, L"Specify base point or [Displacement/mOde] <Displacement>: ", base) != RTNORM) {
        endSelection(ids);
        return;
    }
    AppState* app = appState();
    AcDbDatabase* db = app->current->db;
    const wchar_t* prompt = L"Specify second point or [Array] <use first point as displacement>: ";
    bool first = true;
    for (;;) {
        int rc = acedGetPoint(base, prompt, to);
        if (rc == RTCAN) break;
        AcGeVector3d d;
        if (rc == RTNORM)
            d = toPoint(to) - toPoint(base);
        else if (first)
            d = toPoint(base).asVector();
        else
            break;
        AcDbBlockTableRecord* space = nullptr;
        if (acdbOpenObject(space, db->currentSpaceId(), AcDb::kForWrite) != Acad::eOk) break;
        size_t failed = 0;
        for (const AcDbObjectId& id : ids) {
            Acad::ErrorStatus es;
            AcDbEntity* copy = copyEntity(id, space, AcGeMatrix3d::translation(d), es);
            if (copy != nullptr) copy->close();
            if (es != Acad::eOk) ++failed;
        }
        space->close();
        if (failed > 0) say(std::to_wstring(failed) + L" could not be copied.\n");
        if (rc != RTNORM) break;
        first = false;
        prompt = L"Specify second point or [Array/Exit/Undo] <Exit>: ";
    }
    endSelection(ids);
}

void rotateCommand()
{
    say(L"Current positive angle in UCS:  ANGDIR=counterclockwise  ANGBASE=0\n");
    std::vector<AcDbObjectId> ids;
    if (!commandSelection(ids, true)) return;
    if (ids.empty()) return;
    ads_point base;
    if (acedGetPoint(nullptr, L"Specify base point: ", base) == RTNORM) {
        ads_real degrees = 0;
        int rc = acedGetReal(L"Specify rotation angle or [Copy/Reference] <0>: ", &degrees);
        if (rc == RTNORM || rc == RTNONE) {
            if (rc == RTNONE) degrees = 0;
            transformAll(ids, AcGeMatrix3d::rotation(degrees * M_PI / 180, AcGeVector3d::kZAxis, toPoint(base)),
                         L"rotated");
        }
    }
    endSelection(ids);
}

void scaleCommand()
{
    std::vector<AcDbObjectId> ids;
    if (!commandSelection(ids, true)) return;
    if (ids.empty()) return;
    ads_point base;
    if (acedGetPoint(nullptr, L"Specify base point: ", base) == RTNORM) {
        for (;;) {
            ads_real factor = 0;
            if (acedGetReal(L"Specify scale factor or [Copy/Reference]: ", &factor) != RTNORM) break;
            if (factor > 0 && std::isfinite(factor)) {
                transformAll(ids, AcGeMatrix3d::scaling(factor, toPoint(base)), L"scaled");
                break;
            }
            say(L"Value must be positive and nonzero.\n");
        }
    }
    endSelection(ids);
}

void eraseCommand()
{
    std::vector<AcDbObjectId> ids;
    if (!commandSelection(ids, true)) return;
    endSelection(ids);
    for (const AcDbObjectId& id : ids) {
        AcDbEntity* ent = nullptr;
        if (acdbOpenAcDbEntity(ent, id, AcDb::kForWrite) != Acad::eOk) continue;
        ent->erase();
        ent->close();
    }
}

}  // namespace

void registerModifyCommands(AcEdCommandStack* stack)
{
    stack->addCommand(L"ACAD", L"MOVE", L"MOVE", ACRX_CMD_MODAL, &moveCommand);
    stack->addCommand(L"ACAD", L"COPY", L"COPY", ACRX_CMD_MODAL, &copyCommand);
    stack->addCommand(L"ACAD", L"ROTATE", L"ROTATE", ACRX_CMD_MODAL, &rotateCommand);
    stack->addCommand(L"ACAD", L"SCALE", L"SCALE", ACRX_CMD_MODAL, &scaleCommand);
    stack->addCommand(L"ACAD", L"ERASE", L"ERASE", ACRX_CMD_MODAL, &eraseCommand);
}

}  // namespace arx
