// VelaToneEdReactor: the editor reactor. It stores the voice list before every
// save that is not an automatic save, draws the notes again after a layout
// switch or a view change, and keeps the flag that tells whether a host command
// is running. Not a registered class: it reports AcEditorReactor.
#pragma once
#include "StdAfx.h"

class VELATONE_EXPORT VelaToneEdReactor : public AcEditorReactor {
public:
    explicit VelaToneEdReactor(const bool autoInitAndRelease = true);
    ~VelaToneEdReactor() override;

    void commandWillStart(const ACHAR* cmdStr) override;
    void commandEnded(const ACHAR* cmdStr) override;
    void commandCancelled(const ACHAR* cmdStr) override;
    void commandFailed(const ACHAR* cmdStr) override;
    void beginSave(AcDbDatabase* pDwg, const ACHAR* pIntendedName) override;
    void layoutSwitched(const ACHAR* newLayoutName) override;
    void viewChanged() override;

    void Attach();
    void Detach();
    AcEditor* Subject() const;
    bool IsAttached() const;

private:
    bool m_autoInitAndRelease;
};
