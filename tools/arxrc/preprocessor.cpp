// The preprocessor walks a stack of open files. Directive lines are carried out where
// they stand, so a #define affects only the lines after it; lines of inactive regions
// and of headers are dropped; the rest go to the lexer.
#include "preprocessor.h"

#include <cctype>
#include <filesystem>

#include "expression.h"
#include "lexer.h"
#include "rc_limits.h"

namespace fs = std::filesystem;

namespace arxrc {

namespace {

std::string trim(const std::string& s)
{
    std::size_t b = s.find_first_not_of(" \t\f\v");
    if (b == std::string::npos)
        return {};
    std::size_t e = s.find_last_not_of(" \t\f\v");
    return s.substr(b, e - b + 1);
}

// Splits "name rest" after a directive keyword.
std::string word(const std::string& s, std::size_t& pos)
{
    while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t'))
        ++pos;
    std::size_t start = pos;
    while (pos < s.size() && (std::isalnum(static_cast<unsigned char>(s[pos])) || s[pos] == '_'))
        ++pos;
    return s.substr(start, pos - start);
}

bool isHeader(const std::string& path)
{
    std::string ext = fs::path(path).extension().string();
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".h" || ext == ".hh" || ext == ".hpp" || ext == ".hxx" || ext == ".c" || ext == ".inl";
}

}  // namespace

Preprocessor::Preprocessor(std::vector<std::string> includeDirs, MacroTable& macros)
    : mIncludeDirs(std::move(includeDirs)), mMacros(macros)
{
    mMacros.define("RC_INVOKED", {"1", false, {std::make_shared<const std::string>("<built-in>"), 0}});
}

void Preprocessor::start(const std::string& path)
{
    open(path, {std::make_shared<const std::string>(path), 0}, false);
}

void Preprocessor::open(const std::string& path, const Location& from, bool directivesOnly)
{
    if (static_cast<int>(mStack.size()) >= limits::kIncludeDepth)
        throw RcError(from, "#include nested deeper than " + std::to_string(limits::kIncludeDepth));
    std::size_t bytes = 0;
    File file;
    file.lines = readLogicalLines(path, from, bytes);
    mTotalBytes += bytes;
    if (mTotalBytes > limits::kTotalSourceBytes)
        throw RcError(from, "the script and its includes are larger than " + std::to_string(limits::kTotalSourceBytes) + " bytes");
    file.directivesOnly = directivesOnly;
    file.path = path;
    file.conditionalBase = mConditionals.size();
    int lastLine = file.lines.empty() ? 1 : file.lines.back().where.line;
    file.end = {std::make_shared<const std::string>(path), lastLine};
    mFiles.push_back(path);
    mStack.push_back(std::move(file));
}

bool Preprocessor::nextLine(LogicalLine& line)
{
    while (!mStack.empty()) {
        File& file = mStack.back();
        if (file.next >= file.lines.size()) {
            if (mConditionals.size() > file.conditionalBase)
                throw RcError(mConditionals.back().where, "#if has no #endif in this file");
            mStack.pop_back();
            continue;
        }
        const LogicalLine& current = file.lines[file.next++];
        std::string text = trim(current.text);
        if (!text.empty() && text[0] == '#') {
            LogicalLine copy = current;
            directive(copy);
            continue;
        }
        if (file.directivesOnly || !active() || text.empty())
            continue;
        line = current;
        return true;
    }
    return false;
}

void Preprocessor::directive(const LogicalLine& line)
{
    std::string text = trim(line.text);
    std::size_t pos = 1;
    std::string name = word(text, pos);
    std::string rest = trim(text.substr(pos));
    const Location& where = line.where;

    // Conditionals are followed even in inactive regions, to find their ends.
    if (name == "ifdef" || name == "ifndef" || name == "if") {
        if (mConditionals.size() >= static_cast<std::size_t>(limits::kConditionalDepth))
            throw RcError(where, "conditionals nested deeper than " + std::to_string(limits::kConditionalDepth));
        bool parent = active();
        bool value = false;
        if (parent) {
            if (name == "if") {
                value = condition(rest, where);
            } else {
                std::size_t p = 0;
                std::string macro = word(rest, p);
                if (macro.empty())
                    throw RcError(where, "#" + name + " needs a name");
                value = mMacros.defined(macro) == (name == "ifdef");
            }
        }
        mConditionals.push_back({parent, parent && value, value, false, where});
        return;
    }
    if (name == "elif" || name == "else" || name == "endif") {
        if (mConditionals.size() <= mStack.back().conditionalBase)
            throw RcError(where, "#" + name + " without #if");
        Conditional& c = mConditionals.back();
        if (name == "endif") {
            mConditionals.pop_back();
            return;
        }
        if (c.seenElse)
            throw RcError(where, "#" + name + " after #else");
        if (name == "else") {
            c.seenElse = true;
            c.active = c.parentActive && !c.taken;
            c.taken = true;
            return;
        }
        bool value = c.parentActive && !c.taken && condition(rest, where);
        c.active = value;
        c.taken = c.taken || value;
        return;
    }
    if (!active())
        return;

    if (name == "define") {
        std::size_t p = 0;
        std::string macro = word(rest, p);
        if (macro.empty() || std::isdigit(static_cast<unsigned char>(macro[0])))
            throw RcError(where, "#define needs a name");
        Macro m;
        m.where = where;
        m.functionLike = p < rest.size() && rest[p] == '(';
        m.body = trim(rest.substr(p));
        mMacros.define(macro, std::move(m));
    } else if (name == "undef") {
        std::size_t p = 0;
        mMacros.undefine(word(rest, p));
    } else if (name == "include") {
        include(rest, where);
    } else if (name == "pragma") {
        std::size_t p = 0;
        std::string what = word(rest, p);
        std::string arg = trim(rest.substr(p));
        if (what == "once") {
            std::error_code ec;
            auto canonical = fs::weakly_canonical(mStack.back().path, ec).string();
            if (mOnce.count(canonical) != 0) {
                // Already read once: skip the rest of this file.
                mStack.back().next = mStack.back().lines.size();
                mConditionals.resize(mStack.back().conditionalBase);
            }
            mOnce.insert(canonical);
        } else if (what == "code_page") {
            if (arg != "(65001)")
                throw RcError(where, "only #pragma code_page(65001) (UTF-8) is supported");
        } else if (!mStack.back().directivesOnly) {
            throw RcError(where, "unknown #pragma '" + what + "'");
        }
    } else if (name == "error") {
        throw RcError(where, "#error " + rest);
    } else if (name == "warning" || name == "line") {
        // Nothing to do for a resource script.
    } else if (name.empty() && rest.empty()) {
        // A lone '#' is a null directive in C.
    } else {
        throw RcError(where, "unknown directive '#" + name + "'");
    }
}

bool Preprocessor::condition(const std::string& rest, const Location& where)
{
    std::vector<Token> raw = lexLine(rest, where);
    // defined X and defined(X) are settled before expansion, as in C.
    std::vector<Token> resolved;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (!raw[i].isWord("defined")) {
            resolved.push_back(raw[i]);
            continue;
        }
        bool paren = i + 1 < raw.size() && raw[i + 1].isPunct("(");
        std::size_t at = i + (paren ? 2 : 1);
        if (at >= raw.size() || raw[at].kind != Token::Kind::Identifier || (paren && (at + 1 >= raw.size() || !raw[at + 1].isPunct(")"))))
            throw RcError(where, "'defined' needs a name");
        Token value{Token::Kind::Number, "", mMacros.defined(raw[at].text) ? 1u : 0u, {}, where};
        resolved.push_back(value);
        i = at + (paren ? 1 : 0);
    }
    VectorSource source(mMacros.expand(resolved), where);
    if (source.peek().kind == Token::Kind::End)
        throw RcError(where, "#if needs an expression");
    std::uint32_t value = evaluate(source, UnknownNames::Zero);
    if (source.peek().kind != Token::Kind::End)
        throw RcError(where, "unexpected " + source.peek().describe() + " in #if");
    return value != 0;
}

