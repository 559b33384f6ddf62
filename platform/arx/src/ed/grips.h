// Selecting and grip editing with no command running, as a user does it with
// the mouse: a click on an entity selects it (highlighted, its grips shown), a
// click on one of the selection's grips makes it hot and runs GRIP_STRETCH,
// whose point moves the grip (moveGripPointsAt); a click on nothing clears
// the selection.
#pragma once
#include <vector>

#include "dbmain.h"

namespace arx {

enum class ClickResult { kSelected, kGripEdited, kCleared, kNothing, kRefused };

// A left click at a pixel of the current view. Refused while a command runs.
ClickResult clickInView(int px, int py);
// Escape: the selection is cleared.
void clearPickfirst();

struct ShownGrip {
    AcDbObjectId entity;
    int index;
    AcGePoint3d point;
};
// The grips of the current selection.
std::vector<ShownGrip> shownGrips();

}  // namespace arx
