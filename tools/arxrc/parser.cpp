// The parser of resource statements. Each statement checks its values as it reads
// them (ranges, duplicates, files), so that whatever reaches the generator is sound.
#include "parser.h"

#include <cwctype>
#include <filesystem>
#include <fstream>
#include <set>

#include "expression.h"
#include "rc_limits.h"

namespace fs = std::filesystem;

namespace arxrc {

std::string ResourceName::describe() const
{
    if (!isText)
        return std::to_string(id);
    std::string s;
    for (wchar_t c : text)
        s += c < 0x80 ? static_cast<char>(c) : '?';
    return "\"" + s + "\"";
}

namespace {

// Window classes that CONTROL may name by keyword.
const std::map<std::string, std::wstring> kClassKeywords = {
    {"BUTTON", L"Button"},       {"EDIT", L"Edit"},         {"STATIC", L"Static"},
    {"LISTBOX", L"ListBox"},     {"SCROLLBAR", L"ScrollBar"}, {"COMBOBOX", L"ComboBox"},
};

// The control statements with a text, with their window class and the style bits the
// resource compiler gives them besides WS_CHILD | WS_VISIBLE (the values of SS_*,
// BS_*, ES_*, WS_GROUP 0x00020000, WS_TABSTOP 0x00010000 and WS_BORDER 0x00800000).
struct StandardControl {
    const wchar_t* windowClass;
    std::uint32_t style;
    bool hasText;
};
const std::map<std::string, StandardControl> kStandardControls = {
    {"LTEXT", {L"Static", 0x00000000u | 0x00020000u, true}},
    {"RTEXT", {L"Static", 0x00000002u | 0x00020000u, true}},
    {"CTEXT", {L"Static", 0x00000001u | 0x00020000u, true}},
    {"PUSHBUTTON", {L"Button", 0x00000000u | 0x00010000u, true}},
    {"DEFPUSHBUTTON", {L"Button", 0x00000001u | 0x00010000u, true}},
    {"GROUPBOX", {L"Button", 0x00000007u, true}},
    {"CHECKBOX", {L"Button", 0x00000002u | 0x00010000u, true}},
    {"AUTOCHECKBOX", {L"Button", 0x00000003u | 0x00010000u, true}},
    {"EDITTEXT", {L"Edit", 0x00000000u | 0x00800000u | 0x00010000u, false}},
};
constexpr std::uint32_t kChildVisible = 0x40000000u | 0x10000000u;        // WS_CHILD | WS_VISIBLE
constexpr std::uint32_t kDefaultDialogStyle = 0x80000000u | 0x00800000u | 0x00080000u;  // WS_POPUP | WS_BORDER | WS_SYSMENU
constexpr std::uint32_t kCaptionStyle = 0x00C00000u;                      // WS_CAPTION
constexpr std::uint32_t kSetFontStyle = 0x40u;                            // DS_SETFONT
constexpr std::uint16_t kTypeDialog = 5;
constexpr std::uint16_t kTypeString = 6;
constexpr std::uint16_t kTypeRcData = 10;

// Resource kinds of Windows' resource compiler that this one does not build.
const std::set<std::string> kUnsupportedTypes = {
    "DIALOG", "MENU", "MENUEX", "ICON", "BITMAP", "CURSOR", "ACCELERATORS", "VERSIONINFO",
    "TOOLBAR", "HTML", "MESSAGETABLE", "DLGINIT", "TEXTINCLUDE", "FONT", "MANIFEST", "PLUGPLAY", "VXD",
};
const std::set<std::string> kUnsupportedStatements = {"LANGUAGE", "VERSION", "CHARACTERISTICS"};
// Words that start or end blocks and statements: never resource names or string ids.
const std::set<std::string> kBlockWords = {"BEGIN", "END", "STRINGTABLE", "DIALOGEX", "RCDATA"};

std::wstring upper(const std::wstring& s)
{
    std::wstring out = s;
    for (wchar_t& c : out)
        c = (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - 32) : static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    return out;
}

std::wstring widenAscii(const std::string& s)
{
    return std::wstring(s.begin(), s.end());
}

class Parser {
public:
    Parser(TokenStream& in, Script& script, const std::vector<std::string>& searchDirs)
        : mIn(in), mScript(script), mSearchDirs(searchDirs)
    {
    }

