// VelaTonePmReactor: the hover monitor of one document, an input point monitor
// in that document's input point manager.
#pragma once
#include "StdAfx.h"

class VELATONE_EXPORT VelaTonePmReactor : public AcEdInputPointMonitor {
public:
    ACRX_DECLARE_MEMBERS(VelaTonePmReactor);
    explicit VelaTonePmReactor(AcApDocument* pDoc = NULL);
    ~VelaTonePmReactor() override;

    bool excludeFromOsnapCalculation(const AcArray<AcDbObjectId>& nestedEntity, Adesk::GsMarker gsSelectionMark) override;

    void Attach(AcApDocument* pDoc);
    void Detach();
    AcApDocument* Subject() const;
    bool IsAttached() const;
    // Forgets its document without reaching into it: for a document that is
    // already gone (its input point manager with it).
    void Abandon();

private:
    AcApDocument* m_pDocument;
};
