// The module that resources are loaded from right now (the resource handle),
// shared with the Windows stand-in's MFC layer.
#pragma once
#include "wtypes.h"

namespace arx {
HINSTANCE currentResourceHandle();
void setCurrentResourceHandle(HINSTANCE h);
// The host program's own module.
HINSTANCE programResourceHandle();
}  // namespace arx
