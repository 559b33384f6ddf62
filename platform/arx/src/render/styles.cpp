// Resolving traits for painting (see styles.h). Records are opened for read the
// first time a paint meets them.
#include "styles.h"

#include "dbsymtb.h"

namespace arx::render {

namespace {
const std::vector<double> kContinuous;

Rgb colorOf(const AcCmColor& c, Rgb foreground)
{
    if (c.isByColor()) return Rgb{c.red(), c.green(), c.blue()};
    Adesk::UInt16 index = c.colorIndex();
    if (index == 7 || index == 0 || index > 255) return foreground;
    return aciColor(index);
}
}  // namespace

const LayerStyle& StyleCache::layer(AcDbStub* stub)
{
    auto it = mLayers.find(stub);
    if (it != mLayers.end()) return it->second;
    LayerStyle style;
    style.color.setColorIndex(7);
    AcDbLayerTableRecord* rec = nullptr;
    if (stub != nullptr && acdbOpenObject(rec, AcDbObjectId(stub), AcDb::kForRead) == Acad::eOk) {
        style.shown = !rec->isOff() && !rec->isFrozen();
        style.plottable = rec->isPlottable();
        style.color = rec->color();
        style.linetype = rec->linetypeObjectId();
        rec->close();
    }
    return mLayers.emplace(stub, style).first->second;
}

const LinetypeStyle& StyleCache::linetype(AcDbStub* stub)
{
    auto it = mLinetypes.find(stub);
    if (it != mLinetypes.end()) return it->second;
    LinetypeStyle style;
    AcDbLinetypeTableRecord* rec = nullptr;
    if (stub != nullptr && acdbOpenObject(rec, AcDbObjectId(stub), AcDb::kForRead) == Acad::eOk) {
        AcString name;
        rec->getName(name);
        if (name.compareNoCase(L"ByLayer") == 0)
            style.byLayer = true;
        else if (name.compareNoCase(L"ByBlock") == 0)
            style.byBlock = true;
        else
            for (int i = 0; i < rec->numDashes(); ++i) style.dashes.push_back(rec->dashLengthAt(i));
        rec->close();
    }
    return mLinetypes.emplace(stub, style).first->second;
}

Rgb StyleCache::color(const gi::Traits& t, Rgb foreground)
{
    if (t.color.isByLayer()) return colorOf(layer(t.layer).color, foreground);
    if (t.color.isByBlock()) return foreground;
    if (t.color.isByColor()) return Rgb{t.color.red(), t.color.green(), t.color.blue()};
    int index = t.color.colorIndex();
    if (index == 7 || index <= 0 || index > 255) return foreground;
    return aciColor(index);
}

const std::vector<double>& StyleCache::dashes(const gi::Traits& t)
{
    if (t.linetype == nullptr) return kContinuous;
    const LinetypeStyle& lt = linetype(t.linetype);
    if (lt.byLayer) {
        AcDbStub* layerLt = layer(t.layer).linetype;
        if (layerLt == nullptr) return kContinuous;
        const LinetypeStyle& l2 = linetype(layerLt);
        return l2.byLayer || l2.byBlock ? kContinuous : l2.dashes;
    }
    if (lt.byBlock) return kContinuous;
    return lt.dashes;
}

}  // namespace arx::render
