// The id table and handles (new objects, handles a file reserves before their
// objects come, provisional handles while reading), objects attached to and
// swapped in their stubs, and the header variables kept from a file. The
// destructor deletes the objects before the stubs, telling reactors goodbye.
#include "database_impl.h"

#include <algorithm>

#include "../core/tags.h"
#include "../core/numtext.h"
#include "object_access.h"

namespace arx {

std::vector<AcDbDatabase*>& liveDatabases()
{
    static std::vector<AcDbDatabase*> all;
    return all;
}

DatabaseImpl::DatabaseImpl(AcDbDatabase* owner) : mOwner(owner) {}

DatabaseImpl::~DatabaseImpl()
{
    // Objects go first, while every stub they might name still exists. Transient
    // reactors hear goodbye, as they do when the host closes a drawing.
    forEachStub([](AcDbStub* s) {
        AcDbObject* obj = s->object;
        if (obj == nullptr) return;
        if (AcDbVoidPtrArray* r = ObjectAccess::reactors(obj)) {
            AcDbVoidPtrArray copy = *r;
            for (void* p : copy)
                if (!acdbIsPersistentReactor(p) && r->contains(p))
                    static_cast<AcDbObjectReactor*>(p)->goodbye(obj);
        }
        ObjectAccess::setStub(obj, nullptr);
        s->object = nullptr;
        delete obj;
    });
}

AcDbStub* DatabaseImpl::newStub(std::uint64_t handle, bool raiseSeed)
{
    if (mUsedInLast == kBlockSize) {
        mBlocks.emplace_back(new AcDbStub[kBlockSize]);
        mUsedInLast = 0;
    }
    AcDbStub* s = &mBlocks.back()[mUsedInLast++];
    s->database = mOwner;
    s->handle = handle;
    s->ordinal = static_cast<std::uint32_t>((mBlocks.size() - 1) * kBlockSize + mUsedInLast - 1);
    mByHandle.insert(handle, s);
    if (raiseSeed) raiseHandseed(handle);
    return s;
}

AcDbStub* DatabaseImpl::reserve(std::uint64_t handle)
{
    if (handle == 0 || find(handle) != nullptr) return nullptr;
    return newStub(handle);
}

AcDbStub* DatabaseImpl::findOrReserve(std::uint64_t handle)
{
    if (handle == 0) return nullptr;
    if (AcDbStub* s = find(handle)) return s;
    return newStub(handle);
}

AcDbStub* DatabaseImpl::allocate()
{
    if (mProvisional) {
        const std::uint64_t h = kProvisionalBase + mProvisionalStubs.size();
        if (h == UINT64_MAX || find(h) != nullptr) return nullptr;
        AcDbStub* s = newStub(h, false);
        mProvisionalStubs.push_back(s);
        return s;
    }
    return find(mHandseed) != nullptr ? nullptr : newStub(mHandseed);
}

void DatabaseImpl::endProvisionalHandles()
{
    mProvisional = false;
    for (AcDbStub* s : mProvisionalStubs) {
        mByHandle.erase(s->handle);
        while (find(mHandseed) != nullptr && mHandseed != UINT64_MAX) ++mHandseed;
        s->handle = mHandseed;
        mByHandle.insert(s->handle, s);
        raiseHandseed(s->handle);
    }
    mProvisionalStubs.clear();
}

void DatabaseImpl::attach(AcDbStub* stub, AcDbObject* obj)
{
    stub->object = obj;
    ObjectAccess::setStub(obj, stub);
}

Acad::ErrorStatus DatabaseImpl::addNew(AcDbObject* obj, AcDbObjectId& id)
{
    if (obj == nullptr) return Acad::eNullObjectPointer;
    if (ObjectAccess::stub(obj) != nullptr) return Acad::eAlreadyInDb;
    AcDbStub* s = allocate();
    if (s == nullptr) return Acad::eHandleExists;
    attach(s, obj);
    ObjectAccess::state(obj) |= kStWrite | kStNew;
    id = s;
    return Acad::eOk;
}

AcDbObject* DatabaseImpl::swapObject(AcDbStub* stub, AcDbObject* replacement)
{
    AcDbObject* old = stub->object;
    if (old != nullptr) ObjectAccess::setStub(old, nullptr);
    stub->object = replacement;
    if (replacement != nullptr) ObjectAccess::setStub(replacement, stub);
    return old;
}

const HeaderVariable* DatabaseImpl::headerVar(std::string_view name) const
{
    for (const auto& v : header)
        if (v.name == name) return &v;
    return nullptr;
}

HeaderVariable& DatabaseImpl::headerVarForWrite(std::string_view name)
{
    for (auto& v : header)
        if (v.name == name) return v;
    header.push_back(HeaderVariable{std::string(name), {}});
    return header.back();
}

bool DatabaseImpl::headerText(std::string_view name, std::string& value) const
{
    const HeaderVariable* v = headerVar(name);
    if (v == nullptr) return false;
    TagCursor c(v->tags);
    Tag t;
    if (!c.next(t)) return false;
    value.assign(t.value);
    return true;
}

bool DatabaseImpl::headerInt(std::string_view name, std::int64_t& value) const
{
    std::string text;
    return headerText(name, text) && parseInt(text, value);
}

void DatabaseImpl::setHeaderInt(std::string_view name, int code, std::int64_t value)
{
    std::string text;
    appendInt(text, value);
    setHeaderText(name, code, text);
}

void DatabaseImpl::setHeaderText(std::string_view name, int code, std::string_view value)
{
    HeaderVariable& v = headerVarForWrite(name);
    v.tags.clear();
    addText(v.tags, code, value);
}

}  // namespace arx
