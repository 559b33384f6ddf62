// Reading a DXF file: the tokenizer gives groups, records are gathered from one
// "0" group to the next, and each record becomes an object through its class's
// dxfInFields (or a proxy that keeps its groups, when the class is unknown).
#include <fcntl.h>
#include <unistd.h>

#include <unordered_map>
#include <unordered_set>

#include "audit.h"
#include "dxf_reader.h"
#include "../filers/dxf_record.h"
#include "dxf_tokenizer.h"
#include "../core/hex.h"
#include "../core/numtext.h"
#include "../core/tags.h"
#include "../core/utf.h"
#include "../db/database_impl.h"
#include "../db/defaults.h"
#include "../db/object_access.h"
#include "../db/proxy.h"
#include "../db/symbols.h"
#include "../filers/dxf_in_filer.h"
#include "../filers/dxf_out_filer.h"
#include "../filers/dxf_values.h"
#include "dbdict.h"
#include "dbsymtb.h"

namespace arx {
namespace {

constexpr size_t kMaxRecordBytes = 256u << 20;

const std::unordered_map<std::wstring, TableKind>& tableKinds()
{
    static const std::unordered_map<std::wstring, TableKind> kinds = {
        {L"VPORT", TableKind::kViewport}, {L"LTYPE", TableKind::kLinetype}, {L"LAYER", TableKind::kLayer},
        {L"STYLE", TableKind::kTextStyle}, {L"VIEW", TableKind::kView},     {L"UCS", TableKind::kUCS},
        {L"APPID", TableKind::kRegApp},    {L"DIMSTYLE", TableKind::kDimStyle}, {L"BLOCK_RECORD", TableKind::kBlock},
    };
    return kinds;
}

enum class Section { kNone, kEntities, kBlocks, kObjects, kTables };

struct PendingEntity {
    AcDbStub* stub;
    AcDbStub* contextBlock;  // the block a BLOCKS section entity stands in
    bool paper;
    std::uint64_t line;
};

class DxfReader {
public:
    DxfReader(AcDbDatabase* db, int fd) : mDb(db), mImpl(implOf(db)), mTok(fd) {}

    void run();

private:
    [[noreturn]] void fail(std::uint64_t line, const std::string& what)
    {
        failRead(FilePlace::line(line), what);
    }
    // Gathers the next record; false at the end of the input.
    bool nextRecord();
    std::string_view type() const { return mRec.value(0); }
    std::uint64_t recordLine() const { return mRec.firstLine(); }
    bool is(std::string_view t) const { return !mRec.empty() && type() == t; }
    std::string sectionName();

    void readHeader();
    void readClasses();
    void readTables();
    void readBlocks();
    void readEntities();
    void readObjects();
    void keepSection(const std::string& name);

    AcDbStub* claimHandle(size_t from, bool required = true);
    AcDbObject* buildObject(size_t filerStart, bool entity, AcDbStub* stub);
    AcDbObject* proxyFromRecord(size_t filerStart, const ProxyClassInfo& cls, AcDbStub* stub);
    bool paperFlag() const;
    void placeEntity(AcDbStub* stub, AcDbStub* contextBlock, bool paper);
    bool joinBlock(AcDbStub* stub, AcDbStub* fallback);
    void resolveEntities();
    void checkOwnership();

