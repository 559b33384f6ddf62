// AcDbDictionary: named entries that refer to objects, which the dictionary owns.
// Keys are compared without regard to case and kept in sorted order.
#pragma once
#include <map>

#include "dbmain.h"

class AcDbDictionaryIterator;

namespace AcRx {
enum DictIterType { kDictSorted = 0, kDictCollated = 1 };
}

class ARXHOST_EXPORT AcDbDictionary : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbDictionary);
    AcDbDictionary();
    ~AcDbDictionary() override;

    // An erased entry counts as absent (eKeyNotFound).
    Acad::ErrorStatus getAt(const ACHAR* entryName, AcDbObject*& entryObj, AcDb::OpenMode mode) const;
    Acad::ErrorStatus getAt(const ACHAR* entryName, AcDbObjectId& entryObj) const;
    Acad::ErrorStatus nameAt(AcDbObjectId objId, ACHAR*& entryName) const;
    Acad::ErrorStatus nameAt(AcDbObjectId objId, AcString& entryName) const;
    bool has(const ACHAR* entryName) const;
    bool has(AcDbObjectId objId) const;
    Adesk::UInt32 numEntries() const;
    // Takes the entry out; the object stays in the database without an owner.
    Acad::ErrorStatus remove(const ACHAR* key);
    Acad::ErrorStatus remove(const ACHAR* key, AcDbObjectId& returnId);
    Acad::ErrorStatus remove(AcDbObjectId objId);
    Acad::ErrorStatus setName(const ACHAR* oldName, const ACHAR* newName);
    // Stores newValue under the key, adding it to the database if it is new (it is
    // then open for write). An object already under the key is erased.
    Acad::ErrorStatus setAt(const ACHAR* srchKey, AcDbObject* newValue, AcDbObjectId& retObjId);
    bool isTreatElementsAsHard() const { return mHardOwner; }
    void setTreatElementsAsHard(bool doIt);
    Adesk::Int16 mergeStyle() const { return mMergeStyle; }
    void setMergeStyle(Adesk::Int16 style);
    AcDbDictionaryIterator* newIterator(AcRx::DictIterType type = AcRx::kDictSorted) const;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

    struct KeyLess {
        bool operator()(const AcString& a, const AcString& b) const;
    };
    using EntryMap = std::map<AcString, AcDbObjectId, KeyLess>;

private:
    friend struct arx::ObjectAccess;
    EntryMap mEntries;
    bool mHardOwner = false;
    Adesk::Int16 mMergeStyle = 1;
};

class ARXHOST_EXPORT AcDbDictionaryIterator {
public:
    ~AcDbDictionaryIterator();
    const ACHAR* name() const;
    Acad::ErrorStatus getObject(AcDbObject*& obj, AcDb::OpenMode mode = AcDb::kForRead);
    AcDbObjectId objectId() const;
    bool done() const;
    bool next();

private:
    friend class AcDbDictionary;
    explicit AcDbDictionaryIterator(std::vector<std::pair<AcString, AcDbObjectId>> entries);
    std::vector<std::pair<AcString, AcDbObjectId>> mEntries;
    size_t mPos = 0;
};
