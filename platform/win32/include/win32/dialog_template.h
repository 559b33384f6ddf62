// A dialog template as LockResource gives it for an RT_DIALOG resource. Windows keeps
// templates as a packed DLGTEMPLATEEX byte stream whose strings are 16-bit; the
// stand-in's characters are wider, so the compiled template is this structure with
// the same fields, already checked by the resource compiler. dlgVer and signature
// hold DLGTEMPLATEEX's 1 and 0xFFFF so that code telling the two template kinds
// apart sees the extended one.
#pragma once
#include "wtypes.h"

namespace win32::res {

struct DialogItemTemplate {
    DWORD helpID;
    DWORD exStyle;
    DWORD style;
    short x;
    short y;
    short cx;
    short cy;
    DWORD id;                    // IDC_STATIC (-1) is 0xFFFFFFFF
    const wchar_t* windowClass;  // "Button", "Static", "Edit", "SysListView32", ...
    const wchar_t* title;        // never null; empty when the control has no text
};

struct DialogTemplate {
    WORD dlgVer;     // 1
    WORD signature;  // 0xFFFF
    DWORD helpID;
    DWORD exStyle;
    DWORD style;
    short x;
    short y;
    short cx;
    short cy;
    const wchar_t* caption;  // never null
    // The font, meaningful when style has DS_SETFONT (a FONT statement sets it).
    WORD pointsize;
    WORD weight;
    BYTE italic;
    BYTE charset;
    const wchar_t* typeface;  // never null
    WORD cDlgItems;
    const DialogItemTemplate* items;
};

}  // namespace win32::res
