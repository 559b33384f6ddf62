// The session runner: reads the whole script first (bounded in lines and line
// length), then carries out one action a line on the application, echoing each
// as the command line would show it. A prompt takes its answer from the input
// and cancel lines that follow; the first failure stops the run with its line.
#include "session.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "acdocman.h"
#include "arxhost/application.h"
#include "arxhost/view.h"
#include "dbmain.h"
#include "session_input.h"

namespace arxhost {
namespace {

std::wstring wide(const std::string& s) { return AcString::fromUtf8(s.data(), s.size()).str(); }
std::string narrow(const std::wstring& s) { return AcString(s).utf8(); }

struct ScriptError {
    std::string message;
    size_t line = 0;  // when not the line of the action that failed
};

class Session {
public:
    Session(Application& app, std::string path, std::FILE* errors)
        : mApp(app),
          mPath(std::move(path)),
          mErrors(errors),
          mInput([this](std::string& verb, std::string& rest, size_t& line) { return nestedLine(verb, rest, line); },
                 [this](const std::string& text) { echo(text); })
    {
    }
    int run();

private:
    bool nextLine(std::string& verb, std::string& rest);
    void perform(const std::string& verb, const std::string& rest);
    [[noreturn]] void fail(const std::string& why) { throw ScriptError{why}; }
    void echo(const std::string& text) { mApp.print(wide(text)); }
    AcApDocument* current()
    {
        AcApDocument* doc = mApp.currentDocument();
        if (doc == nullptr) fail("no drawing is open");
        return doc;
    }
    bool answerPrompt(std::wstring& answer);
    bool nestedLine(std::string& verb, std::string& rest, size_t& line)
    {
        bool more = nextLine(verb, rest);
        line = mLineNo;
        return more;
    }

