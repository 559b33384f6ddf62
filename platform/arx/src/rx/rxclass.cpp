// AcRxClass and class registration.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

#include "rxclass.h"
#include "rxdict.h"
#include "runtime.h"
#include "../core/utf.h"

AcRxClass* AcRxClass::desc() { return arx::runtimeClass(arx::RootClass::kRxClass); }
AcRxClass* AcRxClass::isA() const { return AcRxClass::desc(); }
AcRxClass* AcRxClass::cast(const AcRxObject* p)
{
    return p != nullptr && p->isKindOf(AcRxClass::desc()) ? static_cast<AcRxClass*>(const_cast<AcRxObject*>(p))
                                                          : nullptr;
}
AcRxClass::~AcRxClass() = default;

AcRxObject* AcRxClass::create() { return mConstructor != nullptr ? mConstructor() : nullptr; }

bool AcRxClass::isDerivedFrom(const AcRxClass* other) const
{
    for (const AcRxClass* c = this; c != nullptr; c = c->mParent)
        if (c == other) return true;
    return false;
}

static AcRxDictionary* classDictionary()
{
    arx::ensureRuntime();
    return AcRxDictionary::cast(acrxSysRegistry()->at(L"ClassDictionary"));
}

AcRxClass* newAcRxClass(const ACHAR* className, const ACHAR* parentClassName, int dwgVersion,
                        int maintenanceVersion, int proxyFlags, AcRxPseudoConstructor pseudoConstructor,
                        const ACHAR* dxfName, const ACHAR* appName, AppNameChangeFuncPtr func)
{
    if (className == nullptr || *className == 0) acrx_abort(L"newAcRxClass: a class needs a name");
    AcRxDictionary* dict = classDictionary();
    if (dict->has(className)) acrx_abort(L"Class mismatch: %ls is already registered", className);
    auto* cls = new AcRxClass();
    cls->mName = className;
    cls->mParentName = parentClassName ? parentClassName : L"";
    cls->mDwgVersion = dwgVersion;
    cls->mMaintenanceVersion = maintenanceVersion;
    cls->mProxyFlags = proxyFlags;
    cls->mConstructor = pseudoConstructor;
    cls->mDxfName = dxfName ? dxfName : L"";
    cls->mAppName = appName ? appName : L"";
    cls->mAppNameChange = func;
    // The parent is linked now when it is known; acrxBuildClassHierarchy links
    // classes registered before their parents.
    if (!cls->mParentName.empty()) cls->mParent = AcRxClass::cast(dict->at(cls->mParentName.c_str()));
    dict->atPut(className, cls);
    return cls;
}

AcRxClass* newAcRxClass(const ACHAR* className, const ACHAR* parentClassName, int proxyFlags,
                        AcRxPseudoConstructor pseudoConstructor, const ACHAR* dxfName, const ACHAR* appName)
{
    return newAcRxClass(className, parentClassName, 0, 0, proxyFlags, pseudoConstructor, dxfName, appName, nullptr);
}

void acrxBuildClassHierarchy()
{
    AcRxDictionary* dict = classDictionary();
    AcRxDictionaryIterator* it = dict->newIterator();
    for (; !it->done(); it->next()) {
        AcRxClass* cls = AcRxClass::cast(it->object());
        if (cls == nullptr || cls->mParentName.empty()) continue;
        cls->mParent = AcRxClass::cast(dict->at(cls->mParentName.c_str()));
    }
    delete it;
}

void deleteAcRxClass(AcRxClass* classObj)
{
    if (classObj == nullptr) return;
    AcRxDictionary* dict = classDictionary();
    if (dict->at(classObj->name()) == classObj) dict->remove(classObj->name());
    arx::retireClass(classObj);
}

void acrx_abort(const ACHAR* format, ...)
{
    wchar_t buf[1024];
    va_list ap;
    va_start(ap, format);
    std::vswprintf(buf, sizeof buf / sizeof buf[0], format, ap);
    va_end(ap);
    std::string text = arx::toUtf8(buf);
    std::fprintf(stderr, "acrx_abort: %s\n", text.c_str());
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(3);
}

namespace arx {
void fatal(const char* format, ...)
{
    va_list ap;
    va_start(ap, format);
    std::fputs("host fatal error: ", stderr);
    std::vfprintf(stderr, format, ap);
    std::fputc('\n', stderr);
    va_end(ap);
    std::fflush(stdout);
    std::fflush(stderr);
    std::abort();
}
}  // namespace arx
