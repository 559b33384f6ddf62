// Records of the tables the host files but does not edit (text styles,
// viewports, views, UCSs, registered applications, dimension styles): a name, the
// flags, and every other group as read.
#include "builtin.h"
#include "dbsymtb.h"
#include "object_access.h"
#include "../core/utf.h"

namespace {

Acad::ErrorStatus keptOut(const AcDbSymbolTableRecord* rec, AcDbDxfFiler* filer, const ACHAR* marker,
                          const AcString& name, Adesk::Int16 flags)
{
    filer->writeString(AcDb::kDxfSubclass, marker);
    filer->writeString(AcDb::kDxfSymbolTableName, name);
    filer->writeInt16(AcDb::kDxfInt16, flags);
    arx::writeKeptGroups(filer, rec, arx::toUtf8(marker).c_str());
    return filer->filerStatus();
}

Acad::ErrorStatus keptIn(AcDbSymbolTableRecord* rec, AcDbDxfFiler* filer, const ACHAR* marker, AcString& name,
                         Adesk::Int16& flags)
{
    filer->atSubclassData(marker);
    std::string section = arx::toUtf8(marker);
    resbuf rb;
    Acad::ErrorStatus es;
    bool haveName = false, haveFlags = false;
    while ((es = filer->readResBuf(&rb)) == Acad::eOk) {
        if (rb.restype == AcDb::kDxfSymbolTableName && !haveName) {
            name = rb.resval.rstring;
            haveName = true;
        } else if (rb.restype == AcDb::kDxfInt16 && !haveFlags) {
            flags = rb.resval.rint;
            haveFlags = true;
        } else {
            arx::keepCurrentGroup(filer, rec, section.c_str());
        }
    }
    return es == Acad::eEndOfFile ? filer->filerStatus() : es;
}

}  // namespace

#define ARX_DEFINE_KEPT_RECORD(RECORD, DXFNAME)                                 \
    ARX_DEFINE_BUILTIN(RECORD, AcDbSymbolTableRecord, DXFNAME)                  \
    RECORD::RECORD() = default;                                                 \
    RECORD::~RECORD() = default;                                                \
    Acad::ErrorStatus RECORD::dxfOutFields(AcDbDxfFiler* filer) const          \
    {                                                                           \
        Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfOutFields(filer);      \
        if (es != Acad::eOk) return es;                                         \
        return keptOut(this, filer, L## #RECORD, mName, mFlags);                \
    }                                                                           \
    Acad::ErrorStatus RECORD::dxfInFields(AcDbDxfFiler* filer)                  \
    {                                                                           \
        Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfInFields(filer);       \
        if (es != Acad::eOk) return es;                                         \
        return keptIn(this, filer, L## #RECORD, mName, mFlags);                 \
    }

ARX_DEFINE_KEPT_RECORD(AcDbTextStyleTableRecord, L"STYLE")
ARX_DEFINE_KEPT_RECORD(AcDbViewportTableRecord, L"VPORT")
ARX_DEFINE_KEPT_RECORD(AcDbViewTableRecord, L"VIEW")
ARX_DEFINE_KEPT_RECORD(AcDbUCSTableRecord, L"UCS")
ARX_DEFINE_KEPT_RECORD(AcDbRegAppTableRecord, L"APPID")
ARX_DEFINE_KEPT_RECORD(AcDbDimStyleTableRecord, L"DIMSTYLE")
