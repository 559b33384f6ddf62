// What a primitive's traits come to when it is painted: the layer it is on
// (shown or not, plotted or not, its colour and linetype), the colour by layer
// and by block resolved, and the linetype's dashes. Looked up once per paint.
#pragma once
#include <unordered_map>
#include <vector>

#include "aci_palette.h"
#include "../gi/display_list.h"

namespace arx::render {

struct LayerStyle {
    bool shown = true;       // neither off nor frozen
    bool plottable = true;
    AcCmColor color;         // an index or a true colour
    AcDbStub* linetype = nullptr;
};

struct LinetypeStyle {
    // Dash lengths in drawing units: positive a dash, negative a gap, 0 a dot.
    // Empty for a continuous line.
    std::vector<double> dashes;
    bool byLayer = false;
    bool byBlock = false;
};

class StyleCache {
public:
    const LayerStyle& layer(AcDbStub* stub);
    const LinetypeStyle& linetype(AcDbStub* stub);
    // The colour a primitive is painted in (index 7 and by block as foreground).
    Rgb color(const gi::Traits& t, Rgb foreground);
    // The dashes a primitive is painted with: by layer gives the layer's.
    const std::vector<double>& dashes(const gi::Traits& t);

private:
    std::unordered_map<AcDbStub*, LayerStyle> mLayers;
    std::unordered_map<AcDbStub*, LinetypeStyle> mLinetypes;
};

}  // namespace arx::render
