// FindResourceW, LoadResource, LockResource and SizeofResource over the registry.
// A resource handle (HRSRC) is the address of the resource's entry in its module's
// table and is checked against the registry before use, so a stale handle from an
// unloaded module fails instead of reading freed memory.
#include "kernel/modules.h"
#include "kernel/resource_registry.h"
#include "libloaderapi.h"

using win32::res::Lookup;
using win32::res::ResourceEntry;

namespace {

// The entry behind hResInfo if it is registered and belongs to hModule (or hModule is
// null, which Windows also accepts).
const ResourceEntry* checkedEntry(HMODULE hModule, HRSRC hResInfo)
{
    auto* entry = reinterpret_cast<const ResourceEntry*>(hResInfo);
    HMODULE owner = win32::res::ownerOf(entry);
    if (owner == nullptr || (hModule != nullptr && hModule != owner)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return entry;
}

}  // namespace

HRSRC FindResourceW(HMODULE hModule, LPCWSTR lpName, LPCWSTR lpType)
{
    const ResourceEntry* entry = nullptr;
    switch (win32::res::find(hModule ? hModule : win32::mainProgram(), lpType, lpName, entry)) {
    case Lookup::Found:
        return reinterpret_cast<HRSRC>(const_cast<ResourceEntry*>(entry));
    case Lookup::NoResources:
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        break;
    case Lookup::NoType:
        SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
        break;
    case Lookup::NoName:
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        break;
    }
    return nullptr;
}

HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo)
{
    const ResourceEntry* entry = checkedEntry(hModule, hResInfo);
    return entry ? const_cast<void*>(entry->data) : nullptr;
}

LPVOID LockResource(HGLOBAL hResData)
{
    // Resources are never moved, so the handle is the data's address.
    return hResData;
}

DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo)
{
    const ResourceEntry* entry = checkedEntry(hModule, hResInfo);
    return entry ? entry->size : 0;
}
