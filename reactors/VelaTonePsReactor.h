// VelaTonePsReactor: the persistent reactor that keeps a voice note of type
// Object on the entity it is attached to. It lives in the note's extension
// dictionary; the entity carries its id as a persistent reactor and so tells it
// of every change, after which the note takes the entity's new extents.
#pragma once
#include "StdAfx.h"

class VELATONE_EXPORT VelaTonePsReactor : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(VelaTonePsReactor);
    VelaTonePsReactor();
    ~VelaTonePsReactor() override;

    AcDbObjectId eLinkage() const;
    void eLinkage(AcDbObjectId linkage);

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;
    void modified(const AcDbObject* pObj) override;
    void modifyUndone(const AcDbObject* pObj) override;

private:
    // The note takes the entity's extents, if it is still attached to it.
    void followEntity(const AcDbObject* pObj);

    AcDbObjectId m_linkage;  // the voice note served
};
