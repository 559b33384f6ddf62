// The editor: editor reactors (commands starting and ending, saves, layout and
// view changes), the command stack, and the functions of the command line.
#pragma once
#include "accmd.h"
#include "acedads.h"
#include "acedinpt.h"
#include "adsdef.h"
#include "dbmain.h"
#include "rxevent.h"
#include "wtypes.h"

class ARXHOST_EXPORT AcEditorReactor : public AcRxEventReactor {
public:
    ACRX_DECLARE_MEMBERS(AcEditorReactor);
    virtual void commandWillStart(const ACHAR* cmdStr);
    virtual void commandEnded(const ACHAR* cmdStr);
    virtual void commandCancelled(const ACHAR* cmdStr);
    virtual void commandFailed(const ACHAR* cmdStr);
    virtual void lispWillStart(const ACHAR* firstLine);
    virtual void lispEnded();
    virtual void lispCancelled();
    virtual void beginSave(AcDbDatabase* db, const ACHAR* pIntendedName);
    virtual void saveComplete(AcDbDatabase* db, const ACHAR* pActualName);
    virtual void beginDwgOpen(const ACHAR* filename);
    virtual void endDwgOpen(const ACHAR* filename, AcDbDatabase* db);
    virtual void layoutSwitched(const ACHAR* newLayoutName);
    virtual void viewChanged();

protected:
    AcEditorReactor();
    ~AcEditorReactor() override;
};

class ARXHOST_EXPORT AcEditor : public AcRxEvent {
public:
    ACRX_DECLARE_MEMBERS(AcEditor);
    void addReactor(AcRxEventReactor* reactor) override;
    void removeReactor(AcRxEventReactor* reactor) override;

    ~AcEditor() override;

protected:
    AcEditor();
};
#define acedEditor AcEditor::cast(acrxSysRegistry()->at(ACRX_T("AcEditor")))
