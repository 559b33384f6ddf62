// AcDbPlotSettings: how a layout is plotted, and the parent of AcDbLayout. The
// host reads the settings' name and keeps every other group as read, since it
// does not plot.
#include "builtin.h"
#include "dblayout.h"
#include "object_access.h"

ARX_DEFINE_BUILTIN(AcDbPlotSettings, AcDbObject, L"PLOTSETTINGS")

AcDbPlotSettings::AcDbPlotSettings() = default;
AcDbPlotSettings::~AcDbPlotSettings() = default;

Acad::ErrorStatus AcDbPlotSettings::getPlotSettingsName(AcString& name) const
{
    assertReadEnabled();
    name = mPlotSettingsName;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPlotSettings::setPlotSettingsName(const ACHAR* name)
{
    assertWriteEnabled();
    mPlotSettingsName = name;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPlotSettings::dwgOutFields(AcDbDwgFiler* filer) const
{
    Acad::ErrorStatus es = AcDbObject::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(mPlotSettingsName);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbPlotSettings::dwgInFields(AcDbDwgFiler* filer)
{
    Acad::ErrorStatus es = AcDbObject::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    return filer->readString(mPlotSettingsName);
}

Acad::ErrorStatus AcDbPlotSettings::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbObject::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(AcDb::kDxfSubclass, L"AcDbPlotSettings");
    filer->writeString(AcDb::kDxfText, mPlotSettingsName);
    arx::writeKeptGroups(filer, this, "AcDbPlotSettings");
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbPlotSettings::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbObject::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    filer->atSubclassData(L"AcDbPlotSettings");
    resbuf rb;
    bool haveName = false;
    while ((es = filer->readResBuf(&rb)) == Acad::eOk) {
        if (rb.restype == AcDb::kDxfSubclass) {
            filer->pushBackItem();
            break;
        }
        if (rb.restype == AcDb::kDxfText && !haveName) {
            mPlotSettingsName = rb.resval.rstring;
            haveName = true;
        } else {
            arx::keepCurrentGroup(filer, this, "AcDbPlotSettings");
        }
    }
    return es == Acad::eEndOfFile || es == Acad::eOk ? filer->filerStatus() : es;
}
