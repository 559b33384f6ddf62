#include "proxy.h"

#include "builtin.h"
#include "database_impl.h"
#include "../core/generation.h"
#include "notify.h"
#include "object_access.h"
#include "../core/hex.h"
#include "../core/tags.h"
#include "../core/utf.h"
#include "../filers/binary_filer.h"
#include "../filers/dxf_in_filer.h"
#include "../filers/dxf_out_filer.h"

using arx::ObjectAccess;

ARX_DEFINE_BUILTIN(AcDbProxyEntity, AcDbEntity, L"ACAD_PROXY_ENTITY")
ARX_DEFINE_BUILTIN(AcDbProxyObject, AcDbObject, L"ACAD_PROXY_OBJECT")

AcDbProxyEntity::AcDbProxyEntity() : mData(new arx::ProxyData) {}
AcDbProxyEntity::~AcDbProxyEntity() { delete mData; }
AcDbProxyObject::AcDbProxyObject() : mData(new arx::ProxyData) {}
AcDbProxyObject::~AcDbProxyObject() { delete mData; }

bool AcDbObject::isAProxy() const
{
    return isKindOf(AcDbProxyEntity::desc()) || isKindOf(AcDbProxyObject::desc());
}

int AcDbProxyEntity::proxyFlags() const { return mData->cls.proxyFlags; }
const ACHAR* AcDbProxyEntity::originalClassName() const { return mData->cls.className.c_str(); }
const ACHAR* AcDbProxyEntity::originalDxfName() const { return mData->cls.dxfName.c_str(); }
const ACHAR* AcDbProxyEntity::applicationDescription() const { return mData->cls.appName.c_str(); }
int AcDbProxyObject::proxyFlags() const { return mData->cls.proxyFlags; }
const ACHAR* AcDbProxyObject::originalClassName() const { return mData->cls.className.c_str(); }
const ACHAR* AcDbProxyObject::originalDxfName() const { return mData->cls.dxfName.c_str(); }
const ACHAR* AcDbProxyObject::applicationDescription() const { return mData->cls.appName.c_str(); }

Acad::ErrorStatus AcDbProxyEntity::subErase(Adesk::Boolean)
{
    return (mData->cls.proxyFlags & kEraseAllowed) != 0 ? Acad::eOk : Acad::eNotAllowedForThisProxy;
}
Acad::ErrorStatus AcDbProxyObject::subErase(Adesk::Boolean)
{
    return (mData->cls.proxyFlags & kEraseAllowed) != 0 ? Acad::eOk : Acad::eNotAllowedForThisProxy;
}
// The data cannot be transformed without the class's code.
Acad::ErrorStatus AcDbProxyEntity::subTransformBy(const AcGeMatrix3d&) { return Acad::eNotAllowedForThisProxy; }
Acad::ErrorStatus AcDbProxyEntity::subGetGeomExtents(AcDbExtents&) const { return Acad::eInvalidExtents; }

namespace {

// The proxy's own image, for undo and copies (files special-case proxies).
Acad::ErrorStatus writeProxyImage(const arx::ProxyData& d, AcDbDwgFiler* filer)
{
    filer->writeUInt8(static_cast<Adesk::UInt8>(d.form));
    filer->writeBool(d.foreign);
    filer->writeString(d.cls.className.c_str());
    filer->writeString(d.cls.dxfName.c_str());
    filer->writeString(d.cls.appName.c_str());
    filer->writeInt32(d.cls.proxyFlags);
    filer->writeInt32(d.cls.dwgVersion);
    filer->writeInt32(d.cls.maintVersion);
    if (auto* bf = dynamic_cast<arx::BinaryFiler*>(filer)) return bf->writeBlob(d.bytes);
    return Acad::eNoInputFiler;
}

Acad::ErrorStatus readProxyImage(arx::ProxyData& d, AcDbDwgFiler* filer)
{
    auto* bf = dynamic_cast<arx::BinaryFiler*>(filer);
    if (bf == nullptr) return Acad::eNoInputFiler;
    Adesk::UInt8 form = 0;
    AcString cls, dxf, app;
    filer->readUInt8(&form);
    filer->readBool(&d.foreign);
    filer->readString(cls);
    filer->readString(dxf);
    filer->readString(app);
    filer->readInt32(&d.cls.proxyFlags);
    filer->readInt32(&d.cls.dwgVersion);
    filer->readInt32(&d.cls.maintVersion);
    Acad::ErrorStatus es = bf->readBlob(d.bytes);
    if (es != Acad::eOk) return es;
    if (form > 1) return Acad::eDwgObjectImproperlyRead;
    d.form = static_cast<arx::ProxyData::Form>(form);
    d.cls.className = cls.str();
    d.cls.dxfName = dxf.str();
    d.cls.appName = app.str();
    return filer->filerStatus();
}

}  // namespace

