// Shell path functions (shlwapi.h).
#include "shlwapi.h"

LPWSTR PathFindExtensionW(LPCWSTR pszPath)
{
    if (pszPath == nullptr) return nullptr;
    LPCWSTR dot = nullptr;
    LPCWSTR p = pszPath;
    for (; *p != 0; ++p) {
        if (*p == L'\\' || *p == L'/' || *p == L' ')
            dot = nullptr;
        else if (*p == L'.')
            dot = p;
    }
    return const_cast<LPWSTR>(dot != nullptr ? dot : p);
}
