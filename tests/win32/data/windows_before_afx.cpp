// <windows.h> before the MFC headers: MFC refuses this translation unit.
#include "windows.h"
#include "afxwin.h"
