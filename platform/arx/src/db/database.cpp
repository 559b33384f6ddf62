// AcDbDatabase: the drawing's public face over DatabaseImpl.
#include <algorithm>

#include "builtin.h"
#include "database_impl.h"
#include "dbdict.h"
#include "dbsymtb.h"
#include "defaults.h"
#include "../core/generation.h"
#include "notify.h"
#include "object_access.h"
#include "symbols.h"
#include "../core/utf.h"

ARX_DEFINE_BUILTIN_ABSTRACT(AcDbDatabase, AcRxObject)

namespace arx {
void forgetWorkingDatabase(AcDbDatabase* db);
}

AcDbDatabase::AcDbDatabase(bool buildDefaultDrawing, bool) : mImpl(new arx::DatabaseImpl(this))
{
    arx::liveDatabases().push_back(this);
    if (buildDefaultDrawing) arx::buildDefaultDrawing(this);
}

AcDbDatabase::~AcDbDatabase()
{
    auto& live = arx::liveDatabases();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
    arx::forgetWorkingDatabase(this);
    delete mImpl;
}

int acdbActiveDatabaseCount() { return static_cast<int>(arx::liveDatabases().size()); }

Acad::ErrorStatus AcDbDatabase::addAcDbObject(AcDbObject* obj)
{
    AcDbObjectId id;
    return addAcDbObject(id, obj);
}

Acad::ErrorStatus AcDbDatabase::addAcDbObject(AcDbObjectId& id, AcDbObject* obj) { return mImpl->addNew(obj, id); }

Acad::ErrorStatus AcDbDatabase::getAcDbObjectId(AcDbObjectId& retId, bool createIfNotFound, const AcDbHandle& objHandle,
                                                Adesk::UInt32)
{
    retId.setNull();
    if (objHandle.isNull()) return Acad::eNullHandle;
    AcDbStub* s = mImpl->find(objHandle.value());
    if (s == nullptr && createIfNotFound) s = mImpl->reserve(objHandle.value());
    if (s == nullptr) return Acad::eUnknownHandle;
    retId = s;
    return Acad::eOk;
}

AcDbHandle AcDbDatabase::handseed() const { return AcDbHandle(mImpl->handseed()); }

template <class T>
static Acad::ErrorStatus openRoot(T*& out, AcDbStub* stub, AcDb::OpenMode mode)
{
    out = nullptr;
    if (stub == nullptr) return Acad::eMissingSymbolTable;
    return acdbOpenObject(out, AcDbObjectId(stub), mode);
}

using arx::TableKind;
Acad::ErrorStatus AcDbDatabase::getBlockTable(AcDbBlockTable*& t, AcDb::OpenMode m) { return openRoot(t, mImpl->table(TableKind::kBlock), m); }
Acad::ErrorStatus AcDbDatabase::getLayerTable(AcDbLayerTable*& t, AcDb::OpenMode m) { return openRoot(t, mImpl->table(TableKind::kLayer), m); }
Acad::ErrorStatus AcDbDatabase::getLinetypeTable(AcDbLinetypeTable*& t, AcDb::OpenMode m) { return openRoot(t, mImpl->table(TableKind::kLinetype), m); }
Acad::ErrorStatus AcDbDatabase::getTextStyleTable(AcDbTextStyleTable*& t, AcDb::OpenMode m) { return openRoot(t, mImpl->table(TableKind::kTextStyle), m); }
Acad::ErrorStatus AcDbDatabase::getViewportTable(AcDbViewportTable*& t, AcDb::OpenMode m) { return openRoot(t, mImpl->table(TableKind::kViewport), m); }
Acad::ErrorStatus AcDbDatabase::getViewTable(AcDbViewTable*& t, AcDb::OpenMode m) { return openRoot(t, mImpl->table(TableKind::kView), m); }
Acad::ErrorStatus AcDbDatabase::getUCSTable(AcDbUCSTable*& t, AcDb::OpenMode m) { return openRoot(t, mImpl->table(TableKind::kUCS), m); }
Acad::ErrorStatus AcDbDatabase::getRegAppTable(AcDbRegAppTable*& t, AcDb::OpenMode m) { return openRoot(t, mImpl->table(TableKind::kRegApp), m); }
Acad::ErrorStatus AcDbDatabase::getDimStyleTable(AcDbDimStyleTable*& t, AcDb::OpenMode m) { return openRoot(t, mImpl->table(TableKind::kDimStyle), m); }

Acad::ErrorStatus AcDbDatabase::getNamedObjectsDictionary(AcDbDictionary*& dict, AcDb::OpenMode mode)
{
    return openRoot(dict, mImpl->nod(), mode);
}

Acad::ErrorStatus AcDbDatabase::getLayoutDictionary(AcDbDictionary*& dict, AcDb::OpenMode mode)
{
    dict = nullptr;
    AcDbObjectId id = layoutDictionaryId();
    if (id.isNull()) return Acad::eKeyNotFound;
    return acdbOpenObject(dict, id, mode);
}

