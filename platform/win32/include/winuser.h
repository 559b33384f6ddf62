// The user-interface part of Win32: resource types, dialog command ids, messages and
// the message loop, windows and their classes, coordinates, focus and activation,
// timers, the mouse, dialogs and message boxes.
//
// Everything runs on one thread against one message queue and one clock (see
// win32/clock.h); the screen is 1920 by 1080 pixels.
#pragma once
#include "errhandlingapi.h"
#include "win32/export.h"
#include "wingdi.h"
#include "winmessages.h"
#include "winstyles.h"
#include "wtypes.h"

// Predefined resource types.
#define RT_DIALOG MAKEINTRESOURCE(5)
#define RT_STRING MAKEINTRESOURCE(6)
#define RT_RCDATA MAKEINTRESOURCE(10)

// Dialog box command ids.
#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7
#define IDCLOSE 8
#define IDHELP 9

#define USER_TIMER_MINIMUM 0x0000000A
#define USER_TIMER_MAXIMUM 0x7FFFFFFF
#define ERROR_INVALID_WINDOW_HANDLE 1400L
#define ERROR_CLASS_ALREADY_EXISTS 1410L
#define ERROR_CLASS_DOES_NOT_EXIST 1411L
#define ERROR_CANNOT_FIND_WND_CLASS 1407L
#define ERROR_INVALID_FLAGS 1004L
#define ULW_COLORKEY 0x00000001
#define ULW_ALPHA 0x00000002
#define ULW_OPAQUE 0x00000004
#define ULW_EX_NORESIZE 0x00000008

#ifndef RC_INVOKED

#define HWND_TOP ((HWND)0)
#define HWND_BOTTOM ((HWND)1)
#define HWND_TOPMOST ((HWND)-1)
#define HWND_NOTOPMOST ((HWND)-2)
#define HWND_DESKTOP ((HWND)0)
#define CW_USEDEFAULT ((int)0x80000000)
#define MAKEINTATOM(i) ((LPWSTR)((ULONG_PTR)((WORD)(i))))

using WNDPROC = LRESULT(CALLBACK*)(HWND, UINT, WPARAM, LPARAM);
using DLGPROC = INT_PTR(CALLBACK*)(HWND, UINT, WPARAM, LPARAM);
using TIMERPROC = void(CALLBACK*)(HWND, UINT, UINT_PTR, DWORD);

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
    DWORD lPrivate;
};
using PMSG = MSG*;
using LPMSG = MSG*;

struct WNDCLASSW {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCWSTR lpszMenuName;
    LPCWSTR lpszClassName;
};
using WNDCLASS = WNDCLASSW;

struct CREATESTRUCTW {
    LPVOID lpCreateParams;
    HINSTANCE hInstance;
    HMENU hMenu;
    HWND hwndParent;
    int cy;
    int cx;
    int y;
    int x;
    LONG style;
    LPCWSTR lpszName;
    LPCWSTR lpszClass;
    DWORD dwExStyle;
};
using CREATESTRUCT = CREATESTRUCTW;
using LPCREATESTRUCTW = CREATESTRUCTW*;
using LPCREATESTRUCT = CREATESTRUCTW*;

struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
};
using LPPAINTSTRUCT = PAINTSTRUCT*;

struct TRACKMOUSEEVENT {
    DWORD cbSize;
    DWORD dwFlags;
    HWND hwndTrack;
    DWORD dwHoverTime;
};
using LPTRACKMOUSEEVENT = TRACKMOUSEEVENT*;

struct NMHDR {
    HWND hwndFrom;
    UINT_PTR idFrom;
    UINT code;
};
using LPNMHDR = NMHDR*;

// Messages and the message loop. GetMessageW waits (on the clock) for the next
// message; PeekMessageW never waits and never moves the clock.
W32_EXPORT BOOL GetMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax);
W32_EXPORT BOOL PeekMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg);
W32_EXPORT BOOL TranslateMessage(const MSG* lpMsg);
W32_EXPORT LRESULT DispatchMessageW(const MSG* lpMsg);
W32_EXPORT BOOL PostMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
W32_EXPORT LRESULT SendMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
W32_EXPORT void PostQuitMessage(int nExitCode);
W32_EXPORT LRESULT CallWindowProcW(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
W32_EXPORT LRESULT DefWindowProcW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);

