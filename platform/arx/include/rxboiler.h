// The run-time class pattern: ACRX_DECLARE_MEMBERS in the class, one of the
// ACRX_*_DEFINE_MEMBERS macros in its source. desc() finds the class by name in
// the class dictionary on first use and keeps it; rxInit() registers it.
#pragma once
#include "rxclass.h"
#include "rxdict.h"

#define ACRX_DECLARE_MEMBERS(CLASS_NAME)                                        \
    AcRxClass* isA() const override;                                            \
    static AcRxClass* gpDesc;                                                   \
    static AcRxClass* desc();                                                   \
    static CLASS_NAME* cast(const AcRxObject* inPtr)                            \
    {                                                                           \
        return (inPtr == nullptr || !inPtr->isKindOf(CLASS_NAME::desc()))        \
                   ? nullptr                                                    \
                   : static_cast<CLASS_NAME*>(const_cast<AcRxObject*>(inPtr));  \
    }                                                                           \
    static void rxInit();                                                       \
    static void rxInit(AppNameChangeFuncPtr)

// desc() and isA(): the class object, found by name in the class dictionary on
// first use and kept.
#define ACRX_DEFINE_MEMBERS(CLASS_NAME)                                                        \
    static_assert(alignof(CLASS_NAME) <= 8, "database objects come from 8-byte aligned pools");   \
    AcRxClass* CLASS_NAME::desc()                                                             \
    {                                                                                         \
        if (CLASS_NAME::gpDesc != nullptr) return CLASS_NAME::gpDesc;                         \
        return CLASS_NAME::gpDesc = AcRxClass::cast(acrxClassDictionary->at(ACRX_T(#CLASS_NAME))); \
    }                                                                                         \
    AcRxClass* CLASS_NAME::isA() const { return CLASS_NAME::desc(); }                         \
    AcRxClass* CLASS_NAME::gpDesc = nullptr

// Opens every rxInit(). Once the class object is known, rxInit() does nothing
// when the dictionary still holds that very object under the name, and stops
// the host when it holds another; a class object not yet known (or no longer in
// the dictionary) is registered anew, and newAcRxClass refuses a name taken.
#define ACRX_STATIC_CHECK(CLASS_NAME)                                                          \
    if (CLASS_NAME::gpDesc != nullptr) {                                                      \
        AcRxObject* registered = acrxClassDictionary->at(ACRX_T(#CLASS_NAME));                \
        if (registered != nullptr) {                                                          \
            if (registered == CLASS_NAME::gpDesc) return;                                     \
            acrx_abort(ACRX_T("Class mismatch"));                                             \
        }                                                                                     \
    }

#define ACRX_NO_CONS_DEFINE_MEMBERS(CLASS_NAME, PARENT_CLASS)                                    \
    ACRX_DEFINE_MEMBERS(CLASS_NAME);                                                            \
    void CLASS_NAME::rxInit()                                                                   \
    {                                                                                           \
        ACRX_STATIC_CHECK(CLASS_NAME);                                                          \
        CLASS_NAME::gpDesc = newAcRxClass(ACRX_T(#CLASS_NAME), ACRX_T(#PARENT_CLASS));          \
    }

// VERNO goes where the short form of newAcRxClass takes the proxy flags.
#define ACRX_CONS_DEFINE_MEMBERS(CLASS_NAME, PARENT_CLASS, VERNO)                                \
    ACRX_DEFINE_MEMBERS(CLASS_NAME);                                                            \
    static AcRxObject* make##CLASS_NAME() { return new CLASS_NAME(); }                           \
    void CLASS_NAME::rxInit()                                                                   \
    {                                                                                           \
        ACRX_STATIC_CHECK(CLASS_NAME);                                                          \
        CLASS_NAME::gpDesc = newAcRxClass(ACRX_T(#CLASS_NAME), ACRX_T(#PARENT_CLASS), VERNO,    \
                                          &make##CLASS_NAME);                                   \
    }

#define ACRX_DXF_DEFINE_MEMBERS(CLASS_NAME, PARENT_CLASS, DWG_VERSION, MAINTENANCE_VERSION, PROXY_FLAGS,  \
                                DXF_NAME, APP)                                                             \
    ACRX_DEFINE_MEMBERS(CLASS_NAME);                                                                      \
    static AcRxObject* make##CLASS_NAME() { return new CLASS_NAME(); }                                     \
    void CLASS_NAME::rxInit()                                                                             \
    {                                                                                                     \
        ACRX_STATIC_CHECK(CLASS_NAME);                                                                    \
        CLASS_NAME::gpDesc = newAcRxClass(ACRX_T(#CLASS_NAME), ACRX_T(#PARENT_CLASS), DWG_VERSION,        \
                                          MAINTENANCE_VERSION, PROXY_FLAGS, &make##CLASS_NAME,            \
                                          ACRX_T(#DXF_NAME), ACRX_T(#APP));                               \
    }                                                                                                     \
    void CLASS_NAME::rxInit(AppNameChangeFuncPtr ptr)                                                     \
    {                                                                                                     \
        ACRX_STATIC_CHECK(CLASS_NAME);                                                                    \
        CLASS_NAME::gpDesc = newAcRxClass(ACRX_T(#CLASS_NAME), ACRX_T(#PARENT_CLASS), DWG_VERSION,        \
                                          MAINTENANCE_VERSION, PROXY_FLAGS, &make##CLASS_NAME,            \
                                          ACRX_T(#DXF_NAME), ACRX_T(#APP), ptr);                          \
    }
