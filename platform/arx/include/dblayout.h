// Layouts: the model tab and the paper space tabs, each tied to a block table
// record. Plot settings the host does not use are kept as read.
#pragma once
#include "dbmain.h"

class ARXHOST_EXPORT AcDbPlotSettings : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbPlotSettings);
    AcDbPlotSettings();
    ~AcDbPlotSettings() override;
    Acad::ErrorStatus getPlotSettingsName(AcString& name) const;
    Acad::ErrorStatus setPlotSettingsName(const ACHAR* name);
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

private:
    AcString mPlotSettingsName;
};

class ARXHOST_EXPORT AcDbLayout : public AcDbPlotSettings {
public:
    ACRX_DECLARE_MEMBERS(AcDbLayout);
    AcDbLayout();
    ~AcDbLayout() override;
    AcDbObjectId getBlockTableRecordId() const { return mBlock; }
    Acad::ErrorStatus setBlockTableRecordId(AcDbObjectId id);
    Acad::ErrorStatus getLayoutName(const ACHAR*& name) const;
    Acad::ErrorStatus getLayoutName(AcString& name) const;
    Acad::ErrorStatus setLayoutName(const ACHAR* name);
    int getTabOrder() const { return mTabOrder; }
    void setTabOrder(int order);
    bool modelType() const;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

private:
    AcString mName;
    Adesk::Int32 mTabOrder = 0;
    Adesk::Int16 mLayoutFlags = 0;
    AcDbObjectId mBlock;
    AcDbObjectId mLastViewport;
};
