// Window classes: those registered with RegisterClassW and the stand-in's own
// (dialogs and the standard controls). Class names are compared without regard to
// case, as on Windows.
#pragma once
#include <string>

#include "winuser.h"

namespace win32::user {

struct Window;

struct WindowClass {
    std::wstring name;
    WNDPROC proc = nullptr;
    UINT style = 0;
    int cbWndExtra = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    bool builtIn = false;
    // Whether a window of this class lets the mouse through to what lies below it at
    // a point (as a static control without SS_NOTIFY answers WM_NCHITTEST with
    // HTTRANSPARENT).
    bool (*transparentToMouse)(const Window* w) = nullptr;
};

const WindowClass* findClass(LPCWSTR name);
// Registers one of the stand-in's own classes; its name must be new.
void registerBuiltInClass(const WindowClass& cls);
// Registers the dialog class and the standard controls once.
void ensureBuiltInClasses();

}  // namespace win32::user
