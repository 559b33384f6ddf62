// Windows' wide printf conventions; see win32/msvc_format.h.
#pragma once
#include "win32/msvc_format.h"
