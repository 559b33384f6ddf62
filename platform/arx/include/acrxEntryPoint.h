// The application helper of plug-in modules: AcRxDbxApp and AcRxArxApp dispatch
// the host's application messages to virtual handlers, register the module's
// run-time classes and commands from tables the module declares, and
// IMPLEMENT_ARX_ENTRYPOINT defines the module's acrxEntryPoint. Everything here is
// compiled into the module, so each module keeps its own tables.
#pragma once
#include <vector>

#include "aced.h"
#include "rxdlinkr.h"
#include "rxregsvc.h"
#include "windows.h"

// The module's own handle; the module defines it.
extern HINSTANCE _hdllInstance;

// A run-time class the module registers at kInitAppMsg and removes at kUnloadAppMsg.
struct _ACRXCLASSREGISTRATION {
    const ACHAR* pszClassName;
    AcRxClass* (*desc)();
    void (*rxInit)();
    bool bRegistered;
};

// A command the module registers; a null local name is loaded from the string
// table entry localNameId.
struct _ACED_COMMAND_ENTRY {
    const ACHAR* pszCmdGroupName;
    const ACHAR* pszCmdGlobalName;
    const ACHAR* pszCmdLocalName;
    Adesk::Int32 commandFlags;
    AcRxFunctionPtr functionAddr;
    AcEdUIContext* UIContext;
    UINT localNameId;
};

inline std::vector<_ACRXCLASSREGISTRATION>& acrxModuleClassTable()
{
    static std::vector<_ACRXCLASSREGISTRATION> table;
    return table;
}

inline std::vector<_ACED_COMMAND_ENTRY>& acedModuleCommandTable()
{
    static std::vector<_ACED_COMMAND_ENTRY> table;
    return table;
}

// Entries are added by static objects, in the order the module defines them.
struct AcRxClassEntryAdder {
    AcRxClassEntryAdder(const ACHAR* name, AcRxClass* (*desc)(), void (*init)())
    {
        acrxModuleClassTable().push_back({name, desc, init, false});
    }
};
struct AcEdCommandEntryAdder {
    explicit AcEdCommandEntryAdder(const _ACED_COMMAND_ENTRY& e) { acedModuleCommandTable().push_back(e); }
};

#define ACDB_REGISTER_OBJECT_ENTRY_AUTO(classname) \
    static AcRxClassEntryAdder __acrxEntry_##classname(ACRX_T(#classname), &classname::desc, &classname::rxInit);

