// Releasing memory the host hands out: buffers and strings that host functions
// allocate for their caller (acutNewBuffer, acutNewString, the texts of filers and
// entities). Each release sets the caller's pointer to null.
#pragma once
#include "adesk.h"

ARXHOST_EXPORT void acutDelBuffer(void*& pBuffer);
inline void acutDelBuffer(char*& pString) { ::acutDelBuffer(reinterpret_cast<void*&>(pString)); }
inline void acutDelString(char*& pString) { ::acutDelBuffer(reinterpret_cast<void*&>(pString)); }
inline void acutDelString(wchar_t*& pString) { ::acutDelBuffer(reinterpret_cast<void*&>(pString)); }
