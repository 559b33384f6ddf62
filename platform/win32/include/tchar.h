// Generic-text names of the C runtime: _T and _TCHAR follow _UNICODE (wide text in
// a Unicode build, narrow otherwise), as in Windows' tchar.h.
#pragma once
#include "wtypes.h"

#ifdef _UNICODE
#ifndef _T
#define _T(x) L##x
#endif
#define _TEXT(x) L##x
using _TCHAR = wchar_t;
#else
#ifndef _T
#define _T(x) x
#endif
#define _TEXT(x) x
using _TCHAR = char;
#endif