    void run()
    {
        while (mIn.peek().kind != Token::Kind::End) {
            const Token& t = mIn.peek();
            if (t.isWord("STRINGTABLE")) {
                stringTable();
            } else if (t.kind == Token::Kind::Identifier && kUnsupportedStatements.count(t.text)) {
                throw RcError(t.where, t.text + " statements are not supported");
            } else {
                resource();
            }
        }
    }

private:
    bool isBegin(const Token& t) const { return t.isWord("BEGIN") || t.isPunct("{"); }
    bool isEnd(const Token& t) const { return t.isWord("END") || t.isPunct("}"); }

    // Reads the items of a BEGIN ... END block, each through readItem, and the END.
    // A block that runs into the next statement or the end of the script has no END.
    template <typename ReadItem>
    void itemsUntilEnd(const Token& keyword, ReadItem readItem)
    {
        for (;;) {
            const Token& t = mIn.peek();
            if (isEnd(t)) {
                mIn.next();
                return;
            }
            if (t.kind == Token::Kind::End || startsStatement(0) || startsStatement(1))
                throw RcError(keyword.where, keyword.text + " has no END");
            readItem(t);
        }
    }

    // A statement keyword where a block's entries were expected means the block was
    // left open: the next resource has begun.
    bool startsStatement(std::size_t ahead)
    {
        const Token& t = mIn.peek(ahead);
        if (t.kind != Token::Kind::Identifier)
            return false;
        return kBlockWords.count(t.text) != 0 || kUnsupportedTypes.count(t.text) != 0 ||
               kUnsupportedStatements.count(t.text) != 0;
    }

    void expectComma(const char* what)
    {
        Token t = mIn.next();
        if (!t.isPunct(","))
            throw RcError(t.where, std::string("expected ',' before ") + what + " but found " + t.describe());
    }

    std::int32_t signedValue(const char* what)
    {
        if (mIn.peek().kind == Token::Kind::End)
            throw RcError(mIn.peek().where, std::string("expected ") + what + " but found the end of the script");
        return static_cast<std::int32_t>(evaluate(mIn, UnknownNames::Error));
    }

    std::int64_t ranged(const char* what, std::int64_t low, std::int64_t high)
    {
        Location at = mIn.peek().where;
        std::int32_t v = signedValue(what);
        // Unsigned fields also take values written as large unsigned numbers.
        std::int64_t value = v;
        if (value < low && low >= 0)
            value = static_cast<std::uint32_t>(v);
        if (value < low || value > high)
            throw RcError(at, std::string(what) + " " + std::to_string(value) + " is out of range " + std::to_string(low) + ".." +
                                  std::to_string(high));
        return value;
    }

    std::int16_t coordinate(const char* what)
    {
        return static_cast<std::int16_t>(ranged(what, -32768, 32767));
    }

    std::wstring text(const char* what)
    {
        Token t = mIn.next();
        if (t.kind != Token::Kind::String)
            throw RcError(t.where, std::string("expected ") + what + " (a string) but found " + t.describe());
        return t.str;
    }

    // A resource name: a number, a name (an identifier no #define gave a value to),
    // or a string.
    ResourceName name()
    {
        const Token& t = mIn.peek();
        ResourceName n;
        if (t.kind == Token::Kind::String || t.kind == Token::Kind::Identifier) {
            if (t.kind == Token::Kind::Identifier && kBlockWords.count(t.text))
                throw RcError(t.where, "unexpected '" + t.text + "'");
            Token taken = mIn.next();
            n.isText = true;
            n.text = upper(taken.kind == Token::Kind::String ? taken.str : widenAscii(taken.text));
            if (n.text.empty())
                throw RcError(taken.where, "a resource name cannot be empty");
            return n;
        }
        if (t.kind == Token::Kind::Punct && !(t.isPunct("(") || t.isPunct("-") || t.isPunct("~") || t.isPunct("+")))
            throw RcError(t.where, "unexpected " + t.describe());
        n.id = static_cast<std::uint16_t>(ranged("resource id", 1, 65535));
        return n;
    }

