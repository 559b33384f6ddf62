// The MFC umbrella for the parts built so far: strings, the module state and
// extension modules, over the Win32 stand-in.
#pragma once
#include "windows.h"
#include "tchar.h"
#include "afxstr.h"
#include "afxstat_.h"
#include "afxdll_.h"