Acad::ErrorStatus AcDbProxyEntity::dwgOutFields(AcDbDwgFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    return es != Acad::eOk ? es : writeProxyImage(*mData, filer);
}
Acad::ErrorStatus AcDbProxyEntity::dwgInFields(AcDbDwgFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    return es != Acad::eOk ? es : readProxyImage(*mData, filer);
}
Acad::ErrorStatus AcDbProxyObject::dwgOutFields(AcDbDwgFiler* filer) const
{
    Acad::ErrorStatus es = AcDbObject::dwgOutFields(filer);
    return es != Acad::eOk ? es : writeProxyImage(*mData, filer);
}
Acad::ErrorStatus AcDbProxyObject::dwgInFields(AcDbDwgFiler* filer)
{
    Acad::ErrorStatus es = AcDbObject::dwgInFields(filer);
    return es != Acad::eOk ? es : readProxyImage(*mData, filer);
}

namespace arx {

// Number of the proxy's class in the CLASSES section being written (500 and up).
static int proxyClassNumber(AcDbDxfFiler* filer, const ProxyClassInfo& cls)
{
    auto* out = dynamic_cast<DxfOutFiler*>(filer);
    if (out != nullptr && out->classes() != nullptr) {
        const std::vector<ClassEntry>& classes = *out->classes();
        // The entry of this very class; another class of the same DXF name only when there is none.
        for (size_t i = 0; i < classes.size(); ++i)
            if (classes[i].dxfName == cls.dxfName && classes[i].cppName == cls.className) return 500 + static_cast<int>(i);
        for (size_t i = 0; i < classes.size(); ++i)
            if (classes[i].dxfName == cls.dxfName) return 500 + static_cast<int>(i);
    }
    return 499;
}

static bool proxyClassFromNumber(AcDbDxfFiler* filer, int number, ProxyClassInfo& cls)
{
    auto* in = dynamic_cast<DxfInFiler*>(filer);
    if (in == nullptr || in->classes() == nullptr || number < 500) return false;
    size_t i = static_cast<size_t>(number - 500);
    if (i >= in->classes()->size()) return false;
    const ClassEntry& e = (*in->classes())[i];
    cls.className = e.cppName;
    cls.dxfName = e.dxfName;
    cls.appName = e.appName;
    cls.proxyFlags = e.proxyFlags;
    return true;
}

namespace {

// A binary stream written as ACAD_PROXY_ENTITY/OBJECT groups. The closing 300
// group marks the stream as the host's own, so that it is read back as one.
constexpr const ACHAR* kOwnStreamMark = L"ARXHOST-STREAM-1";

Acad::ErrorStatus proxyRecordOut(const AcDbObject* obj, const ProxyData& d, AcDbDxfFiler* filer, bool entity)
{
    filer->writeString(AcDb::kDxfSubclass, entity ? L"AcDbProxyEntity" : L"AcDbProxyObject");
    filer->writeInt32(AcDb::kDxfInt32, entity ? 498 : 499);
    filer->writeInt32(static_cast<AcDb::DxfCode>(91), proxyClassNumber(filer, d.cls));
    if (entity) filer->writeInt32(static_cast<AcDb::DxfCode>(92), 0);
    filer->writeInt32(static_cast<AcDb::DxfCode>(93), static_cast<Adesk::Int32>(d.bytes.size() * 8));
    for (size_t at = 0; at < d.bytes.size(); at += 127) {
        ads_binary chunk;
        chunk.clen = static_cast<short>(std::min<size_t>(127, d.bytes.size() - at));
        chunk.buf = const_cast<char*>(d.bytes.data() + at);
        filer->writeBChunk(AcDb::kDxfBinaryChunk, chunk);
    }
    filer->writeInt32(static_cast<AcDb::DxfCode>(94), 0);
    filer->writeInt32(static_cast<AcDb::DxfCode>(95),
                      static_cast<Adesk::Int32>((static_cast<std::uint32_t>(d.cls.dwgVersion) & 0xFFFF) |
                                                (static_cast<std::uint32_t>(d.cls.maintVersion) << 16)));
    filer->writeInt16(AcDb::kDxfInt16, 0);
    if (!d.foreign) filer->writeString(AcDb::kDxfXTextString, kOwnStreamMark);
    return filer->filerStatus();
}

Acad::ErrorStatus proxyRecordIn(AcDbObject* obj, ProxyData& d, AcDbDxfFiler* filer, bool entity)
{
    if (!filer->atSubclassData(entity ? L"AcDbProxyEntity" : L"AcDbProxyObject"))
        return filer->setError(Acad::eBadDxfSequence, L"proxy record without its subclass marker");
    resbuf rb;
    Acad::ErrorStatus es;
    int pending = 0;  // which run of 310 groups comes next: 92 graphics, 93 data
    bool sawMark = false, sawClass = false;
    while ((es = filer->readResBuf(&rb)) == Acad::eOk) {
        switch (rb.restype) {
        case 91:
            if (!proxyClassFromNumber(filer, rb.resval.rlong, d.cls))
                return filer->setError(Acad::eInvalidDxfCode, L"proxy names class number %d, which the CLASSES section lacks",
                                       static_cast<int>(rb.resval.rlong));
            sawClass = true;
            break;
        case 92: pending = 92; break;
        case 93: pending = 93; break;
        case 310:
            if (pending == 93) d.bytes.append(rb.resval.rbinary.buf, static_cast<size_t>(rb.resval.rbinary.clen));
            break;
        case 300:
            if (rb.resval.rstring != nullptr && std::wstring(rb.resval.rstring) == kOwnStreamMark) sawMark = true;
            break;
        case 95:  // the class's filing version: drawing version, maintenance version above it
            d.cls.dwgVersion = static_cast<int>(static_cast<std::uint32_t>(rb.resval.rlong) & 0xFFFF);
            d.cls.maintVersion = static_cast<int>(static_cast<std::uint32_t>(rb.resval.rlong) >> 16);
            break;
        default: break;  // ids and version groups follow from the stream itself
        }
    }
    if (es != Acad::eEndOfFile) return es;
    if (!sawClass) return filer->setError(Acad::eMissingDxfField, L"proxy record without its class number (91)");
    // The reader keeps another program's proxy records as groups; a stream that
    // is not the host's own cannot be read as one.
    if (!sawMark) return filer->setError(Acad::eNotApplicable, L"the proxy's data was written by another program");
    d.form = ProxyData::Form::kBinary;
    d.foreign = !sawMark;
    d.cls.isEntity = entity;
    return filer->filerStatus();
}

}  // namespace

const ACHAR* ownStreamMark() { return kOwnStreamMark; }
}  // namespace arx

