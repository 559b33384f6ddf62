// The MFC headers first, <windows.h> after them: accepted.
#include "afxwin.h"
#include "afxcmn.h"
#include "afxtempl.h"
#include "windows.h"
#include "gdiplus.h"
