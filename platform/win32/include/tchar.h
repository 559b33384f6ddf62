// Generic-text names. The stand-in is a Unicode build: TCHAR is wchar_t and _T makes
// a wide literal (both defined with the basic types).
#pragma once
#include "wtypes.h"
