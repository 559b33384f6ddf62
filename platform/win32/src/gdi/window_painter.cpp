// Paints dialogs and their controls as the screen shows them, for snapshots:
// the frame and caption, then each visible child bottom first (push buttons,
// static text, list views in report view with their columns, rows, selection and
// grid lines). A control paints from what its own messages answer, so the picture
// is what the control holds, not what the dialog believes it holds. Text is
// DejaVu Sans at 11 pixels, the height of "MS Shell Dlg" 8 at 96 dots per inch.
#include "gdi/window_painter.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "commctrl.h"
#include "core/utf8.h"
#include "core/wide_case.h"
#include "user/window.h"
#include "user/window_class.h"

namespace win32::gdi {
namespace {

using win32::user::Window;

constexpr double kFontSize = 11.0;
constexpr int kHeaderHeight = 24;  // the list view's header and rows, as the control lays them out
constexpr int kRowHeight = 17;
constexpr int kCellPadding = 6;

struct Rgb {
    double r, g, b;
};
constexpr Rgb kFace{240 / 255.0, 240 / 255.0, 240 / 255.0};
constexpr Rgb kText{0, 0, 0};
constexpr Rgb kGreyText{160 / 255.0, 160 / 255.0, 160 / 255.0};
constexpr Rgb kCaptionActive{0, 120 / 255.0, 215 / 255.0};
constexpr Rgb kCaptionInactive{205 / 255.0, 205 / 255.0, 205 / 255.0};
constexpr Rgb kButtonFace{225 / 255.0, 225 / 255.0, 225 / 255.0};
constexpr Rgb kButtonBorder{173 / 255.0, 173 / 255.0, 173 / 255.0};
constexpr Rgb kDisabledBorder{191 / 255.0, 191 / 255.0, 191 / 255.0};
constexpr Rgb kListBorder{130 / 255.0, 135 / 255.0, 144 / 255.0};
constexpr Rgb kGrid{229 / 255.0, 229 / 255.0, 229 / 255.0};
constexpr Rgb kSelected{204 / 255.0, 232 / 255.0, 255 / 255.0};
constexpr Rgb kSelectedBorder{153 / 255.0, 209 / 255.0, 255 / 255.0};

void setColour(cairo_t* cr, Rgb c) { cairo_set_source_rgb(cr, c.r, c.g, c.b); }

void fill(cairo_t* cr, RECT r, Rgb c)
{
    setColour(cr, c);
    cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
    cairo_fill(cr);
}

// A one-pixel outline just inside r.
void outline(cairo_t* cr, RECT r, Rgb c, double width = 1)
{
    setColour(cr, c);
    cairo_set_line_width(cr, width);
    cairo_rectangle(cr, r.left + width / 2, r.top + width / 2, r.right - r.left - width, r.bottom - r.top - width);
    cairo_stroke(cr);
}

void hline(cairo_t* cr, int x0, int x1, int y, Rgb c)
{
    fill(cr, RECT{x0, y, x1, y + 1}, c);
}

void vline(cairo_t* cr, int x, int y0, int y1, Rgb c)
{
    fill(cr, RECT{x, y0, x + 1, y1}, c);
}

// A button's caption as shown: "&&" is an ampersand, a single "&" marks the
// mnemonic and is not drawn.
std::wstring withoutMnemonic(const std::wstring& text)
{
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&') {
            if (i + 1 < text.size() && text[i + 1] == L'&') out += L'&', ++i;
            continue;
        }
        out += text[i];
    }
    return out;
}

enum class Align { kLeft, kCentre };

