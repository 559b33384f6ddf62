// The host's own commands, registered in group "ACAD" when the application
// starts. LINE draws connected lines from the points the user gives; while it
// waits for a point, a transparent command may run.
#include "acedads.h"
#include "dbapserv.h"
#include "dbents.h"
#include "dbsymtb.h"
#include "commands.h"
#include "../ap/app_state.h"

namespace arx {
namespace {

bool appendToCurrentSpace(AcDbEntity* ent)
{
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    AcDbBlockTableRecord* space = nullptr;
    if (db == nullptr || acdbOpenObject(space, db->currentSpaceId(), AcDb::kForWrite) != Acad::eOk) {
        delete ent;
        return false;
    }
    Acad::ErrorStatus es = space->appendAcDbEntity(ent);
    space->close();
    if (es != Acad::eOk) {
        delete ent;
        return false;
    }
    ent->close();
    return true;
}

void lineCommand()
{
    ads_point from, to;
    if (acedGetPoint(nullptr, L"Specify first point: ", from) != RTNORM) return;
    while (acedGetPoint(from, L"Specify next point: ", to) == RTNORM) {
        auto* line = new AcDbLine(AcGePoint3d(from[0], from[1], from[2]), AcGePoint3d(to[0], to[1], to[2]));
        if (!appendToCurrentSpace(line)) return;
        for (int i = 0; i < 3; ++i) from[i] = to[i];
    }
}

}  // namespace

void registerBuiltinCommands(AcEdCommandStack* stack)
{
    stack->addCommand(L"ACAD", L"LINE", L"LINE", ACRX_CMD_MODAL, &lineCommand);
    registerUndoCommands(stack);
    registerFileCommands(stack);
    registerLayoutCommands(stack);
    registerSetvarCommand(stack);
}

}  // namespace arx
