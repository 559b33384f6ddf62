// Painting a document's view: the screen (the display lists of the space
// shown, highlighted entities dashed) and the plot (the same area drawn afresh
// for a plot, on white).
#pragma once
#include <cairo.h>

#include <string>

#include "doc_view.h"

namespace arx {

// Paints the view onto cr, whose surface has the view's size.
void paintDocView(DocView& view, cairo_t* cr);
// The view as a PNG file of exactly the view's pixels.
bool writeViewPng(DocView& view, const std::wstring& path, std::string& error);
// Plots the view's area: PDF for ".pdf" (a point a pixel), PNG for ".png".
bool plotView(DocView& view, const std::wstring& path, std::string& error);

}  // namespace arx
