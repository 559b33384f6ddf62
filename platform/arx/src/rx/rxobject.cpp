// AcRxObject: kind tests through the registered class objects.
#include "rxclass.h"
#include "rxdict.h"
#include "runtime.h"

AcRxObject::~AcRxObject() = default;

AcRxClass* AcRxObject::desc() { return arx::runtimeClass(arx::RootClass::kRxObject); }
AcRxClass* AcRxObject::isA() const { return AcRxObject::desc(); }

bool AcRxObject::isKindOf(const AcRxClass* cls) const
{
    const AcRxClass* mine = isA();
    return mine != nullptr && cls != nullptr && mine->isDerivedFrom(cls);
}

AcRxObject* AcRxObject::clone() const { return nullptr; }
Acad::ErrorStatus AcRxObject::copyFrom(const AcRxObject*) { return Acad::eNotApplicable; }
bool AcRxObject::isEqualTo(const AcRxObject* other) const { return other == this; }
AcRx::Ordering AcRxObject::comparedTo(const AcRxObject*) const { return AcRx::kNotOrderable; }
