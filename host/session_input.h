// The session actions that act as the user and the machine around the host: the
// mouse (move, press, release, click), time (wait), the sound devices (mic,
// speaker, nodevice), message boxes (answer, and the echo of each one),
// snapshots of the view or the whole screen, and the open dialog (dialog list,
// select, click). They also drive modal dialogs: while a dialog's loop waits, the
// script's next lines are read and performed from inside it.
#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace arxhost {

class SessionInput {
public:
    // nextLine reads the script's next action (false at its end); print puts text on
    // the command line's output.
    SessionInput(std::function<bool(std::string& verb, std::string& rest, size_t& line)> nextLine,
                 std::function<void(const std::string&)> print);
    ~SessionInput();
    SessionInput(const SessionInput&) = delete;
    SessionInput& operator=(const SessionInput&) = delete;

    static bool handles(const std::string& verb);
    // Performs an action; the reason when it fails, else empty.
    std::string perform(const std::string& verb, const std::string& rest);

    // Before the next top-level action: a wait still running (one a dialog started)
    // runs to its end.
    std::string finishWait();
    // After each top-level action: dispatches what is ready, without moving the clock.
    void settle();

    // A failure inside a dialog's loop or a message box, with its line (0: the line
    // of the action that was running); cleared by taking it.
    bool takeFailure(std::string& message, size_t& line);

private:
    struct Failure {
        std::string message;
        size_t line = 0;
    };
    void fail(const std::string& message, size_t line);
    std::string dialogAction(const std::vector<std::string>& args);
    int answerMessageBox(const std::wstring& text, unsigned type);

    std::function<bool(std::string&, std::string&, size_t&)> mNextLine;
    std::function<void(const std::string&)> mPrint;
    std::uint64_t mWaitUntil = 0;
    std::deque<int> mAnswers;
    bool mFailed = false;
    Failure mFailure;
    bool mQuitPosted = false;
    size_t mNestedLine = 0;  // the line a dialog's loop is performing, 0 at the top
};

}  // namespace arxhost
