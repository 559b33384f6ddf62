// AcRxClass: the run-time description of a class (its name, parent, DXF name,
// application name, filing version and proxy flags), and the functions that
// register and unregister classes in the class dictionary.
#pragma once
#include <string>

#include "rxobject.h"

class AcRxClass;
using AppNameChangeFuncPtr = void (*)(const AcRxClass* classObj, ACHAR*& newAppName, int saveVer);
using AcRxPseudoConstructor = AcRxObject* (*)();

class ARXHOST_EXPORT AcRxClass : public AcRxObject {
public:
    static AcRxClass* desc();
    static AcRxClass* cast(const AcRxObject* p);
    AcRxClass* isA() const override;
    ~AcRxClass() override;

    AcRxObject* create();
    const ACHAR* name() const { return mName.c_str(); }
    const ACHAR* dxfName() const { return mDxfName.empty() ? nullptr : mDxfName.c_str(); }
    const ACHAR* appName() const { return mAppName.empty() ? nullptr : mAppName.c_str(); }
    void getClassVersion(int& dwgVersion, int& maintenanceVersion) const
    {
        dwgVersion = mDwgVersion;
        maintenanceVersion = mMaintenanceVersion;
    }
    int proxyFlags() const { return mProxyFlags; }
    AcRxClass* myParent() const { return mParent; }
    bool isDerivedFrom(const AcRxClass* other) const;
    AppNameChangeFuncPtr appNameCallBackPtr() const { return mAppNameChange; }
    AcRxPseudoConstructor pseudoConstructor() const { return mConstructor; }

private:
    friend AcRxClass* newAcRxClass(const ACHAR*, const ACHAR*, int, int, int, AcRxPseudoConstructor,
                                   const ACHAR*, const ACHAR*, AppNameChangeFuncPtr);
    friend void deleteAcRxClass(AcRxClass*);
    friend void acrxBuildClassHierarchy();
    friend struct AcRxClassAccess;
    AcRxClass() = default;

    std::wstring mName;
    std::wstring mParentName;
    AcRxClass* mParent = nullptr;
    AcRxPseudoConstructor mConstructor = nullptr;
    std::wstring mDxfName;
    std::wstring mAppName;
    int mDwgVersion = 0;
    int mMaintenanceVersion = 0;
    int mProxyFlags = 0;
    AppNameChangeFuncPtr mAppNameChange = nullptr;
};

// Registers a class in the class dictionary. The long form carries the filing
// version and the DXF and application names of a database-resident class.
ARXHOST_EXPORT AcRxClass* newAcRxClass(const ACHAR* className, const ACHAR* parentClassName, int dwgVersion,
                                    int maintenanceVersion, int proxyFlags = 0,
                                    AcRxPseudoConstructor pseudoConstructor = nullptr,
                                    const ACHAR* dxfName = nullptr, const ACHAR* appName = nullptr,
                                    AppNameChangeFuncPtr func = nullptr);
ARXHOST_EXPORT AcRxClass* newAcRxClass(const ACHAR* className, const ACHAR* parentClassName, int proxyFlags = 0,
                                    AcRxPseudoConstructor pseudoConstructor = nullptr,
                                    const ACHAR* dxfName = nullptr, const ACHAR* appName = nullptr);
// Removes a class from the class dictionary. The class object itself stays valid
// until the module that registered it is unloaded, so that objects of the class
// still in memory can be turned into proxies first.
ARXHOST_EXPORT void deleteAcRxClass(AcRxClass* classObj);
// Resolves every registered class's parent by name.
ARXHOST_EXPORT void acrxBuildClassHierarchy();
// Reports a fatal error and ends the host process.
[[noreturn]] ARXHOST_EXPORT void acrx_abort(const ACHAR* format, ...);
