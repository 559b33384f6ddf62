// paint_pictures: draws the tag window's pictures with cairo and writes them as
// PNG files with alpha, transparent outside the shapes, for the plug-in's
// resource script to embed. The build runs it, so the pictures are made from
// this source rather than kept as binary files.
//
//   paint_pictures OUT_DIR
// writes tag_speaker.png and tag_microphone.png (36 x 36, with a close box) and
// play_0.png to play_3.png (32 x 32: all arcs lit, then the inner, middle and
// outer arc lit in turn).
#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace {

struct Rgb {
    double r, g, b;
};
constexpr Rgb kBlue{0.16, 0.42, 0.82};
constexpr Rgb kBlueEdge{0.07, 0.23, 0.52};
constexpr Rgb kWhite{1.0, 1.0, 1.0};
constexpr Rgb kLit{1.0, 0.93, 0.45};
constexpr Rgb kDark{0.10, 0.27, 0.55};
constexpr Rgb kClose{0.80, 0.16, 0.14};

void set(cairo_t* cr, Rgb c) { cairo_set_source_rgb(cr, c.r, c.g, c.b); }

void roundedSquare(cairo_t* cr, double x, double y, double size, double radius)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + size - radius, y + radius, radius, -M_PI / 2, 0);
    cairo_arc(cr, x + size - radius, y + size - radius, radius, 0, M_PI / 2);
    cairo_arc(cr, x + radius, y + size - radius, radius, M_PI / 2, M_PI);
    cairo_arc(cr, x + radius, y + radius, radius, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void tile(cairo_t* cr, double x, double y, double size)
{
    roundedSquare(cr, x + 0.5, y + 0.5, size - 1, size / 6);
    set(cr, kBlue);
    cairo_fill_preserve(cr);
    set(cr, kBlueEdge);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

// A speaker centred left in a square of the given size at (x, y); lit[i] says
// whether arc i (inner, middle, outer) is lit.
void speaker(cairo_t* cr, double x, double y, double size, const bool lit[3])
{
    const double u = size / 32;
    set(cr, kWhite);
    cairo_rectangle(cr, x + 5 * u, y + 12 * u, 5 * u, 8 * u);
    cairo_fill(cr);
    cairo_move_to(cr, x + 10 * u, y + 12 * u);
    cairo_line_to(cr, x + 16 * u, y + 7 * u);
    cairo_line_to(cr, x + 16 * u, y + 25 * u);
    cairo_line_to(cr, x + 10 * u, y + 20 * u);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_set_line_width(cr, 2 * u);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < 3; ++i) {
        set(cr, lit[i] ? kLit : kDark);
        cairo_new_sub_path(cr);
        cairo_arc(cr, x + 16 * u, y + 16 * u, (4.5 + 4 * i) * u, -M_PI / 4, M_PI / 4);
        cairo_stroke(cr);
    }
}

void microphone(cairo_t* cr, double x, double y, double size)
{
    const double u = size / 32;
    set(cr, kWhite);
    roundedSquare(cr, x + 12.5 * u, y + 6 * u, 7 * u, 3.5 * u);
    cairo_rectangle(cr, x + 12.5 * u, y + 9.5 * u, 7 * u, 7 * u);
    cairo_fill(cr);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + 16 * u, y + 16 * u, 6 * u, 0, M_PI);
    cairo_set_line_width(cr, 2 * u);
    cairo_stroke(cr);
    cairo_move_to(cr, x + 16 * u, y + 22 * u);
    cairo_line_to(cr, x + 16 * u, y + 26 * u);
    cairo_move_to(cr, x + 12 * u, y + 26.5 * u);
    cairo_line_to(cr, x + 20 * u, y + 26.5 * u);
    cairo_stroke(cr);
}

// The close box: 10 by 10 pixels with its border, in the top right corner.
void closeBox(cairo_t* cr, double size)
{
    const double x = size - 11, y = 1;
    cairo_rectangle(cr, x + 0.5, y + 0.5, 9, 9);
    set(cr, kClose);
    cairo_fill_preserve(cr);
    set(cr, kWhite);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_move_to(cr, x + 3, y + 3);
    cairo_line_to(cr, x + 7, y + 7);
    cairo_move_to(cr, x + 7, y + 3);
    cairo_line_to(cr, x + 3, y + 7);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

template <class Paint>
bool write(const std::string& dir, const char* name, int size, Paint paint)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(surface);
    paint(cr);
    cairo_destroy(cr);
    const std::string path = dir + "/" + name;
    cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "paint_pictures: %s: %s\n", path.c_str(), cairo_status_to_string(status));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: paint_pictures OUT_DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    const bool all[3] = {true, true, true};
    bool ok = write(dir, "tag_speaker.png", 36, [&](cairo_t* cr) {
        tile(cr, 0, 0, 36);
        speaker(cr, 2, 2, 32, all);
        closeBox(cr, 36);
    });
    ok = write(dir, "tag_microphone.png", 36, [&](cairo_t* cr) {
             tile(cr, 0, 0, 36);
             microphone(cr, 2, 2, 32);
             closeBox(cr, 36);
         }) && ok;
    ok = write(dir, "play_0.png", 32, [&](cairo_t* cr) {
             tile(cr, 0, 0, 32);
             speaker(cr, 0, 0, 32, all);
         }) && ok;
    for (int lit = 0; lit < 3; ++lit) {
        const bool arcs[3] = {lit == 0, lit == 1, lit == 2};
        const std::string name = "play_" + std::to_string(lit + 1) + ".png";
        ok = write(dir, name.c_str(), 32, [&](cairo_t* cr) {
                 tile(cr, 0, 0, 32);
                 speaker(cr, 0, 0, 32, arcs);
             }) && ok;
    }
    return ok ? 0 : 1;
}
