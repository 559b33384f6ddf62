// Painting display lists (see painter.h). Consecutive strokes of one colour and
// one dash pattern are gathered into one path, so a drawing of many lines costs
// one stroke per run rather than one per line; a fill or a text in between ends
// the run, so what is drawn later still lies on top.
#include "painter.h"

#include <algorithm>
#include <cmath>

#include "styles.h"
#include "text_font.h"
#include "../core/utf.h"
#include "../gi/tessellate.h"

namespace arx::render {

namespace {

struct StrokeStyle {
    Rgb color;
    std::vector<double> dashes;  // pixels, alternating on and off, starting on
    double offset = 0;
    bool operator==(const StrokeStyle& o) const { return color == o.color && dashes == o.dashes && offset == o.offset; }
};

class Painter {
public:
    Painter(cairo_t* cr, const Frame& f, const Options& o) : mCr(cr), mFrame(f), mOptions(o)
    {
        mScale = f.height / f.viewHeight;
        mForeground = foregroundColor(o);
        double halfW = f.width / 2.0 / mScale, halfH = f.height / 2.0 / mScale;
        // A margin of a few pixels, for wide and dashed strokes at the edge.
        double margin = 8 / mScale;
        mView[0] = f.centerX - halfW - margin;
        mView[1] = f.centerY - halfH - margin;
        mView[2] = f.centerX + halfW + margin;
        mView[3] = f.centerY + halfH + margin;
    }

    void paintItem(const Item& item)
    {
        const gi::DisplayList& l = *item.list;
        if (l.empty() || !l.extents.isValid()) return;
        const AcDbExtents& e = l.extents;
        if (e.maxPoint().x < mView[0] || e.minPoint().x > mView[2] || e.maxPoint().y < mView[1] ||
            e.minPoint().y > mView[3])
            return;
        for (const gi::Primitive& p : l.prims) paintPrimitive(l, p, item.highlighted);
    }

    void finish() { flush(); }

private:
    double px(const AcGePoint3d& w) const { return mFrame.width / 2.0 + (w.x - mFrame.centerX) * mScale + 0.5; }
    double py(const AcGePoint3d& w) const { return mFrame.height / 2.0 - (w.y - mFrame.centerY) * mScale + 0.5; }

    void paintPrimitive(const gi::DisplayList& l, const gi::Primitive& p, bool highlighted)
    {
        const gi::Traits& t = l.traits[p.traits];
        const LayerStyle& layer = mStyles.layer(t.layer);
        if (!layer.shown || (mOptions.plot && !layer.plottable)) return;
        StrokeStyle style;
        style.color = mStyles.color(t, mForeground);
        if (highlighted) {
            style.dashes = {kHighlightDash, kHighlightGap};
        } else {
            dashPattern(mStyles.dashes(t), t.linetypeScale, style);
        }
        if (p.kind == gi::Kind::kText) {
            flush();
            paintText(l, p, style.color);
            return;
        }
        if (p.kind == gi::Kind::kPolyline) {
            // The common case, straight from the points.
            use(style);
            const AcGePoint3d* pts = &l.points[p.first];
            if (p.count == 1) {
                dot(pts[0]);
                return;
            }
            cairo_move_to(mCr, px(pts[0]), py(pts[0]));
            for (std::uint32_t i = 1; i < p.count; ++i) cairo_line_to(mCr, px(pts[i]), py(pts[i]));
            mPending = true;
            return;
        }
        bool chainOpen = false;
        AcGePoint3d last;
        gi::forEachPiece(l, p, mScale, [&](const gi::Piece& piece) {
            if (!piece.outline.empty()) {
                chainOpen = false;
                fill(piece.outline, style.color);
                return;
            }
            if (piece.halfWidth * 2 * mScale >= 1.5) {
                chainOpen = false;
                fillWide(piece, style.color);
                return;
            }
            use(style);
            if (piece.a.isEqualTo(piece.b) && !chainOpen) {
                dot(piece.a);
                return;
            }
            if (!chainOpen || !last.isEqualTo(piece.a)) cairo_move_to(mCr, px(piece.a), py(piece.a));
            cairo_line_to(mCr, px(piece.b), py(piece.b));
            mPending = true;
            chainOpen = true;
            last = piece.b;
        });
    }

    // Linetype dashes in pixels. A pattern denser than a few pixels, or one
    // without gaps, is drawn continuous, as the host does.
    void dashPattern(const std::vector<double>& dashes, double entityScale, StrokeStyle& style)
    {
        if (dashes.empty()) return;
        const double k = mOptions.ltscale * entityScale * mScale;
        std::vector<std::pair<double, bool>> parts;  // length, is a gap
        double total = 0;
        for (double d : dashes) {
            const bool gap = d < 0;
            double len = std::fabs(d) * k;
            if (!gap && len < 1) len = 1;  // a dot is one pixel
            parts.emplace_back(len, gap);
            total += len;
        }
        size_t first = 0;
        double lead = 0;
        while (first < parts.size() && parts[first].second) lead += parts[first++].first;
        if (!(total >= 3) || first == parts.size() || !std::isfinite(total)) return;
        // cairo's patterns begin with a dash: start at the first dash, and let
        // the stroke begin as far into the pattern as the leading gaps reach.
        std::rotate(parts.begin(), parts.begin() + static_cast<long>(first), parts.end());
        double offset = std::fmod(total - lead, total);
        std::vector<double> on;
        for (const auto& [len, gap] : parts) {
            if (on.empty() || gap == (on.size() % 2 == 1))
                on.push_back(len);
            else
                on.back() += len;
        }
        if (on.size() % 2 == 1 && on.size() > 1) {
            // It ends with a dash that runs on into the first one.
            double tail = on.back();
            on.pop_back();
            on.front() += tail;
            offset = std::fmod(offset + tail, total);
        }
        if (on.size() < 2) return;
        style.dashes = std::move(on);
        style.offset = offset;
    }

