// Object selection as the editor asks for it ("Select objects:"): a point picks
// the topmost entity whose drawing passes within the pick box (or, on empty
// space, starts a window), W and C take two corners (inside the window, or
// inside or crossing it), ALL everything in the space shown, L the last entity,
// P the previous selection, and an empty answer ends the selection. Chosen
// entities are highlighted while the command runs.
#pragma once
#include <vector>

#include "dbmain.h"

namespace arx {

class DocView;

// False when the user cancelled. Entities on locked layers are left out when
// the command would change them (editing), with a message saying how many.
bool selectObjects(std::vector<AcDbObjectId>& chosen, bool editing);
// The set a command works on: what was selected before it started (the grips'
// selection), or else what the user selects now.
bool commandSelection(std::vector<AcDbObjectId>& chosen, bool editing);
// Ends a command's selection: unhighlights it and keeps it as the previous one.
void endSelection(const std::vector<AcDbObjectId>& chosen);

void highlightEntity(AcDbObjectId id, bool on);
// The topmost entity shown whose drawing passes within the pick box of a world
// point; null when none.
AcDbObjectId pickEntity(DocView& view, const AcGePoint3d& at);
// Whether the entity's layer is shown (on and thawed), and whether it is locked.
bool layerShown(AcDbObjectId entity);
bool layerLocked(AcDbObjectId entity);

// "x,y" or "x,y,z".
bool parsePoint(const std::wstring& text, AcGePoint3d& p);

}  // namespace arx
