// QkDbVelaTone: the voice note entity. A note carries a short recording (8-bit
// mono sound, zero-terminated), who spoke it, when, and how long it lasts, and is
// anchored at a point, on a region, on another entity, or as a reply.
#pragma once
#include "StdAfx.h"

class VELATONE_EXPORT QkDbVelaTone : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(QkDbVelaTone);

    enum VelaToneType { kPoint = 0, kRegion = 1, kObject = 2, kReply = 3 };

    // The version of both filing layouts.
    static const Adesk::UInt32 kCurrentVersionNumber = 1;
    // The most sound a note holds (seven minutes; recordings last at most 30
    // seconds). A note with more, read from a file, stays as it was read.
    static const Adesk::UInt32 kMaxAudioBytes = 16 * 1024 * 1024;

    QkDbVelaTone();
    ~QkDbVelaTone() override;

    int getVelaToneType() const;
    void setVelaToneType(int type);
    void setPosition(AcGePoint3d pt);
    void setExtents(AcDbExtents ext);
    void setAttachObj(AcDbObjectId id);
    AcDbObjectId getAttEntId() const;
    int setAudioData(unsigned char* pData);
    unsigned char* getAudioData() const;
    void delAudioData();
    bool hasRecord() const;
    void setWaveFormat(const WAVEFORMATEX* pFormat);
    void getWaveFormat(WAVEFORMATEX& format) const;
    void setSpokesman(AcString text);
    void setDatatime(AcString text);
    void setDuration(AcString text);
    void getSpokesman(CString& text) const;
    void getDatatime(CString& text) const;
    void getDuration(CString& text) const;
    void setIsPlaying(bool playing);
    bool IsPlaying() const;
    AcGePoint3d getMfcBsBnt() const;
    static void SetIsDraging(bool draging);
    static bool IsDraging();

    Acad::ErrorStatus dwgOutWaveFormatData(AcDbDwgFiler* pFiler) const;
    Acad::ErrorStatus dwgInWaveFormatData(AcDbDwgFiler* pFiler);

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

    void cancelled(const AcDbObject* dbObj) override;
    void copied(const AcDbObject* dbObj, const AcDbObject* newObj) override;
    void erased(const AcDbObject* dbObj, Adesk::Boolean bErasing = true) override;
    void goodbye(const AcDbObject* dbObj) override;
    void openedForModify(const AcDbObject* dbObj) override;
    void modified(const AcDbObject* dbObj) override;
    void subObjModified(const AcDbObject* dbObj, const AcDbObject* subObj) override;
    void modifyUndone(const AcDbObject* dbObj) override;
    void modifiedXData(const AcDbObject* dbObj) override;
    void unappended(const AcDbObject* dbObj) override;
    void reappended(const AcDbObject* dbObj) override;
    void objectClosed(const AcDbObjectId objId) override;
    void modifiedGraphics(const AcDbEntity* dbEnt) override;

    // The bytes of sound before the first zero byte (0 without a buffer).
    Adesk::UInt32 audioLength() const;

    // Drawing (QkDbVelaToneDraw.cpp): the world length of 32 pixels of the
    // current view, the icon square added to extents, a Region note's frame
    // shown or hidden, and the note's own highlighting for the user.
    double calcRefUnits() const;
    void getImageRegion(AcDbExtents& extents);
    bool ShowRegion(bool show);
    void doHighlight();
    void doUnhighlight();

protected:
    Adesk::UInt32 subSetAttributes(AcGiDrawableTraits* traits) override;
    Adesk::Boolean subWorldDraw(AcGiWorldDraw* mode) override;
    void subViewportDraw(AcGiViewportDraw* mode) override;
    Adesk::UInt32 subViewportDrawLogicalFlags(AcGiViewportDraw* vd) override;
    Acad::ErrorStatus subOpen(AcDb::OpenMode mode) override;
    Acad::ErrorStatus subCancel() override;
    Acad::ErrorStatus subClose() override;
    Acad::ErrorStatus subGetClassID(CLSID* pClsid) const override;

    // Editing (QkDbVelaToneEdit.cpp): only a Point note moves; no note is copied.
    Acad::ErrorStatus subDeepClone(AcDbObject* pOwnerObject, AcDbObject*& pClonedObject, AcDbIdMapping& idMap,
                                   Adesk::Boolean isPrimary = true) const override;
    Acad::ErrorStatus subWblockClone(AcRxObject* pOwnerObject, AcDbObject*& pClonedObject, AcDbIdMapping& idMap,
                                     Adesk::Boolean isPrimary = true) const override;
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                       AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subGetGripPoints(AcDbGripDataPtrArray& grips, const double curViewUnitSize, const int gripSize,
                                       const AcGeVector3d& curViewDir, const int bitflags) const override;
    Acad::ErrorStatus subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus subMoveGripPointsAt(const AcDbVoidPtrArray& gripAppData, const AcGeVector3d& offset,
                                          const int bitflags) override;
    Acad::ErrorStatus subGetGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus subHighlight(const AcDbFullSubentPath& subId = kNullSubent,
                                   const Adesk::Boolean highlightAll = false) const override;
    Acad::ErrorStatus subUnhighlight(const AcDbFullSubentPath& subId = kNullSubent,
                                     const Adesk::Boolean highlightAll = false) const override;

    // The steps of the drawing, each returning 0.
    virtual int DrawPoint(AcGiWorldDraw* mode);
    virtual int DrawRegion(AcGiWorldDraw* mode);
    virtual int DrawObject(AcGiWorldDraw* mode);
    virtual int DrawTextW(AcGiWorldDraw* mode);
    virtual int DrawImage(AcGiWorldDraw* mode);
    virtual int DrawLight(AcGiWorldDraw* mode);

public:
    AcGePoint3d m_Position;
    AcDbExtents m_Extents;
    AcDbObjectId m_AttEntId;
    AcDbObjectId m_ReplyId;
    AcGePoint3d m_IconBase;
    WAVEFORMATEX m_WaveFormat;
    double m_RefUnits;
    unsigned char* m_pAudioData;
    AcString m_Spokesman;
    AcString m_Datatime;
    AcString m_Duration;
    Adesk::Int16 m_Type;
    bool m_HasRecord;
    bool m_ShowRegion;
    bool m_IsPlaying;

    static bool m_IsDraging;

private:
    // Where the icon of a Point note stands: up and to the right of the anchor.
    AcGePoint3d pointIconBase() const;
    // A Region or Object note stands on a rectangle; one it does not have (an
    // attached entity that was never found) gives it no place on the drawing.
    bool hasPlace() const;
    // The database a filer reads into: ids read from a file belong there.
    AcDbDatabase* filingDatabase(AcDbDatabase* filerDb) const;
    void refreshAttachedExtents();
};
