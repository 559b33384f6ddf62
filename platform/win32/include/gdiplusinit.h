// Starting and shutting down GDI+. Each successful GdiplusStartup hands out a token of
// its own; GDI+ objects may be used while at least one startup is active.
#pragma once
#include "gdiplustypes.h"
#include "win32/export.h"
#include "wtypes.h"

namespace Gdiplus {

enum DebugEventLevel { DebugEventLevelFatal, DebugEventLevelWarning };
using DebugEventProc = void (*)(DebugEventLevel level, CHAR* message);
using NotificationHookProc = Status (*)(ULONG_PTR* token);
using NotificationUnhookProc = void (*)(ULONG_PTR token);

struct GdiplusStartupInput {
    UINT32 GdiplusVersion;
    DebugEventProc DebugEventCallback;
    BOOL SuppressBackgroundThread;
    BOOL SuppressExternalCodecs;

    GdiplusStartupInput(DebugEventProc debugEventCallback = nullptr, BOOL suppressBackgroundThread = FALSE,
                        BOOL suppressExternalCodecs = FALSE)
        : GdiplusVersion(1),
          DebugEventCallback(debugEventCallback),
          SuppressBackgroundThread(suppressBackgroundThread),
          SuppressExternalCodecs(suppressExternalCodecs)
    {
    }
};

// Filled in when the caller suppresses the background thread: the caller then calls
// the hook before its message loop and the unhook after it.
struct GdiplusStartupOutput {
    NotificationHookProc NotificationHook;
    NotificationUnhookProc NotificationUnhook;
};

// Only version 1 is offered; any other gives UnsupportedGdiplusVersion. A null token
// or input gives InvalidParameter, and so does a suppressed background thread with no
// output to receive the hooks.
W32_EXPORT Status GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output);
// Ends the startup the token stands for; an unknown or already used token is ignored.
W32_EXPORT void GdiplusShutdown(ULONG_PTR token);

}  // namespace Gdiplus
