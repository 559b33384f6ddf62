// AcDbXrecord: an object that holds an arbitrary chain of values.
#pragma once
#include "dbmain.h"

class ARXHOST_EXPORT AcDbXrecord : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbXrecord);
    AcDbXrecord();
    ~AcDbXrecord() override;
    // Hands out a copy of the data; release it with acutRelRb.
    Acad::ErrorStatus rbChain(resbuf** ppRb, AcDbDatabase* auxDb = nullptr) const;
    // Replaces the data with a copy of the chain.
    Acad::ErrorStatus setFromRbChain(const resbuf& pRb, AcDbDatabase* auxDb = nullptr);
    bool isXlateReferences() const { return mXlate; }
    void setXlateReferences(bool translate);
    Adesk::Int16 mergeStyle() const { return mMergeStyle; }
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

private:
    friend struct arx::ObjectAccess;
    std::string mData;  // the values as DXF groups (see tags.h)
    Adesk::Int16 mMergeStyle = 1;
    bool mXlate = true;
};
