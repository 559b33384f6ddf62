// The compiled form of a module's resource script. The resource compiler (arxrc)
// writes one ResourceTable per script and a static ResourceRegistrar that adds the
// table to the resources of the module it is linked into when that module loads, and
// takes it away when the module unloads. The module is found from the registrar's
// own address, so a table always belongs to the module that carries it.
//
// Resource data keeps Windows' layout where that layout does not depend on the width
// of a character. String tables are bundles as on Windows: resource (id >> 4) + 1 of
// type RT_STRING holds strings id & ~15 .. id | 15, each one WCHAR giving its length
// followed by that many WCHARs, without terminators (WCHAR is wchar_t here). Dialog
// templates are win32::res::DialogTemplate (see dialog_template.h). Custom types and
// RT_RCDATA hold the bytes of the file named in the script.
#pragma once
#include "win32/export.h"
#include "wtypes.h"

namespace win32::res {

// A resource type or name: an integer id when text is null, otherwise a name kept in
// upper case (Windows compares names without regard to case).
struct ResourceKey {
    WORD id;
    const wchar_t* text;
};

struct ResourceEntry {
    ResourceKey type;
    ResourceKey name;
    const void* data;
    DWORD size;
};

struct ResourceTable {
    const char* script;  // the script it was compiled from, for diagnostics
    const ResourceEntry* entries;
    DWORD count;
};

class W32_EXPORT ResourceRegistrar {
public:
    explicit ResourceRegistrar(const ResourceTable& table);
    ~ResourceRegistrar();
    ResourceRegistrar(const ResourceRegistrar&) = delete;
    ResourceRegistrar& operator=(const ResourceRegistrar&) = delete;

private:
    const ResourceTable* mTable;
};

}  // namespace win32::res
