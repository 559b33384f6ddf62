// The session's user and machine actions (the mouse, time, sound devices, message
// boxes, snapshots of the view or the whole screen, and the open dialog's list and
// buttons), and how the script feeds a modal dialog:
// when the dialog's message loop has nothing to do, the idle handler performs the
// script's next lines (only the actions a user can take while a dialog is open);
// a `wait` there lets the loop run until its time. When the script ends, or fails,
// inside a dialog, WM_QUIT ends the dialog's loop (DoModal gives -1) so that the
// command around it returns.
#include "session_input.h"

#include <cairo.h>

#include <algorithm>
#include <charconv>
#include <cwctype>
#include <cstdio>
#include <vector>

#include "AcString.h"
#include "arxhost/view.h"
#include "win32/audio_devices.h"
#include "win32/clock.h"
#include "win32/host_windows.h"
#include "win32/message_boxes.h"
#include "win32/message_loop.h"
#include "win32/mouse_input.h"
#include "win32/screen.h"
#include "windows.h"
#include "commctrl.h"

namespace arxhost {
namespace {


bool parseInt(const std::string& s, long long& out)
{
    const char* end = s.data() + s.size();
    auto r = std::from_chars(s.data(), end, out);
    return r.ec == std::errc() && r.ptr == end;
}

std::vector<std::string> words(const std::string& s)
{
    std::vector<std::string> out;
    size_t i = 0;
    while (i < s.size()) {
        size_t b = s.find_first_not_of(" \t", i);
        if (b == std::string::npos) break;
        size_t e = s.find_first_of(" \t", b);
        out.push_back(s.substr(b, e == std::string::npos ? std::string::npos : e - b));
        i = e == std::string::npos ? s.size() : e;
    }
    return out;
}

std::string narrow(const std::wstring& s) { return AcString(s).utf8(); }

const char* answerName(int id)
{
    switch (id) {
    case IDOK: return "OK";
    case IDCANCEL: return "CANCEL";
    case IDYES: return "YES";
    case IDNO: return "NO";
    default: return "?";
    }
}

// The screen rectangle a snapshot shows: the drawing view's client area.
RECT viewRect()
{
    if (CView* view = win32::host::drawingView()) {
        RECT r;
        view->GetClientRect(&r);
        view->ClientToScreen(&r);
        return r;
    }
    return win32::host::drawingViewRect(arxhost::viewWidth(), arxhost::viewHeight());
}

// A picture of a screen rectangle: the drawing view as the host's renderer paints
// it (white with no drawing open), on the frame's grey where the rectangle reaches
// past the view, with every visible dialog and layered window over it.
std::string snapshot(const std::string& path, RECT area)
{
    int width = area.right - area.left, height = area.bottom - area.top;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(s);
    cairo_set_source_rgb(cr, 171 / 255.0, 171 / 255.0, 171 / 255.0);
    cairo_paint(cr);
    RECT view = viewRect();
    cairo_translate(cr, view.left - area.left, view.top - area.top);
    cairo_rectangle(cr, 0, 0, view.right - view.left, view.bottom - view.top);
    cairo_clip(cr);
    if (!arxhost::paintView(cr)) {
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_paint(cr);
    }
    cairo_destroy(cr);
    cairo_surface_flush(s);
    win32::screen::compositeWindows(reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(s)), width, height,
                                    cairo_image_surface_get_stride(s), area);
    cairo_surface_mark_dirty(s);
    cairo_status_t status = cairo_surface_write_to_png(s, path.c_str());
    cairo_surface_destroy(s);
    return status == CAIRO_STATUS_SUCCESS ? "" : path + ": cannot write the picture: " + cairo_status_to_string(status);
}

std::wstring classOf(HWND h)
{
    wchar_t name[64] = {};
    GetClassNameW(h, name, 64);
    return name;
}

std::wstring textOf(HWND h)
{
    wchar_t text[256] = {};
    GetWindowTextW(h, text, 256);
    return text;
}

// The dialog the user works in: the active window, when it is a dialog.
HWND openDialog()
{
    HWND h = GetActiveWindow();
    return h != nullptr && IsWindowVisible(h) && classOf(h) == L"#32770" ? h : nullptr;
}

// The dialog's first visible list view.
HWND listViewOf(HWND dialog)
{
    for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT))
        if (IsWindowVisible(c) && classOf(c) == WC_LISTVIEWW) return c;
    return nullptr;
}