    static std::wstring key(const ResourceName& n) { return n.isText ? L"$" + n.text : L"#" + std::to_wstring(n.id); }

    void addResource(const ResourceName& type, const ResourceName& name, const Location& where)
    {
        auto [it, fresh] = mNames.emplace(std::make_pair(key(type), key(name)), where);
        if (!fresh)
            throw RcError(where, "resource " + name.describe() + " of type " + type.describe() + " is already defined at " + it->second.text());
        if (mNames.size() > limits::kResources)
            throw RcError(where, "more than " + std::to_string(limits::kResources) + " resources");
    }

    void stringTable()
    {
        Token keyword = mIn.next();
        Token open = mIn.next();
        if (open.kind == Token::Kind::Identifier && kUnsupportedStatements.count(open.text))
            throw RcError(open.where, open.text + " statements are not supported");
        if (!isBegin(open))
            throw RcError(open.where, "expected BEGIN after STRINGTABLE but found " + open.describe());
        itemsUntilEnd(keyword, [&](const Token& t) {
            Location at = t.where;
            auto id = static_cast<std::uint16_t>(ranged("string id", 0, 65535));
            if (mIn.peek().isPunct(","))
                mIn.next();
            std::wstring value = text("the text of the string");
            auto [it, fresh] = mScript.strings.emplace(id, StringEntry{value, at});
            if (!fresh)
                throw RcError(at, "string id " + std::to_string(id) + " is already defined at " + it->second.where.text());
        });
    }

    void resource()
    {
        Token first = mIn.peek();
        ResourceName resName = name();
        Token type = mIn.next();
        if (type.kind == Token::Kind::Identifier) {
            if (type.text == "DIALOGEX")
                return dialog(resName, type);
            if (type.text == "RCDATA")
                return dataFile({false, kTypeRcData, {}}, resName, type);
            if (kUnsupportedTypes.count(type.text))
                throw RcError(type.where, type.text + " resources are not supported");
            if (kBlockWords.count(type.text) || isBegin(type)) {
                if (first.kind == Token::Kind::Identifier)
                    throw RcError(first.where, "unknown keyword '" + first.text + "'");
                throw RcError(type.where, "expected a resource type but found " + type.describe());
            }
            return dataFile({true, 0, upper(widenAscii(type.text))}, resName, type);
        }
        if (type.kind == Token::Kind::String) {
            if (type.str.empty())
                throw RcError(type.where, "a resource type cannot be empty");
            return dataFile({true, 0, upper(type.str)}, resName, type);
        }
        if (type.kind == Token::Kind::Number) {
            if (type.value == 0 || type.value > 65535)
                throw RcError(type.where, "resource type " + std::to_string(type.value) + " is out of range 1..65535");
            if (type.value == kTypeDialog || type.value == kTypeString)
                throw RcError(type.where, "resource type " + std::to_string(type.value) + " is built by DIALOGEX or STRINGTABLE only");
            return dataFile({false, static_cast<std::uint16_t>(type.value), {}}, resName, type);
        }
        if (first.kind == Token::Kind::Identifier && type.kind == Token::Kind::End)
            throw RcError(first.where, "unknown keyword '" + first.text + "'");
        throw RcError(type.where, "expected a resource type after " + resName.describe() + " but found " + type.describe());
    }

