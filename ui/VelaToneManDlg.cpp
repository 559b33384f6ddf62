// The voice manager dialog: its list of the current document's notes, the
// buttons that act on the selected rows, and the temporary highlight Find lays
// behind a note (two entities of the drawing, erased by the next Find, a Delete
// or the dialog's end).
#include "VelaToneManDlg.h"

#include "QkDbVelaTone.h"
#include "VelaToneAudio.h"
#include "VelaToneManager.h"
#include "VelaToneViewer.h"
#include "rxmfcapi.h"
#include "sorttab.h"

AcArray<AcDbObjectId> CVelaToneManDlg::m_highlightEnts(0, 8);

namespace {

// A column title from the string table, or the fallback when the text is empty.
CString columnTitle(UINT nID, LPCTSTR fallback)
{
    CString title;
    title.LoadString(nID);
    if (title.IsEmpty()) title = fallback;
    return title;
}

CString typeName(int type)
{
    CString text(_T("Point"));
    switch (type) {
    case QkDbVelaTone::kPoint: text.LoadString(IDS_TYPE_POINT); break;
    case QkDbVelaTone::kRegion: text.LoadString(IDS_TYPE_REGION); break;
    case QkDbVelaTone::kObject: text.LoadString(IDS_TYPE_OBJECT); break;
    case QkDbVelaTone::kReply: text.LoadString(IDS_TYPE_REPLY); break;
    default: break;
    }
    return text;
}

// Runs a host command with CMDECHO off, and puts CMDECHO back as it was.
template <typename Run>
void quietly(Run run)
{
    resbuf echo;
    const bool bHaveEcho = acedGetVar(_T("CMDECHO"), &echo) == RTNORM;
    if (bHaveEcho) {
        resbuf off;
        off.restype = RTSHORT;
        off.resval.rint = 0;
        off.rbnext = NULL;
        acedSetVar(_T("CMDECHO"), &off);
    }
    run();
    if (bHaveEcho) acedSetVar(_T("CMDECHO"), &echo);
}

AcDbPolyline* newBackgroundPolyline(Adesk::UInt16 colorIndex)
{
    AcDbPolyline* pLine = new AcDbPolyline();
    pLine->setColorIndex(colorIndex);
    return pLine;
}

// Appends a highlight entity to the owner block; the id, or null when the
// append failed (the entity is then discarded).
AcDbObjectId appendToOwner(AcDbEntity* pEnt, AcDbObjectId ownerId)
{
    AcDbObjectId id;
    AcDbBlockTableRecord* pOwner = NULL;
    if (acdbOpenObject(pOwner, ownerId, AcDb::kForWrite) == Acad::eOk) {
        if (pOwner->appendAcDbEntity(id, pEnt) == Acad::eOk) {
            pEnt->close();
        } else {
            id = AcDbObjectId::kNull;
        }
        pOwner->close();
    }
    if (id.isNull()) delete pEnt;
    return id;
}

}  // namespace

BEGIN_MESSAGE_MAP(CVelaToneManDlg, CDialog)
    ON_BN_CLICKED(IDC_BUTTON_PLAY, &CVelaToneManDlg::OnBnClickedButtonPlay)
    ON_BN_CLICKED(IDC_BUTTON_FIND, &CVelaToneManDlg::OnBnClickedButtonFind)
    ON_BN_CLICKED(IDC_BUTTON_DELETE, &CVelaToneManDlg::OnBnClickedButtonDelete)
    ON_BN_CLICKED(IDC_BUTTON_HELP, &CVelaToneManDlg::OnBnClickedButtonHelp)
    ON_NOTIFY(NM_CLICK, IDC_VOICE_LIST, &CVelaToneManDlg::OnNMClickVoiceList)
END_MESSAGE_MAP()

CVelaToneManDlg::CVelaToneManDlg(CWnd* pParent) : CDialog(CVelaToneManDlg::IDD, pParent)
{
    acDocManager->pushResourceHandle(_hdllInstance);
}

CVelaToneManDlg::~CVelaToneManDlg()
{
    acDocManager->popResourceHandle();
    m_VoiceData.RemoveAll();
    UnhilightBackground();
}

void CVelaToneManDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_VOICE_LIST, m_VoiceList);
    DDX_Control(pDX, IDC_BUTTON_PLAY, m_PlayBtn);
    DDX_Control(pDX, IDC_BUTTON_FIND, m_FindBtn);
    DDX_Control(pDX, IDC_BUTTON_DELETE, m_DeleteBtn);
    DDX_Control(pDX, IDC_BUTTON_SETTINGS, m_SettingsBtn);
}

