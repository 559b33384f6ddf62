// AcDbStub: one entry of a database's id table. Ids point at stubs, so an id
// stays the same object's id for the life of its database whether the object is
// in memory, erased, not yet read from its file, or was never there (a handle
// reserved by a reference).
#pragma once
#include <cstdint>

class AcDbObject;
class AcDbDatabase;

class AcDbStub {
public:
    enum Flags : std::uint32_t {
        kErased = 1,
        kPermanentlyErased = 2,
        kPending = 4,  // the object is in the file being read and not built yet
        kLoading = 8,  // the object is being built right now
    };
    AcDbObject* object = nullptr;
    AcDbDatabase* database = nullptr;
    std::uint64_t handle = 0;
    std::uint32_t flags = 0;
    std::uint32_t ordinal = 0;  // its place in its database's id table, from 0
};
static_assert(sizeof(AcDbStub) <= 32, "a drawing has a stub for every object: keep it small");
static_assert(alignof(AcDbStub) >= 2, "persistent reactor tags use the low bit of a stub address");
