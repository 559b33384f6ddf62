// CVelaToneManDlg: the voice manager dialog that VOICEMAN runs. It lists the
// voice notes the registry knows for the current document (number, length,
// speaker, type, date) and plays, finds (pans to and lays a highlight behind)
// and deletes the selected ones.
#pragma once
#include "StdAfx.h"
#include <afxcmn.h>
#include <afxtempl.h>

// One row of the list: the texts of its five columns and the note it shows.
struct VtManDlgData {
    CString No;
    CString Length;
    CString By;
    CString Type;
    CString Date;
    AcDbObjectId Id;
};

class VELATONE_EXPORT CVelaToneManDlg : public CDialog {
public:
    enum { IDD = IDD_VELATONE_MANAGER };

    // Pushes the plug-in's resources for as long as the dialog lives.
    CVelaToneManDlg(CWnd* pParent = NULL);
    // Pops them again and takes away the highlight a Find left.
    virtual ~CVelaToneManDlg();

    // Rebuilds the rows and the list for the current document (pDoc is not used).
    void UpdateVoiceData(AcApDocument* pDoc);
    // Play, Find and Delete are enabled exactly while the list has a selection.
    void UpdateButtonShow();

    afx_msg void OnBnClickedButtonPlay();
    afx_msg void OnBnClickedButtonFind();
    afx_msg void OnBnClickedButtonDelete();
    afx_msg void OnBnClickedButtonHelp();
    afx_msg void OnNMClickVoiceList(NMHDR* pNMHDR, LRESULT* pResult);

    // Lays the found note's temporary highlight in its owner block: a grey
    // outline a little outside the extents and a blue band covering them, both
    // at the bottom of the draw order.
    static void HilightBackground(const AcDbExtents& extents, AcDbObjectId ownerId);
    // Erases the highlight entities a Find made.
    static void UnhilightBackground();

    CListCtrl m_VoiceList;
    CButton m_PlayBtn;
    CButton m_FindBtn;
    CButton m_DeleteBtn;
    CButton m_SettingsBtn;
    CArray<VtManDlgData, const VtManDlgData&> m_VoiceData;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    // The first selected row, or -1.
    int firstSelectedRow() const;
    void enableButtons(BOOL bEnable);

    DECLARE_MESSAGE_MAP()

private:
    static AcArray<AcDbObjectId> m_highlightEnts;
};
