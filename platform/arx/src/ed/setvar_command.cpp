// SETVAR: shows a system variable's value and sets a new one through
// acedSetVar, read as the variable's kind (an integer, a real or a text).
// Variables the host does not know, read-only ones and values they refuse are
// said so on the command line.
#include "acedads.h"
#include "commands.h"
#include "../ap/app_state.h"
#include "../core/group_codes.h"
#include "../core/numtext.h"
#include "../core/utf.h"

namespace arx {

namespace {

void say(const std::wstring& text)
{
    if (AppState* app = appState()) app->print(text);
}

std::wstring shown(const resbuf& rb)
{
    std::string t;
    switch (rb.restype) {
    case RTSHORT: appendInt(t, rb.resval.rint); break;
    case RTLONG: appendInt(t, rb.resval.rlong); break;
    case RTREAL: appendDouble(t, rb.resval.rreal); break;
    case RTSTR: return rb.resval.rstring != nullptr ? rb.resval.rstring : L"";
    case RTPOINT:
    case RT3DPOINT:
        appendDouble(t, rb.resval.rpoint[0]);
        t += ',';
        appendDouble(t, rb.resval.rpoint[1]);
        break;
    default: break;
    }
    return fromUtf8(t);
}

// The answer as a value of the variable's kind; false when it is not one.
bool parseAs(short kind, const std::wstring& answer, resbuf& value)
{
    const std::string text = toUtf8(answer);
    value.rbnext = nullptr;
    if (kind == RTSHORT || kind == RTLONG) {
        std::int64_t v = 0;
        if (!parseInt(text, v) || v < -32768 || v > 32767) return false;
        value.restype = RTSHORT;
        value.resval.rint = static_cast<short>(v);
        return true;
    }
    if (kind == RTREAL) {
        value.restype = RTREAL;
        return parseDouble(text, value.resval.rreal);
    }
    if (kind == RTSTR) {
        value.restype = RTSTR;
        value.resval.rstring = newWideString(answer);
        return true;
    }
    return false;
}

void setvarCommand()
{
    ACHAR name[134];
    if (acedGetString(0, L"Enter variable name: ", name, 134) != RTNORM || name[0] == 0) return;
    const std::wstring var = upperAscii(name);
    resbuf current{};
    if (acedGetVar(var.c_str(), &current) != RTNORM) {
        say(L"Unknown variable name: " + var + L".\n");
        return;
    }
    const short kind = current.restype;
    const std::wstring before = shown(current);
    freeResbufValue(&current);
    for (;;) {
        ACHAR answer[512];
        int rc = acedGetString(1, (L"Enter new value for " + var + L" <" + before + L">: ").c_str(), answer, 512);
        if (rc != RTNORM || answer[0] == 0) return;  // cancelled, or kept as it is
        resbuf value{};
        if (!parseAs(kind, answer, value)) {
            say(L"That is not a value " + var + L" can take.\n");
            continue;
        }
        rc = acedSetVar(var.c_str(), &value);
        freeResbufValue(&value);
        if (rc == RTNORM) return;
        say(var + L" cannot be set to " + std::wstring(answer) + L".\n");
        return;
    }
}

}  // namespace

void registerSetvarCommand(AcEdCommandStack* stack)
{
    stack->addCommand(L"ACAD", L"SETVAR", L"SETVAR", ACRX_CMD_MODAL, &setvarCommand);
}

}  // namespace arx
