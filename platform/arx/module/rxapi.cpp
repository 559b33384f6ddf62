// Linked into every plug-in module: the version stamp of the SDK it was built
// against, which the host checks before it lets the module run.
#include "rxdlinkr.h"

extern "C" ARXHOST_EXPORT Adesk::UInt32 acrxGetApiVersion()
{
#if defined(ARX_SDK_R18)
    return ACRX_API_VERSION_R18;
#else
    return ACRX_API_VERSION_R19;
#endif
}
