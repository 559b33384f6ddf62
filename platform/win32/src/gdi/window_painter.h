// Paints dialogs and their standard controls into a picture of the screen, for
// snapshots (see win32/screen.h).
#pragma once
#include <cairo.h>

namespace win32::user {
struct Window;
}

namespace win32::gdi {

// A dialog made by the dialog manager that is not layered (a layered window shows
// its own picture instead).
bool paintsAsDialog(const win32::user::Window* w);
// Paints the dialog where it stands on the screen: cr's origin is the screen's.
void paintDialog(cairo_t* cr, const win32::user::Window* w);

}  // namespace win32::gdi
