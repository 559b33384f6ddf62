// The host's view, editing and clipboard commands, registered with its own
// commands in group "ACAD" when the application starts.
#pragma once
#include "accmd.h"

class AcDbDatabase;

namespace arx {
// The clipboard's drawing (COPYCLIP fills it); null while empty. Cleared when
// the application stops.
AcDbDatabase* clipboardDrawing();
void clearClipboard();
void registerViewCommands(AcEdCommandStack* stack);
void registerModifyCommands(AcEdCommandStack* stack);
void registerCloneCommands(AcEdCommandStack* stack);
void registerGripCommand(AcEdCommandStack* stack);
inline void registerEditingCommands(AcEdCommandStack* stack)
{
    registerViewCommands(stack);
    registerModifyCommands(stack);
    registerCloneCommands(stack);
    registerGripCommand(stack);
}
}  // namespace arx
