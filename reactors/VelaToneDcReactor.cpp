// VelaToneDcReactor: attaching to the document manager, and what each document
// event means for the registry: a document created has its stored list read,
// one activated has its notes drawn again, one about to go is dropped. Before
// the registry exists and after it is gone nothing happens.
#include "VelaToneDcReactor.h"

#include "VelaToneManager.h"
#include "VelaToneTagUIDlg.h"
#include "VelaToneViewer.h"

ACRX_CONS_DEFINE_MEMBERS(VelaToneDcReactor, AcApDocManagerReactor, 1)

VelaToneDcReactor::VelaToneDcReactor(const bool autoInitAndRelease) : m_autoInitAndRelease(autoInitAndRelease)
{
    if (autoInitAndRelease) {
        if (acDocManager != NULL)
            acDocManager->addReactor(this);
        else
            m_autoInitAndRelease = false;
    }
}

VelaToneDcReactor::~VelaToneDcReactor() { Detach(); }

void VelaToneDcReactor::Attach()
{
    Detach();
    if (!m_autoInitAndRelease && acDocManager != NULL) {
        acDocManager->addReactor(this);
        m_autoInitAndRelease = true;
    }
}

void VelaToneDcReactor::Detach()
{
    if (m_autoInitAndRelease && acDocManager != NULL) {
        acDocManager->removeReactor(this);
        m_autoInitAndRelease = false;
    }
}

AcApDocManager* VelaToneDcReactor::Subject() const { return acDocManager; }
bool VelaToneDcReactor::IsAttached() const { return m_autoInitAndRelease; }

void VelaToneDcReactor::documentCreated(AcApDocument* pDocCreating)
{
    if (VelaToneManager* pManager = qkVtManagerPtr()) pManager->ReadVoiceHandle(pDocCreating);
}

void VelaToneDcReactor::documentToBeDestroyed(AcApDocument* pDocToDestroy)
{
    // A recording in progress is ended and thrown away with the tag window. A
    // tag window for a note of this drawing goes too, unless it plays (it plays
    // a copy): then it forgets the note, whose id dies with the drawing.
    if (gpTagUIDlg != NULL) {
        const bool ours = gpTagUIDlg->VelaToneId().database() == pDocToDestroy->database();
        if (gpTagUIDlg->IsRecording()) {
            gpTagUIDlg->SetDiscard(true);
            gpTagUIDlg->StopRecording();
            CVelaToneTagUIDlg::DestroyTag();
        } else if (ours && gpTagUIDlg->IsPlaying()) {
            gpTagUIDlg->ForgetNote();
        } else if (ours) {
            CVelaToneTagUIDlg::DestroyTag();
        }
    }
    if (VelaToneManager* pManager = qkVtManagerPtr()) pManager->RemoveVelaTone(pDocToDestroy);
}

void VelaToneDcReactor::documentToBeDeactivated(AcApDocument*)
{
    // A recording in progress is ended and kept, with the window hidden from
    // then on; an idle window is hidden, a playing one plays on.
    if (gpTagUIDlg == NULL || gpTagUIDlg->GetSafeHwnd() == NULL) return;
    if (gpTagUIDlg->IsRecording()) {
        gpTagUIDlg->SetKeepHidden(true);
        gpTagUIDlg->StopRecording();
    } else if (!gpTagUIDlg->IsPlaying()) {
        gpTagUIDlg->ShowWindow(SW_HIDE);
    }
}

void VelaToneDcReactor::documentActivated(AcApDocument* pActivatedDoc)
{
    if (VelaToneManager* pManager = qkVtManagerPtr()) pManager->UpdateAll(pActivatedDoc);
}
