// AcRxEvent and AcRxEventReactor: the abstract parents of an event source and
// its listeners, which the editor and the editor's reactors are.
#include "rxevent.h"
#include "../db/builtin.h"

ARX_DEFINE_BUILTIN_ABSTRACT(AcRxEventReactor, AcRxObject)
ARX_DEFINE_BUILTIN_ABSTRACT(AcRxEvent, AcRxObject)

AcRxEventReactor::AcRxEventReactor() = default;
AcRxEventReactor::~AcRxEventReactor() = default;
AcRxEvent::AcRxEvent() = default;
AcRxEvent::~AcRxEvent() = default;
