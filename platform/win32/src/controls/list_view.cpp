// The "SysListView32" class in report view: columns, rows with a text per column,
// selection and focus states, extended styles, and the mouse: a press selects the
// row under it (with Ctrl it toggles, with Shift it extends from the focused row;
// on empty space it clears the selection of a multiple-selection list) and the
// release tells the parent with NM_CLICK. Rows are 17 pixels high below a 24-pixel
// header, the sizes of a list in "MS Shell Dlg" 8.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "commctrl.h"
#include "controls/controls.h"
#include "core/wide_case.h"
#include "user/window_class.h"

namespace win32::controls {
namespace {

constexpr int kHeaderHeight = 24;
constexpr int kRowHeight = 17;

struct Column {
    int fmt = LVCFMT_LEFT;
    int cx = 0;
    std::wstring text;
    int subItem = 0;
};

struct Row {
    std::vector<std::wstring> texts;  // by sub-item; missing ones are empty
    UINT state = 0;
    LPARAM lParam = 0;
};

struct ListView {
    std::vector<Column> columns;
    std::vector<Row> rows;
    DWORD exStyle = 0;
    int pressedRow = -2;  // -2: no press pending
    POINT pressedAt{};
};

ListView* list(HWND h) { return reinterpret_cast<ListView*>(GetWindowLongPtrW(h, 0)); }

bool singleSelection(HWND h) { return (GetWindowLongPtrW(h, GWL_STYLE) & LVS_SINGLESEL) != 0; }

int headerHeight(HWND h)
{
    return (GetWindowLongPtrW(h, GWL_STYLE) & LVS_NOCOLUMNHEADER) ? 0 : kHeaderHeight;
}

const std::wstring& textOf(const Row& r, int sub)
{
    static const std::wstring empty;
    return sub >= 0 && static_cast<size_t>(sub) < r.texts.size() ? r.texts[static_cast<size_t>(sub)] : empty;
}

void setText(Row& r, int sub, LPCWSTR text)
{
    if (sub < 0) return;
    if (r.texts.size() <= static_cast<size_t>(sub)) r.texts.resize(static_cast<size_t>(sub) + 1);
    r.texts[static_cast<size_t>(sub)] = text ? text : L"";
}

int copyOut(const std::wstring& text, LPWSTR buffer, int size)
{
    if (buffer == nullptr || size <= 0) return 0;
    int n = std::min<int>(static_cast<int>(text.size()), size - 1);
    std::memcpy(buffer, text.data(), static_cast<size_t>(n) * sizeof(wchar_t));
    buffer[n] = 0;
    return n;
}

// Applies state bits to a row, keeping one focused row, and one selected row in a
// single-selection list.
void applyState(HWND h, ListView* lv, int index, UINT state, UINT mask)
{
    Row& r = lv->rows[static_cast<size_t>(index)];
    if ((mask & LVIS_SELECTED) && (state & LVIS_SELECTED) && singleSelection(h))
        for (Row& o : lv->rows) o.state &= ~LVIS_SELECTED;
    if ((mask & LVIS_FOCUSED) && (state & LVIS_FOCUSED))
        for (Row& o : lv->rows) o.state &= ~LVIS_FOCUSED;
    r.state = (r.state & ~mask) | (state & mask);
}

int rowAt(HWND h, ListView* lv, POINT p)
{
    int top = headerHeight(h);
    if (p.y < top || p.x < 0) return -1;
    int index = (p.y - top) / kRowHeight;
    return index < static_cast<int>(lv->rows.size()) ? index : -1;
}

int columnAt(ListView* lv, int x)
{
    int left = 0;
    for (size_t i = 0; i < lv->columns.size(); ++i) {
        if (x >= left && x < left + lv->columns[i].cx) return static_cast<int>(i);
        left += lv->columns[i].cx;
    }
    return 0;
}

int insertItem(HWND h, ListView* lv, const LVITEMW* item)
{
    if (item == nullptr || item->iSubItem != 0 || item->iItem < 0) return -1;
    if ((item->mask & LVIF_TEXT) && item->pszText == LPSTR_TEXTCALLBACKW) return -1;  // no text callbacks here
    Row r;
    if (item->mask & LVIF_TEXT) setText(r, 0, item->pszText);
    if (item->mask & LVIF_PARAM) r.lParam = item->lParam;
    size_t at = std::min(static_cast<size_t>(item->iItem), lv->rows.size());
    LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
    if (style & (LVS_SORTASCENDING | LVS_SORTDESCENDING)) {
        auto less = [&](const Row& a) {
            int c = 0;
            const std::wstring& x = textOf(a, 0);
            const std::wstring& y = textOf(r, 0);
            for (size_t i = 0; c == 0 && i < std::min(x.size(), y.size()); ++i)
                c = static_cast<int>(upperCase(x[i])) - static_cast<int>(upperCase(y[i]));
            if (c == 0) c = static_cast<int>(x.size()) - static_cast<int>(y.size());
            return (style & LVS_SORTASCENDING) ? c <= 0 : c >= 0;
        };
        at = 0;
        while (at < lv->rows.size() && less(lv->rows[at])) ++at;
    }
    lv->rows.insert(lv->rows.begin() + static_cast<long>(at), std::move(r));
    if (item->mask & LVIF_STATE) applyState(h, lv, static_cast<int>(at), item->state, item->stateMask);
    return static_cast<int>(at);
}

bool validRow(ListView* lv, WPARAM index) { return static_cast<size_t>(index) < lv->rows.size(); }

LRESULT getNextItem(ListView* lv, int start, UINT flags)
{
    UINT want = flags & (LVNI_SELECTED | LVNI_FOCUSED | LVNI_CUT | LVNI_DROPHILITED);
    int n = static_cast<int>(lv->rows.size());
    auto matches = [&](int i) { return (lv->rows[static_cast<size_t>(i)].state & want) == want; };
    if (flags & LVNI_ABOVE) {
        for (int i = (start < 0 ? n : start) - 1; i >= 0; --i)
            if (matches(i)) return i;
        return -1;
    }
    for (int i = start + 1; i < n; ++i)
        if (i >= 0 && matches(i)) return i;
    return -1;
}

void pressed(HWND h, ListView* lv, POINT p, WPARAM keys)
{
    SetFocus(h);
    SetCapture(h);  // the release belongs to the list wherever it happens
    int row = rowAt(h, lv, p);
    lv->pressedRow = row;
    lv->pressedAt = p;
    if (row < 0) {
        if (!singleSelection(h) || !(keys & MK_CONTROL))
            for (Row& r : lv->rows) r.state &= ~LVIS_SELECTED;
        return;
    }
    bool multi = !singleSelection(h);
    if (multi && (keys & MK_CONTROL)) {
        Row& r = lv->rows[static_cast<size_t>(row)];
        applyState(h, lv, row, (r.state & LVIS_SELECTED) ? 0 : LVIS_SELECTED, LVIS_SELECTED);
        applyState(h, lv, row, LVIS_FOCUSED, LVIS_FOCUSED);
        return;
    }
    if (multi && (keys & MK_SHIFT)) {
        int anchor = static_cast<int>(getNextItem(lv, -1, LVNI_FOCUSED));
        if (anchor < 0) anchor = row;
        for (size_t i = 0; i < lv->rows.size(); ++i) {
            int k = static_cast<int>(i);
            bool in = k >= std::min(anchor, row) && k <= std::max(anchor, row);
            lv->rows[i].state = in ? (lv->rows[i].state | LVIS_SELECTED) : (lv->rows[i].state & ~LVIS_SELECTED);
        }
        return;
    }
    for (Row& r : lv->rows) r.state &= ~LVIS_SELECTED;
    applyState(h, lv, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void released(HWND h, ListView* lv, WPARAM keys)
{
    if (GetCapture() == h) ReleaseCapture();
    if (lv->pressedRow == -2) return;
    int row = lv->pressedRow;
    lv->pressedRow = -2;
    NMITEMACTIVATE n{};
    n.hdr.hwndFrom = h;
    n.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(h));
    n.hdr.code = NM_CLICK;
    n.iItem = row;
    n.iSubItem = row >= 0 ? columnAt(lv, lv->pressedAt.x) : 0;
    n.ptAction = lv->pressedAt;
    n.uKeyFlags = static_cast<UINT>(keys & (MK_CONTROL | MK_SHIFT));
    HWND parent = GetParent(h);
    if (parent != nullptr) SendMessageW(parent, WM_NOTIFY, n.hdr.idFrom, reinterpret_cast<LPARAM>(&n));
}

LRESULT CALLBACK listProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    ListView* lv = list(h);
    if (msg == WM_NCCREATE) {
        SetWindowLongPtrW(h, 0, reinterpret_cast<LONG_PTR>(new ListView));
        return DefWindowProcW(h, msg, wp, lp);
    }
    if (msg == WM_NCDESTROY) {
        delete lv;
        SetWindowLongPtrW(h, 0, 0);
        return 0;
    }
    if (lv == nullptr) return DefWindowProcW(h, msg, wp, lp);
    switch (msg) {
    case LVM_INSERTCOLUMNW: {
        auto* c = reinterpret_cast<const LVCOLUMNW*>(lp);
        if (c == nullptr) return -1;
        Column col;
        if (c->mask & LVCF_FMT) col.fmt = c->fmt;
        if (c->mask & LVCF_WIDTH) col.cx = std::max(0, c->cx);
        if ((c->mask & LVCF_TEXT) && c->pszText != nullptr && c->pszText != LPSTR_TEXTCALLBACKW) col.text = c->pszText;
        size_t at = std::min(static_cast<size_t>(wp), lv->columns.size());
        col.subItem = (c->mask & LVCF_SUBITEM) ? c->iSubItem : static_cast<int>(at);
        lv->columns.insert(lv->columns.begin() + static_cast<long>(at), col);
        return static_cast<LRESULT>(at);
    }
    case LVM_DELETECOLUMN:
        if (wp >= lv->columns.size()) return FALSE;
        lv->columns.erase(lv->columns.begin() + static_cast<long>(wp));
        return TRUE;
    case LVM_GETCOLUMNW: {
        auto* c = reinterpret_cast<LVCOLUMNW*>(lp);
        if (c == nullptr || wp >= lv->columns.size()) return FALSE;
        const Column& col = lv->columns[wp];
        if (c->mask & LVCF_FMT) c->fmt = col.fmt;
        if (c->mask & LVCF_WIDTH) c->cx = col.cx;
        if (c->mask & LVCF_SUBITEM) c->iSubItem = col.subItem;
        if (c->mask & LVCF_TEXT) copyOut(col.text, c->pszText, c->cchTextMax);
        return TRUE;
    }
    case LVM_GETCOLUMNWIDTH:
        return wp < lv->columns.size() ? lv->columns[wp].cx : 0;
    case LVM_SETCOLUMNWIDTH:
        if (wp >= lv->columns.size()) return FALSE;
        lv->columns[wp].cx = std::max(0, static_cast<int>(static_cast<short>(LOWORD(lp))));
        return TRUE;
    case LVM_INSERTITEMW:
        return insertItem(h, lv, reinterpret_cast<const LVITEMW*>(lp));
    case LVM_SETITEMW: {
        auto* it = reinterpret_cast<const LVITEMW*>(lp);
        if (it == nullptr || it->iItem < 0 || !validRow(lv, static_cast<WPARAM>(it->iItem)) || it->iSubItem < 0) return FALSE;
        Row& r = lv->rows[static_cast<size_t>(it->iItem)];
        if (it->mask & LVIF_TEXT) {
            if (it->pszText == LPSTR_TEXTCALLBACKW) return FALSE;
            setText(r, it->iSubItem, it->pszText);
        }
        if (it->iSubItem == 0) {
            if (it->mask & LVIF_PARAM) r.lParam = it->lParam;
            if (it->mask & LVIF_STATE) applyState(h, lv, it->iItem, it->state, it->stateMask);
        }
        return TRUE;
    }
    case LVM_SETITEMTEXTW: {
        auto* it = reinterpret_cast<const LVITEMW*>(lp);
        if (it == nullptr || !validRow(lv, wp) || it->iSubItem < 0 || it->pszText == LPSTR_TEXTCALLBACKW) return FALSE;
        setText(lv->rows[wp], it->iSubItem, it->pszText);
        return TRUE;
    }
    case LVM_GETITEMTEXTW: {
        auto* it = reinterpret_cast<LVITEMW*>(lp);
        if (it == nullptr) return 0;
        if (!validRow(lv, wp)) return copyOut(L"", it->pszText, it->cchTextMax);
        return copyOut(textOf(lv->rows[wp], it->iSubItem), it->pszText, it->cchTextMax);
    }
    case LVM_GETITEMW: {
        auto* it = reinterpret_cast<LVITEMW*>(lp);
        if (it == nullptr || it->iItem < 0 || !validRow(lv, static_cast<WPARAM>(it->iItem))) return FALSE;
        const Row& r = lv->rows[static_cast<size_t>(it->iItem)];
        if (it->mask & LVIF_TEXT) copyOut(textOf(r, it->iSubItem), it->pszText, it->cchTextMax);
        if (it->mask & LVIF_PARAM) it->lParam = r.lParam;
        if (it->mask & LVIF_STATE) it->state = r.state & it->stateMask;
        return TRUE;
    }
    case LVM_GETITEMCOUNT:
        return static_cast<LRESULT>(lv->rows.size());
    case LVM_DELETEITEM:
        if (!validRow(lv, wp)) return FALSE;
        lv->rows.erase(lv->rows.begin() + static_cast<long>(wp));
        return TRUE;
    case LVM_DELETEALLITEMS:
        lv->rows.clear();
        lv->pressedRow = -2;
        return TRUE;
    case LVM_GETSELECTEDCOUNT:
        return std::count_if(lv->rows.begin(), lv->rows.end(), [](const Row& r) { return (r.state & LVIS_SELECTED) != 0; });
    case LVM_GETNEXTITEM:
        return getNextItem(lv, static_cast<int>(static_cast<INT_PTR>(wp)), static_cast<UINT>(LOWORD(lp)));
    case LVM_SETITEMSTATE: {
        auto* it = reinterpret_cast<const LVITEMW*>(lp);
        if (it == nullptr) return FALSE;
        int index = static_cast<int>(static_cast<INT_PTR>(wp));
        if (index == -1) {
            // Every row; a single-selection list cannot select them all.
            UINT mask = it->stateMask;
            if (singleSelection(h) && (it->state & LVIS_SELECTED)) mask &= ~LVIS_SELECTED;
            if (it->state & LVIS_FOCUSED) mask &= ~LVIS_FOCUSED;
            for (Row& r : lv->rows) r.state = (r.state & ~mask) | (it->state & mask);
            return TRUE;
        }
        if (index < 0 || !validRow(lv, static_cast<WPARAM>(index))) return FALSE;
        applyState(h, lv, index, it->state, it->stateMask);
        return TRUE;
    }
    case LVM_GETITEMSTATE:
        return validRow(lv, wp) ? (lv->rows[wp].state & static_cast<UINT>(lp)) : 0;
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
        DWORD old = lv->exStyle;
        DWORD mask = wp ? static_cast<DWORD>(wp) : 0xFFFFFFFFu;
        lv->exStyle = (lv->exStyle & ~mask) | (static_cast<DWORD>(lp) & mask);
        return old;
    }
    case LVM_GETEXTENDEDLISTVIEWSTYLE:
        return lv->exStyle;
    case LVM_GETITEMRECT: {
        auto* r = reinterpret_cast<RECT*>(lp);
        if (r == nullptr || !validRow(lv, wp)) return FALSE;
        int width = 0;
        for (const Column& c : lv->columns) width += c.cx;
        int top = headerHeight(h) + static_cast<int>(wp) * kRowHeight;
        *r = RECT{0, top, width, top + kRowHeight};
        return TRUE;
    }
    case LVM_HITTEST: {
        auto* info = reinterpret_cast<LVHITTESTINFO*>(lp);
        if (info == nullptr) return -1;
        info->iItem = rowAt(h, lv, info->pt);
        info->iSubItem = info->iItem >= 0 ? columnAt(lv, info->pt.x) : 0;
        info->flags = info->iItem >= 0 ? LVHT_ONITEMLABEL : LVHT_NOWHERE;
        return info->iItem;
    }
    case WM_LBUTTONDOWN:
        pressed(h, lv, POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))}, wp);
        return 0;
    case WM_LBUTTONUP:
        released(h, lv, wp);
        return 0;
    default:
        return DefWindowProcW(h, msg, wp, lp);
    }
}

}  // namespace

void registerListViewClass()
{
    win32::user::WindowClass cls;
    cls.name = WC_LISTVIEWW;
    cls.proc = listProc;
    cls.cbWndExtra = sizeof(LONG_PTR);
    win32::user::registerBuiltInClass(cls);
}

}  // namespace win32::controls