std::wstring withoutAmpersands(const std::wstring& s)
{
    std::wstring out;
    for (size_t i = 0; i < s.size(); ++i)
        if (s[i] != L'&' || (i + 1 < s.size() && s[i + 1] == L'&' && ++i)) out += s[i];
    return out;
}

bool sameText(const std::wstring& a, const std::wstring& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    return true;
}

// A click of the left button at a screen point, as the user makes it.
void clickAt(POINT p, bool control)
{
    win32::input::mouseMove(p.x, p.y);
    win32::input::setControlKey(control);
    win32::input::leftButtonDown();
    win32::input::leftButtonUp();
    win32::input::setControlKey(false);
}

}  // namespace

SessionInput::SessionInput(std::function<bool(std::string&, std::string&, size_t&)> nextLine,
                           std::function<void(const std::string&)> print)
    : mNextLine(std::move(nextLine)), mPrint(std::move(print))
{
    win32::messages::setMessageBoxHandler([this](const win32::messages::MessageBoxRecord& box) {
        return answerMessageBox(box.text, box.type);
    });
    win32::loop::setIdleHandler([this]() -> win32::loop::Idle {
        std::uint64_t now = win32::clock::now();
        if (mWaitUntil > now) return {win32::loop::Idle::WaitUntil, mWaitUntil};
        if (win32::loop::modalDepth() == 0) return {win32::loop::Idle::Nothing};
        // A dialog waits for the user: the script's next line is the user.
        if (mFailed || mQuitPosted) {
            PostQuitMessage(0);
            return {win32::loop::Idle::Acted};
        }
        std::string verb, rest;
        size_t line = 0;
        if (!mNextLine(verb, rest, line)) {
            mQuitPosted = true;  // the script ended with the dialog open: it is closed
            PostQuitMessage(0);
            return {win32::loop::Idle::Acted};
        }
        if (!handles(verb)) {
            fail("a dialog is open: expected dialog, move, press, release, click, wait, answer, mic, speaker, "
                 "nodevice or snapshot, found " + verb,
                 line);
            PostQuitMessage(0);
            return {win32::loop::Idle::Acted};
        }
        mNestedLine = line;
        std::string error = perform(verb, rest);
        if (!error.empty()) {
            fail(error, line);
            PostQuitMessage(0);
        }
        return {win32::loop::Idle::Acted};
    });
}

