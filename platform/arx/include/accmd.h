// Commands: the flags a command is registered with, the command object and the
// command stack in which modules register their commands by group.
#pragma once
#include "rxboiler.h"
#include "wtypes.h"

#define ACRX_CMD_MODAL 0x00000000
#define ACRX_CMD_TRANSPARENT 0x00000001
#define ACRX_CMD_USEPICKSET 0x00000002
#define ACRX_CMD_REDRAW 0x00000004
#define ACRX_CMD_NOPERSPECTIVE 0x00000008
#define ACRX_CMD_NOMULTIPLE 0x00000010
#define ACRX_CMD_NOTILEMODE 0x00000020
#define ACRX_CMD_NOPAPERSPACE 0x00000040
#define ACRX_CMD_SESSION 0x00200000
#define ACRX_CMD_NOUNDOMARKER 0x00800000

using AcRxFunctionPtr = void (*)();
class AcEdUIContext;

class ARXHOST_EXPORT AcEdCommand : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcEdCommand);
    virtual void commandUndef(bool undefIt);
    virtual Adesk::Int32 commandFlags() const = 0;
    virtual AcRxFunctionPtr functionAddr() const = 0;
    virtual void* commandApp() const = 0;
    virtual HINSTANCE resourceHandle() const = 0;
    virtual const ACHAR* globalName() const = 0;
    virtual const ACHAR* localName() const = 0;
    virtual int functionCode() const = 0;

    ~AcEdCommand() override;

protected:
    AcEdCommand();
};

class ARXHOST_EXPORT AcEdCommandStack : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcEdCommandStack);
    virtual Acad::ErrorStatus addCommand(const ACHAR* cmdGroupName, const ACHAR* cmdGlobalName,
                                         const ACHAR* cmdLocalName, Adesk::Int32 commandFlags,
                                         AcRxFunctionPtr functionAddr, AcEdUIContext* UIContext = nullptr,
                                         int fcode = -1, HINSTANCE hResourceHandle = nullptr,
                                         AcEdCommand** cmdPtrRet = nullptr) = 0;
    virtual Acad::ErrorStatus removeCmd(const ACHAR* cmdGroupName, const ACHAR* cmdGlobalName) = 0;
    virtual Acad::ErrorStatus removeGroup(const ACHAR* groupName) = 0;
    // Looks a command up by global or local name (case does not matter).
    virtual AcEdCommand* lookupGlobalCmd(const ACHAR* cmdName) = 0;
    virtual AcEdCommand* lookupLocalCmd(const ACHAR* cmdName) = 0;

    ~AcEdCommandStack() override;

protected:
    AcEdCommandStack();
};
#define acedRegCmds AcEdCommandStack::cast(acrxSysRegistry()->at(ACRX_T("ACAD_REGISTERED_COMMANDS")))
