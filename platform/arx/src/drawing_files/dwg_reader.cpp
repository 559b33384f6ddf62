// Reading the host's binary drawing file (layout in dwg_format.h). The directory
// is read first; every object is then built from its record, in file order, or
// earlier when something opens it while another object is being read.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include "audit.h"
#include "read_error.h"
#include "dwg_format.h"
#include "dwg_reader.h"
#include "../core/tags.h"
#include "../core/hex.h"
#include "../core/utf.h"
#include "../db/database_impl.h"
#include "../db/object_access.h"
#include "../db/proxy.h"
#include "../filers/binary_filer.h"
#include "../filers/dxf_values.h"

namespace arx {
namespace {

struct RecordClass {
    ProxyClassInfo info;
    bool otherKind = false;  // a loaded class filed as the other kind (entity or not)
    // What the DXF reader would make of a record of this type: looked up once.
    bool typeChecked = false;
    std::string typeProblem;
    std::wstring recordName;  // of records kept under another record type
    AcRxClass* cls = nullptr;  // null when the host does not know it
};

class DwgReader final : public PendingLoader {
public:
    DwgReader(AcDbDatabase* db, int fd) : mDb(db), mImpl(implOf(db)), mFd(fd) {}
    // Reads the whole drawing; a damaged file ends it with a ReadError.
    void run();
    bool load(AcDbStub* stub) override;

private:
    [[noreturn]] static void fail(std::uint64_t offset, std::string what)
    {
        failRead(FilePlace::byte(offset), std::move(what));
    }
    [[noreturn]] void broken(const dwgfile::DirectoryEntry& e, const std::string& name, const std::string& why)
    {
        fail(e.offset, "object " + hexHandle(e.handle) + " (" + name + ") is damaged: " + why);
    }
    void readAt(std::uint64_t offset, void* into, std::uint64_t len);
    // Builds the object of a directory entry from its record.
    void readRecord(AcDbStub* stub);
    void readMeta(std::uint64_t at);
    AcDbObject* build(const dwgfile::DirectoryEntry& e, std::string_view payload, AcDbStub* stub);

