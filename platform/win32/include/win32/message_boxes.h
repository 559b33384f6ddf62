// Message boxes and beeps, as the host program sees them. No box waits for a user:
// each one is recorded and answered at once by the handler the host sets (a session
// script queues its answers), or by its default button when there is no handler.
// Beeps are recorded.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "win32/export.h"
#include "wtypes.h"

namespace win32::messages {

struct MessageBoxRecord {
    HWND owner = nullptr;
    std::wstring text;
    std::wstring caption;
    UINT type = 0;
    int answer = 0;
    std::uint64_t time = 0;  // on the clock
};

// Returns the id of the button that answers the box (IDOK, IDCANCEL, IDYES, ...).
// An answer the box has no button for is refused: the box then takes its default
// button and the refusal is printed on standard error.
using MessageBoxHandler = std::function<int(const MessageBoxRecord& box)>;
W32_EXPORT void setMessageBoxHandler(MessageBoxHandler handler);
W32_EXPORT std::vector<MessageBoxRecord> messageBoxes();

// The buttons of a MessageBox type in their order, and the one that answers by
// default (MB_DEFBUTTON1..4; one beyond the buttons means the first).
W32_EXPORT std::vector<int> buttonsOf(UINT type);
W32_EXPORT int defaultButton(UINT type);

struct BeepRecord {
    UINT type = 0;
    std::uint64_t time = 0;
};
W32_EXPORT std::vector<BeepRecord> beeps();

}  // namespace win32::messages
