// System variables that belong to the application rather than to the drawing
// view: the automatic save's interval (SAVETIME, minutes, 0 to 600) and the
// current layout's name (CTAB, which switches layouts when set). acedGetVar and
// acedSetVar ask here first; false means the name is none of these.
#pragma once
#include "adsdef.h"

namespace arx {
bool getAppVariable(const ACHAR* sym, resbuf* result, int& rc);
bool setAppVariable(const ACHAR* sym, const resbuf* val, int& rc);
}  // namespace arx
