// AcDbLinetypeTableRecord: a dash pattern, with optional text in dashes.
#include <cmath>

#include "builtin.h"
#include "dbsymtb.h"
#include "object_access.h"

ARX_DEFINE_BUILTIN(AcDbLinetypeTableRecord, AcDbSymbolTableRecord, L"LTYPE")

AcDbLinetypeTableRecord::AcDbLinetypeTableRecord() = default;
AcDbLinetypeTableRecord::~AcDbLinetypeTableRecord() = default;

Acad::ErrorStatus AcDbLinetypeTableRecord::comments(const ACHAR*& text) const
{
    assertReadEnabled();
    text = mComments.kwszPtr();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLinetypeTableRecord::setComments(const ACHAR* text)
{
    assertWriteEnabled();
    mComments = text;
    return Acad::eOk;
}

void AcDbLinetypeTableRecord::setNumDashes(int count)
{
    assertWriteEnabled();
    if (count >= 0 && count <= 12) mDashes.resize(static_cast<size_t>(count));
}

double AcDbLinetypeTableRecord::dashLengthAt(int index) const
{
    assertReadEnabled();
    return index >= 0 && index < numDashes() ? mDashes[static_cast<size_t>(index)].length : 0;
}

void AcDbLinetypeTableRecord::setDashLengthAt(int index, double value)
{
    assertWriteEnabled();
    if (index >= 0 && index < numDashes()) mDashes[static_cast<size_t>(index)].length = value;
}

const ACHAR* AcDbLinetypeTableRecord::textAt(int index) const
{
    assertReadEnabled();
    return index >= 0 && index < numDashes() ? mDashes[static_cast<size_t>(index)].text.kwszPtr() : L"";
}

void AcDbLinetypeTableRecord::setTextAt(int index, const ACHAR* text)
{
    assertWriteEnabled();
    if (index < 0 || index >= numDashes()) return;
    Dash& d = mDashes[static_cast<size_t>(index)];
    d.text = text;
    d.shapeFlags = static_cast<Adesk::Int16>(text != nullptr && *text != 0 ? (d.shapeFlags | 2) : (d.shapeFlags & ~2));
}

Acad::ErrorStatus AcDbLinetypeTableRecord::dwgOutFields(AcDbDwgFiler* filer) const
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(mComments);
    filer->writeDouble(mPatternLength);
    filer->writeBool(mScaledToFit);
    filer->writeUInt16(static_cast<Adesk::UInt16>(mDashes.size()));
    for (const Dash& d : mDashes) {
        filer->writeDouble(d.length);
        filer->writeInt16(d.shapeFlags);
        filer->writeInt16(d.shapeNumber);
        filer->writeHardPointerId(d.style);
        filer->writeDouble(d.scale);
        filer->writeDouble(d.rotation);
        filer->writeDouble(d.offsetX);
        filer->writeDouble(d.offsetY);
        filer->writeString(d.text);
    }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbLinetypeTableRecord::dwgInFields(AcDbDwgFiler* filer)
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    filer->readString(mComments);
    filer->readDouble(&mPatternLength);
    filer->readBool(&mScaledToFit);
    Adesk::UInt16 n = 0;
    if ((es = filer->readUInt16(&n)) != Acad::eOk) return es;
    if (n > 12) return Acad::eDwgObjectImproperlyRead;  // a pattern has at most 12 dashes
    std::vector<Dash> dashes(n);
    for (Dash& d : dashes) {
        AcDbHardPointerId style;
        filer->readDouble(&d.length);
        filer->readInt16(&d.shapeFlags);
        filer->readInt16(&d.shapeNumber);
        filer->readHardPointerId(&style);
        d.style = style;
        filer->readDouble(&d.scale);
        filer->readDouble(&d.rotation);
        filer->readDouble(&d.offsetX);
        filer->readDouble(&d.offsetY);
        if ((es = filer->readString(d.text)) != Acad::eOk) return es;
    }
    mDashes = std::move(dashes);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbLinetypeTableRecord::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(AcDb::kDxfSubclass, L"AcDbLinetypeTableRecord");
    filer->writeString(AcDb::kDxfSymbolTableName, mName);
    filer->writeInt16(AcDb::kDxfInt16, mFlags);
    filer->writeString(AcDb::kDxfDescription, mComments);
    filer->writeInt16(static_cast<AcDb::DxfCode>(72), mScaledToFit ? 83 : 65);  // 'S' or 'A'
    filer->writeInt16(static_cast<AcDb::DxfCode>(73), static_cast<Adesk::Int16>(mDashes.size()));
    filer->writeDouble(AcDb::kDxfReal, mPatternLength);
    for (const Dash& d : mDashes) {
        filer->writeDouble(AcDb::kDxfDashLength, d.length);
        filer->writeInt16(static_cast<AcDb::DxfCode>(74), d.shapeFlags);
        if (d.shapeFlags != 0) {
            filer->writeInt16(static_cast<AcDb::DxfCode>(75), d.shapeNumber);
            filer->writeObjectId(AcDb::kDxfHardPointerId, d.style);
            filer->writeDouble(static_cast<AcDb::DxfCode>(46), d.scale);
            filer->writeDouble(AcDb::kDxfAngle, d.rotation * 180.0 / M_PI);
            filer->writeDouble(static_cast<AcDb::DxfCode>(44), d.offsetX);
            filer->writeDouble(static_cast<AcDb::DxfCode>(45), d.offsetY);
            if ((d.shapeFlags & 2) != 0) filer->writeString(static_cast<AcDb::DxfCode>(9), d.text);
        }
    }
    arx::writeKeptGroups(filer, this, "AcDbLinetypeTableRecord");
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbLinetypeTableRecord::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    filer->atSubclassData(L"AcDbLinetypeTableRecord");
    resbuf rb;
    std::vector<Dash> dashes;
    while ((es = filer->readResBuf(&rb)) == Acad::eOk) {
        Dash* last = dashes.empty() ? nullptr : &dashes.back();
        switch (rb.restype) {
        case 2: mName = rb.resval.rstring; break;
        case 70: mFlags = rb.resval.rint; break;
        case 3: mComments = rb.resval.rstring; break;
        case 72: mScaledToFit = rb.resval.rint == 83; break;
        case 73: break;  // the count follows from the dashes
        case 40: mPatternLength = rb.resval.rreal; break;
        case 49:
            if (dashes.size() >= 12) return filer->setError(Acad::eInvalidDxfCode, L"more than 12 dashes");
            dashes.push_back(Dash{});
            dashes.back().length = rb.resval.rreal;
            break;
        case 74:
            if (last != nullptr) last->shapeFlags = rb.resval.rint;
            break;
        case 75:
            if (last != nullptr) last->shapeNumber = rb.resval.rint;
            break;
        case 340:
            if (last != nullptr) last->style = reinterpret_cast<AcDbStub*>(rb.resval.rlname[0]);
            break;
        case 46:
            if (last != nullptr) last->scale = rb.resval.rreal;
            break;
        case 50:
            if (last != nullptr) last->rotation = rb.resval.rreal * M_PI / 180.0;
            break;
        case 44:
            if (last != nullptr) last->offsetX = rb.resval.rreal;
            break;
        case 45:
            if (last != nullptr) last->offsetY = rb.resval.rreal;
            break;
        case 9:
            if (last != nullptr) last->text = rb.resval.rstring;
            break;
        default: arx::keepCurrentGroup(filer, this, "AcDbLinetypeTableRecord"); break;
        }
    }
    if (es != Acad::eEndOfFile) return es;
    mDashes = std::move(dashes);
    return filer->filerStatus();
}