// Text in a box, vertically centred, clipped to the box.
void text(cairo_t* cr, const std::wstring& s, RECT box, Align align, Rgb c, bool bold = false)
{
    if (s.empty() || box.right <= box.left || box.bottom <= box.top) return;
    const std::string utf8 = win32::narrow(s);
    cairo_save(cr);
    cairo_rectangle(cr, box.left, box.top, box.right - box.left, box.bottom - box.top);
    cairo_clip(cr);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, kFontSize);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, utf8.c_str(), &ext);
    cairo_font_extents_t font;
    cairo_font_extents(cr, &font);
    double x = align == Align::kCentre ? box.left + (box.right - box.left - ext.x_advance) / 2 : box.left;
    double y = box.top + (box.bottom - box.top + font.ascent - font.descent) / 2;
    setColour(cr, c);
    cairo_move_to(cr, std::floor(x), std::floor(y));
    cairo_show_text(cr, utf8.c_str());
    cairo_restore(cr);
}

bool sameClassName(const std::wstring& a, const wchar_t* b)
{
    const std::wstring other(b);
    if (a.size() != other.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (win32::lowerCase(a[i]) != win32::lowerCase(other[i])) return false;
    return true;
}

bool classIs(const Window* w, const wchar_t* name)
{
    return w->wndClass != nullptr && sameClassName(w->wndClass->name, name);
}

void paintButton(cairo_t* cr, const Window* w, RECT r)
{
    const bool enabled = win32::user::reallyEnabled(w);
    const DWORD type = w->style & BS_TYPEMASK;
    fill(cr, r, kButtonFace);
    if (!enabled) {
        outline(cr, r, kDisabledBorder);
    } else if (type == BS_DEFPUSHBUTTON) {
        outline(cr, r, kCaptionActive, 2);
    } else {
        outline(cr, r, kButtonBorder);
    }
    text(cr, withoutMnemonic(w->text), r, Align::kCentre, enabled ? kText : kGreyText);
}

void paintStatic(cairo_t* cr, const Window* w, RECT r)
{
    text(cr, withoutMnemonic(w->text), r, Align::kLeft, win32::user::reallyEnabled(w) ? kText : kGreyText);
}

std::wstring columnTitle(HWND h, int index, int& width, bool& exists)
{
    wchar_t buffer[256] = {};
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH;
    col.pszText = buffer;
    col.cchTextMax = 256;
    exists = SendMessageW(h, LVM_GETCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&col)) != 0;
    width = exists ? col.cx : 0;
    return exists ? std::wstring(buffer) : std::wstring();
}