    void dataFile(const ResourceName& type, const ResourceName& resName, const Token& at)
    {
        const Token& t = mIn.peek();
        if (isBegin(t))
            throw RcError(t.where, "data written inside the script is not supported; name a file");
        if (t.kind != Token::Kind::String)
            throw RcError(t.where, "expected a file name after " + type.describe() + " but found " + t.describe());
        Token fileToken = mIn.next();
        addResource(type, resName, at.where);
        std::string name;
        for (wchar_t c : fileToken.str) {
            if (c == 0 || c > 0x7F)
                throw RcError(fileToken.where, "file names must be plain ASCII");
            name += static_cast<char>(c);
        }
        // A relative name is looked for beside the script that names it, then in
        // the include folders, as Windows' resource compiler does: pictures a
        // build makes live in the build's folders, not beside the script.
        fs::path path = fs::path(name);
        std::error_code ec;
        if (path.is_relative()) {
            std::vector<fs::path> candidates;
            if (fileToken.where.file) candidates.push_back(fs::path(*fileToken.where.file).parent_path() / path);
            for (const std::string& dir : mSearchDirs) candidates.push_back(fs::path(dir) / path);
            for (const fs::path& c : candidates)
                if (fs::is_regular_file(c, ec)) {
                    path = c;
                    break;
                }
        }
        if (!fs::is_regular_file(path, ec))
            throw RcError(fileToken.where, "cannot open '" + name + "': no such file");
        auto size = fs::file_size(path, ec);
        if (ec || size > limits::kDataFileBytes)
            throw RcError(fileToken.where, "'" + name + "' is larger than " + std::to_string(limits::kDataFileBytes) + " bytes");
        mDataBytes += size;
        if (mDataBytes > limits::kTotalDataBytes)
            throw RcError(fileToken.where, "embedded files add up to more than " + std::to_string(limits::kTotalDataBytes) + " bytes");
        std::ifstream in(path, std::ios::binary);
        DataResource data{type, resName, path.string(), std::vector<std::uint8_t>(size), at.where};
        if (!in || !in.read(reinterpret_cast<char*>(data.bytes.data()), static_cast<std::streamsize>(size)))
            throw RcError(fileToken.where, "cannot read '" + name + "'");
        mScript.dependencies.push_back(path.string());
        mScript.data.push_back(std::move(data));
    }

    void dialog(const ResourceName& resName, const Token& keyword)
    {
        addResource({false, kTypeDialog, {}}, resName, keyword.where);
        Dialog d;
        d.name = resName;
        d.where = keyword.where;
        geometry(d);
        if (mIn.peek().isPunct(",")) {
            mIn.next();
            d.helpId = static_cast<std::uint32_t>(ranged("help id", 0, 0xFFFFFFFFll));
        }
        bool hasStyle = false, hasCaption = false;
        for (;;) {
            Token t = mIn.next();
            if (isBegin(t))
                break;
            if (t.kind == Token::Kind::End)
                throw RcError(keyword.where, "DIALOGEX has no BEGIN");
            if (t.isWord("STYLE")) {
                d.style = evaluateStyle(mIn, 0);
                hasStyle = true;
            } else if (t.isWord("EXSTYLE")) {
                d.exStyle = evaluateStyle(mIn, 0);
            } else if (t.isWord("CAPTION")) {
                d.caption = text("the caption");
                hasCaption = true;
            } else if (t.isWord("FONT")) {
                font(d);
            } else if (t.isWord("MENU") || t.isWord("CLASS") || (t.kind == Token::Kind::Identifier && kUnsupportedStatements.count(t.text))) {
                throw RcError(t.where, t.text + " statements are not supported in DIALOGEX");
            } else if (t.kind == Token::Kind::Identifier) {
                throw RcError(t.where, "unknown keyword '" + t.text + "' in DIALOGEX");
            } else {
                throw RcError(t.where, "expected BEGIN after the DIALOGEX statements but found " + t.describe());
            }
        }
        // As Windows' resource compiler does: a caption needs a title bar, a font
        // needs DS_SETFONT for the template to carry it.
        d.style = hasStyle ? d.style : kDefaultDialogStyle;
        if (hasCaption)
            d.style |= kCaptionStyle;
        if (d.hasFont)
            d.style |= kSetFontStyle;
        itemsUntilEnd(keyword, [&](const Token& t) {
            if (d.controls.size() >= limits::kDialogControls)
                throw RcError(t.where, "more than " + std::to_string(limits::kDialogControls) + " controls in one dialog");
            d.controls.push_back(control());
        });
        mScript.dialogs.push_back(std::move(d));
    }

