// The base of MFC: CObject, the diagnostic macros, generic positions and CString.
// As in MFC, <windows.h> must not come before the MFC headers: MFC includes it
// itself, and refuses a translation unit that included it first. The stand-in's
// MFC is a Unicode build.
#pragma once
#ifdef _WINDOWS_
#error WINDOWS.H already included. MFC apps must not #include <windows.h>
#endif
#ifndef _UNICODE
#error The MFC stand-in is a Unicode build: define _UNICODE and UNICODE.
#endif
#include "windows.h"
#include "tchar.h"
#include "win32/export.h"

#define afx_msg
#define AFX_MSG_CALL
#define AFXAPI
#define AFX_CDECL
#define AFX_DATA
// Checks of the debug build; like a release build of MFC, the stand-in does not
// evaluate them (VERIFY still evaluates its expression).
#define ASSERT(f) ((void)0)
#define ASSERT_VALID(p) ((void)0)
#define VERIFY(f) ((void)(f))
#define TRACE(...) ((void)0)
#define UNUSED_ALWAYS(x) (void)(x)

// An opaque position in a collection (CListCtrl's selected items).
struct __POSITION {};
using POSITION = __POSITION*;

class W32_EXPORT CObject {
public:
    virtual ~CObject() = default;

protected:
    CObject() = default;

private:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

#include "afxstr.h"
