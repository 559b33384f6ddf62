#!/usr/bin/env python3
"""Checks that docs/sdk-surface.md lists every SDK and Windows name the plug-in uses.

The plug-in must build unchanged against the released host SDK, MFC and the
Windows SDK, so every name it takes from the stand-in headers (platform/*/include)
is listed in the table of docs/sdk-surface.md with its released declaration, and
every stand-in header it includes in the table of headers. This script collects
the names the stand-in headers declare, finds those the plug-in's sources use,
and exits non-zero, naming file and line, for each one the tables do not list.

A name the headers declare only as a class member counts as used where the
plug-in reaches it as a member (after '.', '->' or '::') or calls or overrides it
(followed by '('); so a local variable that happens to share a member's name is
not taken for a use. Member functions the plug-in declares without 'override' are
its own and are not counted.
"""
import argparse
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
PLUGIN_DIRS = ["shell", "entity", "registry", "reactors", "audio", "ui"]
SOURCE_SUFFIXES = {".h", ".hpp", ".cpp", ".cc", ".inl"}

KEYWORDS = set("""
alignas alignof and asm auto bool break case catch char char8_t char16_t char32_t class
concept const consteval constexpr constinit const_cast continue co_await co_return
co_yield decltype default delete do double dynamic_cast else enum explicit export extern
false final float for friend goto if inline int long mutable namespace new noexcept not
nullptr operator or override private protected public register reinterpret_cast requires
return short signed sizeof static static_assert static_cast struct switch template this
thread_local throw true try typedef typeid typename union unsigned using virtual void
volatile wchar_t while __attribute__ __declspec
""".split())

TOKEN = re.compile(r"""
    (?P<id>[A-Za-z_]\w*)
  | (?P<num>\d[\w.']*)
  | (?P<op>::|->|\.\.\.|[{}()\[\];,:<>=*&.~!+\-/%^|?\#])
""", re.VERBOSE)


def strip(text):
    """Comments, string and character literals removed; line breaks kept."""
    out = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            i = n if j < 0 else j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            out.append("\n" * text.count("\n", i, j))
            i = j
        elif c in "\"'":
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            out.append(' "" ' if c == '"' else " 0 ")
            i = j + 1
        else:
            out.append(c)
            i += 1
    return "".join(out)


def lex(text):
    """(tokens, macros): tokens as (kind, value, line) outside the preprocessor,
    and the names #define'd with their lines."""
    tokens, macros = [], []
    lines = strip(text).split("\n")
    k = 0
    while k < len(lines):
        line, number = lines[k], k + 1
        if line.lstrip().startswith("#"):
            directive = line
            while directive.endswith("\\") and k + 1 < len(lines):
                k += 1
                directive = directive[:-1] + " " + lines[k]
            m = re.match(r"\s*#\s*define\s+([A-Za-z_]\w*)", directive)
            if m:
                macros.append((m.group(1), number))
            k += 1
            continue
        for m in TOKEN.finditer(line):
            kind = m.lastgroup
            tokens.append((kind, m.group(kind), number))
        k += 1
    return tokens, macros


INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^">]+)[">]', re.MULTILINE)


def include_lines(text):
    for m in INCLUDE.finditer(text):
        yield text.count("\n", 0, m.start()) + 1, m.group(1)


def declarations(tokens, macros):
    """The names declared outside function bodies: {name: kind}, kind being
    'member' for what a class declares and 'top' for everything else, and the set
    of member functions declared with 'override'."""
    names, overrides = {}, set()
    macro_names = {m for m, _ in macros}

    def add(name, kind):
        if name in KEYWORDS or name == "operator":
            return
        if names.get(name) != "top":
            names[name] = kind

    for m in macro_names:
        add(m, "top")

    # Scopes: 'file', 'namespace', 'class', 'enum'; bodies are skipped whole.
    scopes = ["file"]
    statement = []
    i = 0
    while i < len(tokens):
        kind, value, _ = tokens[i]
        scope = scopes[-1]
        if value == "{":
            head = [v for _, v, _ in statement]
            if scope == "enum":
                pass
            elif {"class", "struct", "union"} & set(head) and "(" not in head:
                name = _class_name(head)
                if name:
                    add(name, "member" if scope == "class" else "top")
                scopes.append("class")
            elif "enum" in head and "(" not in head:
                name = _class_name(head)
                if name and name != "enum":
                    add(name, "member" if scope == "class" else "top")
                scopes.append("enum")
                statement = []
                i = _enumerators(tokens, i + 1, add)
                scopes.pop()
                continue
            elif "namespace" in head or (head[:1] == ["extern"] and '""' in head):
                if "namespace" in head and len(head) > 1 and head[-1] != "namespace":
                    add(head[-1], "top")
                scopes.append("namespace")
            else:
                # A function body or a brace initialiser: the declaration so far
                # counts, its inside does not.
                _declare(statement, scope, add, overrides, macro_names)
                i = _skip_braces(tokens, i)
                statement = []
                continue
            statement = []
        elif value == "}":
            if len(scopes) > 1:
                scopes.pop()
            statement = []
        elif value == ";":
            _declare(statement, scope, add, overrides, macro_names)
            statement = []
        elif value == ":" and statement and statement[-1][1] in ("public", "protected", "private"):
            statement = []
        else:
            statement.append(tokens[i])
        i += 1
    return names, overrides


