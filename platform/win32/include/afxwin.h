// The MFC umbrella: strings, module state and extension modules, windows and their
// message maps, dialogs and data exchange, buttons, the thread and frame windows,
// and message boxes.
#pragma once
#include "afx.h"
#include "atltypes.h"
#include "afxstr.h"
#include "afxstat_.h"
#include "afxdll_.h"
#include "afxmsg_.h"
#include "afxwnd_.h"
#include "afxdlg_.h"
#include "afxbtn_.h"
#include "afxfrm_.h"

// A message box owned by the application's main window with the application's name
// as caption; answered as MessageBoxW answers (see win32/message_boxes.h).
W32_EXPORT int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
W32_EXPORT int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
W32_EXPORT LPCTSTR AFXAPI AfxGetAppName();