// A DXF-form proxy writes its groups back as they came; a binary-form proxy
// writes an ACAD_PROXY record carrying its stream.
Acad::ErrorStatus AcDbProxyEntity::dxfOutFields(AcDbDxfFiler* filer) const
{
    if (mData->form == arx::ProxyData::Form::kDxf) {
        Acad::ErrorStatus es = AcDbObject::dxfOutFields(filer);
        if (es != Acad::eOk) return es;
        if (auto* out = dynamic_cast<arx::DxfOutFiler*>(filer)) arx::writeTagStore(out->text(), mData->bytes);
        return filer->filerStatus();
    }
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    return es != Acad::eOk ? es : arx::proxyRecordOut(this, *mData, filer, true);
}

Acad::ErrorStatus AcDbProxyObject::dxfOutFields(AcDbDxfFiler* filer) const
{
    if (mData->form == arx::ProxyData::Form::kDxf) {
        Acad::ErrorStatus es = AcDbObject::dxfOutFields(filer);
        if (es != Acad::eOk) return es;
        if (auto* out = dynamic_cast<arx::DxfOutFiler*>(filer)) arx::writeTagStore(out->text(), mData->bytes);
        return filer->filerStatus();
    }
    Acad::ErrorStatus es = AcDbObject::dxfOutFields(filer);
    return es != Acad::eOk ? es : arx::proxyRecordOut(this, *mData, filer, false);
}