void Preprocessor::include(const std::string& rest, const Location& where)
{
    if (rest.size() < 2 || !((rest.front() == '"' && rest.find('"', 1) != std::string::npos) ||
                             (rest.front() == '<' && rest.find('>') != std::string::npos)))
        throw RcError(where, "#include needs \"file\" or <file>");
    bool quoted = rest.front() == '"';
    std::size_t close = rest.find(quoted ? '"' : '>', 1);
    std::string name = rest.substr(1, close - 1);
    if (!trim(rest.substr(close + 1)).empty())
        throw RcError(where, "unexpected text after #include");
    std::string path = resolve(name, quoted, where);
    open(path, where, isHeader(path));
}

std::string Preprocessor::resolve(const std::string& name, bool quoted, const Location& where) const
{
    std::vector<fs::path> candidates;
    if (fs::path(name).is_absolute()) {
        candidates.emplace_back(name);
    } else {
        if (quoted)
            candidates.push_back(fs::path(mStack.back().path).parent_path() / name);
        for (const std::string& dir : mIncludeDirs)
            candidates.push_back(fs::path(dir) / name);
    }
    for (const fs::path& p : candidates) {
        std::error_code ec;
        if (fs::is_regular_file(p, ec))
            return p.lexically_normal().string();
    }
    throw RcError(where, "cannot find include file '" + name + "'");
}

}  // namespace arxrc
