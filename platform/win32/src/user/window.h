// The window tree: every window the stand-in knows, from the desktop down. Top-level
// windows are the desktop's children; each parent keeps its children in z-order,
// topmost first. Handles are never reused, so a stale HWND finds nothing.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "winuser.h"

namespace win32::user {

struct WindowClass;
struct DialogState;

// A layered window's picture as UpdateLayeredWindow left it: premultiplied 32-bit
// pixels (blue, green, red, alpha in memory), top-down, width x height.
struct Surface {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    BYTE alphaAt(int x, int y) const
    {
        return static_cast<BYTE>(pixels[static_cast<size_t>(y) * width + x] >> 24);
    }
};

struct Window {
    HWND handle = nullptr;
    const WindowClass* wndClass = nullptr;
    WNDPROC proc = nullptr;
    HINSTANCE instance = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    Window* parent = nullptr;  // the desktop for top-level windows
    Window* owner = nullptr;   // top-level windows only
    std::vector<Window*> children;  // z-order, topmost first
    RECT rect{};  // window rectangle in the parent's client coordinates (screen for top-level)
    std::wstring text;
    LONG_PTR id = 0;  // GWLP_ID of a child window
    LONG_PTR userData = 0;
    std::vector<BYTE> extra;  // cbWndExtra bytes (dialogs keep DWLP_* here)
    HICON iconSmall = nullptr;
    HICON iconBig = nullptr;
    bool destroying = false;  // DestroyWindow has begun
    bool updatePending = false;  // has an update region
    RECT update{};  // its bounds, client coordinates
    bool eraseRequested = false;
    std::unique_ptr<Surface> surface;  // layered windows, once updated
    std::unique_ptr<DialogState> dialog;  // windows made by the dialog manager

    Window();
    ~Window();
};

// The window behind a handle, or null (and ERROR_INVALID_WINDOW_HANDLE) when the
// handle is no live window.
Window* fromHandle(HWND hwnd);
Window* fromHandleQuiet(HWND hwnd);
Window* desktop();
bool isTopLevel(const Window* w);
// The nearest ancestor (or itself) that is a top-level window.
Window* topLevelOf(Window* w);

// Geometry.
RECT clientRectInWindow(const Window* w);  // client area relative to the window's top-left
POINT clientOriginOnScreen(const Window* w);
RECT windowRectOnScreen(const Window* w);
RECT clientRectOnScreen(const Window* w);
// The frame a window of this style draws around its client area.
RECT frameInsets(DWORD style, DWORD exStyle);

// Visible: its own WS_VISIBLE and every ancestor's, and not minimised.
bool reallyVisible(const Window* w);
// Enabled, with every ancestor enabled.
bool reallyEnabled(const Window* w);

// Tree changes.
HWND newHandle();
void registerWindow(Window* w);
void unregisterWindow(Window* w);
void linkInZOrder(Window* w, Window* after);  // after null: on top of its band
void unlink(Window* w);
// Keeps every owned window above its owner, as Windows does.
void keepOwnedAboveOwners();
// Every window below the desktop, parents before their children, topmost first.
void forEachWindow(const std::function<void(Window*)>& visit);
// Windows whose owner is w.
std::vector<Window*> ownedBy(const Window* w);

// Called after anything that may change which window is under the cursor.
void layoutChanged();

}  // namespace win32::user
