// A small module for the host's module tests: a LISP function that answers with
// its arguments' sum, and a command that prints (names in test_module.h).
#include "test_module.h"

#include "arxHeaders.h"
#include "acutads.h"

HINSTANCE _hdllInstance = nullptr;

namespace {
void hello() { acutPrintf(L"%ls", testmodule::kGreeting); }
}  // namespace

extern "C" ARXHOST_EXPORT AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* appId)
{
    using namespace testmodule;
    switch (msg) {
    case AcRx::kInitAppMsg:
        acrxDynamicLinker->unlockApplication(appId);
        acedRegCmds->addCommand(kCommandGroup, kCommand, kCommand, ACRX_CMD_MODAL, &hello);
        break;
    case AcRx::kUnloadAppMsg: acedRegCmds->removeGroup(kCommandGroup); break;
    case AcRx::kLoadDwgMsg: acedDefun(kSumFunction, kSumFunctionCode); break;
    case AcRx::kUnloadDwgMsg: acedUndef(kSumFunction, kSumFunctionCode); break;
    case AcRx::kInvkSubrMsg:
        if (acedGetFunCode() == kSumFunctionCode) {
            int sum = 0;
            for (resbuf* rb = acedGetArgs(); rb != nullptr; rb = rb->rbnext)
                if (rb->restype == RTSHORT) sum += rb->resval.rint;
            acedRetInt(sum);
        }
        break;
    default: break;
    }
    return AcRx::kRetOK;
}