    AcDbDatabase* mDb;
    DatabaseImpl* mImpl;
    DxfTokenizer mTok;
    DxfRecord mRec;
    bool mHavePending = false;
    int mPendingCode = 0;
    std::string mPendingValue;
    std::uint64_t mPendingLine = 0;
    bool mEof = false;
    // The line of the record that claimed each handle, by the stub's place in
    // the id table (0: none yet; kLineUnknown: past what 32 bits count, which
    // only a file of many gigabytes reaches).
    static constexpr std::uint32_t kLineUnknown = UINT32_MAX;
    std::vector<std::uint32_t> mClaimLines;
    struct TextHash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    // The class a record type stands for, and what is known of it.
    struct RecordClass {
        AcRxClass* cls;
        const ClassEntry* entry;  // its CLASSES entry, if any
        bool entity;
        bool proxy;
    };
    std::unordered_map<std::string, RecordClass, TextHash, std::equal_to<>> mClassOfType;
    const std::pair<const std::string, RecordClass>* mLastType = nullptr;
    // The block the last entity that named its owner joined.
    AcDbStub* mLastOwner = nullptr;
    AcDbBlockTableRecord* mLastBlock = nullptr;
    std::vector<PendingEntity> mEntities;
    std::unordered_set<AcDbStub*> mBlocksRead;  // block records whose BLOCK came
    bool mSawEof = false;
};

bool DxfReader::nextRecord()
{
    mRec.clear();
    if (mHavePending) {
        mRec.addText(mPendingCode, mPendingValue, mPendingLine);
        mHavePending = false;
    } else if (mEof) {
        return false;
    }
    int code;
    std::string_view value;
    std::uint64_t line;
    while (mTok.next(code, value, line)) {
        if (code == 0) {
            if (mRec.empty()) {
                mRec.addText(0, value, line);
                continue;
            }
            mHavePending = true;
            mPendingCode = 0;
            mPendingValue.assign(value);
            mPendingLine = line;
            return true;
        }
        if (mRec.empty()) fail(line, "a record must start with a \"0\" group, found group " + std::to_string(code));
        if (code == 999) continue;  // comments are not data
        if (isBinaryCode(code)) {
            if (value.size() > 2 * kMaxBinaryGroupBytes)
                fail(line, "group " + std::to_string(code) + " holds more than " + std::to_string(kMaxBinaryGroupBytes) + " bytes");
            if (!mRec.addHex(code, value, line)) fail(line, "group " + std::to_string(code) + " is not hexadecimal data");
        } else {
            mRec.addText(code, value, line);
        }
        // Each group costs its bookkeeping as well as its value: empty values
        // must not let a record grow without bound.
        if (mRec.arenaSize() + mRec.size() * sizeof(DxfTag) > kMaxRecordBytes)
            fail(line, "a record larger than 256 MiB");
    }
    if (mTok.failed()) throw mTok.error();
    mEof = true;
    return !mRec.empty();
}

std::string DxfReader::sectionName()
{
    if (mRec.size() < 2 || mRec.tag(1).code != 2) fail(recordLine(), "SECTION without its name (group 2)");
    // Only the header's variables follow a section's name before the next record.
    if (mRec.size() > 2 && mRec.value(1) != "HEADER")
        fail(mRec.tag(2).line, "unexpected group " + std::to_string(mRec.tag(2).code) + " after the section's name");
    return std::string(mRec.value(1));
}

// The record's handle: a stub for it, unless another object has it already.
AcDbStub* DxfReader::claimHandle(size_t from, bool required)
{
    for (size_t i = from; i < mRec.size(); ++i) {
        int code = mRec.tag(i).code;
        if (code == 100) break;
        if (code != 5 && code != 105) continue;
        std::uint64_t h = 0;
        if (!parseHexHandle(trimSpaces(mRec.value(i)), h) || h == 0)
            fail(mRec.tag(i).line, "\"" + std::string(mRec.value(i).substr(0, 40)) + "\" is not a handle");
        AcDbStub* stub = mImpl->findOrReserve(h);
        if (stub->ordinal >= mClaimLines.size()) mClaimLines.resize(std::max<size_t>(stub->ordinal + 1, 2 * mClaimLines.size()));
        std::uint32_t& first = mClaimLines[stub->ordinal];
        if (first != 0 || stub->object != nullptr) {
            fail(mRec.tag(i).line, "handle " + hexHandle(h) + " is used twice" +
                                       (first == 0 || first == kLineUnknown ? std::string()
                                                                           : " (first at line " + std::to_string(first) + ")"));
        }
        first = static_cast<std::uint32_t>(std::min<std::uint64_t>(mRec.tag(i).line, kLineUnknown));
        return stub;
    }
    if (required) fail(recordLine(), std::string(type()) + " record without a handle (group 5)");
    return nullptr;
}

bool DxfReader::paperFlag() const
{
    for (size_t i = 1; i < mRec.size(); ++i) {
        if (mRec.tag(i).code == 67) {
            std::int64_t v = 0;
            return parseInt(mRec.value(i), v) && v != 0;
        }
        if (mRec.tag(i).code == 100 && mRec.value(i) != "AcDbEntity") break;
    }
    return false;
}

// A proxy keeps the record's groups after the common header exactly as read.
AcDbObject* DxfReader::proxyFromRecord(size_t filerStart, const ProxyClassInfo& cls, AcDbStub* stub)
{
    AcDbObject* proxy = makeProxy(cls, ProxyData::Form::kDxf, {});
    mImpl->attach(stub, proxy);
    DxfInFiler filer(mRec, filerStart, mDb);
    Acad::ErrorStatus es;
    {
        FilingScope filing(proxy);
        es = proxy->AcDbObject::dxfInFields(&filer);
    }
    if (es != Acad::eOk)
        fail(filer.currentLine(), std::string(type()) + " record: " + toUtf8(filer.errorMessage()));
    // Everything from the first 1001 group on is extended data.
    std::string tags, xdata;
    bool inXdata = false;
    for (size_t i = filer.position(); i < mRec.size(); ++i) {
        const DxfTag& t = mRec.tag(i);
        if (t.code == 1001) inXdata = true;
        if (inXdata && t.code < 1000) fail(t.line, "group " + std::to_string(t.code) + " in extended data");
        addTag(inXdata ? xdata : tags, t.code, t.binary ? TagKind::Binary : TagKind::Text, mRec.value(i));
    }
    proxyData(proxy)->bytes = std::move(tags);
    if (!xdata.empty()) ObjectAccess::extra(proxy).xdata = std::move(xdata);
    if (loadProxyBase(proxy) != Acad::eOk) fail(recordLine(), std::string(type()) + " record: its entity groups do not read");
    return proxy;
}

AcDbObject* DxfReader::buildObject(size_t filerStart, bool entity, AcDbStub* stub)
{
    // A proxy record that another program wrote carries a stream in that
    // program's layout: its groups are kept exactly as read.
    if (type() == "ACAD_PROXY_ENTITY" || type() == "ACAD_PROXY_OBJECT") {
        bool ours = false;
        std::int64_t number = -1;
        for (size_t i = filerStart; i < mRec.size(); ++i) {
            const DxfTag& t = mRec.tag(i);
            if (t.code == 300 && fromUtf8(mRec.value(i)) == ownStreamMark()) ours = true;
            if (t.code == 91 && number < 0) parseInt(mRec.value(i), number);
        }
        if (!ours) {
            ProxyClassInfo info;
            if (number >= 500 && static_cast<std::uint64_t>(number - 500) < mImpl->classes.size()) {
                const ClassEntry& e = mImpl->classes[static_cast<size_t>(number - 500)];
                info.className = e.cppName;
                info.dxfName = e.dxfName;
                info.appName = e.appName;
                info.proxyFlags = e.proxyFlags;
            }
            info.isEntity = type() == "ACAD_PROXY_ENTITY";
            AcDbObject* proxy = proxyFromRecord(filerStart, info, stub);
            proxyData(proxy)->recordName = decodeDxfString(type());
            return proxy;
        }
    }
    // Records of one type come in numbers, often in runs: their class is
    // looked up once.
    if (mLastType == nullptr || mLastType->first != type()) {
        auto cached = mClassOfType.find(type());
        if (cached == mClassOfType.end()) {
            const ClassEntry* e = nullptr;
            AcRxClass* c = classForRecordType(mImpl->classes, decodeDxfString(type()), e);
            const bool isEntity = c != nullptr && c->isDerivedFrom(AcDbEntity::desc());
            const bool isProxy = c != nullptr && (c->isDerivedFrom(AcDbProxyEntity::desc()) ||
                                                  c->isDerivedFrom(AcDbProxyObject::desc()));
            cached = mClassOfType.emplace(std::string(type()), RecordClass{c, e, isEntity, isProxy}).first;
        }
        mLastType = &*cached;
    }
    const RecordClass& recordClass = mLastType->second;
    AcRxClass* cls = recordClass.cls;
    // What a proxy of the record says of its class, made only when one is.
    auto proxyInfo = [&] {
        ProxyClassInfo info;
        info.dxfName = decodeDxfString(type());  // written with control characters in caret notation
        info.isEntity = entity;
        if (const ClassEntry* e = recordClass.entry) {
            info.className = e->cppName;
            info.appName = e->appName;
            info.proxyFlags = e->proxyFlags;
        }
        return info;
    };
    if (cls == nullptr || entity != recordClass.entity)
        return proxyFromRecord(filerStart, proxyInfo(), stub);

    auto* obj = AcDbObject::cast(cls->create());
    if (obj == nullptr) fail(recordLine(), "the class of " + std::string(type()) + " made no object");
    mImpl->attach(stub, obj);
    DxfInFiler filer(mRec, filerStart, mDb);
    filer.setClasses(&mImpl->classes);
    Acad::ErrorStatus es;
    {
        FilingScope filing(obj);
        es = obj->dxfIn(&filer);
    }
    if (es == Acad::eMakeMeProxy) {
        // The object asked to stay unread (a newer version than its class knows).
        mImpl->swapObject(stub, nullptr);
        delete obj;
        // The proxy stands for the class that read the record and asked, which
        // may not be the one the CLASSES entry names (that one may not exist).
        ProxyClassInfo info = proxyInfo();
        if (info.className != cls->name()) info = classInfoOf(cls, entity);
        return proxyFromRecord(filerStart, info, stub);
    }
    if (es != Acad::eOk) {
        std::string why = filer.errorMessage() != nullptr && *filer.errorMessage() != 0
                              ? toUtf8(filer.errorMessage())
                              : toUtf8(acadErrorStatusText(es));
        while (!why.empty() && why.front() == '\n') why.erase(0, 1);
        fail(filer.currentLine(), std::string(type()) + " record could not be read: " + why);
    }
    // A proxy record of a class that is here now becomes its object again.
    if (ProxyData* d = recordClass.proxy ? proxyData(obj) : nullptr; d != nullptr && !d->foreign) {
        Acad::ErrorStatus rs;
        if (AcDbObject* revived = reviveProxy(obj, rs)) {
            mImpl->swapObject(stub, revived);
            delete obj;
            return revived;
        }
        // Otherwise it stays a proxy, whose stream must at least hold the
        // object's common fields: the binary file writes the stream as it is.
        if (rs != Acad::eOk && rs != Acad::eMakeMeProxy)
            fail(recordLine(), std::string(type()) + " record: the object's data does not read (" +
                                   toUtf8(acadErrorStatusText(rs)) + ")");
        if (loadProxyBase(obj) != Acad::eOk) fail(recordLine(), std::string(type()) + " record: the object's data is damaged");
    }
    return obj;
}

void DxfReader::readHeader()
{
    // The whole section is one record: "9 $NAME" starts each variable.
    std::string version;
    HeaderVariable* current = nullptr;
    for (size_t i = 2; i < mRec.size(); ++i) {
        const DxfTag& t = mRec.tag(i);
        std::string_view v = mRec.value(i);
        if (t.code == 9) {
            mImpl->header.push_back(HeaderVariable{std::string(v), {}});
            current = &mImpl->header.back();
            continue;
        }
        if (current == nullptr) fail(t.line, "a header value before any \"9 $NAME\" group");
        if (current->name == "$ACADVER" && t.code == 1) version.assign(trimSpaces(v));
        addTag(current->tags, t.code, t.binary ? TagKind::Binary : TagKind::Text, v);
    }
    if (version.empty()) fail(recordLine(), "the header has no $ACADVER");
    int number = 0;
    if (version.size() == 6 && version.compare(0, 2, "AC") == 0) number = std::atoi(version.c_str() + 2);
    if (number < 1015 || number > 1099)
        fail(recordLine(), "DXF version " + version + " is not supported (the host reads AC1015 and later)");
    mImpl->originalVersion = number >= 1027 ? AcDb::kDHL_1027 : number >= 1024 ? AcDb::kDHL_1024 : AcDb::kDHL_1021;
    // What the host works out itself when it writes.
    std::erase_if(mImpl->header, [](const HeaderVariable& v) { return v.name == "$ACADVER" || v.name == "$HANDSEED"; });
    if (!nextRecord()) fail(mTok.line(), "the file ends inside the HEADER section");
    if (!is("ENDSEC")) fail(recordLine(), "HEADER section without its ENDSEC");
}

void DxfReader::readClasses()
{
    // The classes looked up so far point into the list that grows here.
    mClassOfType.clear();
    mLastType = nullptr;
    while (nextRecord() && is("CLASS")) {
        ClassEntry e;
        for (size_t i = 1; i < mRec.size(); ++i) {
            std::string_view v = mRec.value(i);
            std::int64_t n = 0;
            switch (mRec.tag(i).code) {
            case 1: e.dxfName = decodeDxfString(v); break;
            case 2: e.cppName = decodeDxfString(v); break;
            case 3: e.appName = decodeDxfString(v); break;
            case 90: parseInt(v, n); e.proxyFlags = static_cast<std::int32_t>(n); break;
            case 91: parseInt(v, n); e.instanceCount = static_cast<std::int32_t>(n); break;
            case 280: parseInt(v, n); e.wasProxy = n != 0; break;
            case 281: parseInt(v, n); e.isEntity = n != 0; break;
            default: break;
            }
        }
        if (e.dxfName.empty() || e.cppName.empty()) fail(recordLine(), "CLASS without its DXF name or class name");
        mImpl->classes.push_back(std::move(e));
    }
    if (mRec.empty()) fail(mTok.line(), "the file ends inside the CLASSES section");
    if (!is("ENDSEC")) fail(recordLine(), "unexpected " + std::string(type()) + " in the CLASSES section");
}

void DxfReader::readTables()
{
    while (nextRecord() && is("TABLE")) {
        if (mRec.size() < 2 || mRec.tag(1).code != 2) fail(recordLine(), "TABLE without its name (group 2)");
        std::wstring name = fromUtf8(trimSpaces(mRec.value(1)));
        auto kind = tableKinds().find(name);
        if (kind == tableKinds().end()) fail(recordLine(), "unknown table " + toUtf8(name));
        if (AcDbStub* made = mImpl->table(kind->second)) {
            // A table the host made for entities read before it has a provisional handle.
            if (made->handle >= DatabaseImpl::kProvisionalBase)
                fail(recordLine(), "the table " + toUtf8(name) + " comes after entities or blocks, which need it first");
            fail(recordLine(), "the table " + toUtf8(name) + " appears twice");
        }
        AcDbStub* stub = claimHandle(2);
        AcDbObject* table = nullptr;
        {
            // The table object's class is given by the table's name.
            AcRxClass* cls = nullptr;
            switch (kind->second) {
            case TableKind::kViewport: cls = AcDbViewportTable::desc(); break;
            case TableKind::kLinetype: cls = AcDbLinetypeTable::desc(); break;
            case TableKind::kLayer: cls = AcDbLayerTable::desc(); break;
            case TableKind::kTextStyle: cls = AcDbTextStyleTable::desc(); break;
            case TableKind::kView: cls = AcDbViewTable::desc(); break;
            case TableKind::kUCS: cls = AcDbUCSTable::desc(); break;
            case TableKind::kRegApp: cls = AcDbRegAppTable::desc(); break;
            case TableKind::kDimStyle: cls = AcDbDimStyleTable::desc(); break;
            case TableKind::kBlock: cls = AcDbBlockTable::desc(); break;
            case TableKind::kCount: break;
            }
            table = AcDbObject::cast(cls->create());
            mImpl->attach(stub, table);
            DxfInFiler filer(mRec, 2, mDb);
            Acad::ErrorStatus es;
            {
                FilingScope filing(table);
                es = table->dxfIn(&filer);
            }
            if (es != Acad::eOk) fail(filer.currentLine(), "TABLE " + toUtf8(name) + ": " + toUtf8(filer.errorMessage()));
        }
        mImpl->setTable(kind->second, stub);
        auto* symbolTable = AcDbSymbolTable::cast(table);
        std::string recordType = toUtf8(name);
        while (nextRecord() && !is("ENDTAB")) {
            if (!is(recordType)) fail(recordLine(), "a " + std::string(type()) + " record in the " + recordType + " table");
            AcDbStub* recStub = claimHandle(1);
            AcDbObject* rec = buildObject(1, false, recStub);
            if (AcDbSymbolTableRecord::cast(rec) == nullptr) fail(recordLine(), recordType + " record could not be read");
            ObjectAccess::owner(rec) = stub;
            ObjectAccess::records(symbolTable).push_back(AcDbObjectId(recStub));
        }
        if (mRec.empty()) fail(mTok.line(), "the file ends inside the " + recordType + " table");
    }
    if (mRec.empty()) fail(mTok.line(), "the file ends inside the TABLES section");
    if (!is("ENDSEC")) fail(recordLine(), "unexpected " + std::string(type()) + " in the TABLES section");
}

// Groups of a BLOCK or ENDBLK record after its handle and owner, kept as read.
static std::string keptBlockGroups(const DxfRecord& rec)
{
    std::string tags;
    for (size_t i = 1; i < rec.size(); ++i) {
        int code = rec.tag(i).code;
        if (code == 5 || code == 330) continue;
        addTag(tags, code, rec.tag(i).binary ? TagKind::Binary : TagKind::Text, rec.value(i));
    }
    return tags;
}

void DxfReader::readBlocks()
{
    while (nextRecord() && is("BLOCK")) {
        std::uint64_t blockLine = recordLine();
        AcDbStub* beginStub = claimHandle(1);
        std::wstring name;
        AcDbStub* owner = nullptr;
        AcGePoint3d origin;
        std::int64_t flags = 0;
        for (size_t i = 1; i < mRec.size(); ++i) {
            std::string_view v = mRec.value(i);
            double d = 0;
            switch (mRec.tag(i).code) {
            case 2: name = fromUtf8(v); break;
            case 330: {
                std::uint64_t h = 0;
                if (parseHexHandle(trimSpaces(v), h) && h != 0) owner = mImpl->findOrReserve(h);
                break;
            }
            case 70: parseInt(v, flags); break;
            case 10: if (parseDouble(v, d)) origin.x = d; break;
            case 20: if (parseDouble(v, d)) origin.y = d; break;
            case 30: if (parseDouble(v, d)) origin.z = d; break;
            default: break;
            }
        }
        auto* btr = AcDbBlockTableRecord::cast(resolveStub(owner));
        if (btr == nullptr) {
            AcDbObjectId id;
            if (findSymbol(mDb, TableKind::kBlock, name.c_str(), id) == Acad::eOk) btr = AcDbBlockTableRecord::cast(resolveStub(id));
        }
        if (btr == nullptr) fail(blockLine, "BLOCK " + toUtf8(name) + " has no BLOCK_RECORD");
        AcDbStub* btrStub = ObjectAccess::stub(btr);
        if (!mBlocksRead.insert(btrStub).second)
            fail(blockLine, "a second BLOCK for block record " + hexHandle(btrStub->handle));
        ObjectAccess::blockBegin(btr) = beginStub;
        ObjectAccess::blockOrigin(btr) = origin;
        ObjectAccess::blockFlags(btr) = static_cast<Adesk::Int16>(flags);
        ObjectAccess::extra(btr).kept.push_back(KeptSection{"BLOCK", keptBlockGroups(mRec)});
        while (nextRecord() && !is("ENDBLK")) {
            if (is("BLOCK") || is("ENDSEC")) fail(recordLine(), "BLOCK " + toUtf8(name) + " without its ENDBLK");
            AcDbStub* stub = claimHandle(1);
            buildObject(1, true, stub);
            placeEntity(stub, btrStub, false);
        }
        if (mRec.empty()) fail(mTok.line(), "the file ends inside BLOCK " + toUtf8(name));
        ObjectAccess::blockEnd(btr) = claimHandle(1);
        ObjectAccess::extra(btr).kept.push_back(KeptSection{"ENDBLK", keptBlockGroups(mRec)});
    }
    if (mRec.empty()) fail(mTok.line(), "the file ends inside the BLOCKS section");
    if (!is("ENDSEC")) fail(recordLine(), "unexpected " + std::string(type()) + " in the BLOCKS section");
}

void DxfReader::readEntities()
{
    while (nextRecord() && !is("ENDSEC")) {
        if (is("EOF") || is("SECTION")) fail(recordLine(), "ENTITIES section without its ENDSEC");
        bool paper = paperFlag();
        AcDbStub* stub = claimHandle(1);
        buildObject(1, true, stub);
        placeEntity(stub, nullptr, paper);
    }
    if (mRec.empty()) fail(mTok.line(), "the file ends inside the ENTITIES section");
}

void DxfReader::readObjects()
{
    bool first = true;
    while (nextRecord() && !is("ENDSEC")) {
        if (is("EOF") || is("SECTION")) fail(recordLine(), "OBJECTS section without its ENDSEC");
        AcDbStub* stub = claimHandle(1);
        AcDbObject* obj = buildObject(1, false, stub);
        // The first object is the root dictionary.
        if (first && AcDbDictionary::cast(obj) != nullptr) mImpl->setNod(stub);
        first = false;
    }
    if (mRec.empty()) fail(mTok.line(), "the file ends inside the OBJECTS section");
}

void DxfReader::keepSection(const std::string& name)
{
    KeptFileSection kept{name, {}};
    while (nextRecord() && !is("ENDSEC")) {
        if (is("EOF")) fail(recordLine(), "section " + name + " without its ENDSEC");
        for (size_t i = 0; i < mRec.size(); ++i)
            addTag(kept.tags, mRec.tag(i).code, mRec.tag(i).binary ? TagKind::Binary : TagKind::Text, mRec.value(i));
    }
    if (mRec.empty()) fail(mTok.line(), "the file ends inside the " + name + " section");
    mImpl->extraSections.push_back(std::move(kept));
}

// An entity joins its block as soon as the block is certain: the owner its
// record names is a block already read, or it stands in a BLOCK. Otherwise
// (model or paper space by default, or an owner further on in the file) it
// waits for the end of the file, and so does every entity after it, so that
// blocks list their entities in file order.
void DxfReader::placeEntity(AcDbStub* stub, AcDbStub* contextBlock, bool paper)
{
    if (stub->object == nullptr) return;
    if (mEntities.empty() && joinBlock(stub, contextBlock)) return;
    mEntities.push_back(PendingEntity{stub, contextBlock, paper, recordLine()});
}

// The owner a record names wins over the block it stands in (fallback); false
// when neither is a block read so far.
bool DxfReader::joinBlock(AcDbStub* stub, AcDbStub* fallback)
{
    AcDbStub* owner = ObjectAccess::owner(stub->object);
    // Entities come in runs that name one block.
    auto* btr = owner != nullptr && owner == mLastOwner && owner->object == mLastBlock
                    ? mLastBlock
                    : AcDbBlockTableRecord::cast(resolveStub(owner));
    if (btr != nullptr) {
        mLastOwner = owner;
        mLastBlock = btr;
    } else if (fallback != nullptr) {
        owner = fallback;
        btr = AcDbBlockTableRecord::cast(resolveStub(owner));
    }
    if (btr == nullptr) return false;
    ObjectAccess::owner(stub->object) = owner;
    ObjectAccess::entities(btr).push_back(AcDbObjectId(stub));
    return true;
}

// Entities join their blocks in file order; those that stand in no BLOCK go
// to model or paper space.
void DxfReader::resolveEntities()
{
    AcDbObjectId model = mDb->modelSpaceId(), paper = mDb->paperSpaceId();
    for (const PendingEntity& p : mEntities) {
        if (p.stub->object == nullptr) continue;
        AcDbStub* fallback = p.contextBlock != nullptr ? p.contextBlock
                                                       : static_cast<AcDbStub*>(p.paper ? paper : model);
        if (!joinBlock(p.stub, fallback)) fail(p.line, "the entity has no block to belong to");
    }
}

void DxfReader::run()
{
    mImpl->beginProvisionalHandles();
    while (nextRecord()) {
        if (is("EOF")) {
            mSawEof = true;
            break;
        }
        if (!is("SECTION")) fail(recordLine(), "expected SECTION or EOF, found " + std::string(type().substr(0, 40)));
        std::string name = sectionName();
        if (name == "HEADER") readHeader();
        else if (name == "CLASSES") readClasses();
        else if (name == "TABLES") readTables();
        else if (name == "BLOCKS" || name == "ENTITIES") {
            // Entities name layers and linetypes: a file without tables gets them first.
            ensureSymbolTables(mDb);
            if (name == "BLOCKS") readBlocks();
            else readEntities();
        }
        else if (name == "OBJECTS") readObjects();
        else keepSection(name);
    }
    if (mTok.failed()) throw mTok.error();
    if (!mSawEof) fail(mTok.line(), "the file ends without its EOF record");
    // What the file lacks (model space for its entities, say) is made now.
    completeDrawing(mDb);
    resolveEntities();
    mImpl->endProvisionalHandles();
    auditDrawing(mDb, [this](std::uint64_t h) {
        AcDbStub* s = mImpl->find(h);
        if (s == nullptr || s->ordinal >= mClaimLines.size() || mClaimLines[s->ordinal] == 0 ||
            mClaimLines[s->ordinal] == kLineUnknown)
            return FilePlace::nowhere();
        return FilePlace::line(mClaimLines[s->ordinal]);
    });
}

}  // namespace

bool readDxfFile(AcDbDatabase* db, int fd, std::string& error)
{
    try {
        DxfReader reader(db, fd);
        reader.run();
        return true;
    } catch (const ReadError& e) {
        error = e.message();
        return false;
    } catch (const std::exception& e) {
        error = std::string("reading stopped: ") + e.what();
        return false;
    }
}

}  // namespace arx
