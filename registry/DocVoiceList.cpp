// DocVoiceList: one document's registered notes and its hover monitor.
#include "DocVoiceList.h"

#include "VelaTonePmReactor.h"

DocVoiceList::DocVoiceList(AcApDocument* pDoc) : m_Ids(0, 8), m_pMonitor(new VelaTonePmReactor(pDoc)) {}

DocVoiceList::~DocVoiceList() { delete m_pMonitor; }
