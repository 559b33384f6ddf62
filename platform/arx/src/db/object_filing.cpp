// Filing of what every object has: extended data and kept groups (filed by
// dwgOut/dxfOut around the class's own fields), and the owner, persistent
// reactors and extension dictionary (filed by AcDbObject's *Fields).
#include <unordered_set>

#include "acutads.h"
#include "adscodes.h"
#include "database_impl.h"
#include "dbsymtb.h"
#include "notify.h"
#include "object_access.h"
#include "symbol_index.h"
#include "../core/tags.h"
#include "../core/utf.h"
#include "../filers/binary_filer.h"
#include "../filers/dxf_in_filer.h"
#include "../filers/dxf_out_filer.h"
#include "../filers/dxf_values.h"

using arx::ObjectAccess;

namespace {

// Blobs through any binary filer: ours checks lengths against what is left.
constexpr std::uint32_t kMaxForeignBlob = 64u << 20;

Acad::ErrorStatus writeBlob(AcDbDwgFiler* filer, std::string_view bytes)
{
    if (auto* bf = dynamic_cast<arx::BinaryFiler*>(filer)) return bf->writeBlob(bytes);
    filer->writeUInt32(static_cast<std::uint32_t>(bytes.size()));
    return filer->writeBytes(bytes.data(), bytes.size());
}

Acad::ErrorStatus readBlob(AcDbDwgFiler* filer, std::string& out)
{
    if (auto* bf = dynamic_cast<arx::BinaryFiler*>(filer)) return bf->readBlob(out);
    std::uint32_t len = 0;
    Acad::ErrorStatus es = filer->readUInt32(&len);
    if (es != Acad::eOk) return es;
    if (len > kMaxForeignBlob) return Acad::eFilerError;
    out.resize(len);
    return filer->readBytes(out.data(), len);
}

bool liveStub(AcDbStub* s)
{
    return s != nullptr && (s->flags & (AcDbStub::kErased | AcDbStub::kPermanentlyErased)) == 0 &&
           (s->object != nullptr || (s->flags & AcDbStub::kPending) != 0);
}

}  // namespace

namespace arx {

void keepCurrentGroup(AcDbDxfFiler* filer, AcDbObject* obj, const char* subclass)
{
    auto* in = dynamic_cast<DxfInFiler*>(filer);
    if (in == nullptr) return;
    ObjectExtra& extra = ObjectAccess::extra(obj);
    KeptSection* section = nullptr;
    for (auto& k : extra.kept)
        if (k.subclass == subclass) section = &k;
    if (section == nullptr) {
        extra.kept.push_back(KeptSection{subclass, {}});
        section = &extra.kept.back();
    }
    const DxfRecord& r = in->record();
    // A point read as one value spans its x, y and z groups.
    for (size_t k = in->currentIndex(); k < in->position(); ++k)
        addTag(section->tags, r.tag(k).code, r.tag(k).binary ? TagKind::Binary : TagKind::Text, r.value(k));
}

void writeKeptGroups(AcDbDxfFiler* filer, const AcDbObject* obj, const char* subclass)
{
    const ObjectExtra* extra = ObjectAccess::extraIfAny(obj);
    if (extra == nullptr) return;
    for (const auto& k : extra->kept) {
        if (k.subclass != subclass) continue;
        if (auto* out = dynamic_cast<DxfOutFiler*>(filer)) {
            writeTagStore(out->text(), k.tags);
        } else {
            resbuf* chain = tagsToResbufChain(k.tags, obj->database());
            for (resbuf* rb = chain; rb != nullptr; rb = rb->rbnext) filer->writeResBuf(*rb);
            acutRelRb(chain);
        }
    }
}

}  // namespace arx

Acad::ErrorStatus AcDbObject::dwgOut(AcDbDwgFiler* filer) const
{
    assertReadEnabled();
    arx::writeObjectPrefix(this, filer);
    Acad::ErrorStatus es = dwgOutFields(filer);
    return es != Acad::eOk ? es : filer->filerStatus();
}

