// The user-interface part of Win32 needed so far: resource types, the dialog command
// ids, window styles and LoadStringW.
#pragma once
#include "errhandlingapi.h"
#include "win32/export.h"
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

#ifndef RC_INVOKED
// Loads string uID of the module's string table (null: the main program) into
// lpBuffer: at most cchBufferMax - 1 characters and a terminator, returning the
// number copied. With cchBufferMax 0, lpBuffer receives a read-only pointer to the
// string inside the resource (not terminated) and the result is its length. A
// missing or empty string gives 0; a buffer given then holds the empty string.
W32_EXPORT int LoadStringW(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int cchBufferMax);
#define LoadString LoadStringW
#endif