def _class_name(head):
    cut = len(head)
    for stop in (":", "{", "final"):
        if stop in head:
            cut = min(cut, head.index(stop))
    ids = [v for v in head[:cut] if re.match(r"[A-Za-z_]\w*$", v) and v not in KEYWORDS]
    return ids[-1] if ids else None


def _skip_braces(tokens, i):
    depth = 0
    while i < len(tokens):
        if tokens[i][1] == "{":
            depth += 1
        elif tokens[i][1] == "}":
            depth -= 1
            if depth == 0:
                return i + 1
        i += 1
    return i


def _enumerators(tokens, i, add):
    expect = True
    depth = 0
    while i < len(tokens):
        kind, value, _ = tokens[i]
        if value in "({[":
            depth += 1
        elif value in ")]":
            depth -= 1
        elif value == "}" and depth == 0:
            return i + 1
        elif value == "," and depth == 0:
            expect = True
        elif expect and kind == "id":
            add(value, "top")
            expect = False
        i += 1
    return i


def _declare(statement, scope, add, overrides, macro_names):
    values = [v for _, v, _ in statement]
    if not values or values[0] in ("friend", "static_assert", "return"):
        return
    if values[0] == "template" and "<" in values:
        depth, j = 0, values.index("<")
        while j < len(values):
            depth += values[j] == "<"
            depth -= values[j] == ">"
            j += 1
            if depth == 0:
                break
        values = values[j:]
        if not values:
            return
    kind = "member" if scope == "class" else "top"
    if values[0] == "using":
        if len(values) > 2 and values[2] == "=":
            add(values[1], kind)
        elif "::" in values:
            add(values[-1], kind)
        return
    if values[0] == "typedef":
        if "(" in values and values[values.index("(") + 1:values.index("(") + 2] == ["*"]:
            j = values.index("(") + 2
            if j < len(values):
                add(values[j], kind)
        else:
            ids = [v for v in values if re.match(r"[A-Za-z_]\w*$", v) and v not in KEYWORDS]
            if ids:
                add(ids[-1], kind)
        return
    if "(" in values:
        j = values.index("(")
        before = values[j - 1] if j > 0 else None
        if j > 1 and values[j - 2] == "::":
            return  # the definition of something declared elsewhere
        if before and re.match(r"[A-Za-z_]\w*$", before) and before not in KEYWORDS:
            if before in macro_names:
                # A macro used as a declaration (DECLARE_HANDLE(HWND)): its
                # identifier arguments are declared by it.
                k = j + 1
                while k < len(values) and values[k] != ")":
                    if re.match(r"[A-Za-z_]\w*$", values[k]) and values[k] not in KEYWORDS:
                        add(values[k], kind)
                    k += 1
            else:
                add(before, kind)
                if "override" in values:
                    overrides.add(before)
        elif j + 2 < len(values) and values[j + 1] == "*" and re.match(r"[A-Za-z_]\w*$", values[j + 2]):
            add(values[j + 2], kind)  # a pointer to function
        return
    # Variables and data members: each declarator's name is the last identifier
    # before its initialiser or array bound.
    pieces, piece, depth = [], [], 0
    for v in values:
        if v in ("<", "(", "["):
            depth += 1
        elif v in (">", ")", "]"):
            depth -= 1
        if v == "," and depth == 0:
            pieces.append(piece)
            piece = []
        else:
            piece.append((v, depth))
    pieces.append(piece)
    for piece in pieces:
        head = []
        for v, d in piece:
            if d == 0 and v in ("=", "[") or (d == 1 and v == "["):
                break
            head.append(v)
        ids = [x for x in head if re.match(r"[A-Za-z_]\w*$", x) and x not in KEYWORDS]
        if ids:
            add(ids[-1], kind)


OWN_INTERFACE_FOLDERS = {"win32", "arxhost"}


def collect_platform(root, where=None):
    """{name: kind} of what the stand-in headers declare; where, when given,
    receives the headers that declare each name."""
    declared = {}
    for header in sorted(root.glob("platform/*/include/**/*.h")):
        # The stand-ins' own interfaces for the host program (win32/, arxhost/)
        # are no part of any SDK, and the plug-in does not use them.
        if header.parent.name in OWN_INTERFACE_FOLDERS:
            continue
        tokens, macros = lex(header.read_text(encoding="utf-8", errors="replace"))
        names, _ = declarations(tokens, macros)
        for name, kind in names.items():
            if declared.get(name) != "top":
                declared[name] = kind
            if where is not None:
                where.setdefault(name, []).append(header.relative_to(root).as_posix())
    return declared


