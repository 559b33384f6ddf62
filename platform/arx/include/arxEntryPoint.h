// The editor half of a module's application helper. AcRxArxApp adds to
// AcRxDbxApp the module's commands: those listed with ACED_ARXCOMMAND_ENTRY_AUTO
// (local name given) or ACED_ARXCOMMAND_ENTRYBYID_AUTO (local name from the
// module's string table) are added to the command stack at kInitAppMsg and
// removed at kUnloadAppMsg. The handler of a command is the static member
// classname::group##globalName.
#pragma once
#include <vector>

#include "accmd.h"
#include "dbxEntryPoint.h"
#include "winuser.h"

// One command of the module. A null local name is loaded from string localNameID.
struct _ARXCOMMAND_ENTRY {
    const ACHAR* pszCmdGroupName;
    const ACHAR* pszCmdGlobalName;
    const ACHAR* pszCmdLocalName;
    Adesk::Int32 commandFlags;
    AcRxFunctionPtr pCmdFct;
    AcEdUIContext* pUIContext;
    UINT localNameID;
};

namespace arx_module {
inline std::vector<_ARXCOMMAND_ENTRY>& commandEntries()
{
    static std::vector<_ARXCOMMAND_ENTRY> entries;
    return entries;
}
struct CommandEntryAdder {
    explicit CommandEntryAdder(const _ARXCOMMAND_ENTRY& entry) { commandEntries().push_back(entry); }
};
}  // namespace arx_module

#define ACED_ARXCOMMAND_ENTRY_AUTO(classname, group, globCmd, locCmd, cmdFlags, UIContext)                   \
    static ::arx_module::CommandEntryAdder arxCmdEntry_##group##globCmd(_ARXCOMMAND_ENTRY{                   \
        ACRX_T(#group), ACRX_T(#globCmd), ACRX_T(#locCmd), cmdFlags, classname::group##globCmd, UIContext,   \
        static_cast<UINT>(-1)});

#define ACED_ARXCOMMAND_ENTRYBYID_AUTO(classname, group, globCmd, locCmdId, cmdFlags, UIContext)             \
    static ::arx_module::CommandEntryAdder arxCmdEntry_##group##globCmd(_ARXCOMMAND_ENTRY{                   \
        ACRX_T(#group), ACRX_T(#globCmd), NULL, cmdFlags, classname::group##globCmd, UIContext,              \
        static_cast<UINT>(locCmdId)});

// The manager of a module's property-palette properties (the module registers none).
class AcRxDynPropManager {
public:
    AcRxDynPropManager() = default;
};

class AcRxArxApp : public AcRxDbxApp {
protected:
    AcRxDynPropManager* m_pDynPropManager;

public:
    AcRxArxApp() : AcRxDbxApp(), m_pDynPropManager(NULL) {}

    AcRx::AppRetCode On_kInitAppMsg(void* pkt) override
    {
        AcRx::AppRetCode retCode = AcRxDbxApp::On_kInitAppMsg(pkt);
        m_pDynPropManager = new AcRxDynPropManager;
        ACHAR buffer[133];
        for (const _ARXCOMMAND_ENTRY& entry : arx_module::commandEntries()) {
            if (entry.pszCmdLocalName == NULL) LoadStringW(m_hdllInstance, entry.localNameID, buffer, 132);
            // A session command runs in the application's context, not the module's.
            acedRegCmds->addCommand(entry.pszCmdGroupName, entry.pszCmdGlobalName,
                                    entry.pszCmdLocalName == NULL ? buffer : entry.pszCmdLocalName,
                                    entry.commandFlags, entry.pCmdFct, entry.pUIContext, -1,
                                    (entry.commandFlags & ACRX_CMD_SESSION) ? NULL : m_hdllInstance, NULL);
        }
        return retCode;
    }

    AcRx::AppRetCode On_kUnloadAppMsg(void* pkt) override
    {
        AcRx::AppRetCode retCode = AcRxDbxApp::On_kUnloadAppMsg(pkt);
        delete m_pDynPropManager;
        m_pDynPropManager = NULL;
        for (const _ARXCOMMAND_ENTRY& entry : arx_module::commandEntries())
            acedRegCmds->removeCmd(entry.pszCmdGroupName, entry.pszCmdGlobalName);
        return retCode;
    }
};
