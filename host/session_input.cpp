// The session's user and machine actions, and how the script feeds a modal dialog:
// when the dialog's message loop has nothing to do, the idle handler performs the
// script's next lines (only the actions a user can take while a dialog is open);
// a `wait` there lets the loop run until its time. When the script ends, or fails,
// inside a dialog, WM_QUIT ends the dialog's loop (DoModal gives -1) so that the
// command around it returns.
#include "session_input.h"

#include <cairo.h>

#include <charconv>
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

std::string snapshot(const std::string& path)
{
    RECT area = viewRect();
    int width = area.right - area.left, height = area.bottom - area.top;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(s);
    // The current drawing as the host's renderer paints it; white with no drawing open.
    if (!arxhost::paintView(cr)) {
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_paint(cr);
    }
    cairo_destroy(cr);
    cairo_surface_flush(s);
    win32::screen::compositeLayeredWindows(reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(s)), width,
                                           height, cairo_image_surface_get_stride(s), area);
    cairo_surface_mark_dirty(s);
    cairo_status_t status = cairo_surface_write_to_png(s, path.c_str());
    cairo_surface_destroy(s);
    return status == CAIRO_STATUS_SUCCESS ? "" : path + ": cannot write the picture: " + cairo_status_to_string(status);
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
            fail("a dialog is open: expected move, press, release, click, wait, answer, mic, speaker, nodevice or "
                 "snapshot, found " + verb,
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
    for (const char* v : {"move", "press", "release", "click", "wait", "mic", "speaker", "nodevice", "answer", "snapshot"})
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
        if (rest.empty()) return "snapshot needs a file name";
        return snapshot(rest);
    } else {
        return "unknown action \"" + verb + "\"";
    }
    return "";
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