std::wstring cellText(HWND h, int row, int sub)
{
    std::vector<wchar_t> buffer(1024);
    LVITEMW item{};
    item.iSubItem = sub;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    SendMessageW(h, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return std::wstring(buffer.data());
}

// Report view: header with the column titles, one row per item, the selected rows
// highlighted (across the row with full-row selection, else in the first column),
// grid lines between cells when the extended style asks for them.
void paintListView(cairo_t* cr, const Window* w, RECT r)
{
    HWND h = w->handle;
    fill(cr, r, Rgb{1, 1, 1});
    if (w->style & WS_BORDER) outline(cr, r, kListBorder);
    const int inset = (w->style & WS_BORDER) ? 1 : 0;
    RECT inner{r.left + inset, r.top + inset, r.right - inset, r.bottom - inset};
    cairo_save(cr);
    cairo_rectangle(cr, inner.left, inner.top, inner.right - inner.left, inner.bottom - inner.top);
    cairo_clip(cr);
    std::vector<std::pair<int, int>> columns;  // left edge and width
    std::vector<std::wstring> titles;
    int x = inner.left;
    for (int i = 0; i < 256; ++i) {
        bool exists = false;
        int width = 0;
        std::wstring title = columnTitle(h, i, width, exists);
        if (!exists) break;
        columns.emplace_back(x, width);
        titles.push_back(title);
        x += width;
    }
    const int headerHeight = (w->style & LVS_NOCOLUMNHEADER) ? 0 : kHeaderHeight;
    if (headerHeight > 0) {
        for (size_t c = 0; c < columns.size(); ++c) {
            RECT cell{columns[c].first, inner.top, columns[c].first + columns[c].second, inner.top + headerHeight};
            text(cr, titles[c], RECT{cell.left + kCellPadding, cell.top, cell.right - kCellPadding, cell.bottom},
                 Align::kLeft, kText);
            vline(cr, cell.right - 1, cell.top + 3, cell.bottom - 3, kGrid);
        }
        hline(cr, inner.left, inner.right, inner.top + headerHeight - 1, kGrid);
    }
    const DWORD ex = static_cast<DWORD>(SendMessageW(h, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    const int rows = static_cast<int>(SendMessageW(h, LVM_GETITEMCOUNT, 0, 0));
    const int top = inner.top + headerHeight;
    const int rightEdge = columns.empty() ? inner.left : columns.back().first + columns.back().second;
    for (int row = 0; row < rows; ++row) {
        const int y = top + row * kRowHeight;
        if (y >= inner.bottom) break;
        const UINT state = static_cast<UINT>(SendMessageW(h, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED));
        if ((state & LVIS_SELECTED) && !columns.empty()) {
            const int right = (ex & LVS_EX_FULLROWSELECT) ? rightEdge : columns[0].first + columns[0].second;
            RECT band{inner.left, y, right, y + kRowHeight};
            fill(cr, band, kSelected);
            outline(cr, band, kSelectedBorder);
        }
        for (size_t c = 0; c < columns.size(); ++c) {
            RECT cell{columns[c].first + kCellPadding, y, columns[c].first + columns[c].second - kCellPadding,
                      y + kRowHeight};
            text(cr, cellText(h, row, static_cast<int>(c)), cell, Align::kLeft, kText);
        }
    }
    if (ex & LVS_EX_GRIDLINES) {
        // Grid lines fill the whole client area below the header, rows or not.
        for (int y = top + kRowHeight - 1; y < inner.bottom; y += kRowHeight) hline(cr, inner.left, inner.right, y, kGrid);
        for (const auto& [left, width] : columns) vline(cr, left + width - 1, top, inner.bottom, kGrid);
    }
    cairo_restore(cr);
}

void paintChildren(cairo_t* cr, const Window* parent)
{
    // Children are kept topmost first: paint from the bottom up.
    for (auto it = parent->children.rbegin(); it != parent->children.rend(); ++it) {
        const Window* c = *it;
        if (!(c->style & WS_VISIBLE)) continue;  // hidden controls are not drawn
        RECT r = win32::user::windowRectOnScreen(c);
        if (classIs(c, L"Button")) paintButton(cr, c, r);
        else if (classIs(c, L"Static")) paintStatic(cr, c, r);
        else if (classIs(c, WC_LISTVIEWW)) paintListView(cr, c, r);
        else continue;  // a class this painter does not know shows nothing
        paintChildren(cr, c);
    }
}

}  // namespace

bool paintsAsDialog(const Window* w) { return w->dialog != nullptr && !(w->exStyle & WS_EX_LAYERED); }

void paintDialog(cairo_t* cr, const Window* w)
{
    RECT r = win32::user::windowRectOnScreen(w);
    RECT client = win32::user::clientRectOnScreen(w);
    cairo_save(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    // Frame, then the caption band between the frame's top edge and the client area.
    fill(cr, r, kFace);
    const bool active = GetActiveWindow() == w->handle;
    outline(cr, r, active ? kCaptionActive : kButtonBorder);
    if ((w->style & WS_CAPTION) == WS_CAPTION) {
        RECT band{r.left + 1, r.top + 1, r.right - 1, client.top};
        fill(cr, band, active ? kCaptionActive : kCaptionInactive);
        const Rgb captionText = active ? Rgb{1, 1, 1} : kText;
        RECT title{band.left + 8, band.top, band.right - 40, band.bottom};
        text(cr, w->text, title, Align::kLeft, captionText);
        if (w->style & WS_SYSMENU) {
            RECT close{band.right - 30, band.top, band.right, band.bottom};
            text(cr, L"\u00d7", close, Align::kCentre, captionText, true);
        }
    }
    fill(cr, client, kFace);
    cairo_restore(cr);
    cairo_save(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_rectangle(cr, client.left, client.top, client.right - client.left, client.bottom - client.top);
    cairo_clip(cr);
    paintChildren(cr, w);
    cairo_restore(cr);
}

}  // namespace win32::gdi