    void font(Dialog& d)
    {
        d.hasFont = true;
        d.pointSize = static_cast<std::uint16_t>(ranged("point size", 0, 65535));
        expectComma("the typeface");
        d.typeface = text("the typeface");
        d.weight = 0;
        if (!mIn.peek().isPunct(","))
            return;
        mIn.next();
        d.weight = static_cast<std::uint16_t>(ranged("font weight", 0, 65535));
        if (!mIn.peek().isPunct(","))
            return;
        mIn.next();
        d.italic = static_cast<std::uint8_t>(ranged("italic flag", 0, 255));
        if (!mIn.peek().isPunct(","))
            return;
        mIn.next();
        d.charset = static_cast<std::uint8_t>(ranged("character set", 0, 255));
    }

    // x, y, width, height: of a dialog or of one of its controls.
    template <typename Item>
    void geometry(Item& c)
    {
        c.x = coordinate("x");
        expectComma("y");
        c.y = coordinate("y");
        expectComma("width");
        c.cx = coordinate("width");
        expectComma("height");
        c.cy = coordinate("height");
    }

    // The optional trailing values of a control: [, exstyle [, help id]].
    void extended(Control& c)
    {
        if (!mIn.peek().isPunct(","))
            return;
        mIn.next();
        c.exStyle = evaluateStyle(mIn, 0);
        if (!mIn.peek().isPunct(","))
            return;
        mIn.next();
        c.helpId = static_cast<std::uint32_t>(ranged("help id", 0, 0xFFFFFFFFll));
    }

    Control control()
    {
        Token keyword = mIn.next();
        Control c;
        c.where = keyword.where;
        c.statement = keyword.text;
        if (keyword.isWord("CONTROL")) {
            c.text = text("the control's text");
            expectComma("the control id");
            c.id = static_cast<std::uint32_t>(signedValue("a control id"));
            expectComma("the window class");
            Token cls = mIn.next();
            if (cls.kind == Token::Kind::String && !cls.str.empty())
                c.windowClass = cls.str;
            else if (cls.kind == Token::Kind::Identifier && kClassKeywords.count(cls.text))
                c.windowClass = kClassKeywords.at(cls.text);
            else
                throw RcError(cls.where, "expected a window class but found " + cls.describe());
            expectComma("the style");
            c.style = evaluateStyle(mIn, kChildVisible);
            expectComma("x");
            geometry(c);
            extended(c);
            return c;
        }
        auto standard = keyword.kind == Token::Kind::Identifier ? kStandardControls.find(keyword.text) : kStandardControls.end();
        if (standard == kStandardControls.end()) {
            if (keyword.kind == Token::Kind::Identifier)
                throw RcError(keyword.where, "unknown keyword '" + keyword.text + "' in a dialog");
            throw RcError(keyword.where, "expected a control but found " + keyword.describe());
        }
        const StandardControl& kind = standard->second;
        c.windowClass = kind.windowClass;
        if (kind.hasText) {
            c.text = text("the control's text");
            expectComma("the control id");
        }
        c.id = static_cast<std::uint32_t>(signedValue("a control id"));
        expectComma("x");
        geometry(c);
        c.style = kChildVisible | kind.style;
        if (mIn.peek().isPunct(",")) {
            mIn.next();
            c.style = evaluateStyle(mIn, c.style);
            extended(c);
        }
        return c;
    }

    TokenStream& mIn;
    Script& mScript;
    const std::vector<std::string>& mSearchDirs;  // where relative data files are looked for
    std::map<std::pair<std::wstring, std::wstring>, Location> mNames;
    std::uintmax_t mDataBytes = 0;
};

}  // namespace

void parseScript(TokenStream& in, Script& script, const std::vector<std::string>& searchDirs)
{
    Parser(in, script, searchDirs).run();
}

}  // namespace arxrc
