// DocVoiceList: the voice notes registered for one document, in order of
// registration, and the document's hover monitor, which the list owns. A list
// exists only while it holds at least one id (VelaToneManager sees to that).
#pragma once
#include "StdAfx.h"

class VelaTonePmReactor;

class VELATONE_EXPORT DocVoiceList {
public:
    // Makes the document's hover monitor, which joins the document's input
    // point manager (not for a null document).
    explicit DocVoiceList(AcApDocument* pDoc);
    // Deletes the monitor, which leaves the input point manager.
    ~DocVoiceList();

    AcArray<AcDbObjectId> m_Ids;
    VelaTonePmReactor* m_pMonitor;

private:
    DocVoiceList(const DocVoiceList&);
    DocVoiceList& operator=(const DocVoiceList&);
};
