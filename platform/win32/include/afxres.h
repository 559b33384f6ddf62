// The resource-script include of MFC modules: the same names as winres.h.
#pragma once
#include "winres.h"
