// The database half of a module's application helper. AcRxDbxApp hands the
// host's application messages to virtual handlers and, at kInitAppMsg and
// kUnloadAppMsg, registers and removes the run-time classes the module lists with
// ACDB_REGISTER_OBJECT_ENTRY_AUTO. IMPLEMENT_ARX_ENTRYPOINT defines the module's
// handle, its one application object and its exported acrxEntryPoint. All of it is
// compiled into the module, so each module keeps its own lists.
#pragma once
#include <vector>

#include "rxdlinkr.h"
#include "rxregsvc.h"
#include "wtypes.h"

// The module's own handle: defined by IMPLEMENT_ARX_ENTRYPOINT, null until the
// module's DllMain stores the handle its loader passes.
extern HINSTANCE _hdllInstance;

// One run-time class of the module, registered at kInitAppMsg.
struct _DBX_REGISTER_OBJECT_ENTRY {
    AcRxClass* (*desc)();
    void (*rxInit)();
    bool bRegistered;
};

namespace arx_module {
// The module's classes in the order its sources list them: a static object per
// entry adds it while the module's statics come up.
inline std::vector<_DBX_REGISTER_OBJECT_ENTRY>& classEntries()
{
    static std::vector<_DBX_REGISTER_OBJECT_ENTRY> entries;
    return entries;
}
struct ClassEntryAdder {
    ClassEntryAdder(AcRxClass* (*desc)(), void (*rxInit)()) { classEntries().push_back({desc, rxInit, false}); }
};
}  // namespace arx_module

#define ACDB_REGISTER_OBJECT_ENTRY_AUTO(classname) \
    static ::arx_module::ClassEntryAdder arxDbxEntry_##classname(&classname::desc, &classname::rxInit);

class AcRxDbxApp {
protected:
    HINSTANCE m_hdllInstance;
    bool m_bUnlocked;
    bool m_bMDIAware;

public:
    AcRxDbxApp() : m_hdllInstance(NULL), m_bUnlocked(true), m_bMDIAware(true) {}

    virtual AcRx::AppRetCode On_kInitAppMsg(void* pkt)
    {
        m_hdllInstance = _hdllInstance;
        if (m_bUnlocked) acrxDynamicLinker->unlockApplication(pkt);
        if (m_bMDIAware) acrxDynamicLinker->registerAppMDIAware(pkt);
        RegisterServerComponents();
        int count = 0;
        for (_DBX_REGISTER_OBJECT_ENTRY& entry : arx_module::classEntries()) {
            entry.rxInit();
            entry.bRegistered = true;
            ++count;
        }
        if (count > 0) acrxBuildClassHierarchy();
        return AcRx::kRetOK;
    }
    virtual AcRx::AppRetCode On_kUnloadAppMsg(void* pkt)
    {
        for (_DBX_REGISTER_OBJECT_ENTRY& entry : arx_module::classEntries())
            if (entry.bRegistered) DeleteClassAndDescendant(entry);
        return AcRx::kRetOK;
    }
    virtual AcRx::AppRetCode On_kLoadDwgMsg(void* pkt) { return AcRx::kRetOK; }
    virtual AcRx::AppRetCode On_kUnloadDwgMsg(void* pkt) { return AcRx::kRetOK; }
    virtual AcRx::AppRetCode On_kInvkSubrMsg(void* pkt) { return AcRx::kRetOK; }
    virtual AcRx::AppRetCode On_kCfgMsg(void* pkt) { return AcRx::kRetOK; }
    virtual AcRx::AppRetCode On_kEndMsg(void* pkt) { return AcRx::kRetOK; }
    virtual AcRx::AppRetCode On_kQuitMsg(void* pkt) { return AcRx::kRetOK; }
    virtual AcRx::AppRetCode On_kSaveMsg(void* pkt) { return AcRx::kRetOK; }
    virtual AcRx::AppRetCode On_kDependencyMsg(void* pkt) { return AcRx::kRetOK; }
    virtual AcRx::AppRetCode On_kNoDependencyMsg(void* pkt) { return AcRx::kRetOK; }
    virtual AcRx::AppRetCode On_kOleUnloadAppMsg(void* pkt) { return AcRx::kRetOK; }
    virtual AcRx::AppRetCode On_kPreQuitMsg(void* pkt) { return AcRx::kRetOK; }
    virtual AcRx::AppRetCode On_kInitDialogMsg(void* pkt) { return AcRx::kRetOK; }
    virtual AcRx::AppRetCode On_kEndDialogMsg(void* pkt) { return AcRx::kRetOK; }
    virtual AcRx::AppRetCode On_kNullMsg(void* pkt) { return AcRx::kRetOK; }

    // Messages without a handler of their own are answered with kRetOK.
    AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* pkt)
    {
        switch (msg) {
        case AcRx::kInitAppMsg: return On_kInitAppMsg(pkt);
        case AcRx::kUnloadAppMsg: return On_kUnloadAppMsg(pkt);
        case AcRx::kLoadDwgMsg: return On_kLoadDwgMsg(pkt);
        case AcRx::kUnloadDwgMsg: return On_kUnloadDwgMsg(pkt);
        case AcRx::kInvkSubrMsg: return On_kInvkSubrMsg(pkt);
        case AcRx::kCfgMsg: return On_kCfgMsg(pkt);
        case AcRx::kEndMsg: return On_kEndMsg(pkt);
        case AcRx::kQuitMsg: return On_kQuitMsg(pkt);
        case AcRx::kSaveMsg: return On_kSaveMsg(pkt);
        case AcRx::kDependencyMsg: return On_kDependencyMsg(pkt);
        case AcRx::kNoDependencyMsg: return On_kNoDependencyMsg(pkt);
        case AcRx::kOleUnloadAppMsg: return On_kOleUnloadAppMsg(pkt);
        case AcRx::kPreQuitMsg: return On_kPreQuitMsg(pkt);
        case AcRx::kInitDialogMsg: return On_kInitDialogMsg(pkt);
        case AcRx::kEndDialogMsg: return On_kEndDialogMsg(pkt);
        case AcRx::kNullMsg: return On_kNullMsg(pkt);
        default: return AcRx::kRetOK;
        }
    }

    virtual void RegisterServerComponents() = 0;
    HINSTANCE& GetModuleInstance() { return m_hdllInstance; }

private:
    // A class goes after every registered class derived from it.
    void DeleteClassAndDescendant(_DBX_REGISTER_OBJECT_ENTRY& entry)
    {
        for (_DBX_REGISTER_OBJECT_ENTRY& other : arx_module::classEntries())
            if (&other != &entry && other.bRegistered && other.desc()->myParent() == entry.desc())
                DeleteClassAndDescendant(other);
        deleteAcRxClass(entry.desc());
        entry.bRegistered = false;
    }
};

// The module's application object.
AcRxDbxApp* acrxGetApp();

// Defines the module's handle, its one application object of class classname and
// the entry point the host calls with every application message.
#define IMPLEMENT_ARX_ENTRYPOINT(classname)                                                            \
    HINSTANCE _hdllInstance = NULL;                                                                    \
    classname entryPointObject;                                                                        \
    AcRxDbxApp* acrxGetApp() { return &entryPointObject; }                                             \
    extern "C" ARXHOST_EXPORT AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* pkt)         \
    {                                                                                                  \
        return entryPointObject.acrxEntryPoint(msg, pkt);                                              \
    }
