// AcRxDictionary and the system registry.
#include <map>
#include <string>
#include <vector>

#include "rxdict.h"
#include "runtime.h"

struct AcRxDictionary::Impl {
    std::map<std::wstring, AcRxObject*> entries;
};
struct AcRxDictionaryIterator::Impl {
    std::vector<std::pair<std::wstring, AcRxObject*>> entries;
    size_t pos = 0;
};

AcRxClass* AcRxDictionary::desc() { return arx::runtimeClass(arx::RootClass::kRxDictionary); }
AcRxClass* AcRxDictionary::isA() const { return AcRxDictionary::desc(); }
AcRxDictionary* AcRxDictionary::cast(const AcRxObject* p)
{
    return p != nullptr && p->isKindOf(AcRxDictionary::desc())
               ? static_cast<AcRxDictionary*>(const_cast<AcRxObject*>(p))
               : nullptr;
}

AcRxDictionary::AcRxDictionary() : mImpl(new Impl) {}
AcRxDictionary::~AcRxDictionary() { delete mImpl; }

AcRxObject* AcRxDictionary::at(const ACHAR* key) const
{
    if (key == nullptr) return nullptr;
    auto it = mImpl->entries.find(key);
    return it == mImpl->entries.end() ? nullptr : it->second;
}

AcRxObject* AcRxDictionary::atPut(const ACHAR* key, AcRxObject* obj)
{
    if (key == nullptr) return nullptr;
    AcRxObject*& slot = mImpl->entries[key];
    AcRxObject* old = slot;
    slot = obj;
    return old;
}

AcRxObject* AcRxDictionary::remove(const ACHAR* key)
{
    if (key == nullptr) return nullptr;
    auto it = mImpl->entries.find(key);
    if (it == mImpl->entries.end()) return nullptr;
    AcRxObject* old = it->second;
    mImpl->entries.erase(it);
    return old;
}

bool AcRxDictionary::has(const ACHAR* key) const { return key != nullptr && mImpl->entries.count(key) != 0; }
Adesk::UInt32 AcRxDictionary::numEntries() const { return static_cast<Adesk::UInt32>(mImpl->entries.size()); }

AcRxDictionaryIterator* AcRxDictionary::newIterator()
{
    auto* impl = new AcRxDictionaryIterator::Impl;
    impl->entries.assign(mImpl->entries.begin(), mImpl->entries.end());
    return new AcRxDictionaryIterator(impl);
}

AcRxDictionaryIterator::~AcRxDictionaryIterator() { delete mImpl; }
bool AcRxDictionaryIterator::done() const { return mImpl->pos >= mImpl->entries.size(); }
bool AcRxDictionaryIterator::next()
{
    if (!done()) ++mImpl->pos;
    return !done();
}
const ACHAR* AcRxDictionaryIterator::key() const { return done() ? nullptr : mImpl->entries[mImpl->pos].first.c_str(); }
AcRxObject* AcRxDictionaryIterator::object() const { return done() ? nullptr : mImpl->entries[mImpl->pos].second; }