SessionInput::~SessionInput()
{
    win32::loop::setIdleHandler(nullptr);
    win32::messages::setMessageBoxHandler(nullptr);
    // A WM_QUIT the session posted to end a dialog is not left for whoever comes next.
    MSG m;
    if (mQuitPosted || mFailed) PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

bool SessionInput::handles(const std::string& verb)
{
    for (const char* v : {"move", "press", "release", "click", "wait", "mic", "speaker", "nodevice", "answer", "snapshot", "dialog"})
        if (verb == v) return true;
    return false;
}

void SessionInput::fail(const std::string& message, size_t line)
{
    if (mFailed) return;  // the first failure is the one reported
    mFailed = true;
    mFailure = Failure{message, line};
}

bool SessionInput::takeFailure(std::string& message, size_t& line)
{
    if (!mFailed) return false;
    message = mFailure.message;
    line = mFailure.line;
    mFailed = false;
    return true;
}

int SessionInput::answerMessageBox(const std::wstring& text, unsigned type)
{
    mPrint("[message box] " + narrow(text) + "\n");
    int fallback = win32::messages::defaultButton(type);
    if (mAnswers.empty()) return fallback;
    int answer = mAnswers.front();
    mAnswers.pop_front();
    std::vector<int> buttons = win32::messages::buttonsOf(type);
    if (std::find(buttons.begin(), buttons.end(), answer) == buttons.end()) {
        fail(std::string("answer ") + answerName(answer) + ": the message box \"" + narrow(text) + "\" has no " +
                 answerName(answer) + " button",
             mNestedLine);
        return fallback;
    }
    return answer;
}

std::string SessionInput::perform(const std::string& verb, const std::string& rest)
{
    std::vector<std::string> args = words(rest);
    if (verb == "move") {
        long long x = 0, y = 0;
        if (args.size() != 2 || !parseInt(args[0], x) || !parseInt(args[1], y)) return "move needs X and Y in screen pixels";
        if (x < 0 || y < 0 || x >= GetSystemMetrics(SM_CXSCREEN) || y >= GetSystemMetrics(SM_CYSCREEN))
            return "move: " + args[0] + " " + args[1] + " is off the " + std::to_string(GetSystemMetrics(SM_CXSCREEN)) +
                   " x " + std::to_string(GetSystemMetrics(SM_CYSCREEN)) + " screen";
        win32::input::mouseMove(static_cast<int>(x), static_cast<int>(y));
    } else if (verb == "press" || verb == "release" || verb == "click") {
        if (!args.empty()) return verb + " takes no arguments";
        bool down = win32::input::leftButtonIsDown();
        if (verb == "press" && down) return "press: the button is already down";
        if (verb == "release" && !down) return "release: the button is not down";
        if (verb == "click" && down) return "click: the button is down (release it first)";
        if (verb != "release") win32::input::leftButtonDown();
        if (verb != "press") win32::input::leftButtonUp();
    } else if (verb == "wait") {
        long long ms = 0;
        if (args.size() != 1 || !parseInt(args[0], ms) || ms < 0 || ms > 86'400'000)
            return "wait needs milliseconds (0 to 86400000)";
        mWaitUntil = win32::clock::now() + static_cast<std::uint64_t>(ms);
        // At the top of the script the wait runs here; inside a dialog's loop, that
        // loop runs until the time has come.
        if (win32::loop::modalDepth() == 0) return finishWait();
    } else if (verb == "mic") {
        if (args.size() != 1) return "mic needs a WAV file or tone";
        if (args[0] == "tone") {
            win32::audio::setMicrophoneTone();
        } else {
            std::string error;
            if (!win32::audio::setMicrophoneFile(rest, error)) return "mic: " + error;
        }
    } else if (verb == "speaker") {
        if (rest.empty()) return "speaker needs a WAV file";
        std::string error;
        if (!win32::audio::setSpeakerFile(rest, error)) return "speaker: " + error;
    } else if (verb == "nodevice") {
        if (args.size() != 1 || (args[0] != "in" && args[0] != "out" && args[0] != "none"))
            return "nodevice needs in, out or none";
        win32::audio::setInputPresent(args[0] != "in");
        win32::audio::setOutputPresent(args[0] != "out");
    } else if (verb == "answer") {
        if (args.size() != 1) return "answer needs OK, CANCEL, YES or NO";
        const std::string& a = args[0];
        int id = a == "OK" ? IDOK : a == "CANCEL" ? IDCANCEL : a == "YES" ? IDYES : a == "NO" ? IDNO : 0;
        if (id == 0) return "answer needs OK, CANCEL, YES or NO, not " + a;
        mAnswers.push_back(id);
    } else if (verb == "snapshot") {
        if (rest.rfind("--screen", 0) == 0 && (rest.size() == 8 || rest[8] == ' ' || rest[8] == '\t')) {
            size_t name = rest.find_first_not_of(" \t", 8);
            if (name == std::string::npos) return "snapshot --screen needs a file name";
            return snapshot(rest.substr(name), RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
        }
        if (rest.empty()) return "snapshot needs a file name";
        return snapshot(rest, viewRect());
    } else if (verb == "dialog") {
        return dialogAction(args);
    } else {
        return "unknown action \"" + verb + "\"";
    }
    return "";
}

// dialog list | select N[,N...] | click CONTROL: the user reading and working the
// open dialog, by the mouse as a user would (so a disabled button cannot be
// clicked and the dialog hears the clicks it would hear).
std::string SessionInput::dialogAction(const std::vector<std::string>& args)
{
    HWND dialog = openDialog();
    if (dialog == nullptr) return "dialog: no dialog is open";
    if (args.empty()) return "dialog needs list, select or click";
    const std::string& what = args[0];
    if (what == "list") {
        if (args.size() != 1) return "dialog list takes nothing more";
        HWND list = listViewOf(dialog);
        if (list == nullptr) return "dialog list: the dialog has no list";
        LVCOLUMNW col{};
        col.mask = LVCF_WIDTH;
        int columns = 0;
        while (columns < 256 && SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(columns), reinterpret_cast<LPARAM>(&col)))
            ++columns;
        const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        for (int r = 0; r < rows; ++r) {
            std::wstring line;
            for (int c = 0; c < std::max(columns, 1); ++c) {
                wchar_t buffer[1024] = {};
                LVITEMW item{};
                item.iSubItem = c;
                item.pszText = buffer;
                item.cchTextMax = 1024;
                SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(r), reinterpret_cast<LPARAM>(&item));
                if (c > 0) line += L'\t';
                line += buffer;
            }
            mPrint(narrow(line) + "\n");
        }
        return "";
    }
    if (what == "select") {
        if (args.size() != 2) return "dialog select needs row numbers, as 0 or 0,2,3";
        HWND list = listViewOf(dialog);
        if (list == nullptr) return "dialog select: the dialog has no list";
        const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        std::vector<int> picked;
        size_t at = 0;
        const std::string& spec = args[1];
        while (at <= spec.size()) {
            size_t comma = spec.find(',', at);
            std::string piece = spec.substr(at, comma == std::string::npos ? std::string::npos : comma - at);
            long long n = 0;
            if (!parseInt(piece, n)) return "dialog select: \"" + piece + "\" is not a row number";
            if (n < 0 || n >= rows)
                return "dialog select: there is no row " + piece + " (the list has " + std::to_string(rows) + ")";
            picked.push_back(static_cast<int>(n));
            if (comma == std::string::npos) break;
            at = comma + 1;
        }
        RECT client;
        GetClientRect(list, &client);
        for (int n : picked) {
            RECT row{};
            row.left = LVIR_BOUNDS;
            SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(&row));
            POINT p{row.left + 4, (row.top + row.bottom) / 2};
            if (p.y < client.top || p.y >= client.bottom)
                return "dialog select: row " + std::to_string(n) + " is not in sight in the list";
            ClientToScreen(list, &p);
            clickAt(p, true);
        }
        return "";
    }
    if (what == "click") {
        if (args.size() < 2) return "dialog click needs a button's id or caption";
        std::string name = args[1];
        for (size_t i = 2; i < args.size(); ++i) name += " " + args[i];
        long long id = 0;
        const bool byId = parseInt(name, id);
        const std::wstring caption = AcString::fromUtf8(name.data(), name.size()).str();
        HWND button = nullptr;
        for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
            if (classOf(c) != L"Button") continue;
            if (byId ? GetDlgCtrlID(c) == id : sameText(withoutAmpersands(textOf(c)), caption)) {
                button = c;
                break;
            }
        }
        if (button == nullptr) return "dialog click: the dialog has no button " + name;
        if (!IsWindowVisible(button)) return "dialog click: the button " + name + " is hidden";
        if (!IsWindowEnabled(button)) return "dialog click: the button " + name + " is disabled";
        RECT r;
        GetClientRect(button, &r);
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(button, &p);
        clickAt(p, false);
        return "";
    }
    return "dialog needs list, select or click, not " + what;
}

std::string SessionInput::finishWait()
{
    mNestedLine = 0;
    if (mWaitUntil <= win32::clock::now() || win32::loop::runUntil(mWaitUntil)) return "";
    // WM_QUIT reached the top. When the session posted it to end a dialog (the
    // script ended or failed inside it), it has done its work and goes.
    if (mQuitPosted || mFailed) {
        MSG m;
        PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        mWaitUntil = 0;
        return "";
    }
    return "the message loop was ended (WM_QUIT) during a wait";
}

void SessionInput::settle() { win32::loop::runReady(); }

}  // namespace arxhost