Acad::ErrorStatus AcDbProxyEntity::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    return es != Acad::eOk ? es : arx::proxyRecordIn(this, *mData, filer, true);
}

Acad::ErrorStatus AcDbProxyObject::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbObject::dxfInFields(filer);
    return es != Acad::eOk ? es : arx::proxyRecordIn(this, *mData, filer, false);
}

namespace arx {

static bool isDatabaseClass(const AcRxClass* c)
{
    return c != nullptr && c->isDerivedFrom(AcDbObject::desc()) && c->pseudoConstructor() != nullptr;
}

AcRxClass* classForRecordType(const std::vector<ClassEntry>& entries, const std::wstring& dxfName,
                              const ClassEntry*& entry)
{
    entry = nullptr;
    for (const ClassEntry& e : entries)
        if (e.dxfName == dxfName) {
            entry = &e;
            break;
        }
    if (entry != nullptr) {
        AcRxClass* c = AcRxClass::cast(acrxClassDictionary->at(entry->cppName.c_str()));
        if (isDatabaseClass(c)) return c;
    }
    AcRxClass* found = nullptr;
    AcRxDictionaryIterator* it = acrxClassDictionary->newIterator();
    for (; !it->done() && found == nullptr; it->next()) {
        AcRxClass* c = AcRxClass::cast(it->object());
        if (isDatabaseClass(c) && c->dxfName() != nullptr && dxfName == c->dxfName()) found = c;
    }
    delete it;
    return found;
}

ProxyClassInfo classInfoOf(const AcRxClass* cls, bool isEntity)
{
    ProxyClassInfo info;
    info.className = cls->name();
    info.dxfName = cls->dxfName() != nullptr ? cls->dxfName() : cls->name();
    info.appName = cls->appName() != nullptr ? cls->appName() : L"";
    info.proxyFlags = cls->proxyFlags();
    cls->getClassVersion(info.dwgVersion, info.maintVersion);
    info.isEntity = isEntity;
    return info;
}

AcDbObject* makeProxy(const ProxyClassInfo& cls, ProxyData::Form form, std::string bytes)
{
    ProxyData* d;
    AcDbObject* obj;
    if (cls.isEntity) {
        auto* p = new AcDbProxyEntity();
        d = ObjectAccess::proxyDataOf(p);
        obj = p;
    } else {
        auto* p = new AcDbProxyObject();
        d = ObjectAccess::proxyDataOf(p);
        obj = p;
    }
    d->cls = cls;
    d->form = form;
    d->bytes = std::move(bytes);
    return obj;
}

ProxyData* proxyData(const AcDbObject* obj)
{
    if (obj == nullptr) return nullptr;
    if (auto* p = AcDbProxyEntity::cast(obj)) return ObjectAccess::proxyDataOf(p);
    if (auto* p = AcDbProxyObject::cast(obj)) return ObjectAccess::proxyDataOf(p);
    return nullptr;
}


// Appends a tag store's groups to a record, numbering lines from line on.
static void addTags(DxfRecord& rec, std::string_view store, std::uint64_t& line)
{
    TagCursor c(store);
    Tag t;
    while (c.next(t)) {
        if (t.kind == TagKind::Binary)
            rec.addBinary(t.code, t.value, line);
        else
            rec.addText(t.code, t.value, line);
        line += 2;
    }
}

// Builds the DXF record a DXF-form proxy stands for: its common header, then
// its kept groups.
static void rebuildRecord(AcDbObject* proxy, const ProxyData& d, DxfRecord& rec)
{
    std::string text;
    DxfOutFiler out(text, proxy->database(), hostDwgVersion(), -1);
    {
        ReadScope reading(proxy);
        proxy->AcDbObject::dxfOutFields(&out);
    }
    // Parse the header text back into groups.
    size_t pos = 0;
    std::uint64_t line = 1;
    while (pos < text.size()) {
        size_t e1 = text.find('\n', pos);
        size_t e2 = text.find('\n', e1 + 1);
        int code = std::stoi(text.substr(pos, e1 - pos));
        rec.addText(code, std::string_view(text).substr(e1 + 1, e2 - e1 - 1), line);
        pos = e2 + 1;
        line += 2;
    }
    addTags(rec, d.bytes, line);
    if (const ObjectExtra* e = ObjectAccess::extraIfAny(proxy)) addTags(rec, e->xdata, line);
}

Acad::ErrorStatus loadProxyBase(AcDbObject* proxy)
{
    ProxyData* d = proxyData(proxy);
    if (d == nullptr || d->foreign) return Acad::eOk;
    if (d->form == ProxyData::Form::kDxf) {
        // An entity's own section leads its kept groups: the proxy reads its
        // layer, linetype, colour and the rest from there and keeps the groups
        // as they are, which is what it writes back.
        auto* ent = AcDbEntity::cast(proxy);
        if (ent == nullptr) return Acad::eOk;
        DxfRecord rec;
        std::uint64_t line = 1;
        addTags(rec, d->bytes, line);
        DxfInFiler filer(rec, 0, proxy->database());
        ObjectExtra* extra = ObjectAccess::extraIfAny(proxy);
        std::vector<KeptSection> kept = extra != nullptr ? extra->kept : std::vector<KeptSection>();
        FilingScope filing(proxy);
        Acad::ErrorStatus es = ObjectAccess::readEntityGroups(ent, &filer);
        if ((extra = ObjectAccess::extraIfAny(proxy)) != nullptr) extra->kept = std::move(kept);
        ObjectAccess::dropExtraIfEmpty(proxy);
        return es;
    }
    BinaryFiler filer(AcDb::kFileFiler, proxy->database(), std::string_view(d->bytes));
    FilingScope filing(proxy);
    Acad::ErrorStatus es = readObjectPrefix(proxy, &filer);
    if (es != Acad::eOk) return es;
    if (auto* ent = AcDbEntity::cast(proxy)) return ent->AcDbEntity::dwgInFields(&filer);
    return proxy->AcDbObject::dwgInFields(&filer);
}

AcDbObject* reviveProxy(AcDbObject* proxy, Acad::ErrorStatus& es)
{
    es = Acad::eOk;
    ProxyData* d = proxyData(proxy);
    if (d == nullptr || d->foreign) return nullptr;
    AcRxClass* cls = AcRxClass::cast(acrxClassDictionary->at(d->cls.className.c_str()));
    if (cls == nullptr || cls->pseudoConstructor() == nullptr) return nullptr;
    // An entity's data never makes another kind of object, nor the other way round.
    if (cls->isDerivedFrom(AcDbEntity::desc()) != (AcDbEntity::cast(proxy) != nullptr)) {
        es = Acad::eWrongObjectType;
        return nullptr;
    }
    AcRxObject* made = cls->create();
    auto* obj = AcDbObject::cast(made);
    if (obj == nullptr) {
        delete made;
        return nullptr;
    }
    AcDbStub* stub = ObjectAccess::stub(proxy);
    // The object is built in the proxy's place, with the proxy's identity.
    ObjectAccess::setStub(obj, stub);
    {
        FilingScope filing(obj);
        if (d->form == ProxyData::Form::kBinary) {
            BinaryFiler filer(AcDb::kFileFiler, proxy->database(), std::string_view(d->bytes));
            es = obj->dwgIn(&filer);
            if (es == Acad::eOk && filer.remaining() != 0) es = Acad::eDwgObjectImproperlyRead;
        } else {
            DxfRecord rec;
            rebuildRecord(proxy, *d, rec);
            DxfInFiler filer(rec, 0, proxy->database());
            es = obj->dxfIn(&filer);
        }
    }
    ObjectAccess::setStub(obj, nullptr);
    if (es != Acad::eOk) {
        delete obj;
        return nullptr;
    }
    return obj;
}

AcDbObject* proxyFromObject(AcDbObject* obj, Acad::ErrorStatus& es)
{
    std::string bytes;
    BinaryFiler filer(AcDb::kFileFiler, obj->database(), bytes);
    {
        ReadScope reading(obj);
        es = obj->dwgOut(&filer);
    }
    if (es != Acad::eOk) return nullptr;
    bool entity = AcDbEntity::cast(obj) != nullptr;
    return makeProxy(classInfoOf(obj->isA(), entity), ProxyData::Form::kBinary, std::move(bytes));
}

}  // namespace arx
