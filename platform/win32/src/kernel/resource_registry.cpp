// The registry of resource tables by module. Tables come and go with their modules'
// static registrars; lookups compare ids exactly and names without regard to case.
#include "kernel/resource_registry.h"

#include <cstdint>
#include <cstdio>
#include <map>
#include <mutex>
#include <vector>

#include "core/wide_case.h"
#include "kernel/modules.h"

namespace win32::res {

namespace {

struct Registry {
    std::mutex lock;
    std::map<HMODULE, std::vector<const ResourceTable*>> tables;
};

// Never destroyed: registrars of modules still loaded at exit unregister during
// static destruction, in an order relative to this library that nothing fixes.
Registry& registry()
{
    static Registry* r = new Registry;
    return *r;
}

// A query key: "#123" names id 123, as on Windows.
ResourceKey queryKey(LPCWSTR key)
{
    if (IS_INTRESOURCE(key))
        return {LOWORD(key), nullptr};
    if (key[0] == L'#') {
        unsigned long id = 0;
        const wchar_t* p = key + 1;
        for (; *p >= L'0' && *p <= L'9' && id <= 0xFFFF; ++p)
            id = id * 10 + static_cast<unsigned long>(*p - L'0');
        if (*p == L'\0' && p != key + 1 && id <= 0xFFFF)
            return {static_cast<WORD>(id), nullptr};
    }
    return {0, key};
}

bool matches(const ResourceKey& stored, const ResourceKey& query)
{
    if ((stored.text == nullptr) != (query.text == nullptr))
        return false;
    if (stored.text == nullptr)
        return stored.id == query.id;
    const wchar_t* a = stored.text;
    const wchar_t* b = query.text;
    for (; *a != L'\0' && *b != L'\0'; ++a, ++b) {
        if (*a != upperCase(*b))
            return false;
    }
    return *a == *b;
}

}  // namespace

Lookup find(HMODULE module, LPCWSTR type, LPCWSTR name, const ResourceEntry*& entry)
{
    entry = nullptr;
    ResourceKey typeKey = queryKey(type);
    ResourceKey nameKey = queryKey(name);
    auto& r = registry();
    std::lock_guard lock(r.lock);
    auto it = r.tables.find(module);
    if (it == r.tables.end())
        return Lookup::NoResources;
    bool typeSeen = false;
    for (const ResourceTable* table : it->second) {
        for (DWORD i = 0; i < table->count; ++i) {
            const ResourceEntry& e = table->entries[i];
            if (!matches(e.type, typeKey))
                continue;
            typeSeen = true;
            if (matches(e.name, nameKey)) {
                entry = &e;
                return Lookup::Found;
            }
        }
    }
    return typeSeen ? Lookup::NoName : Lookup::NoType;
}

HMODULE ownerOf(const ResourceEntry* entry)
{
    if (entry == nullptr)
        return nullptr;
    auto& r = registry();
    std::lock_guard lock(r.lock);
    for (const auto& [module, tables] : r.tables) {
        for (const ResourceTable* table : tables) {
            // Compared as integers: ordering unrelated pointers is unspecified.
            auto p = reinterpret_cast<std::uintptr_t>(entry);
            auto first = reinterpret_cast<std::uintptr_t>(table->entries);
            auto end = reinterpret_cast<std::uintptr_t>(table->entries + table->count);
            if (p >= first && p < end && (p - first) % sizeof(ResourceEntry) == 0)
                return module;
        }
    }
    return nullptr;
}

ResourceRegistrar::ResourceRegistrar(const ResourceTable& table) : mTable(&table)
{
    HMODULE module = moduleContaining(this);
    if (module == nullptr) {
        // Cannot happen for a registrar with static storage in a loaded image; say so
        // rather than lose the resources without a word.
        std::fprintf(stderr, "win32: resources of %s belong to no module and are not registered\n", table.script);
        mTable = nullptr;
        return;
    }
    auto& r = registry();
    std::lock_guard lock(r.lock);
    r.tables[module].push_back(mTable);
}

ResourceRegistrar::~ResourceRegistrar()
{
    if (mTable == nullptr)
        return;
    auto& r = registry();
    std::lock_guard lock(r.lock);
    for (auto it = r.tables.begin(); it != r.tables.end(); ++it) {
        auto& list = it->second;
        for (auto t = list.begin(); t != list.end(); ++t) {
            if (*t == mTable) {
                list.erase(t);
                if (list.empty())
                    r.tables.erase(it);
                return;
            }
        }
    }
}

}  // namespace win32::res
