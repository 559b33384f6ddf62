// The plug-in's process-wide state and the functions it exports to other
// modules: the show flag, the registry, the shared object reactor.
#pragma once
#include "StdAfx.h"

class VelaToneManager;  // the per-document voice registry (registry/)
class VelaToneObReactor;

ACRX_EXPORT bool IsShowVelaTone();
ACRX_EXPORT void SetVelaToneVar(bool bShow);
ACRX_EXPORT VelaToneManager* qkVtManagerPtr();
ACRX_EXPORT VelaToneObReactor* vtObjRectPtr();

// The state behind them, shared inside the plug-in.
extern bool g_bShowVelaTone;
extern VelaToneManager* g_pVtManager;
