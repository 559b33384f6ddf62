#include "VelaToneEnReactor.h"

ACRX_CONS_DEFINE_MEMBERS(VelaToneEnReactor, AcDbEntityReactor, 1)

VelaToneEnReactor::VelaToneEnReactor() {}
VelaToneEnReactor::~VelaToneEnReactor() {}