BOOL CVelaToneManDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // The host's small icon on the dialog's caption.
    CWnd* pMain = AfxGetThread() != NULL ? AfxGetThread()->GetMainWnd() : NULL;
    if (pMain != NULL) {
        HICON hIcon = reinterpret_cast<HICON>(pMain->SendMessage(WM_GETICON, ICON_SMALL, 0));
        SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(hIcon));
    }
    m_VoiceList.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    CWnd* pHelp = GetDlgItem(IDC_BUTTON_HELP);
    if (pHelp != NULL) pHelp->ShowWindow(SW_HIDE);
    enableButtons(FALSE);
    m_VoiceList.InsertColumn(0, columnTitle(IDS_COL_NUMBER, _T("Code")), LVCFMT_LEFT, 45);
    m_VoiceList.InsertColumn(1, columnTitle(IDS_COL_LENGTH, _T("Length")), LVCFMT_LEFT, 65);
    m_VoiceList.InsertColumn(2, columnTitle(IDS_COL_BY, _T("By")), LVCFMT_LEFT, 75);
    m_VoiceList.InsertColumn(3, columnTitle(IDS_COL_TYPE, _T("Type")), LVCFMT_LEFT, 70);
    m_VoiceList.InsertColumn(4, columnTitle(IDS_COL_DATE, _T("Date")), LVCFMT_LEFT, 75);
    UpdateVoiceData(NULL);
    return TRUE;
}

void CVelaToneManDlg::UpdateVoiceData(AcApDocument*)
{
    AcArray<AcDbObjectId> ids(0, 8);
    if (qkVtManagerPtr() != NULL) qkVtManagerPtr()->GetAllObjects(ids, acDocManagerPtr()->curDocument());
    m_VoiceData.RemoveAll();
    for (int i = 0; i < ids.length(); i++) {
        QkDbVelaTone* pNote = NULL;
        // A note that does not open leaves its number unused: the gap shows it.
        if (acdbOpenObject(pNote, ids[i], AcDb::kForRead) != Acad::eOk) continue;
        VtManDlgData row;
        row.No.Format(_T("%d"), i);
        pNote->getDuration(row.Length);
        pNote->getSpokesman(row.By);
        row.Type = typeName(pNote->getVelaToneType());
        pNote->getDatatime(row.Date);
        row.Id = ids[i];
        pNote->close();
        m_VoiceData.Add(row);
    }
    m_VoiceList.DeleteAllItems();
    for (int r = 0; r < m_VoiceData.GetSize(); r++) {
        const VtManDlgData& row = m_VoiceData[r];
        LVITEM item = {};
        item.mask = LVIF_TEXT;
        item.iItem = r;
        item.pszText = const_cast<LPTSTR>(_T(""));
        m_VoiceList.InsertItem(&item);
        m_VoiceList.SetItemText(r, 0, row.No);
        m_VoiceList.SetItemText(r, 1, row.Length);
        m_VoiceList.SetItemText(r, 2, row.By);
        m_VoiceList.SetItemText(r, 3, row.Type);
        m_VoiceList.SetItemText(r, 4, row.Date);
    }
}

void CVelaToneManDlg::enableButtons(BOOL bEnable)
{
    m_PlayBtn.EnableWindow(bEnable);
    m_FindBtn.EnableWindow(bEnable);
    m_DeleteBtn.EnableWindow(bEnable);
}

void CVelaToneManDlg::UpdateButtonShow() { enableButtons(m_VoiceList.GetSelectedCount() != 0); }

void CVelaToneManDlg::OnNMClickVoiceList(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    UpdateButtonShow();
}

int CVelaToneManDlg::firstSelectedRow() const
{
    int row = m_VoiceList.GetNextItem(-1, LVNI_SELECTED);
    // The list is built from the rows, so a selected row is always one of them.
    return row >= 0 && row < m_VoiceData.GetSize() ? row : -1;
}

void CVelaToneManDlg::OnBnClickedButtonPlay()
{
    int row = firstSelectedRow();
    if (row < 0) {
        AfxMessageBox(IDS_MSG_NO_SELECTION, MB_OK);
        return;
    }
    QkDbVelaTone* pNote = NULL;
    if (acdbOpenObject(pNote, m_VoiceData[row].Id, AcDb::kForRead) != Acad::eOk) return;
    unsigned char* pAudio = pNote->getAudioData();
    Adesk::UInt32 length = pNote->audioLength();
    // The player copies the sound before the note is closed, so nothing of the
    // note is used once playback has started.
    if (pAudio != NULL) PlayWaveData(pAudio, length);
    pNote->close();
}

