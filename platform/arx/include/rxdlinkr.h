// AcRxDynamicLinker: loads and unloads plug-in modules and keeps their
// application flags (locked against unloading, MDI-aware).
#pragma once
#include "rxboiler.h"

class ARXHOST_EXPORT AcRxDynamicLinker : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcRxDynamicLinker);
    // Loads a module: its static objects come up, its generation is checked, it
    // receives kInitAppMsg and kLoadDwgMsg for every open document.
    virtual bool loadModule(const ACHAR* fileName, bool printit, bool asCmd = false) = 0;
    // Unloads a module by file name or module name; a locked module stays.
    virtual bool unloadModule(const ACHAR* fileName, bool asCmd = false) = 0;
    virtual bool unlockApplication(void* appId) const = 0;
    virtual bool lockApplication(void* appId) const = 0;
    virtual bool isApplicationLocked(const ACHAR* name) const = 0;
    virtual bool isAppMDIAware(const ACHAR* moduleName) const = 0;
    virtual bool registerAppMDIAware(void* appId) const = 0;
    virtual bool registerAppNotMDIAware(void* appId) const = 0;
    // Why the last load or unload failed.
    const ACHAR* lastError() const;

protected:
    AcRxDynamicLinker();
};

#define acrxDynamicLinker AcRxDynamicLinker::cast(acrxSysRegistry()->at(ACRX_T("DynamicLinker")))

// The version stamp of the SDK a module was built against; every module exports
// it (see rxapi.cpp) and the host refuses modules of another generation.
extern "C" ARXHOST_EXPORT Adesk::UInt32 acrxGetApiVersion();
#define ACRX_API_VERSION_R18 0x00120000u
#define ACRX_API_VERSION_R19 0x00130000u