    AcDbDatabase* mDb;
    DatabaseImpl* mImpl;
    int mFd;
    std::uint64_t mSize = 0;
    dwgfile::Header mHeader{};
    std::vector<RecordClass> mClasses;
    std::vector<dwgfile::DirectoryEntry> mDir;
    // The directory's objects get stubs in directory order from this place in
    // the id table on, so a stub's place tells its directory entry.
    std::uint32_t mFirstOrdinal = 0;
    // The directory entry of a stub made from the directory, or mDir.size().
    size_t entryOf(const AcDbStub* s) const
    {
        const size_t i = s->ordinal >= mFirstOrdinal ? s->ordinal - mFirstOrdinal : mDir.size();
        return i < mDir.size() && mDir[i].handle == s->handle ? i : mDir.size();
    }
    std::uint64_t mRoots[static_cast<size_t>(TableKind::kCount) + 1] = {};
    // Objects opened while another is being read are read on the spot, but
    // only this many deep: filing code that opens what it refers to (a note
    // attached to a note attached to ...) would otherwise recurse as deep as
    // the chain in the file. An object whose open was refused for depth is read
    // again from its record once everything else has been read.
    static constexpr size_t kMaxNestedReads = 16;
    std::vector<AcDbStub*> mReading;  // the objects being read now, outermost first
    std::vector<AcDbStub*> mRereads;
    // Records are read in file order through a window of the file, so that a
    // drawing of many small objects costs few reads. An object read while
    // another is being read gets a buffer of its own: the outer one's bytes
    // must stay where they are.
    static constexpr std::uint64_t kWindowBytes = 4u << 20;
    std::unique_ptr<char[]> mWindow;
    std::uint64_t mWindowStart = 0;
    std::uint64_t mWindowLength = 0;
    std::uint64_t mRecordsEnd = 0;
};

void DwgReader::readAt(std::uint64_t offset, void* into, std::uint64_t len)
{
    auto* p = static_cast<char*>(into);
    while (len > 0) {
        ssize_t n = ::pread(mFd, p, len, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) fail(offset, n == 0 ? "the file ends early" : std::string("read failed: ") + std::strerror(errno));
        p += n;
        offset += static_cast<std::uint64_t>(n);
        len -= static_cast<std::uint64_t>(n);
    }
}

void DwgReader::readMeta(std::uint64_t at)
{
    std::string meta(mHeader.metaLength, '\0');
    readAt(at, meta.data(), meta.size());
    BinaryFiler m(AcDb::kFileFiler, mDb, std::string_view(meta));
    auto bad = [&](const std::string& what) { fail(at + m.position(), "the drawing's index is damaged: " + what); };
    std::uint32_t n = 0;
    if (m.readUInt32(&n) != Acad::eOk || n > m.remaining()) bad("class count");
    for (std::uint32_t i = 0; i < n; ++i) {
        RecordClass rc;
        AcString cpp, dxf, app;
        bool entity = false;
        m.readString(cpp);
        m.readString(dxf);
        m.readString(app);
        m.readInt32(&rc.info.proxyFlags);
        m.readInt32(&rc.info.dwgVersion);
        m.readInt32(&rc.info.maintVersion);
        m.readBool(&entity);
        AcString record;
        if (m.readString(record) != Acad::eOk) bad("class table");
        rc.recordName = record.str();
        rc.info.className = cpp.str();
        rc.info.dxfName = dxf.str();
        rc.info.appName = app.str();
        rc.info.isEntity = entity;
        if (!rc.info.className.empty() && rc.info.className[0] == L'*') rc.info.className.clear();
        if (!rc.info.className.empty()) {
            rc.cls = AcRxClass::cast(acrxClassDictionary->at(rc.info.className.c_str()));
            if (rc.cls != nullptr && rc.cls->isDerivedFrom(AcDbObject::desc()) &&
                rc.cls->isDerivedFrom(AcDbEntity::desc()) != entity)
                rc.otherKind = true;
            if (rc.cls != nullptr && (!rc.cls->isDerivedFrom(AcDbObject::desc()) || rc.cls->pseudoConstructor() == nullptr ||
                                      rc.otherKind))
                rc.cls = nullptr;
        }
        mClasses.push_back(std::move(rc));
    }
    if (m.readUInt32(&n) != Acad::eOk || n > m.remaining()) bad("header count");
    for (std::uint32_t i = 0; i < n; ++i) {
        HeaderVariable v;
        m.readBlob(v.name);
        std::string why;
        if (m.readBlob(v.tags) != Acad::eOk) bad("header variable");
        if (v.name.find('\n') != std::string::npos || (!v.name.empty() && v.name.back() == '\r') ||
            !isWritableTagStore(v.tags, TagPlace::kHeaderVariable, why))
            bad("header variable " + v.name.substr(0, 40) + ": " + why);
        // The host writes these itself.
        if (v.name != "$ACADVER" && v.name != "$HANDSEED") mImpl->header.push_back(std::move(v));
    }
    if (m.readUInt32(&n) != Acad::eOk || n > m.remaining()) bad("section count");
    for (std::uint32_t i = 0; i < n; ++i) {
        KeptFileSection k;
        m.readBlob(k.name);
        for (const char* own : {"HEADER", "CLASSES", "TABLES", "BLOCKS", "ENTITIES", "OBJECTS"})
            if (k.name == own) bad("a kept section has the name of one the host reads");
        std::string why;
        if (m.readBlob(k.tags) != Acad::eOk) bad("kept section");
        if (k.name.find('\n') != std::string::npos || (!k.name.empty() && k.name.back() == '\r') ||
            !isWritableTagStore(k.tags, TagPlace::kSection, why))
            bad("section " + k.name.substr(0, 40) + ": " + why);
        mImpl->extraSections.push_back(std::move(k));
    }
    if (m.readUInt32(&n) != Acad::eOk || n > m.remaining()) bad("class entry count");
    for (std::uint32_t i = 0; i < n; ++i) {
        ClassEntry e;
        AcString dxf, cpp, app;
        m.readString(dxf);
        m.readString(cpp);
        m.readString(app);
        m.readInt32(&e.proxyFlags);
        m.readInt32(&e.instanceCount);
        m.readBool(&e.wasProxy);
        if (m.readBool(&e.isEntity) != Acad::eOk) bad("class entries");
        e.dxfName = dxf.str();
        e.cppName = cpp.str();
        e.appName = app.str();
        mImpl->classes.push_back(std::move(e));
    }
    for (auto& root : mRoots)
        if (m.readUInt64(&root) != Acad::eOk) bad("root objects");
    if (m.remaining() != 0) bad("unexpected bytes at its end");
}

// Why records of a class kept as DXF groups could not be written as DXF and
// read back as what they are ("" when they can).
static std::string recordTypeProblem(const RecordClass& rc, const std::vector<ClassEntry>& entries)
{
    if (!rc.recordName.empty())
        return rc.recordName == L"ACAD_PROXY_ENTITY" || rc.recordName == L"ACAD_PROXY_OBJECT"
                   ? std::string()
                   : "its record type is none that keeps groups";
    if (rc.info.dxfName == L"SECTION" || rc.info.dxfName == L"ENDSEC" || rc.info.dxfName == L"EOF" ||
        rc.info.dxfName.find(L'\n') != std::wstring::npos)
        return "its record type is not one";
    const ClassEntry* entry = nullptr;
    AcRxClass* made = classForRecordType(entries, rc.info.dxfName, entry);
    // (A record of the other kind than its class stays a proxy when read.)
    if (made != nullptr && rc.info.className != made->name() &&
        made->isDerivedFrom(AcDbEntity::desc()) == rc.info.isEntity)
        return "its record type " + toUtf8(rc.info.dxfName) + " is that of class " + toUtf8(made->name());
    return {};
}

AcDbObject* DwgReader::build(const dwgfile::DirectoryEntry& e, std::string_view payload, AcDbStub* stub)
{
    RecordClass& rc = mClasses[e.classIndex];
    std::string name = rc.info.className.empty() ? toUtf8(rc.info.dxfName) : toUtf8(rc.info.className);
    if (e.form == dwgfile::kFormDxfProxy) {
        // Its record type must bring it back as what it is when written as DXF.
        if (!rc.typeChecked) {
            rc.typeProblem = recordTypeProblem(rc, mImpl->classes);
            rc.typeChecked = true;
        }
        if (!rc.typeProblem.empty()) broken(e, name, rc.typeProblem);
        AcDbObject* proxy = makeProxy(rc.info, ProxyData::Form::kDxf, {});
        mImpl->attach(stub, proxy);
        BinaryFiler filer(AcDb::kFileFiler, mDb, payload);
        Acad::ErrorStatus es;
        std::string_view tags;
        {
            FilingScope filing(proxy);
            es = readObjectPrefix(proxy, &filer);
            if (es == Acad::eOk) es = proxy->AcDbObject::dwgInFields(&filer);
            if (es == Acad::eOk) es = filer.readBlob(tags);
        }
        std::string why;
        if (es != Acad::eOk || filer.remaining() != 0) broken(e, name, "bad proxy record");
        if (!isWritableTagStore(tags, TagPlace::kProxy, why)) broken(e, name, why);
        // Another program's proxy record must not read as one of the host's own.
        if (!rc.recordName.empty()) {
            TagCursor cursor(tags);
            Tag t;
            while (cursor.next(t))
                if (t.code == 300 && fromUtf8(t.value) == ownStreamMark()) broken(e, name, "it carries the host's mark");
        }
        proxyData(proxy)->bytes.assign(tags);
        proxyData(proxy)->recordName = rc.recordName;
        if (loadProxyBase(proxy) != Acad::eOk) broken(e, name, "its entity groups do not read");
        if (rc.cls != nullptr && rc.recordName.empty()) {
            Acad::ErrorStatus rs;
            if (AcDbObject* revived = reviveProxy(proxy, rs)) {
                mImpl->swapObject(stub, revived);
                delete proxy;
                return revived;
            }
        }
        return proxy;
    }
    if (rc.cls != nullptr) {
        auto* obj = AcDbObject::cast(rc.cls->create());
        if (obj == nullptr) broken(e, name, "its class made no object");
        mImpl->attach(stub, obj);
        BinaryFiler filer(AcDb::kFileFiler, mDb, payload);
        filer.setVersion(static_cast<AcDb::AcDbDwgVersion>(mHeader.dwgVersion),
                         static_cast<AcDb::MaintenanceReleaseVersion>(mHeader.maintVersion));
        Acad::ErrorStatus es;
        {
            FilingScope filing(obj);
            es = obj->dwgIn(&filer);
        }
        if (es == Acad::eOk && filer.remaining() == 0) return obj;
        mImpl->swapObject(stub, nullptr);
        delete obj;
        if (es != Acad::eMakeMeProxy)
            broken(e, name, es != Acad::eOk ? toUtf8(acadErrorStatusText(es)) : std::to_string(filer.remaining()) + " bytes left unread");
    }
    // An object's own data is filed under its own class's kind; only a
    // proxy read from DXF may stand for a class as the other kind.
    if (rc.otherKind) broken(e, name, rc.info.isEntity ? "its class is not an entity class" : "its class is an entity class");
    // A proxy of this form is written to DXF as a proxy record, which names
    // its class by a CLASSES entry: one with both names.
    if (rc.info.className.empty() || rc.info.dxfName.empty()) broken(e, name, "its class has no name");
    // A class the host does not know, or an object that asked to stay a proxy.
    AcDbObject* proxy = makeProxy(rc.info, ProxyData::Form::kBinary, std::string(payload));
    mImpl->attach(stub, proxy);
    if (loadProxyBase(proxy) != Acad::eOk) broken(e, name, "its common fields do not read");
    return proxy;
}

void DwgReader::readRecord(AcDbStub* stub)
{
    const size_t entry = entryOf(stub);
    if (entry == mDir.size()) fail(0, "object " + hexHandle(stub->handle) + " is not in the directory");
    const dwgfile::DirectoryEntry& e = mDir[entry];
    stub->flags = (stub->flags & ~AcDbStub::kPending) | AcDbStub::kLoading;
    std::string_view payload;
    std::unique_ptr<char[]> own;
    if (mReading.empty() && e.length <= kWindowBytes) {
        if (e.offset < mWindowStart || e.offset + e.length > mWindowStart + mWindowLength) {
            if (!mWindow) mWindow.reset(new char[kWindowBytes]);
            mWindowStart = e.offset;
            mWindowLength = std::min(kWindowBytes, mRecordsEnd - e.offset);
            readAt(mWindowStart, mWindow.get(), mWindowLength);
        }
        payload = std::string_view(mWindow.get() + (e.offset - mWindowStart), e.length);
    } else {
        // Not cleared first: the read fills all of it.
        own.reset(new char[e.length > 0 ? e.length : 1]);
        readAt(e.offset, own.get(), e.length);
        payload = std::string_view(own.get(), e.length);
    }
    mReading.push_back(stub);
    build(e, payload, stub);
    mReading.pop_back();
    stub->flags &= ~AcDbStub::kLoading;
}

bool DwgReader::load(AcDbStub* stub)
{
    if ((stub->flags & AcDbStub::kPending) == 0) return stub->object != nullptr;
    if (mReading.size() >= kMaxNestedReads) {
        AcDbStub* asking = mReading.back();
        if (mRereads.empty() || mRereads.back() != asking) mRereads.push_back(asking);
        return false;
    }
    readRecord(stub);
    return true;
}

void DwgReader::run()
{
    struct stat st {};
    if (::fstat(mFd, &st) != 0) fail(0, "cannot read the file");
    mSize = static_cast<std::uint64_t>(st.st_size);
    readAt(0, &mHeader, sizeof mHeader);
    if (std::memcmp(mHeader.magic, dwgfile::kMagic, sizeof mHeader.magic) != 0) fail(0, "not a binary drawing of this host");
    if (mHeader.dwgVersion != AcDb::kDHL_1024 && mHeader.dwgVersion != AcDb::kDHL_1027)
        fail(20, "drawing version " + std::to_string(mHeader.dwgVersion) + " is not one this host reads (29 or 31)");
    if (mHeader.maintVersion > AcDb::kMReleaseMax)
        fail(24, "maintenance version " + std::to_string(mHeader.maintVersion) + " is out of range");
    if (mHeader.formatVersion != dwgfile::kFormatVersion)
        fail(16, "written in drawing format " + std::to_string(mHeader.formatVersion) + ", this host reads format " +
                     std::to_string(dwgfile::kFormatVersion));
    const std::uint64_t dirBytes = mHeader.objectCount * dwgfile::kDirectoryEntrySize;
    if (mHeader.objectCount > mSize / dwgfile::kDirectoryEntrySize || mHeader.directoryOffset < dwgfile::kHeaderSize ||
        mHeader.directoryOffset > mSize || mSize - mHeader.directoryOffset != dirBytes)
        fail(40, "the object directory does not fit the file (the file is truncated or damaged)");
    if (mHeader.metaLength > dwgfile::kMaxMetaBytes || mHeader.metaLength > mHeader.directoryOffset - dwgfile::kHeaderSize)
        fail(56, "the drawing's index does not fit the file");
    const std::uint64_t recordsEnd = mHeader.directoryOffset - mHeader.metaLength;
    mRecordsEnd = recordsEnd;
    readMeta(recordsEnd);
    mDir.resize(mHeader.objectCount);
    mImpl->reserveStubs(mImpl->stubCount() + mHeader.objectCount);
    readAt(mHeader.directoryOffset, mDir.data(), dirBytes);
    for (size_t i = 0; i < mDir.size(); ++i) {
        const auto& e = mDir[i];
        std::uint64_t at = mHeader.directoryOffset + i * dwgfile::kDirectoryEntrySize;
        if (e.handle == 0) fail(at, "an object without a handle");
        if (e.classIndex >= mClasses.size()) fail(at, "object " + hexHandle(e.handle) + " names no class");
        if (e.form > dwgfile::kFormDxfProxy) fail(at, "object " + hexHandle(e.handle) + " has an unknown form");
        if (e.offset < dwgfile::kHeaderSize || e.length > dwgfile::kMaxRecordBytes || e.offset > recordsEnd ||
            e.length > recordsEnd - e.offset)
            fail(at, "object " + hexHandle(e.handle) + " lies outside the file");
        AcDbStub* stub = mImpl->reserve(e.handle);
        if (stub == nullptr) fail(at, "handle " + hexHandle(e.handle) + " is used twice");
        if (i == 0) mFirstOrdinal = stub->ordinal;
        if (stub->ordinal != mFirstOrdinal + i) fail(at, "the id table is out of order");
        stub->flags |= AcDbStub::kPending;
    }
    // Each record has bytes of its own: records that share bytes would let a
    // small file stand for many large objects.
    std::vector<size_t> byOffset(mDir.size());
    for (size_t i = 0; i < byOffset.size(); ++i) byOffset[i] = i;
    std::stable_sort(byOffset.begin(), byOffset.end(), [&](size_t a, size_t b) { return mDir[a].offset < mDir[b].offset; });
    std::uint64_t end = 0;
    size_t endsAt = 0;
    for (size_t i : byOffset) {
        const auto& e = mDir[i];
        if (e.length == 0) continue;
        if (e.offset < end)
            fail(mHeader.directoryOffset + i * dwgfile::kDirectoryEntrySize,
                 "object " + hexHandle(e.handle) + " shares bytes with object " + hexHandle(mDir[endsAt].handle));
        end = e.offset + e.length;
        endsAt = i;
    }
    // The tables and the root dictionary are known before any record is read:
    // an object read now may look a layer or linetype up by name.
    for (int k = 0; k <= static_cast<int>(TableKind::kCount); ++k) {
        AcDbStub* s = mRoots[k] != 0 ? mImpl->find(mRoots[k]) : nullptr;
        if (s == nullptr) {
            if (mRoots[k] != 0) fail(recordsEnd, "a root object (" + hexHandle(mRoots[k]) + ") is missing");
            continue;
        }
        if (k == static_cast<int>(TableKind::kCount))
            mImpl->setNod(s);
        else
            mImpl->setTable(static_cast<TableKind>(k), s);
    }
    {
        // Objects opened while another is being read are read on the spot.
        struct LoaderScope {
            DatabaseImpl* impl;
            ~LoaderScope() { impl->loader = nullptr; }
        } scope{mImpl};
        mImpl->loader = this;
        for (const auto& e : mDir) {
            AcDbStub* stub = mImpl->find(e.handle);
            if ((stub->flags & AcDbStub::kPending) != 0) readRecord(stub);
        }
        // Everything is in memory now, so these read without nesting.
        for (AcDbStub* stub : mRereads) {
            delete mImpl->swapObject(stub, nullptr);
            stub->flags |= AcDbStub::kPending;
            readRecord(stub);
        }
    }
    for (std::uint64_t h : mRoots)
        if (h != 0 && mImpl->find(h)->object == nullptr) fail(recordsEnd, "a root object (" + hexHandle(h) + ") is missing");
    auditDrawing(mDb, [this](std::uint64_t h) {
        AcDbStub* s = mImpl->find(h);
        const size_t entry = s != nullptr ? entryOf(s) : mDir.size();
        if (entry == mDir.size()) return FilePlace::nowhere();
        return FilePlace::byte(mDir[entry].offset);
    });
    // Handles that were only referred to stay reserved, as they were when saved.
    if (mHeader.handseed > 0) mImpl->raiseHandseed(mHeader.handseed - 1);
    mImpl->originalVersion = static_cast<int>(mHeader.dwgVersion);
}

}  // namespace

bool readDwgFile(AcDbDatabase* db, int fd, std::string& error)
{
    try {
        DwgReader reader(db, fd);
        reader.run();
        return true;
    } catch (const ReadError& e) {
        error = e.message();
        return false;
    }
}

}  // namespace arx