void CVelaToneManDlg::OnBnClickedButtonFind()
{
    if (!IsShowVelaTone()) {
        AfxMessageBox(IDS_MSG_NOT_VISIBLE, MB_OK);
        return;
    }
    UnhilightBackground();
    int row = firstSelectedRow();
    if (row < 0) {
        AfxMessageBox(IDS_MSG_NO_SELECTION, MB_OK);
        return;
    }
    AcGePoint3d anchor;
    AcDbExtents extents;
    AcDbObjectId ownerId, layerId;
    bool bVisible = true;
    AcDbObject* pObj = NULL;
    if (acdbOpenAcDbObject(pObj, m_VoiceData[row].Id, AcDb::kForRead) == Acad::eOk) {
        QkDbVelaTone* pNote = QkDbVelaTone::cast(pObj);
        if (pNote != NULL) {
            anchor = pNote->getMfcBsBnt();
            pNote->getGeomExtents(extents);
            ownerId = pNote->ownerId();
            layerId = pNote->layerId();
            bVisible = pNote->visibility() != AcDb::kInvisible;
        }
        pObj->close();
    }
    if (!bVisible) {
        AfxMessageBox(IDS_MSG_NOT_VISIBLE, MB_OK);
        return;
    }
    AcDbLayerTableRecord* pLayer = NULL;
    if (acdbOpenObject(pLayer, layerId, AcDb::kForRead) == Acad::eOk) {
        if (pLayer->isOff() || pLayer->isFrozen()) bVisible = false;
        pLayer->close();
    }
    if (!bVisible) {
        AfxMessageBox(IDS_MSG_NOT_VISIBLE, MB_OK);
        return;
    }
    AcDbDatabase* pDb = acdbHostApplicationServices()->workingDatabase();
    if (pDb != NULL && !ownerId.isNull() && ownerId == pDb->currentSpaceId()) {
        resbuf center;
        if (acedGetVar(_T("VIEWCTR"), &center) == RTNORM) {
            ads_point from = {anchor.x, anchor.y, anchor.z};
            ads_point to = {center.resval.rpoint[0], center.resval.rpoint[1], center.resval.rpoint[2]};
            quietly([&] { acedCommand(RTSTR, _T("_.-PAN"), RTPOINT, from, RTPOINT, to, RTNONE); });
        }
        HilightBackground(extents, ownerId);
    }
    CView* pView = acedGetAcadDwgView();
    if (pView != NULL) {
        CRect dlgRect, viewRect;
        GetWindowRect(&dlgRect);
        pView->GetWindowRect(&viewRect);
        int cx = (viewRect.left + viewRect.right) / 2;
        int cy = (viewRect.top + viewRect.bottom) / 2;
        int w = dlgRect.Width(), h = dlgRect.Height();
        SetWindowPos(acedGetAcadFrame(), cx + 35, static_cast<int>(cy - 0.5 * h - 35), w, h, SWP_NOSIZE);
        pView->InvalidateRect(NULL, TRUE);
    }
}

