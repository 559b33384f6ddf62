// The resources of every loaded module, as their compiled scripts registered them.
#pragma once
#include "win32/resource_table.h"
#include "wtypes.h"

namespace win32::res {

enum class Lookup { Found, NoResources, NoType, NoName };

// Finds type and name (MAKEINTRESOURCE ids, names, or "#123") in the module's tables.
Lookup find(HMODULE module, LPCWSTR type, LPCWSTR name, const ResourceEntry*& entry);
// The module whose registered table holds entry, or null when entry is no registered
// resource (a stale or made-up HRSRC).
HMODULE ownerOf(const ResourceEntry* entry);

}  // namespace win32::res
