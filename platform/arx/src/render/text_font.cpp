// DejaVu Sans, through fontconfig (see text_font.h). Text heights in a drawing
// are the height of capital letters, so the font size is the height divided by
// the font's capital height.
#include "text_font.h"

namespace arx::render {

void selectTextFont(cairo_t* cr)
{
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
}

double capHeightRatio()
{
    static const double kRatio = [] {
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_A8, 4, 4);
        cairo_t* cr = cairo_create(s);
        selectTextFont(cr);
        cairo_set_font_size(cr, 1000);
        cairo_text_extents_t e;
        cairo_text_extents(cr, "H", &e);
        cairo_destroy(cr);
        cairo_surface_destroy(s);
        // DejaVu Sans's capitals stand 0.729 of its size; keep that if the font
        // could not be measured.
        return e.height > 0 ? e.height / 1000.0 : 0.729;
    }();
    return kRatio;
}

}  // namespace arx::render
