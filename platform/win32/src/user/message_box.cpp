// MessageBoxW and MessageBeep: recorded, and a box answered at once by the host's
// handler or by its default button.
#include <algorithm>
#include <cstdio>

#include "core/utf8.h"
#include "user/clock.h"
#include "user/window.h"
#include "win32/message_boxes.h"

namespace win32::messages {
namespace {

struct Log {
    MessageBoxHandler handler;
    std::vector<MessageBoxRecord> boxes;
    std::vector<BeepRecord> beeps;
};

Log& log()
{
    static Log* l = new Log;
    return *l;
}

}  // namespace

void setMessageBoxHandler(MessageBoxHandler handler) { log().handler = std::move(handler); }

std::vector<MessageBoxRecord> messageBoxes() { return log().boxes; }

std::vector<BeepRecord> beeps() { return log().beeps; }

std::vector<int> buttonsOf(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OK: return {IDOK};
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    case MB_CANCELTRYCONTINUE: return {IDCANCEL, IDTRYAGAIN, IDCONTINUE};
    default: return {};
    }
}

int defaultButton(UINT type)
{
    std::vector<int> buttons = buttonsOf(type);
    if (buttons.empty()) return 0;
    size_t index = (type & MB_DEFMASK) >> 8;
    return index < buttons.size() ? buttons[index] : buttons.front();
}

}  // namespace win32::messages

using namespace win32::messages;

int MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType)
{
    std::vector<int> buttons = buttonsOf(uType);
    if (buttons.empty() || (hWnd != nullptr && !IsWindow(hWnd))) {
        SetLastError(hWnd != nullptr && !IsWindow(hWnd) ? ERROR_INVALID_WINDOW_HANDLE : 1438L /* ERROR_INVALID_MSGBOX_STYLE */);
        return 0;
    }
    MessageBoxRecord box;
    box.owner = hWnd;
    box.text = lpText ? lpText : L"";
    box.caption = lpCaption ? lpCaption : L"Error";  // Windows' caption when none is given
    box.type = uType;
    box.time = win32::user::now();
    box.answer = defaultButton(uType);
    if (log().handler) {
        int answer = log().handler(box);
        if (std::find(buttons.begin(), buttons.end(), answer) != buttons.end()) {
            box.answer = answer;
        } else {
            std::fprintf(stderr, "win32: the message box \"%s\" has no button %d; its default button answers\n",
                         win32::narrow(box.text).c_str(), answer);
        }
    }
    log().boxes.push_back(box);
    return box.answer;
}

BOOL MessageBeep(UINT uType)
{
    log().beeps.push_back(BeepRecord{uType, win32::user::now()});
    return TRUE;
}
