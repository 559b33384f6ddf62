// The run-time class pattern: desc() finds the class by name in the class
// dictionary on first use and caches it; rxInit() looks the name up first and
// does nothing when this very class holds it, stops the host when another class
// holds it, and registers the class otherwise.
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

// Shared body of desc() and rxInit(); NEW_CLASS is the newAcRxClass call.
#define ACRX_DEFINE_MEMBERS_BODY_(CLASS_NAME, NEW_CLASS)                                       \
    AcRxClass* CLASS_NAME::gpDesc = nullptr;                                                  \
    AcRxClass* CLASS_NAME::desc()                                                             \
    {                                                                                         \
        if (gpDesc != nullptr) return gpDesc;                                                 \
        return gpDesc = AcRxClass::cast(acrxClassDictionary->at(ACRX_T(#CLASS_NAME)));        \
    }                                                                                         \
    AcRxClass* CLASS_NAME::isA() const { return CLASS_NAME::desc(); }                         \
    void CLASS_NAME::rxInit() { CLASS_NAME::rxInit(nullptr); }                                \
    void CLASS_NAME::rxInit(AppNameChangeFuncPtr appNameChangeFunc)                           \
    {                                                                                         \
        (void)appNameChangeFunc;                                                              \
        AcRxObject* registered = acrxClassDictionary->at(ACRX_T(#CLASS_NAME));                \
        if (registered != nullptr) {                                                          \
            if (registered == gpDesc) return;                                                 \
            acrx_abort(ACRX_T("Class mismatch"));                                             \
        }                                                                                     \
        gpDesc = NEW_CLASS;                                                                   \
    }

#define ACRX_NO_CONS_DEFINE_MEMBERS(CLASS_NAME, PARENT_CLASS) \
    ACRX_DEFINE_MEMBERS_BODY_(CLASS_NAME, ::newAcRxClass(ACRX_T(#CLASS_NAME), ACRX_T(#PARENT_CLASS), 0, nullptr))

#define ACRX_CONS_DEFINE_MEMBERS(CLASS_NAME, PARENT_CLASS, PROXY_FLAGS)                              \
    static AcRxObject* make##CLASS_NAME() { return new CLASS_NAME(); }                                \
    ACRX_DEFINE_MEMBERS_BODY_(CLASS_NAME, ::newAcRxClass(ACRX_T(#CLASS_NAME), ACRX_T(#PARENT_CLASS), \
                                                         PROXY_FLAGS, make##CLASS_NAME))

#define ACRX_DXF_DEFINE_MEMBERS(CLASS_NAME, PARENT_CLASS, DWG_VERSION, MAINTENANCE_VERSION, PROXY_FLAGS,  \
                                DXF_NAME, APP)                                                             \
    static AcRxObject* make##CLASS_NAME() { return new CLASS_NAME(); }                                     \
    ACRX_DEFINE_MEMBERS_BODY_(CLASS_NAME,                                                                  \
                              ::newAcRxClass(ACRX_T(#CLASS_NAME), ACRX_T(#PARENT_CLASS), DWG_VERSION,      \
                                             MAINTENANCE_VERSION, PROXY_FLAGS, make##CLASS_NAME,           \
                                             ACRX_T(#DXF_NAME), ACRX_T(#APP), appNameChangeFunc))
