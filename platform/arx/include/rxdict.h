// AcRxDictionary: a dictionary of named run-time objects. The system registry is
// one; its entry "ClassDictionary" holds every registered class by name.
#pragma once
#include "rxobject.h"

class AcRxDictionaryIterator;

class ARXHOST_EXPORT AcRxDictionary : public AcRxObject {
public:
    static AcRxClass* desc();
    static AcRxDictionary* cast(const AcRxObject* p);
    AcRxClass* isA() const override;
    ~AcRxDictionary() override;
    AcRxDictionary();

    AcRxObject* at(const ACHAR* key) const;
    // Stores obj under key and returns the object it replaces, or null.
    AcRxObject* atPut(const ACHAR* key, AcRxObject* obj);
    // Takes key out and returns its object (not deleted), or null.
    AcRxObject* remove(const ACHAR* key);
    bool has(const ACHAR* key) const;
    Adesk::UInt32 numEntries() const;
    AcRxDictionaryIterator* newIterator();

private:
    friend class AcRxDictionaryIterator;
    struct Impl;
    Impl* mImpl;
};

class ARXHOST_EXPORT AcRxDictionaryIterator {
public:
    ~AcRxDictionaryIterator();
    bool done() const;
    bool next();
    const ACHAR* key() const;
    AcRxObject* object() const;

private:
    friend class AcRxDictionary;
    struct Impl;
    Impl* mImpl;
    explicit AcRxDictionaryIterator(Impl* impl) : mImpl(impl) {}
};

ARXHOST_EXPORT AcRxDictionary* acrxSysRegistry();
#define acrxClassDictionary AcRxDictionary::cast(acrxSysRegistry()->at(ACRX_T("ClassDictionary")))
