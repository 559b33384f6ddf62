// VelaToneEnReactor: a registered entity reactor class without behaviour.
#include "VelaToneEnReactor.h"

ACRX_CONS_DEFINE_MEMBERS(VelaToneEnReactor, AcDbEntityReactor, 1)

VelaToneEnReactor::VelaToneEnReactor() {}
VelaToneEnReactor::~VelaToneEnReactor() {}