    void use(const StrokeStyle& style)
    {
        if (mHaveStyle && style == mStyle) return;
        flush();
        mStyle = style;
        mHaveStyle = true;
    }

    void flush()
    {
        if (!mPending) return;
        cairo_set_source_rgb(mCr, mStyle.color.r / 255.0, mStyle.color.g / 255.0, mStyle.color.b / 255.0);
        cairo_set_line_width(mCr, 1.0);
        if (mStyle.dashes.empty())
            cairo_set_dash(mCr, nullptr, 0, 0);
        else
            cairo_set_dash(mCr, mStyle.dashes.data(), static_cast<int>(mStyle.dashes.size()), mStyle.offset);
        cairo_stroke(mCr);
        mPending = false;
    }

    void setColor(Rgb c) { cairo_set_source_rgb(mCr, c.r / 255.0, c.g / 255.0, c.b / 255.0); }

    void dot(const AcGePoint3d& w)
    {
        flush();
        setColor(mStyle.color);
        cairo_rectangle(mCr, std::floor(px(w)), std::floor(py(w)), 1, 1);
        cairo_fill(mCr);
    }

    void fill(const std::vector<AcGePoint3d>& outline, Rgb color)
    {
        flush();
        setColor(color);
        cairo_move_to(mCr, px(outline[0]), py(outline[0]));
        for (size_t i = 1; i < outline.size(); ++i) cairo_line_to(mCr, px(outline[i]), py(outline[i]));
        cairo_close_path(mCr);
        cairo_set_fill_rule(mCr, CAIRO_FILL_RULE_WINDING);
        cairo_fill(mCr);
    }

    // A lone wide point is a disc; a wide hairline piece a filled band.
    void fillWide(const gi::Piece& piece, Rgb color)
    {
        flush();
        setColor(color);
        double w = piece.halfWidth * mScale;
        if (piece.a.isEqualTo(piece.b)) {
            cairo_arc(mCr, px(piece.a), py(piece.a), w, 0, 2 * M_PI);
        } else {
            double ax = px(piece.a), ay = py(piece.a), bx = px(piece.b), by = py(piece.b);
            double dx = bx - ax, dy = by - ay, len = std::hypot(dx, dy);
            double nx = -dy / len * w, ny = dx / len * w;
            cairo_move_to(mCr, ax + nx, ay + ny);
            cairo_line_to(mCr, bx + nx, by + ny);
            cairo_line_to(mCr, bx - nx, by - ny);
            cairo_line_to(mCr, ax - nx, ay - ny);
            cairo_close_path(mCr);
        }
        cairo_fill(mCr);
    }

    void paintText(const gi::DisplayList& l, const gi::Primitive& p, Rgb color)
    {
        const double* n = &l.numbers[p.first];
        AcGePoint3d pos(n[0], n[1], n[2]);
        AcGeVector3d normal(n[3], n[4], n[5]), dir(n[6], n[7], n[8]);
        double height = n[9], width = n[10], oblique = n[11];
        double heightPx = height * mScale;
        if (heightPx < 1) return;  // too small to show a letter
        AcGeVector3d up = normal.crossProduct(dir).normal();
        // Directions on the screen (y runs down).
        double dx = dir.x, dy = -dir.y, ux = up.x, uy = -up.y;
        double size = heightPx / capHeightRatio();
        double slant = std::tan(oblique);
        cairo_matrix_t m;
        // Font space x runs along the text, y down the letters.
        cairo_matrix_init(&m, dx * size * width, dy * size * width, -ux * size - dx * size * width * slant,
                          -uy * size - dy * size * width * slant, 0, 0);
        cairo_save(mCr);
        cairo_set_antialias(mCr, CAIRO_ANTIALIAS_GRAY);
        selectTextFont(mCr);
        cairo_set_font_matrix(mCr, &m);
        setColor(color);
        cairo_move_to(mCr, px(pos), py(pos));
        std::string utf8 = toUtf8(l.textOf(p));
        cairo_show_text(mCr, utf8.c_str());
        cairo_new_path(mCr);
        cairo_restore(mCr);
    }

    cairo_t* mCr;
    Frame mFrame;
    Options mOptions;
    double mScale = 1;
    double mView[4] = {0, 0, 0, 0};
    Rgb mForeground;
    StyleCache mStyles;
    StrokeStyle mStyle;
    bool mHaveStyle = false;
    bool mPending = false;
};

}  // namespace

Rgb backgroundColor(const Options& options)
{
    return options.lightBackground || options.plot ? Rgb{255, 255, 255} : Rgb{33, 40, 48};
}

Rgb foregroundColor(const Options& options)
{
    return options.lightBackground || options.plot ? Rgb{0, 0, 0} : Rgb{255, 255, 255};
}

void paint(cairo_t* cr, const Frame& frame, const std::vector<Item>& items, const Options& options)
{
    cairo_save(cr);
    Rgb bg = backgroundColor(options);
    cairo_set_source_rgb(cr, bg.r / 255.0, bg.g / 255.0, bg.b / 255.0);
    cairo_paint(cr);
    if (frame.width > 0 && frame.height > 0 && frame.viewHeight > 0) {
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
        Painter painter(cr, frame, options);
        for (const Item& item : items) painter.paintItem(item);
        painter.finish();
    }
    cairo_restore(cr);
}

}  // namespace arx::render
