// Writing the host's binary drawing file (layout in dwg_format.h): each object's
// own binary filing, streamed to disk, with a directory at the end.
#include <algorithm>
#include <cstring>
#include <map>

#include "dwg_format.h"
#include "dwg_writer.h"
#include "output_file.h"
#include "../core/hex.h"
#include "../core/utf.h"
#include "../db/database_impl.h"
#include "../db/object_access.h"
#include "../db/proxy.h"
#include "../filers/binary_filer.h"

namespace arx {
namespace {

struct ClassKey {
    std::wstring cppName;
    std::wstring dxfName;
    std::wstring appName;
    int proxyFlags;
    int dwgVersion;
    int maintVersion;
    bool isEntity;
    std::wstring recordName;
};

}  // namespace

bool writeDwgFile(AcDbDatabase* db, OutputFile& out, AcDb::AcDbDwgVersion version, std::string& error)
{
    DatabaseImpl* impl = implOf(db);
    std::vector<AcDbStub*> stubs;
    impl->forEachStub([&](AcDbStub* s) {
        if (s->object != nullptr && (s->flags & AcDbStub::kErased) == 0) stubs.push_back(s);
    });
    std::sort(stubs.begin(), stubs.end(), [](AcDbStub* a, AcDbStub* b) { return a->handle < b->handle; });

    // The classes of the records, numbered in order of first use.
    std::vector<ClassKey> classes;
    std::map<std::wstring, std::uint32_t> classIndex;
    std::vector<dwgfile::DirectoryEntry> directory;
    directory.reserve(stubs.size());
    auto classOf = [&](AcDbObject* obj) -> std::uint32_t {
        ClassKey key;
        if (ProxyData* d = proxyData(obj)) {
            key = ClassKey{d->cls.className, d->cls.dxfName,    d->cls.appName,  d->cls.proxyFlags,
                           d->cls.dwgVersion, d->cls.maintVersion, d->cls.isEntity, d->recordName};
            if (key.cppName.empty()) key.cppName = L"*" + key.dxfName;  // an entity type the host does not know
        } else {
            const AcRxClass* cls = obj->isA();
            key = ClassKey{cls->name(),
                           cls->dxfName() != nullptr ? cls->dxfName() : L"",
                           cls->appName() != nullptr ? cls->appName() : L"",
                           cls->proxyFlags(),
                           0,
                           0,
                           cls->isDerivedFrom(AcDbEntity::desc()),
                           {}};
            cls->getClassVersion(key.dwgVersion, key.maintVersion);
        }
        // Every field tells classes apart: a proxy may stand for a class that
        // is loaded, as another kind (an entity record in an objects section)
        // or under another record type.
        const std::wstring id = key.cppName + L'\n' + key.dxfName + L'\n' + key.appName + L'\n' + key.recordName +
                                L'\n' + std::to_wstring(key.proxyFlags) + L'\n' + std::to_wstring(key.dwgVersion) +
                                L'\n' + std::to_wstring(key.maintVersion) + (key.isEntity ? L"\nE" : L"\nO");
        auto [it, fresh] = classIndex.emplace(id, static_cast<std::uint32_t>(classes.size()));
        if (fresh) classes.push_back(key);
        return it->second;
    };

    // Header first, with the places that are known only at the end left zero.
    dwgfile::Header header{};
    std::memcpy(header.magic, dwgfile::kMagic, sizeof header.magic);
    header.formatVersion = dwgfile::kFormatVersion;
    header.dwgVersion = static_cast<std::uint32_t>(version);
    header.maintVersion = version == AcDb::kDHL_1024 ? 6 : 8;
    header.handseed = impl->handseed();
    header.objectCount = stubs.size();
    out.buffer().append(reinterpret_cast<const char*>(&header), sizeof header);

    // The records, streamed out as they are made.
    std::string& buf = out.buffer();
    for (AcDbStub* s : stubs) {
        AcDbObject* obj = s->object;
        dwgfile::DirectoryEntry entry{};
        entry.handle = s->handle;
        entry.classIndex = classOf(obj);
        std::uint64_t at = out.written();
        size_t before = buf.size();
        BinaryFiler filer(AcDb::kFileFiler, db, buf);
        filer.setVersion(version, static_cast<AcDb::MaintenanceReleaseVersion>(header.maintVersion));
        ReadScope scope(obj);
        Acad::ErrorStatus es;
        ProxyData* d = proxyData(obj);
        if (d != nullptr && d->form == ProxyData::Form::kBinary) {
            // A proxy's stream goes back exactly as it came.
            es = filer.writeBytes(d->bytes.data(), d->bytes.size());
            entry.form = dwgfile::kFormObject;
        } else if (d != nullptr) {
            writeObjectPrefix(obj, &filer);
            es = obj->AcDbObject::dwgOutFields(&filer);
            if (es == Acad::eOk) es = filer.writeBlob(d->bytes);
            entry.form = dwgfile::kFormDxfProxy;
        } else {
            es = obj->dwgOut(&filer);
            entry.form = dwgfile::kFormObject;
        }
        if (es != Acad::eOk) {
            error = toUtf8(obj->isA()->name()) + " (handle " + hexHandle(s->handle) +
                    ") could not be written: " + toUtf8(acadErrorStatusText(es));
            return false;
        }
        entry.offset = at;
        entry.length = buf.size() - before;
        directory.push_back(entry);
        if (!out.flush()) {
            error = out.error();
            return false;
        }
    }

    // The meta section follows the records: only now are their classes known.
    std::string meta;
    {
        BinaryFiler m(AcDb::kFileFiler, db, meta);
        m.writeUInt32(static_cast<std::uint32_t>(classes.size()));
        for (const ClassKey& c : classes) {
            m.writeString(AcString(c.cppName));
            m.writeString(AcString(c.dxfName));
            m.writeString(AcString(c.appName));
            m.writeInt32(c.proxyFlags);
            m.writeInt32(c.dwgVersion);
            m.writeInt32(c.maintVersion);
            m.writeBool(c.isEntity);
            m.writeString(AcString(c.recordName));
        }
        m.writeUInt32(static_cast<std::uint32_t>(impl->header.size()));
        for (const HeaderVariable& v : impl->header) {
            m.writeBlob(v.name);
            m.writeBlob(v.tags);
        }
        m.writeUInt32(static_cast<std::uint32_t>(impl->extraSections.size()));
        for (const KeptFileSection& k : impl->extraSections) {
            m.writeBlob(k.name);
            m.writeBlob(k.tags);
        }
        m.writeUInt32(static_cast<std::uint32_t>(impl->classes.size()));
        for (const ClassEntry& e : impl->classes) {
            m.writeString(AcString(e.dxfName));
            m.writeString(AcString(e.cppName));
            m.writeString(AcString(e.appName));
            m.writeInt32(e.proxyFlags);
            m.writeInt32(e.instanceCount);
            m.writeBool(e.wasProxy);
            m.writeBool(e.isEntity);
        }
        for (int k = 0; k < static_cast<int>(TableKind::kCount); ++k) {
            AcDbStub* t = impl->table(static_cast<TableKind>(k));
            m.writeUInt64(t != nullptr ? t->handle : 0);
        }
        m.writeUInt64(impl->nod() != nullptr ? impl->nod()->handle : 0);
    }
    header.metaLength = meta.size();
    buf.append(meta);
    header.directoryOffset = out.written();
    buf.append(reinterpret_cast<const char*>(directory.data()), directory.size() * sizeof(dwgfile::DirectoryEntry));
    if (!out.flush(true)) {
        error = out.error();
        return false;
    }
    if (!out.writeAt(0, &header, sizeof header)) {
        error = out.error();
        return false;
    }
    return true;
}

}  // namespace arx
