// Definition of the run-time members of the platform's own classes. They are
// registered once when the run-time system starts (see builtin_classes.cpp).
#pragma once
#include "../rx/runtime.h"
#include "rxboiler.h"

#define ARX_DEFINE_BUILTIN_BODY_(CLASS_NAME, PARENT, CTOR, DXFNAME)                                          \
    static_assert(alignof(CLASS_NAME) <= 8, "database objects come from 8-byte aligned pools");               \
    AcRxClass* CLASS_NAME::gpDesc = nullptr;                                                                \
    AcRxClass* CLASS_NAME::desc()                                                                           \
    {                                                                                                       \
        if (gpDesc == nullptr) arx::ensureRuntime();                                                        \
        return gpDesc;                                                                                      \
    }                                                                                                       \
    AcRxClass* CLASS_NAME::isA() const { return CLASS_NAME::desc(); }                                       \
    void CLASS_NAME::rxInit() { CLASS_NAME::rxInit(nullptr); }                                              \
    void CLASS_NAME::rxInit(AppNameChangeFuncPtr)                                                           \
    {                                                                                                       \
        if (gpDesc == nullptr) gpDesc = arx::registerBuiltinClass(L## #CLASS_NAME, L## #PARENT, CTOR, DXFNAME); \
    }

// A class that the database creates by name when it reads a drawing.
#define ARX_DEFINE_BUILTIN(CLASS_NAME, PARENT, DXFNAME)                                  \
    static AcRxObject* arxMake##CLASS_NAME() { return new CLASS_NAME(); }              \
    ARX_DEFINE_BUILTIN_BODY_(CLASS_NAME, PARENT, arxMake##CLASS_NAME, DXFNAME)

// An abstract class: no pseudo-constructor, no DXF name.
#define ARX_DEFINE_BUILTIN_ABSTRACT(CLASS_NAME, PARENT) ARX_DEFINE_BUILTIN_BODY_(CLASS_NAME, PARENT, nullptr, nullptr)