    Application& mApp;
    std::string mPath;
    std::FILE* mErrors;
    std::vector<std::string> mLines;
    size_t mNext = 0;
    size_t mLineNo = 0;
    std::string mPromptError;
    size_t mPromptErrorLine = 0;
    SessionInput mInput;
};

// The next action: a line that is neither empty nor a comment.
bool Session::nextLine(std::string& verb, std::string& rest)
{
    while (mNext < mLines.size()) {
        std::string line = mLines[mNext++];
        mLineNo = mNext;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t b = line.find_first_not_of(" \t");
        if (b == std::string::npos || line[b] == '#') continue;
        line = line.substr(b);
        size_t sp = line.find_first_of(" \t");
        verb = line.substr(0, sp);
        size_t arg = sp == std::string::npos ? std::string::npos : line.find_first_not_of(" \t", sp);
        rest = arg == std::string::npos ? "" : line.substr(arg);
        while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t')) rest.pop_back();
        return true;
    }
    return false;
}

// A command that prompts takes its answers from the lines that follow.
bool Session::answerPrompt(std::wstring& answer)
{
    std::string verb, rest;
    if (!nextLine(verb, rest)) return false;  // the script ended: the prompt is cancelled
    if (verb == "input") {
        answer = wide(rest);
        return true;
    }
    if (verb == "cancel") return false;
    if (verb == "command" && !rest.empty() && rest[0] == '\'') {
        answer = wide(rest);
        return true;
    }
    // Thrown through the command it would be lost: keep it for when the command returns.
    mPromptError = "a command is waiting for input: expected input, cancel or a command with a leading apostrophe, found " + verb;
    mPromptErrorLine = mLineNo;
    return false;
}

void Session::perform(const std::string& verb, const std::string& rest)
{
    std::string error;
    if (verb == "open") {
        if (rest.empty()) fail("open needs a file name");
        echo("Command: OPEN " + rest + "\n");
        if (mApp.openDocument(wide(rest), error) == nullptr) fail(error);
    } else if (verb == "new") {
        echo("Command: NEW\n");
        if (mApp.newDocument(error) == nullptr) fail(error);
    } else if (verb == "save" || verb == "saveas") {
        // The host's own commands, so that the editor tells of them as of any command.
        current();
        if (verb == "saveas" && rest.empty()) fail("saveas needs a file name");
        echo(std::string("Command: ") + (verb == "save" ? "QSAVE" : "SAVEAS") + "\n");
        std::vector<std::wstring> answers;
        if (verb == "saveas") answers.push_back(wide(rest));
        if (mApp.runCommand(verb == "save" ? L"_QSAVE" : L"_SAVEAS", answers, error) != CommandResult::kEnded)
            fail(error);
    } else if (verb == "close") {
        echo("Command: CLOSE\n");
        mApp.closeDocument(current());
    } else if (verb == "activate") {
        if (rest.empty()) fail("activate needs a document's file name or title");
        AcApDocument* doc = mApp.findDocument(wide(rest));
        if (doc == nullptr) fail("no open document is named " + rest);
        echo("Command: (activate \"" + rest + "\")\n");
        mApp.activateDocument(doc);
    } else if (verb == "autosave") {
        current();
        std::wstring written;
        if (!mApp.autosave(written, error)) fail(error);
    } else if (verb == "command") {
        if (rest.empty()) fail("command needs a command name");
        echo("Command: " + rest + "\n");
        mPromptError.clear();
        CommandResult result = mApp.runCommand(wide(rest), error);
        if (!mPromptError.empty()) throw ScriptError{mPromptError, mPromptErrorLine};
        if (result != CommandResult::kEnded && result != CommandResult::kCancelled) fail(error);
    } else if (verb == "lisp") {
        echo("Command: " + rest + "\n");
        std::wstring printed;
        if (!mApp.evaluateLisp(wide(rest), printed, error)) fail("; error: " + error);
        echo(narrow(printed) + "\n");
    } else if (verb == "load") {
        echo("Command: (arxload \"" + rest + "\")\n");
        if (!mApp.loadModule(wide(rest), error)) fail(error);
    } else if (verb == "unload") {
        echo("Command: (arxunload \"" + rest + "\")\n");
        if (!mApp.unloadModule(wide(rest), error)) fail(error);
    } else if (verb == "plot") {
        if (rest.empty()) fail("plot needs a file name (.pdf or .png)");
        current();
        echo("Command: PLOT " + rest + "\n");
        if (!arxhost::plotView(wide(rest), error)) fail(error);
    } else if (SessionInput::handles(verb)) {
        std::string failure = mInput.perform(verb, rest);
        if (!failure.empty()) fail(failure);
    } else if (verb == "input" || verb == "cancel") {
        fail("no command is waiting for input");
    } else {
        fail("unknown action \"" + verb + "\"");
    }
}

int Session::run()
{
    std::ifstream in(mPath, std::ios::binary);
    if (!in) {
        std::fprintf(mErrors, "arxhost: %s: cannot read the script\n", mPath.c_str());
        return 1;
    }
    std::string line;
    while (std::getline(in, line)) {
        if (mLines.size() >= 1'000'000 || line.size() > 65536) {
            std::fprintf(mErrors, "arxhost: %s:%zu: the script is too large\n", mPath.c_str(), mLines.size() + 1);
            return 1;
        }
        mLines.push_back(line);
    }
    mApp.setInputSource([this](std::wstring& answer) { return answerPrompt(answer); });
    std::string verb, rest;
    try {
        for (;;) {
            std::string waitFailure = mInput.finishWait();
            if (!waitFailure.empty()) throw ScriptError{std::to_string(mLineNo) + ": " + waitFailure};
            if (!nextLine(verb, rest)) break;
            size_t at = mLineNo;
            try {
                perform(verb, rest);
                mInput.settle();
                // Between the user's actions the host is idle: timers run.
                mApp.idle();
                std::string failure;
                size_t line = 0;
                if (mInput.takeFailure(failure, line)) throw ScriptError{failure, line};
            } catch (ScriptError& e) {
                throw ScriptError{std::to_string(e.line != 0 ? e.line : at) + ": " + e.message};
            }
        }
    } catch (const ScriptError& e) {
        std::fflush(stdout);
        std::fprintf(mErrors, "arxhost: %s:%s\n", mPath.c_str(), e.message.c_str());
        mApp.setInputSource(nullptr);
        return 1;
    }
    mApp.setInputSource(nullptr);
    return 0;
}

}  // namespace

int runSession(Application& app, const std::string& scriptPath, std::FILE* errors)
{
    // The user works in the host's frame and drawing view, made once for the process.
    if (!createHostWindows()) {
        std::fprintf(errors, "%s: the host's frame and drawing view cannot be made\n", scriptPath.c_str());
        return 1;
    }
    Session session(app, scriptPath, errors);
    return session.run();
}

}  // namespace arxhost
