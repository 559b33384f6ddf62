// AcRxEvent and AcRxEventReactor: a source of events and its listeners.
#pragma once
#include "rxboiler.h"

class ARXHOST_EXPORT AcRxEventReactor : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcRxEventReactor);
    ~AcRxEventReactor() override;

protected:
    AcRxEventReactor();
};

class ARXHOST_EXPORT AcRxEvent : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcRxEvent);
    virtual void addReactor(AcRxEventReactor* reactor) = 0;
    virtual void removeReactor(AcRxEventReactor* reactor) = 0;

protected:
    AcRxEvent();
    ~AcRxEvent() override;
};
