// The colour index palette for painting: the database's one table
// (acdbColorIndexToRGB), as the renderer's channels.
#include "aci_palette.h"

#include "dbcolor.h"

namespace arx::render {

Rgb aciColor(int index)
{
    Adesk::UInt32 rgb = acdbColorIndexToRGB(static_cast<Adesk::UInt16>(index < 0 || index > 255 ? 7 : index));
    return Rgb{static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8), static_cast<std::uint8_t>(rgb)};
}

}  // namespace arx::render