// Timers. A window timer posts WM_TIMER when it is due and the queue holds nothing
// else; periods below USER_TIMER_MINIMUM are raised to it.
W32_EXPORT UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc);
W32_EXPORT BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent);

// Window classes and windows.
W32_EXPORT ATOM RegisterClassW(const WNDCLASSW* lpWndClass);
W32_EXPORT BOOL UnregisterClassW(LPCWSTR lpClassName, HINSTANCE hInstance);
W32_EXPORT HWND CreateWindowExW(DWORD dwExStyle, LPCWSTR lpClassName, LPCWSTR lpWindowName, DWORD dwStyle, int X,
                                int Y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance,
                                LPVOID lpParam);
W32_EXPORT BOOL DestroyWindow(HWND hWnd);
W32_EXPORT BOOL IsWindow(HWND hWnd);
W32_EXPORT BOOL IsWindowVisible(HWND hWnd);
W32_EXPORT BOOL IsWindowEnabled(HWND hWnd);
W32_EXPORT BOOL IsIconic(HWND hWnd);
W32_EXPORT BOOL IsChild(HWND hWndParent, HWND hWnd);
W32_EXPORT HWND GetParent(HWND hWnd);
W32_EXPORT HWND GetWindow(HWND hWnd, UINT uCmd);
W32_EXPORT HWND GetAncestor(HWND hwnd, UINT gaFlags);
W32_EXPORT HWND GetDesktopWindow();
W32_EXPORT LONG_PTR GetWindowLongPtrW(HWND hWnd, int nIndex);
W32_EXPORT LONG_PTR SetWindowLongPtrW(HWND hWnd, int nIndex, LONG_PTR dwNewLong);
W32_EXPORT int GetWindowTextW(HWND hWnd, LPWSTR lpString, int nMaxCount);
W32_EXPORT int GetWindowTextLengthW(HWND hWnd);
W32_EXPORT BOOL SetWindowTextW(HWND hWnd, LPCWSTR lpString);
W32_EXPORT int GetClassNameW(HWND hWnd, LPWSTR lpClassName, int nMaxCount);

// Position, size, z-order and showing. Top-level windows are placed in screen
// coordinates, child windows in their parent's client coordinates.
W32_EXPORT BOOL ShowWindow(HWND hWnd, int nCmdShow);
W32_EXPORT BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags);
W32_EXPORT BOOL MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint);
W32_EXPORT BOOL GetWindowRect(HWND hWnd, LPRECT lpRect);
W32_EXPORT BOOL GetClientRect(HWND hWnd, LPRECT lpRect);
W32_EXPORT BOOL ClientToScreen(HWND hWnd, LPPOINT lpPoint);
W32_EXPORT BOOL ScreenToClient(HWND hWnd, LPPOINT lpPoint);
W32_EXPORT int MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints);
W32_EXPORT BOOL AdjustWindowRectEx(LPRECT lpRect, DWORD dwStyle, BOOL bMenu, DWORD dwExStyle);
W32_EXPORT HWND WindowFromPoint(POINT Point);

// Painting: an update region per window, answered by WM_PAINT when the queue is
// otherwise empty.
W32_EXPORT BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase);
W32_EXPORT BOOL ValidateRect(HWND hWnd, const RECT* lpRect);
W32_EXPORT BOOL GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL bErase);
W32_EXPORT BOOL UpdateWindow(HWND hWnd);
W32_EXPORT HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint);
W32_EXPORT BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint);

// Device contexts of windows, and the surface of layered windows: UpdateLayeredWindow
// copies the source bitmap into the window's own picture, which is what the screen
// shows of the window and what decides where it takes the mouse (only pixels whose
// alpha is not zero do).
W32_EXPORT HDC GetDC(HWND hWnd);
W32_EXPORT int ReleaseDC(HWND hWnd, HDC hDC);
W32_EXPORT BOOL UpdateLayeredWindow(HWND hWnd, HDC hdcDst, POINT* pptDst, SIZE* psize, HDC hdcSrc, POINT* pptSrc,
                                    COLORREF crKey, BLENDFUNCTION* pblend, DWORD dwFlags);