// The extended data and kept groups, filed before the class's own fields.
Acad::ErrorStatus arx::writeObjectPrefix(const AcDbObject* obj, AcDbDwgFiler* filer)
{
    const arx::ObjectExtra* e = ObjectAccess::extraIfAny(obj);
    std::uint8_t flags = 0;
    if (e != nullptr && !e->xdata.empty()) flags |= 1;
    if (e != nullptr && !e->kept.empty()) flags |= 2;
    filer->writeUInt8(flags);
    if ((flags & 1) != 0) writeBlob(filer, e->xdata);
    if ((flags & 2) != 0) {
        filer->writeUInt32(static_cast<std::uint32_t>(e->kept.size()));
        for (const auto& k : e->kept) {
            writeBlob(filer, k.subclass);
            writeBlob(filer, k.tags);
        }
    }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbObject::dwgIn(AcDbDwgFiler* filer)
{
    Acad::ErrorStatus es = arx::readObjectPrefix(this, filer);
    if (es != Acad::eOk) return es;
    es = dwgInFields(filer);
    // A record read again (a cancelled rename, say) may come back under another name.
    if (auto* record = AcDbSymbolTableRecord::cast(this)) arx::forgetSymbolNames(record);
    return es != Acad::eOk ? es : filer->filerStatus();
}

// The extended data and kept groups that dwgOut files before the class's fields.
Acad::ErrorStatus arx::readObjectPrefix(AcDbObject* obj, AcDbDwgFiler* filer)
{
    std::uint8_t flags = 0;
    Acad::ErrorStatus es = filer->readUInt8(&flags);
    if (es != Acad::eOk) return es;
    if ((flags & ~3u) != 0) return Acad::eDwgObjectImproperlyRead;
    std::string xdata;
    std::vector<arx::KeptSection> kept;
    if ((flags & 1) != 0) {
        if ((es = readBlob(filer, xdata)) != Acad::eOk) return es;
        std::string why;
        if (!arx::isWritableTagStore(xdata, arx::TagPlace::kExtendedData, why)) return Acad::eDwgObjectImproperlyRead;
    }
    if ((flags & 2) != 0) {
        std::uint32_t n = 0;
        if ((es = filer->readUInt32(&n)) != Acad::eOk) return es;
        for (std::uint32_t i = 0; i < n; ++i) {
            arx::KeptSection k;
            if ((es = readBlob(filer, k.subclass)) != Acad::eOk) return es;
            if ((es = readBlob(filer, k.tags)) != Acad::eOk) return es;
            // The groups of a block's BLOCK and ENDBLK records are written and read as they stand.
            const bool raw = k.subclass == "BLOCK" || k.subclass == "ENDBLK";
            std::string why;
            const arx::TagPlace place = raw                 ? arx::TagPlace::kRawObject
                                        : k.subclass.empty() ? arx::TagPlace::kObjectHeader
                                                             : arx::TagPlace::kObject;
            if (!arx::isWritableTagStore(k.tags, place, why))
                return Acad::eDwgObjectImproperlyRead;
            kept.push_back(std::move(k));
        }
    }
    if (!xdata.empty() || !kept.empty() || ObjectAccess::extraIfAny(obj) != nullptr) {
        arx::ObjectExtra& extra = ObjectAccess::extra(obj);
        extra.xdata = std::move(xdata);
        extra.kept = std::move(kept);
        ObjectAccess::dropExtraIfEmpty(obj);
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::dwgOutFields(AcDbDwgFiler* filer) const
{
    assertReadEnabled();
    filer->writeSoftPointerId(AcDbObjectId(mOwner));
    const AcDbVoidPtrArray* reactors = arx::ObjectAccess::reactors(this);
    std::uint32_t count = 0;
    if (reactors != nullptr)
        for (void* p : *reactors)
            if (acdbIsPersistentReactor(p)) ++count;
    filer->writeUInt32(count);
    if (count > 0)
        for (void* p : *reactors)
            if (acdbIsPersistentReactor(p)) filer->writeSoftPointerId(acdbPersistentReactorObjectId(p));
    filer->writeHardOwnershipId(AcDbObjectId(arx::ObjectAccess::xdict(this)));
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbObject::dwgInFields(AcDbDwgFiler* filer)
{
    assertWriteEnabled();
    AcDbSoftPointerId owner;
    filer->readSoftPointerId(&owner);
    std::uint32_t count = 0;
    Acad::ErrorStatus es = filer->readUInt32(&count);
    if (es != Acad::eOk) return es;
    // Transient reactors stay; the persistent ones are what the filer says.
    AcDbVoidPtrArray reactors(0, 4);
    if (const AcDbVoidPtrArray* now = arx::ObjectAccess::reactors(this))
        for (void* p : *now)
            if (!acdbIsPersistentReactor(p)) reactors.append(p);
    for (std::uint32_t i = 0; i < count; ++i) {
        AcDbSoftPointerId id;
        if ((es = filer->readSoftPointerId(&id)) != Acad::eOk) return es;
        if (!id.isNull()) reactors.append(reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(static_cast<AcDbStub*>(id)) | 1));
    }
    AcDbHardOwnershipId xdict;
    if ((es = filer->readHardOwnershipId(&xdict)) != Acad::eOk) return es;
    mOwner = owner;
    arx::ObjectAccess::setXdict(this, xdict);
    if (reactors.isEmpty())
        arx::ObjectAccess::dropReactors(this);
    else
        arx::ObjectAccess::reactorList(this) = std::move(reactors);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbObject::dxfOut(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    if (mExtra != nullptr && !mExtra->xdata.empty()) {
        if (auto* out = dynamic_cast<arx::DxfOutFiler*>(filer)) {
            arx::writeTagStore(out->text(), mExtra->xdata);
        } else {
            resbuf* chain = arx::tagsToResbufChain(mExtra->xdata, database());
            for (resbuf* rb = chain; rb != nullptr; rb = rb->rbnext) filer->writeResBuf(*rb);
            acutRelRb(chain);
        }
    }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbObject::dxfIn(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = dxfInFields(filer);
    if (auto* record = AcDbSymbolTableRecord::cast(this)) arx::forgetSymbolNames(record);
    if (es != Acad::eOk) return es;
    // What follows the class's groups from the first 1001 on is extended data.
    if (auto* in = dynamic_cast<arx::DxfInFiler*>(filer)) {
        const arx::DxfRecord& r = in->record();
        size_t i = in->position();
        while (i < r.size() && r.tag(i).code < 1000) ++i;
        if (i < r.size()) {
            // Extended data is 1000-series groups, each application's starting with its 1001 name.
            if (r.tag(i).code != 1001)
                return filer->setError(Acad::eBadDxfSequence, L"line %llu: extended data must start with a 1001 group",
                                       static_cast<unsigned long long>(r.tag(i).line));
            std::string& xdata = ObjectAccess::extra(this).xdata;
            xdata.clear();
            for (; i < r.size(); ++i) {
                if (r.tag(i).code < 1000)
                    return filer->setError(Acad::eBadDxfSequence, L"line %llu: group %d in extended data",
                                           static_cast<unsigned long long>(r.tag(i).line), r.tag(i).code);
                arx::addTag(xdata, r.tag(i).code, r.tag(i).binary ? arx::TagKind::Binary : arx::TagKind::Text,
                            r.value(i));
            }
        }
    }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbObject::dxfOutFields(AcDbDxfFiler* filer) const
{
    assertReadEnabled();
    filer->writeAcDbHandle(isKindOf(AcDbDimStyleTableRecord::desc()) ? AcDb::kDxfDimVarHandle : AcDb::kDxfHandle,
                           AcDbHandle(mStub != nullptr ? mStub->handle : 0));
    arx::writeKeptGroups(filer, this, "");
    const AcDbVoidPtrArray* reactors = arx::ObjectAccess::reactors(this);
    bool anyReactor = false;
    if (reactors != nullptr)
        for (void* p : *reactors)
            if (acdbIsPersistentReactor(p) && liveStub(arx::persistentStub(p))) anyReactor = true;
    if (anyReactor) {
        filer->writeString(AcDb::kDxfControlString, L"{ACAD_REACTORS");
        for (void* p : *reactors)
            if (acdbIsPersistentReactor(p) && liveStub(arx::persistentStub(p)))
                filer->writeObjectId(AcDb::kDxfSoftPointerId, acdbPersistentReactorObjectId(p));
        filer->writeString(AcDb::kDxfControlString, L"}");
    }
    if (AcDbStub* xdict = arx::ObjectAccess::xdict(this); liveStub(xdict)) {
        filer->writeString(AcDb::kDxfControlString, L"{ACAD_XDICTIONARY");
        filer->writeObjectId(AcDb::kDxfHardOwnershipId, AcDbObjectId(xdict));
        filer->writeString(AcDb::kDxfControlString, L"}");
    }
    filer->writeObjectId(AcDb::kDxfSoftPointerId, AcDbObjectId(mOwner));
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbObject::dxfInFields(AcDbDxfFiler* filer)
{
    assertWriteEnabled();
    resbuf rb;
    bool haveOwner = false;
    for (;;) {
        Acad::ErrorStatus es = filer->readResBuf(&rb);
        if (es == Acad::eEndOfFile) return Acad::eOk;
        if (es != Acad::eOk) return es;
        if (rb.restype == AcDb::kDxfHandle || rb.restype == AcDb::kDxfDimVarHandle) continue;
        if (rb.restype == AcDb::kDxfSoftPointerId && !haveOwner) {
            mOwner = reinterpret_cast<AcDbStub*>(rb.resval.rlname[0]);
            haveOwner = true;
            continue;
        }
        if (rb.restype != AcDb::kDxfControlString || rb.resval.rstring == nullptr || rb.resval.rstring[0] != L'{') {
            filer->pushBackItem();
            return Acad::eOk;
        }
        std::wstring group = rb.resval.rstring;
        if (group == L"{ACAD_REACTORS" || group == L"{ACAD_XDICTIONARY") {
            const bool reactors = group == L"{ACAD_REACTORS";
            // What the list holds already, so that a long list reads in linear time.
            std::unordered_set<void*> listed;
            if (const AcDbVoidPtrArray* now = arx::ObjectAccess::reactors(this); reactors && now != nullptr)
                listed.insert(now->begin(), now->end());
            for (;;) {
                es = filer->readResBuf(&rb);
                if (es != Acad::eOk)
                    return filer->setError(Acad::eBadDxfSequence, L"the group %ls has no closing \"}\"", group.c_str());
                if (rb.restype == AcDb::kDxfControlString && rb.resval.rstring != nullptr &&
                    std::wstring(rb.resval.rstring) == L"}")
                    break;
                auto* stub = reinterpret_cast<AcDbStub*>(rb.resval.rlname[0]);
                if (reactors && rb.restype == AcDb::kDxfSoftPointerId) {
                    // Filed in directly: a proxy refuses addPersistentReactor, yet
                    // keeps the reactors it was read with.
                    void* tagged = reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(stub) | 1);
                    if (stub != nullptr && listed.insert(tagged).second) arx::ObjectAccess::reactorList(this).append(tagged);
                } else if (!reactors && rb.restype == AcDb::kDxfHardOwnershipId) {
                    arx::ObjectAccess::setXdict(this, stub);
                } else {
                    return filer->setError(Acad::eBadDxfSequence, L"unexpected group %d in %ls",
                                           static_cast<int>(rb.restype), group.c_str());
                }
            }
            continue;
        }
        // An application's own group: kept as it stands.
        arx::keepCurrentGroup(filer, this, "");
        for (;;) {
            es = filer->readResBuf(&rb);
            if (es != Acad::eOk)
                return filer->setError(Acad::eBadDxfSequence, L"the group %ls has no closing \"}\"", group.c_str());
            arx::keepCurrentGroup(filer, this, "");
            if (rb.restype == AcDb::kDxfControlString && rb.resval.rstring != nullptr &&
                std::wstring(rb.resval.rstring) == L"}")
                break;
        }
    }
}

namespace arx {
void notifyGraphicsModified(AcDbObject* obj)
{
    auto* ent = AcDbEntity::cast(obj);
    if (ent == nullptr) return;
    notifyReactors(
        obj,
        [ent](AcDbObjectReactor* r) {
            if (auto* er = AcDbEntityReactor::cast(r)) er->modifiedGraphics(ent);
        },
        [ent](AcDbObject* r) { r->modifiedGraphics(ent); });
}
}  // namespace arx
