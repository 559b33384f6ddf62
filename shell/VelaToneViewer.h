// The plug-in's process-wide state and the functions it exports to other
// modules: the show flag, the registry, the shared object reactor.
#pragma once
#include "StdAfx.h"

class VelaToneManager;  // the per-document voice registry (registry/)
class VelaToneObReactor;

VELATONE_EXPORT bool IsShowVelaTone();
VELATONE_EXPORT void SetVelaToneVar(bool bShow);
VELATONE_EXPORT VelaToneManager* qkVtManagerPtr();
VELATONE_EXPORT VelaToneObReactor* vtObjRectPtr();

// The state behind them, shared inside the plug-in.
extern AcDbFullSubentPath g_NullSubentPath;
extern bool g_bShowVelaTone;
extern VelaToneManager* g_pVtManager;
