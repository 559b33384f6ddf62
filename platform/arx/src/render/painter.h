// Painting display lists with cairo: the view's area of the drawing into a
// surface of the view's size, one pixel per pixel of the view. Strokes are one
// pixel wide and not smoothed, as the host draws them; linetype dashes are the
// linetype's lengths times LTSCALE times the entity's linetype scale; filled
// areas and wide polylines are filled; text is set in DejaVu Sans with its
// capital letters as tall as the text height. Highlighted entities are drawn
// dashed.
#pragma once
#include <cairo.h>

#include <vector>

#include "aci_palette.h"
#include "../gi/display_list.h"

namespace arx::render {

struct Frame {
    int width = 0;
    int height = 0;
    double centerX = 0;
    double centerY = 0;
    double viewHeight = 1;
};

struct Item {
    const gi::DisplayList* list = nullptr;
    bool highlighted = false;
};

struct Options {
    bool plot = false;             // leave out layers that are not plotted
    bool lightBackground = false;  // paper: white, with colour 7 black
    double ltscale = 1.0;
};

Rgb backgroundColor(const Options& options);
Rgb foregroundColor(const Options& options);

// Paints the background and then the items in order (later ones on top).
void paint(cairo_t* cr, const Frame& frame, const std::vector<Item>& items, const Options& options);

// The dash pattern of a highlighted entity, in pixels.
inline constexpr double kHighlightDash = 6.0;
inline constexpr double kHighlightGap = 4.0;

}  // namespace arx::render