AcDbObjectId AcDbDatabase::blockTableId() const { return mImpl->table(TableKind::kBlock); }
AcDbObjectId AcDbDatabase::layerTableId() const { return mImpl->table(TableKind::kLayer); }
AcDbObjectId AcDbDatabase::linetypeTableId() const { return mImpl->table(TableKind::kLinetype); }
AcDbObjectId AcDbDatabase::textStyleTableId() const { return mImpl->table(TableKind::kTextStyle); }
AcDbObjectId AcDbDatabase::viewportTableId() const { return mImpl->table(TableKind::kViewport); }
AcDbObjectId AcDbDatabase::viewTableId() const { return mImpl->table(TableKind::kView); }
AcDbObjectId AcDbDatabase::UCSTableId() const { return mImpl->table(TableKind::kUCS); }
AcDbObjectId AcDbDatabase::regAppTableId() const { return mImpl->table(TableKind::kRegApp); }
AcDbObjectId AcDbDatabase::dimStyleTableId() const { return mImpl->table(TableKind::kDimStyle); }
AcDbObjectId AcDbDatabase::namedObjectsDictionaryId() const { return mImpl->nod(); }

AcDbObjectId AcDbDatabase::layoutDictionaryId() const
{
    auto* nod = AcDbDictionary::cast(arx::resolveStub(mImpl->nod()));
    if (nod == nullptr) return AcDbObjectId::kNull;
    for (const auto& [key, id] : arx::ObjectAccess::dictEntries(nod))
        if (arx::equalsNoCase(key.str(), L"ACAD_LAYOUT") && !id.isErased()) return id;
    return AcDbObjectId::kNull;
}

static AcDbObjectId symbolId(AcDbDatabase* db, TableKind kind, const ACHAR* name)
{
    AcDbObjectId id;
    arx::findSymbol(db, kind, name, id);
    return id;
}

AcDbObjectId AcDbDatabase::modelSpaceId() const
{
    return symbolId(const_cast<AcDbDatabase*>(this), TableKind::kBlock, ACDB_MODEL_SPACE);
}

AcDbObjectId AcDbDatabase::paperSpaceId() const
{
    return symbolId(const_cast<AcDbDatabase*>(this), TableKind::kBlock, ACDB_PAPER_SPACE);
}

bool AcDbDatabase::tilemode() const
{
    std::int64_t v = 1;
    mImpl->headerInt("$TILEMODE", v);
    return v != 0;
}

Acad::ErrorStatus AcDbDatabase::setTilemode(bool tilemode)
{
    mImpl->setHeaderInt("$TILEMODE", 70, tilemode ? 1 : 0);
    return Acad::eOk;
}

AcDbObjectId AcDbDatabase::currentSpaceId() const { return tilemode() ? modelSpaceId() : paperSpaceId(); }

AcDbObjectId AcDbDatabase::clayer() const
{
    std::string name;
    AcDbObjectId id;
    if (mImpl->headerText("$CLAYER", name)) id = symbolId(const_cast<AcDbDatabase*>(this), TableKind::kLayer, arx::fromUtf8(name).c_str());
    if (id.isNull()) id = symbolId(const_cast<AcDbDatabase*>(this), TableKind::kLayer, L"0");
    return id;
}

Acad::ErrorStatus AcDbDatabase::setClayer(AcDbObjectId layerId)
{
    auto* layer = AcDbLayerTableRecord::cast(arx::resolveStub(layerId));
    if (layer == nullptr || layerId.database() != this) return Acad::eInvalidInput;
    mImpl->setHeaderText("$CLAYER", 8, arx::toUtf8(arx::symbolName(layerId, L"0")));
    return Acad::eOk;
}

AcDbObjectId AcDbDatabase::byLayerLinetype() const { return symbolId(const_cast<AcDbDatabase*>(this), TableKind::kLinetype, L"ByLayer"); }
AcDbObjectId AcDbDatabase::byBlockLinetype() const { return symbolId(const_cast<AcDbDatabase*>(this), TableKind::kLinetype, L"ByBlock"); }
AcDbObjectId AcDbDatabase::continuousLinetype() const { return symbolId(const_cast<AcDbDatabase*>(this), TableKind::kLinetype, L"Continuous"); }

Acad::ErrorStatus AcDbDatabase::getFilename(const ACHAR*& fileName) const
{
    fileName = mImpl->filename.c_str();
    return Acad::eOk;
}

AcDb::AcDbDwgVersion AcDbDatabase::originalFileVersion() const
{
    return mImpl->originalVersion != 0 ? static_cast<AcDb::AcDbDwgVersion>(mImpl->originalVersion)
                                       : arx::hostDwgVersion();
}

Acad::ErrorStatus AcDbDatabase::loadLineTypeFile(const ACHAR* ltName, const ACHAR* fileName)
{
    return arx::loadLinetypes(this, ltName, fileName);
}
