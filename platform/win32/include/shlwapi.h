// Shell path functions: the extension of a file name.
#pragma once
#include "win32/export.h"
#include "wtypes.h"

#ifndef RC_INVOKED
// The address of the "." that starts the extension of the path's last part, or
// of the terminating null when it has none. An extension holds no space and no
// path separator; on this platform "/" separates as "\" does.
W32_EXPORT LPWSTR PathFindExtensionW(LPCWSTR pszPath);
#ifdef UNICODE
#define PathFindExtension PathFindExtensionW
#endif
#endif
