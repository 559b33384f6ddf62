// DatabaseImpl: the working state of an AcDbDatabase: the id table with its
// handle index and handle seed, the root objects, and what a file brought that the
// host keeps as read (header variables, class entries, unknown sections).
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "dbmain.h"
#include "stub.h"
#include "undo.h"
#include "../core/handle_map.h"

namespace arx {

enum class TableKind : int {
    kViewport = 0,
    kLinetype,
    kLayer,
    kTextStyle,
    kView,
    kUCS,
    kRegApp,
    kDimStyle,
    kBlock,
    kCount
};

// A CLASSES entry of a DXF file (or its image in a binary file).
struct ClassEntry {
    std::wstring dxfName;
    std::wstring cppName;
    std::wstring appName;
    std::int32_t proxyFlags = 0;
    std::int32_t instanceCount = 0;
    bool wasProxy = false;
    bool isEntity = false;
};

struct HeaderVariable {
    std::string name;  // "$ACADVER"
    std::string tags;  // its groups, as a tag store
};

struct KeptFileSection {
    std::string name;
    std::string tags;
};

// Builds objects that are still in the file being read when something opens
// them before the reader reaches them.
class PendingLoader {
public:
    virtual ~PendingLoader() = default;
    virtual bool load(AcDbStub* stub) = 0;
};

class DatabaseImpl {
public:
    explicit DatabaseImpl(AcDbDatabase* owner);
    ~DatabaseImpl();
    DatabaseImpl(const DatabaseImpl&) = delete;
    DatabaseImpl& operator=(const DatabaseImpl&) = delete;

    AcDbDatabase* owner() const { return mOwner; }
    // The database's current state; readers put a new one in place while they work.
    static DatabaseImpl*& slot(AcDbDatabase* db) { return db->mImpl; }

    // The id table.
    AcDbStub* find(std::uint64_t handle) const
    {
        return mByHandle.find(handle);
    }
    // A stub for a handle that is not yet in use (the seed moves past it).
    AcDbStub* reserve(std::uint64_t handle);
    AcDbStub* findOrReserve(std::uint64_t handle);
    // A stub with the next free handle; null when no handle is left.
    AcDbStub* allocate();
    std::uint64_t handseed() const { return mHandseed; }
    // The seed moves past h; at the top of the handle range it stays there, and
    // allocate() then finds the handle taken.
    void raiseHandseed(std::uint64_t h)
    {
        if (h >= mHandseed) mHandseed = h == UINT64_MAX ? h : h + 1;
    }
    size_t stubCount() const { return mByHandle.size(); }
    // Room for n objects in the id table, when a reader knows about how many come.
    void reserveStubs(size_t n) { mByHandle.reserve(n); }
    // While a file is read, objects the host makes itself (a layer a drawing
    // names but does not define, say) cannot take the next handle: the file may
    // still name it. They take handles from the top of the range, where a
    // drawing the host accepts has none, and get their real handles above
    // everything the file named when it has been read.
    static constexpr std::uint64_t kProvisionalBase = UINT64_MAX - (std::uint64_t(1) << 31);
    void beginProvisionalHandles() { mProvisional = true; }
    void endProvisionalHandles();
    // The stub at a place in the id table (below the number of stubs made).
    AcDbStub* stubAt(std::uint32_t ordinal) const { return &mBlocks[ordinal / kBlockSize][ordinal % kBlockSize]; }
    template <class F>
    void forEachStub(F&& f) const
    {
        for (size_t b = 0; b < mBlocks.size(); ++b) {
            size_t n = b + 1 == mBlocks.size() ? mUsedInLast : kBlockSize;
            for (size_t i = 0; i < n; ++i) f(&mBlocks[b][i]);
        }
    }
    // Makes obj the object of stub: it is now in this database.
    void attach(AcDbStub* stub, AcDbObject* obj);
    // Adds a new object with the next handle, open for write as a new object.
    Acad::ErrorStatus addNew(AcDbObject* obj, AcDbObjectId& id);
    // Replaces the object of a stub (proxies and the objects they stand for).
    AcDbObject* swapObject(AcDbStub* stub, AcDbObject* replacement);

    // Root objects.
    AcDbStub* table(TableKind k) const { return mTables[static_cast<size_t>(k)]; }
    void setTable(TableKind k, AcDbStub* s) { mTables[static_cast<size_t>(k)] = s; }
    AcDbStub* nod() const { return mNod; }
    void setNod(AcDbStub* s) { mNod = s; }

    // Header variables as read from a file, in file order.
    std::vector<HeaderVariable> header;
    const HeaderVariable* headerVar(std::string_view name) const;
    HeaderVariable& headerVarForWrite(std::string_view name);
    bool headerInt(std::string_view name, std::int64_t& value) const;
    bool headerText(std::string_view name, std::string& value) const;
    void setHeaderInt(std::string_view name, int code, std::int64_t value);
    void setHeaderText(std::string_view name, int code, std::string_view value);

    std::vector<ClassEntry> classes;  // CLASSES as read
    std::vector<KeptFileSection> extraSections;
    std::wstring filename;
    int originalVersion = 0;
    PendingLoader* loader = nullptr;
    UndoLog undo;
    // Changes made to this database (objects changed, erased, unerased or
    // added, and changes undone or redone; not a redraw asked for with
    // recordGraphicsModified), so that the host can tell whether a drawing
    // changed since it was saved.
    std::uint64_t changes = 0;

private:
    static constexpr size_t kBlockSize = 1024;
    AcDbDatabase* mOwner;
    std::vector<std::unique_ptr<AcDbStub[]>> mBlocks;
    size_t mUsedInLast = kBlockSize;
    HandleMap<AcDbStub> mByHandle;
    std::uint64_t mHandseed = 1;
    std::array<AcDbStub*, static_cast<size_t>(TableKind::kCount)> mTables{};
    AcDbStub* mNod = nullptr;
    bool mProvisional = false;
    std::vector<AcDbStub*> mProvisionalStubs;

    AcDbStub* newStub(std::uint64_t handle, bool raiseSeed = true);
};

// Every live database, for the host program and for unloading modules.
std::vector<AcDbDatabase*>& liveDatabases();
inline DatabaseImpl* implOf(const AcDbDatabase* db) { return db != nullptr ? db->impl() : nullptr; }

}  // namespace arx
