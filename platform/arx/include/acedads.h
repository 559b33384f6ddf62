// Command-line input for commands: each asks with a prompt and waits for the
// user's answer. RTNORM with an answer, RTNONE for an empty answer, RTCAN when the
// user cancels (then the command is cancelled).
#pragma once
#include "adscodes.h"
#include "adsdef.h"

ACRX_EXPORT int acedGetPoint(const ads_point basePoint, const ACHAR* prompt, ads_point result);
ACRX_EXPORT int acedGetString(int cronly, const ACHAR* prompt, ACHAR* result, size_t bufLen);
ACRX_EXPORT int acedGetInt(const ACHAR* prompt, int* result);
ACRX_EXPORT int acedGetReal(const ACHAR* prompt, ads_real* result);
