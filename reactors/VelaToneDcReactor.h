// VelaToneDcReactor: the document reactor. It attaches itself to the document
// manager when it is made (if there is one) and detaches when it goes; it keeps
// the registry in step with the documents that open, close and are activated.
#pragma once
#include "StdAfx.h"

class VELATONE_EXPORT VelaToneDcReactor : public AcApDocManagerReactor {
public:
    ACRX_DECLARE_MEMBERS(VelaToneDcReactor);
    explicit VelaToneDcReactor(const bool autoInitAndRelease = true);
    ~VelaToneDcReactor() override;

    void documentCreated(AcApDocument* pDocCreating) override;
    void documentToBeDestroyed(AcApDocument* pDocToDestroy) override;
    void documentToBeDeactivated(AcApDocument* pDeActivatedDoc) override;
    void documentActivated(AcApDocument* pActivatedDoc) override;

    void Attach();
    void Detach();
    AcApDocManager* Subject() const;
    bool IsAttached() const;

private:
    bool m_autoInitAndRelease;
};
