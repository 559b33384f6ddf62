// Filing one object to bytes and back through the host's binary filer.
#include "arxhost/object_image.h"

#include "../filers/binary_filer.h"

namespace arxhost {

Acad::ErrorStatus fileOut(const AcDbObject* obj, std::string& bytes)
{
    if (obj == nullptr) return Acad::eNullObjectPointer;
    arx::BinaryFiler out(AcDb::kFileFiler, obj->database(), bytes);
    return obj->dwgOut(&out);
}

Acad::ErrorStatus fileIn(AcDbObject* obj, std::string_view bytes)
{
    if (obj == nullptr) return Acad::eNullObjectPointer;
    arx::BinaryFiler in(AcDb::kFileFiler, obj->database(), bytes);
    return obj->dwgIn(&in);
}

}  // namespace arxhost
