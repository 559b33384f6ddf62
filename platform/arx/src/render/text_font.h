// The font text is painted in (DejaVu Sans), and how tall its capital letters
// are for a font size of one.
#pragma once
#include <cairo.h>

namespace arx::render {
void selectTextFont(cairo_t* cr);
double capHeightRatio();
}  // namespace arx::render