// Activation, focus and enabling.
W32_EXPORT HWND SetActiveWindow(HWND hWnd);
W32_EXPORT HWND GetActiveWindow();
W32_EXPORT HWND GetForegroundWindow();
W32_EXPORT HWND SetFocus(HWND hWnd);
W32_EXPORT HWND GetFocus();
W32_EXPORT BOOL EnableWindow(HWND hWnd, BOOL bEnable);

// The mouse: a simulated cursor in screen pixels, capture and tracking.
W32_EXPORT BOOL GetCursorPos(LPPOINT lpPoint);
W32_EXPORT BOOL SetCursorPos(int X, int Y);
W32_EXPORT HWND SetCapture(HWND hWnd);
W32_EXPORT BOOL ReleaseCapture();
W32_EXPORT HWND GetCapture();
W32_EXPORT BOOL TrackMouseEvent(LPTRACKMOUSEEVENT lpEventTrack);
W32_EXPORT UINT GetDoubleClickTime();

// Dialogs (see also win32/dialog_template.h for the templates themselves).
W32_EXPORT HWND GetDlgItem(HWND hDlg, int nIDDlgItem);
W32_EXPORT int GetDlgCtrlID(HWND hWnd);
W32_EXPORT BOOL EndDialog(HWND hDlg, INT_PTR nResult);
W32_EXPORT BOOL MapDialogRect(HWND hDlg, LPRECT lpRect);
W32_EXPORT LRESULT DefDlgProcW(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam);

// Message boxes are recorded and answered at once (see win32/message_boxes.h);
// MessageBeep is recorded.
W32_EXPORT int MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType);
W32_EXPORT BOOL MessageBeep(UINT uType);

// System metrics of the stand-in's screen (96 dots per inch).
W32_EXPORT int GetSystemMetrics(int nIndex);
W32_EXPORT BOOL SystemParametersInfoW(UINT uiAction, UINT uiParam, PVOID pvParam, UINT fWinIni);

// Rectangles.
W32_EXPORT BOOL SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom);
W32_EXPORT BOOL SetRectEmpty(LPRECT lprc);
W32_EXPORT BOOL CopyRect(LPRECT lprcDst, const RECT* lprcSrc);
W32_EXPORT BOOL IsRectEmpty(const RECT* lprc);
W32_EXPORT BOOL EqualRect(const RECT* lprc1, const RECT* lprc2);
W32_EXPORT BOOL PtInRect(const RECT* lprc, POINT pt);
W32_EXPORT BOOL OffsetRect(LPRECT lprc, int dx, int dy);
W32_EXPORT BOOL InflateRect(LPRECT lprc, int dx, int dy);
W32_EXPORT BOOL IntersectRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2);
W32_EXPORT BOOL UnionRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2);

// Strings of the module's string table.
// Loads string uID of the module's string table (null: the main program) into
// lpBuffer: at most cchBufferMax - 1 characters and a terminator, returning the
// number copied. With cchBufferMax 0, lpBuffer receives a read-only pointer to the
// string inside the resource (not terminated) and the result is its length. A
// missing or empty string gives 0; a buffer given then holds the empty string.
W32_EXPORT int LoadStringW(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int cchBufferMax);

#define LoadString LoadStringW
#define GetMessage GetMessageW
#define PeekMessage PeekMessageW
#define DispatchMessage DispatchMessageW
#define PostMessage PostMessageW
#define SendMessage SendMessageW
#define CallWindowProc CallWindowProcW
#define DefWindowProc DefWindowProcW
#define RegisterClass RegisterClassW
#define UnregisterClass UnregisterClassW
#define CreateWindowEx CreateWindowExW
#define GetWindowLongPtr GetWindowLongPtrW
#define SetWindowLongPtr SetWindowLongPtrW
#define GetWindowText GetWindowTextW
#define GetWindowTextLength GetWindowTextLengthW
#define SetWindowText SetWindowTextW
#define GetClassName GetClassNameW
#define DefDlgProc DefDlgProcW
#define MessageBox MessageBoxW
#define SystemParametersInfo SystemParametersInfoW

#endif  // RC_INVOKED