def plugin_files(root, dirs):
    for d in dirs:
        folder = root / d
        if folder.is_dir():
            yield from sorted(p for p in folder.rglob("*") if p.suffix in SOURCE_SUFFIXES and p.is_file())


def plugin_uses(root, dirs, declared):
    """{name: [(file, line)]} of the stand-in's names the plug-in uses, and
    [(file, line, header)] of the stand-in headers it includes."""
    # The plug-in's own names: what it declares, less the overrides of the SDK's
    # virtual functions and less what the stand-in declares outside classes (a
    # plug-in cannot make those its own; it only defines or invokes them).
    own, overriding = set(), set()
    platform_macros = [(n, 0) for n, kind in declared.items() if kind == "top"]
    sources = []
    for path in plugin_files(root, dirs):
        text = path.read_text(encoding="utf-8", errors="replace")
        tokens, macros = lex(text)
        names, overrides = declarations(tokens, macros + platform_macros)
        own |= set(names)
        overriding |= overrides
        sources.append((path, text, tokens))
    own -= overriding
    own -= {n for n, kind in declared.items() if kind == "top"}
    include_roots = [p for p in root.glob("platform/*/include") if p.is_dir()]
    uses, includes = {}, []
    for path, text, tokens in sources:
        rel = path.relative_to(root)
        for line, target in include_lines(text):
            if any((r / target).is_file() for r in include_roots):
                includes.append((rel, line, target))
        for k, (kind, value, line) in enumerate(tokens):
            if kind != "id" or value not in declared or value in own:
                continue
            prev = tokens[k - 1][1] if k > 0 else ""
            nxt = tokens[k + 1][1] if k + 1 < len(tokens) else ""
            if declared[value] == "member" and prev not in (".", "->", "::") and nxt != "(":
                continue
            uses.setdefault(value, []).append((rel, line))
    return uses, includes


def table_names(doc):
    """Identifiers in the first column of the name table, and header file names in
    the first column of the header table."""
    names, headers = set(), set()
    section = None
    for line in doc.read_text(encoding="utf-8").splitlines():
        if line.startswith("#"):
            title = line.lower()
            section = "headers" if "header" in title else ("names" if "name" in title else None)
            continue
        if not line.startswith("|") or set(line) <= set("|-: "):
            continue
        first = line.split("|")[1]
        for code in re.findall(r"`([^`]+)`", first):
            if section == "headers":
                headers.add(code.strip())
            elif section == "names":
                names |= set(re.findall(r"[A-Za-z_]\w*", code))
    return names, headers


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--root", type=pathlib.Path, default=ROOT)
    parser.add_argument("--table", type=pathlib.Path, help="default: ROOT/docs/sdk-surface.md")
    parser.add_argument("--plugin-dir", action="append", help="default: the plug-in's folders")
    parser.add_argument("--list", action="store_true", help="print the names used and where")
    args = parser.parse_args(argv)
    root = args.root.resolve()
    table = args.table or root / "docs/sdk-surface.md"
    dirs = args.plugin_dir or PLUGIN_DIRS

    where = {}
    declared = collect_platform(root, where)
    uses, includes = plugin_uses(root, dirs, declared)
    if args.list:
        for name in sorted(uses, key=str.lower):
            f, l = uses[name][0]
            print(f"{name}\t{declared[name]}\t{f}:{l}\t{' '.join(where[name])}")
        for f, l, h in includes:
            print(f"#include {h}\t{f}:{l}")
        return 0
    if not table.is_file():
        print(f"check-sdk-surface: {table} is missing", file=sys.stderr)
        return 1
    listed, listed_headers = table_names(table)
    missing = [(n, uses[n][0]) for n in sorted(uses, key=str.lower) if n not in listed]
    missing_headers = [(h, f, l) for f, l, h in includes if h not in listed_headers]
    for name, (f, l) in missing:
        print(f"{f}:{l}: {name} is a name of the SDK or Windows surface that {table.name} does not list")
    for h, f, l in missing_headers:
        print(f"{f}:{l}: header {h} is not in the header table of {table.name}")
    if missing or missing_headers:
        print(f"check-sdk-surface: {len(missing)} name(s) and {len(missing_headers)} header(s) unlisted; "
              f"add each with its released declaration", file=sys.stderr)
        return 1
    print(f"check-sdk-surface: the plug-in's {len(uses)} names and {len(set(h for _, _, h in includes))} "
          f"headers are all listed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
