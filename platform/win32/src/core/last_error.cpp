// The last error, one per thread as on Windows.
#include "errhandlingapi.h"

namespace {
thread_local DWORD tLastError = ERROR_SUCCESS;
}

DWORD GetLastError()
{
    return tLastError;
}

void SetLastError(DWORD dwErrCode)
{
    tLastError = dwErrCode;
}
