// System variables of the editor that are not kept in the drawing: the pick
// box and the grip size, in pixels, and whether commands echo (CMDECHO).
#pragma once

namespace arx {
int pickboxPixels();
int gripSizePixels();
// CMDECHO: prompts and answers of commands run by acedCommand shown on the command line.
bool commandEcho();
// Switches between model space and the current layout's paper space, telling
// editor reactors of the layout switch.
bool setTilemode(bool tilemode);
}  // namespace arx
