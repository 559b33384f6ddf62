// A small module for the host's module tests: a LISP function that answers with
// its arguments' sum, and a command that prints.
#include "arxHeaders.h"
#include "acutads.h"

HINSTANCE _hdllInstance = nullptr;

namespace {
void hello() { acutPrintf(L"hello from the test module\n"); }
}  // namespace

extern "C" ARXHOST_EXPORT AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* appId)
{
    switch (msg) {
    case AcRx::kInitAppMsg:
        acrxDynamicLinker->unlockApplication(appId);
        acedRegCmds->addCommand(L"TESTMOD", L"HELLO", L"HELLO", ACRX_CMD_MODAL, &hello);
        break;
    case AcRx::kUnloadAppMsg: acedRegCmds->removeGroup(L"TESTMOD"); break;
    case AcRx::kLoadDwgMsg: acedDefun(L"addup", 7); break;
    case AcRx::kUnloadDwgMsg: acedUndef(L"addup", 7); break;
    case AcRx::kInvkSubrMsg:
        if (acedGetFunCode() == 7) {
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
