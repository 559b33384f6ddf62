// acedCommand and acedHelp: a program runs one of the host's commands with its
// answers given as result-buffer values (the way a plug-in pans the view or
// regenerates it), and asks for a help topic, which is recorded because the host
// program has no help viewer.
#include <cstdarg>
#include <string>
#include <vector>

#include "acedads.h"
#include "commands.h"
#include "help_requests.h"
#include "sysvars.h"
#include "../ap/app_state.h"
#include "../core/numtext.h"
#include "../core/utf.h"

namespace arx {
namespace {

std::vector<HelpRequest> gHelp;

std::wstring numberText(double v)
{
    std::string s;
    appendDouble(s, v);
    return fromUtf8(s);
}

// The values after the command's name, as the text a user would type at each
// prompt; false for a type no prompt takes (the call is then refused whole).
bool collectAnswers(int type, va_list ap, std::wstring& name, std::vector<std::wstring>& answers)
{
    bool haveName = false;
    for (; type != 0 && type != RTNONE; type = va_arg(ap, int)) {
        std::wstring text;
        switch (type) {
        case RTSTR: {
            const ACHAR* s = va_arg(ap, const ACHAR*);
            text = s != nullptr ? s : L"";
            break;
        }
        case RTPOINT:
        case RT3DPOINT: {
            const double* p = va_arg(ap, const double*);
            if (p == nullptr) return false;
            text = numberText(p[0]) + L"," + numberText(p[1]);
            if (type == RT3DPOINT) text += L"," + numberText(p[2]);
            break;
        }
        case RTREAL:
        case RTANG: text = numberText(va_arg(ap, double)); break;
        case RTSHORT: text = std::to_wstring(va_arg(ap, int)); break;
        case RTLONG: text = std::to_wstring(va_arg(ap, Adesk::Int32)); break;
        default: return false;
        }
        if (!haveName) {
            if (type != RTSTR) return false;  // the first value names the command
            name = text;
            haveName = true;
        } else {
            answers.push_back(text);
        }
    }
    return haveName;
}

}  // namespace

const std::vector<HelpRequest>& helpRequests() { return gHelp; }
void clearHelpRequests() { gHelp.clear(); }

}  // namespace arx

int acedCommand(int rtype, ...)
{
    using namespace arx;
    AppState* app = appState();
    if (app == nullptr) return RTERROR;
    std::wstring name;
    std::vector<std::wstring> answers;
    va_list ap;
    va_start(ap, rtype);
    const bool ok = collectAnswers(rtype, ap, name, answers);
    va_end(ap);
    if (!ok || name.empty()) return RTERROR;
    const bool echo = commandEcho();
    if (echo) app->print(L"Command: " + name + L"\n");
    std::string message;
    switch (runCommandFromCode(name, answers, echo, message)) {
    case CommandResult::kEnded: return RTNORM;
    case CommandResult::kCancelled: return RTCAN;
    default: return RTERROR;
    }
}

int acedHelp(const ACHAR* szFilename, const ACHAR* szTopic, int iCmd)
{
    using namespace arx;
    HelpRequest r{szFilename != nullptr ? szFilename : L"", szTopic != nullptr ? szTopic : L"", iCmd};
    gHelp.push_back(r);
    if (AppState* app = appState())
        app->print(L"[help] " + (r.file.empty() ? r.topic : r.file + L": " + r.topic) + L"\n");
    return RTNORM;
}
