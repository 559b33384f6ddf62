// Proxies: objects whose class the host does not know (or that asked to stay
// unread). A proxy keeps the object's data exactly as it was read and writes it
// back unchanged; what may be done to it is governed by its proxy flags.
#pragma once
#include "dbmain.h"

namespace arx {
struct ProxyData;
}

class ARXHOST_EXPORT AcDbProxyEntity : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbProxyEntity);
    enum GraphicsMetafileType { kNoMetafile = 0, kBoundingBox = 1, kFullGraphics = 2 };
    enum AllowedOperationBit {
        kNoOperation = 0,
        kEraseAllowed = 0x1,
        kTransformAllowed = 0x2,
        kColorChangeAllowed = 0x4,
        kLayerChangeAllowed = 0x8,
        kLinetypeChangeAllowed = 0x10,
        kLinetypeScaleChangeAllowed = 0x20,
        kVisibilityChangeAllowed = 0x40,
        kCloningAllowed = 0x80,
        kLineWeightChangeAllowed = 0x100,
        kPlotStyleNameChangeAllowed = 0x200,
        kAllButCloningAllowed = 0x37F,
        kAllAllowedBits = 0x3FF,
        kDisableProxyWarning = 0x400,
        kMergeIgnore = 0,
    };
    AcDbProxyEntity();
    ~AcDbProxyEntity() override;
    int proxyFlags() const;
    const ACHAR* originalClassName() const;
    const ACHAR* originalDxfName() const;
    const ACHAR* applicationDescription() const;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

protected:
    Acad::ErrorStatus subErase(Adesk::Boolean erasing) override;
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus subGetGeomExtents(AcDbExtents& extents) const override;

private:
    friend struct arx::ObjectAccess;
    arx::ProxyData* mData;
};

class ARXHOST_EXPORT AcDbProxyObject : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbProxyObject);
    enum AllowedOperationBit {
        kNoOperation = 0,
        kEraseAllowed = 0x1,
        kCloningAllowed = 0x80,
        kAllButCloningAllowed = 0x1,
        kAllAllowedBits = 0x81,
        kDisableProxyWarning = 0x400,
        kMergeIgnore = 0,
    };
    AcDbProxyObject();
    ~AcDbProxyObject() override;
    int proxyFlags() const;
    const ACHAR* originalClassName() const;
    const ACHAR* originalDxfName() const;
    const ACHAR* applicationDescription() const;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

protected:
    Acad::ErrorStatus subErase(Adesk::Boolean erasing) override;

private:
    friend struct arx::ObjectAccess;
    arx::ProxyData* mData;
};