void CVelaToneManDlg::HilightBackground(const AcDbExtents& extents, AcDbObjectId ownerId)
{
    const AcGePoint3d& lo = extents.minPoint();
    const AcGePoint3d& hi = extents.maxPoint();
    double h = hi.y - lo.y;
    double m = h / 30;
    AcDbDatabase* pDb = acdbHostApplicationServices()->workingDatabase();

    AcDbPolyline* pOutline = newBackgroundPolyline(8);
    pOutline->addVertexAt(0, AcGePoint2d(lo.x - m, lo.y - m));
    pOutline->addVertexAt(1, AcGePoint2d(hi.x + m, lo.y - m));
    pOutline->addVertexAt(2, AcGePoint2d(hi.x + m, hi.y + m));
    pOutline->addVertexAt(3, AcGePoint2d(lo.x - m, hi.y + m));
    pOutline->setClosed(true);
    AcDbObjectId id = pDb != NULL ? appendToOwner(pOutline, ownerId) : AcDbObjectId::kNull;
    if (pDb == NULL) delete pOutline;
    if (!id.isNull()) m_highlightEnts.append(id);

    // A band as wide as the extents are high, through their middle: it covers them.
    AcDbPolyline* pBand = newBackgroundPolyline(5);
    pBand->addVertexAt(0, AcGePoint2d(lo.x, lo.y + 0.5 * h), 0., h, h);
    pBand->addVertexAt(1, AcGePoint2d(hi.x, lo.y + 0.5 * h), 0., h, h);
    AcCmTransparency transparency;
    transparency.serializeIn(0);
    pBand->setTransparency(transparency);
    id = pDb != NULL ? appendToOwner(pBand, ownerId) : AcDbObjectId::kNull;
    if (pDb == NULL) delete pBand;
    if (!id.isNull()) m_highlightEnts.append(id);

    if (pDb != NULL) {
        AcDbBlockTableRecord* pOwner = NULL;
        if (acdbOpenObject(pOwner, ownerId, AcDb::kForRead) != Acad::eOk) {
            acutPrintf(_T("\nCouldn't get the MODEL_SPACE block record opened"));
        } else {
            AcDbSortentsTable* pSortTab = NULL;
            if (pOwner->getSortentsTable(pSortTab, AcDb::kForWrite, true) != Acad::eOk) {
                acutPrintf(_T("\nCouldn't get or create AcDbSortEntsTable of Model Space"));
                pOwner->close();
            } else {
                pOwner->close();
                pSortTab->moveToBottom(m_highlightEnts);
                pSortTab->close();
            }
        }
    }
    for (int i = 0; i < m_highlightEnts.length(); i++) {
        ads_name name;
        if (acdbGetAdsName(name, m_highlightEnts[i]) == Acad::eOk) acdbEntUpd(name);
    }
}

void CVelaToneManDlg::UnhilightBackground()
{
    for (int i = 0; i < m_highlightEnts.length(); i++) {
        AcDbEntity* pEnt = NULL;
        if (acdbOpenAcDbEntity(pEnt, m_highlightEnts[i], AcDb::kForWrite) == Acad::eOk) {
            pEnt->erase(true);
            pEnt->close();
        }
    }
    m_highlightEnts.setLogicalLength(0);
}

void CVelaToneManDlg::OnBnClickedButtonDelete()
{
    if (m_VoiceList.GetSelectedCount() == 0) {
        AfxMessageBox(IDS_MSG_NO_SELECTION, MB_OK);
        return;
    }
    AcArray<int> rows(0, 8);
    for (int r = m_VoiceList.GetNextItem(-1, LVNI_SELECTED); r >= 0; r = m_VoiceList.GetNextItem(r, LVNI_SELECTED))
        rows.append(r);
    AcArray<AcDbObjectId> ids(0, 8);
    for (int i = rows.length() - 1; i >= 0; i--) {
        int r = rows[i];
        if (r < m_VoiceData.GetSize() && !m_VoiceData[r].Id.isNull()) ids.append(m_VoiceData[r].Id);
    }
    AcApDocument* pDoc = acDocManagerPtr()->curDocument();
    acDocManagerPtr()->lockDocument(pDoc, AcAp::kWrite, NULL, NULL, true);
    int lockedCount = 0;
    for (int i = 0; i < ids.length(); i++) {
        QkDbVelaTone* pNote = NULL;
        Acad::ErrorStatus es = acdbOpenObject(pNote, ids[i], AcDb::kForWrite);
        if (es == Acad::eOk) {
            AcDbObjectId attId = pNote->getAttEntId();
            if (pNote->getVelaToneType() == QkDbVelaTone::kObject && attId.isValid() && qkVtManagerPtr() != NULL)
                qkVtManagerPtr()->delNotifier(pNote, attId);
            pNote->doUnhighlight();
            pNote->erase(true);
            pNote->close();
        } else if (es == Acad::eOnLockedLayer) {
            lockedCount++;
        }
    }
    acDocManagerPtr()->unlockDocument(pDoc);
    if (lockedCount > 0) {
        CString format, message;
        format.LoadString(IDS_MSG_LOCKED_COUNT);
        message.Format(format, lockedCount);
        AfxMessageBox(message, MB_OK);
    }
    UpdateVoiceData(NULL);
    UpdateData(FALSE);
    enableButtons(m_VoiceList.GetSelectedCount() != 0);
    UnhilightBackground();
    quietly([] { acedCommand(RTSTR, _T("_.Regen"), RTNONE); });
    SetFocus();
}

void CVelaToneManDlg::OnBnClickedButtonHelp() { acedHelp(NULL, _T("VOICEMAN DIALOG"), 0); }
