// VelaToneEnReactor: a registered entity reactor class without behaviour.
#pragma once
#include "StdAfx.h"

class VELATONE_EXPORT VelaToneEnReactor : public AcDbEntityReactor {
public:
    ACRX_DECLARE_MEMBERS(VelaToneEnReactor);
    VelaToneEnReactor();
    ~VelaToneEnReactor() override;
};