#define ACED_ARXCOMMAND_ENTRY_AUTO(group, globalName, localNameId, flags, function)                      \
    static AcEdCommandEntryAdder __acedEntry_##globalName(                                                \
        _ACED_COMMAND_ENTRY{ACRX_T(#group), ACRX_T(#globalName), nullptr, flags, function, nullptr, localNameId});

// The property manager of the module's property-palette properties.
class AcRxDynPropManager {
public:
    AcRxDynPropManager() = default;
    int propertyCount() const { return static_cast<int>(mProperties.size()); }

private:
    std::vector<const ACHAR*> mProperties;
};

class AcRxDbxApp {
public:
    constexpr AcRxDbxApp() : m_hdllInstance(nullptr), m_bUnlocked(true), m_bMDIAware(true) {}
    virtual ~AcRxDbxApp() = default;
    AcRxDbxApp(const AcRxDbxApp&) = delete;
    AcRxDbxApp& operator=(const AcRxDbxApp&) = delete;

    virtual AcRx::AppRetCode On_kInitAppMsg(void* pkt)
    {
        m_hdllInstance = _hdllInstance;
        if (m_bUnlocked) acrxDynamicLinker->unlockApplication(pkt);
        if (m_bMDIAware) acrxDynamicLinker->registerAppMDIAware(pkt);
        RegisterServerComponents();
        bool any = false;
        for (auto& e : acrxModuleClassTable()) {
            e.rxInit();
            e.bRegistered = true;
            any = true;
        }
        if (any) acrxBuildClassHierarchy();
        return AcRx::kRetOK;
    }

    virtual AcRx::AppRetCode On_kUnloadAppMsg(void*)
    {
        auto& table = acrxModuleClassTable();
        for (auto& e : table) {
            if (!e.bRegistered) continue;
            // Children go before their parent.
            for (auto& child : table)
                if (child.bRegistered && &child != &e && child.desc()->myParent() == e.desc()) {
                    deleteAcRxClass(child.desc());
                    child.bRegistered = false;
                }
            deleteAcRxClass(e.desc());
            e.bRegistered = false;
        }
        return AcRx::kRetOK;
    }

    virtual AcRx::AppRetCode On_kLoadDwgMsg(void*) { return AcRx::kRetOK; }
    virtual AcRx::AppRetCode On_kUnloadDwgMsg(void*) { return AcRx::kRetOK; }
    virtual AcRx::AppRetCode On_kInvkSubrMsg(void*) { return AcRx::kRetOK; }
    virtual AcRx::AppRetCode On_kCfgMsg(void*) { return AcRx::kRetOK; }
    virtual AcRx::AppRetCode On_kEndMsg(void*) { return AcRx::kRetOK; }
    virtual AcRx::AppRetCode On_kQuitMsg(void*) { return AcRx::kRetOK; }
    virtual AcRx::AppRetCode On_kSaveMsg(void*) { return AcRx::kRetOK; }
    virtual AcRx::AppRetCode On_kDependencyMsg(void*) { return AcRx::kRetOK; }
    virtual AcRx::AppRetCode On_kNoDependencyMsg(void*) { return AcRx::kRetOK; }
    virtual AcRx::AppRetCode On_kOleUnloadAppMsg(void*) { return AcRx::kRetOK; }
    virtual AcRx::AppRetCode On_kPreQuitMsg(void*) { return AcRx::kRetOK; }
    virtual AcRx::AppRetCode On_kInitDialogMsg(void*) { return AcRx::kRetOK; }
    virtual AcRx::AppRetCode On_kEndDialogMsg(void*) { return AcRx::kRetOK; }
    virtual AcRx::AppRetCode On_kSuspendMsg(void*) { return AcRx::kRetOK; }
    virtual AcRx::AppRetCode On_kInitTabGroupMsg(void*) { return AcRx::kRetOK; }
    virtual AcRx::AppRetCode On_kEndTabGroupMsg(void*) { return AcRx::kRetOK; }
    virtual void RegisterServerComponents() {}

    AcRx::AppRetCode dispatch(AcRx::AppMsgCode msg, void* pkt)
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
        case AcRx::kSuspendMsg: return On_kSuspendMsg(pkt);
        case AcRx::kInitTabGroupMsg: return On_kInitTabGroupMsg(pkt);
        case AcRx::kEndTabGroupMsg: return On_kEndTabGroupMsg(pkt);
        default: return AcRx::kRetOK;
        }
    }

protected:
    HINSTANCE m_hdllInstance;
    bool m_bUnlocked;
    bool m_bMDIAware;
};

class AcRxArxApp : public AcRxDbxApp {
public:
    constexpr AcRxArxApp() : m_pDynPropManager(nullptr) {}

    AcRx::AppRetCode On_kInitAppMsg(void* pkt) override
    {
        AcRx::AppRetCode rc = AcRxDbxApp::On_kInitAppMsg(pkt);
        m_pDynPropManager = new AcRxDynPropManager;
        for (const auto& c : acedModuleCommandTable()) {
            const ACHAR* local = c.pszCmdLocalName;
            ACHAR buffer[132] = {0};
            if (local == nullptr) {
                LoadStringW(m_hdllInstance, c.localNameId, buffer, 132);
                local = buffer;
            }
            acedRegCmds->addCommand(c.pszCmdGroupName, c.pszCmdGlobalName, local, c.commandFlags, c.functionAddr,
                                    c.UIContext, -1, m_hdllInstance, nullptr);
        }
        return rc;
    }

    AcRx::AppRetCode On_kUnloadAppMsg(void* pkt) override
    {
        AcRx::AppRetCode rc = AcRxDbxApp::On_kUnloadAppMsg(pkt);
        delete m_pDynPropManager;
        m_pDynPropManager = nullptr;
        for (const auto& c : acedModuleCommandTable()) acedRegCmds->removeCmd(c.pszCmdGroupName, c.pszCmdGlobalName);
        return rc;
    }

protected:
    AcRxDynPropManager* m_pDynPropManager;
};

// The module's entry point, dispatching to its one application object.
#define IMPLEMENT_ARX_ENTRYPOINT(classname)                                                               \
    classname theArxApp;                                                                                  \
    extern "C" ACRX_EXPORT AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* pkt)               \
    {                                                                                                     \
        return theArxApp.dispatch(msg, pkt);                                                              \
    }
