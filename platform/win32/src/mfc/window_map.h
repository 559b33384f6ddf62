// Which CWnd belongs to which window: the permanent map (attached objects), the
// temporary objects FromHandle makes for other windows, the window being created
// for a CWnd, and the message each window procedure is handling (for Default).
#pragma once
#include "afxwin.h"

namespace win32::mfc {

CWnd* permanent(HWND hwnd);
void attach(HWND hwnd, CWnd* wnd);
void detach(HWND hwnd);
CWnd* temporary(HWND hwnd);

// The message being handled, per thread, innermost first.
struct CurrentMessage {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
void pushMessage(const CurrentMessage& m);
void popMessage();
const CurrentMessage* currentMessage();

// What OnNotify hands to OnCmdMsg for an ON_NOTIFY handler.
struct NotifyData {
    NMHDR* header;
    LRESULT* result;
};

// A CWnd pointer's window, null for a null pointer.
inline HWND hwndOf(const CWnd* wnd) { return wnd ? wnd->m_hWnd : nullptr; }

// The message pump of MFC's loops: one message taken (waiting on the clock),
// pre-translated and dispatched; false on WM_QUIT.
bool pumpMessage();

}  // namespace win32::mfc
