// Modules and their resources. A module handle (HMODULE, HINSTANCE) is the module's
// own image base, the address where its file is mapped, so it is the same value
// however the module is reached. Resources are found by module handle: each module's
// compiled resource script registers its table when the module loads.
#pragma once
#include "errhandlingapi.h"
#include "win32/export.h"
#include "wtypes.h"

#define GET_MODULE_HANDLE_EX_FLAG_PIN 0x00000001
#define GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT 0x00000002
#define GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS 0x00000004

#ifndef RC_INVOKED
// The main program for a null name; otherwise the loaded module whose file name is
// lpModuleName (with or without its directory). No reference is taken.
W32_EXPORT HMODULE GetModuleHandleW(LPCWSTR lpModuleName);
// With GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, lpModuleName is an address inside the
// module. Unless UNCHANGED_REFCOUNT is given the module gains a reference that
// FreeLibrary gives back; PIN keeps the module loaded until the process ends.
W32_EXPORT BOOL GetModuleHandleExW(DWORD dwFlags, LPCWSTR lpModuleName, HMODULE* phModule);
// Copies the module's path (null: the main program). A buffer too small gets the
// path cut to nSize - 1 characters and a terminator; the result is then nSize and
// the last error ERROR_INSUFFICIENT_BUFFER.
W32_EXPORT DWORD GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize);
// Gives back a reference taken by GetModuleHandleExW.
W32_EXPORT BOOL FreeLibrary(HMODULE hLibModule);

// lpName and lpType are MAKEINTRESOURCE ids, names (compared without regard to case)
// or "#123" for id 123. A null module means the main program. Null when missing.
W32_EXPORT HRSRC FindResourceW(HMODULE hModule, LPCWSTR lpName, LPCWSTR lpType);
W32_EXPORT HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo);
W32_EXPORT LPVOID LockResource(HGLOBAL hResData);
W32_EXPORT DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo);

#define GetModuleHandle GetModuleHandleW
#define GetModuleHandleEx GetModuleHandleExW
#define GetModuleFileName GetModuleFileNameW
#define FindResource FindResourceW
#endif
