// VelaToneObReactor: the one transient reactor that every registered voice note
// carries; erasing and un-erasing a note take it out of and back into its
// document's list.
#pragma once
#include "StdAfx.h"

class VELATONE_EXPORT VelaToneObReactor : public AcDbObjectReactor {
public:
    ACRX_DECLARE_MEMBERS(VelaToneObReactor);
    VelaToneObReactor();
    ~VelaToneObReactor() override;

    void erased(const AcDbObject* dbObj, Adesk::Boolean bErasing = true) override;
};

// True when the object's transient reactors include a VelaToneObReactor.
VELATONE_EXPORT bool HasVelaToneObReactor(AcDbObject* pObj);
