// What happens to a module's objects around its loading and unloading: before
// its code goes, every object of its classes becomes a proxy holding the data the
// object filed, and every reactor of its classes leaves the lists that hold it;
// when it comes back, the proxies become objects again.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "acedinpt.h"
#include "wtypes.h"

class AcApDocManagerReactor;
class AcEditorReactor;

namespace arx {

// True when no object of the module's classes is open (an open one cannot be
// replaced); busy names one that is.
bool moduleObjectsClosed(HINSTANCE base, std::wstring& busy);

// Reactors of the module still registered with the host after its static
// objects are gone are removed by finish(), which runs after the module is unloaded.
struct ModuleCleanup {
    std::vector<AcApDocManagerReactor*> docReactors;
    std::vector<AcEditorReactor*> editorReactors;
    std::vector<std::pair<AcEdInputPointManager*, AcEdInputPointMonitor*>> monitors;
    void finish();
};

ModuleCleanup prepareModuleUnload(HINSTANCE base);
void reviveModuleObjects();

}  // namespace arx
