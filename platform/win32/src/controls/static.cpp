// The "Static" class: text and pictures that take no input. Unless it has
// SS_NOTIFY, the mouse passes through it to the window beneath (its parent), as a
// static control answers WM_NCHITTEST with HTTRANSPARENT on Windows.
#include "controls/controls.h"
#include "user/window.h"
#include "user/window_class.h"

namespace win32::controls {
namespace {

LRESULT CALLBACK staticProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_LBUTTONUP && (GetWindowLongPtrW(h, GWL_STYLE) & SS_NOTIFY)) notifyParent(h, 0 /* STN_CLICKED */);
    return DefWindowProcW(h, msg, wp, lp);
}

bool transparentUnlessNotify(const win32::user::Window* w) { return !(w->style & SS_NOTIFY); }

}  // namespace

void registerStaticClass()
{
    win32::user::WindowClass cls;
    cls.name = L"Static";
    cls.proc = staticProc;
    cls.transparentToMouse = transparentUnlessNotify;
    win32::user::registerBuiltInClass(cls);
}

}  // namespace win32::controls
