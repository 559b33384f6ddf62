// Scripts the resource compiler must refuse, each with "file:line: message" naming
// the place of the fault, and input built to exhaust it refused within its limits.
#include <gtest/gtest.h>

#include "rc_fixture.h"

namespace {

struct BadScript {
    const char* what;
    std::string script;
    std::string error;
};

}  // namespace

TEST(ArxrcErrors, EachFaultIsNamedWithItsLine)
{
    const BadScript cases[] = {
        {"unterminated string", "STRINGTABLE\nBEGIN\n  1 \"open\nEND\n", "test.rc:3: unterminated string"},
        {"string ending in a backslash", "STRINGTABLE\nBEGIN\n  1 \"open\\\"\nEND\n", "test.rc:3: unterminated string"},
        {"misspelt statement", "STRINGTABEL\nBEGIN\n  1 \"a\"\nEND\n", "test.rc:1: unknown keyword 'STRINGTABEL'"},
        {"unknown control", "1 DIALOGEX 0, 0, 1, 1\nBEGIN\n  SLIDER \"s\", 1, 0, 0, 1, 1\nEND\n",
         "test.rc:3: unknown keyword 'SLIDER' in a dialog"},
        {"unknown dialog statement", "1 DIALOGEX 0, 0, 1, 1\nTITLE \"t\"\nBEGIN\nEND\n",
         "test.rc:2: unknown keyword 'TITLE' in DIALOGEX"},
        {"string table without END", "STRINGTABLE\nBEGIN\n  1 \"a\"\n", "test.rc:1: STRINGTABLE has no END"},
        {"string table left open before the next resource",
         "STRINGTABLE\nBEGIN\n  1 \"a\"\n\n5 DIALOGEX 0, 0, 1, 1\nBEGIN\nEND\n", "test.rc:1: STRINGTABLE has no END"},
        {"dialog without END", "\n7 DIALOGEX 0, 0, 1, 1\nBEGIN\n  PUSHBUTTON \"p\", 1, 0, 0, 1, 1\n",
         "test.rc:2: DIALOGEX has no END"},
        {"dialog without BEGIN", "7 DIALOGEX 0, 0, 1, 1\nCAPTION \"c\"\n", "test.rc:1: DIALOGEX has no BEGIN"},
        {"undefined string id", "#define IDS_A 1\nSTRINGTABLE\nBEGIN\n  IDS_A \"a\"\n  IDS_B \"b\"\nEND\n",
         "test.rc:5: undefined name 'IDS_B'"},
        {"undefined style", "1 DIALOGEX 0, 0, 1, 1\nSTYLE WS_POPUPP\nBEGIN\nEND\n", "test.rc:2: undefined name 'WS_POPUPP'"},
        {"undefined control id", "1 DIALOGEX 0, 0, 1, 1\nBEGIN\n  PUSHBUTTON \"p\", IDC_NONE, 0, 0, 1, 1\nEND\n",
         "test.rc:3: undefined name 'IDC_NONE'"},
        {"missing picture", "\n\n1 PNG \"missing.png\"\n", "test.rc:3: cannot open 'missing.png': no such file"},
        {"missing header", "#include \"missing.h\"\n", "test.rc:1: cannot find include file 'missing.h'"},
        {"duplicate string id", "STRINGTABLE\nBEGIN\n  1 \"a\"\n  1 \"b\"\nEND\n",
         "test.rc:4: string id 1 is already defined at test.rc:3"},
        {"duplicate resource", "1 PNG \"dot.png\"\n1 png \"dot.png\"\n",
         "test.rc:2: resource 1 of type \"PNG\" is already defined at test.rc:1"},
        {"string id too large", "STRINGTABLE\nBEGIN\n  65536 \"a\"\nEND\n", "test.rc:3: string id 65536 is out of range 0..65535"},
        {"coordinate too large", "1 DIALOGEX 0, 0, 40000, 1\nBEGIN\nEND\n", "test.rc:1: width 40000 is out of range -32768..32767"},
        {"resource id zero", "0 PNG \"dot.png\"\n", "test.rc:1: resource id 0 is out of range 1..65535"},
        {"division by zero", "STRINGTABLE\nBEGIN\n  4 / (2 - 2) \"a\"\nEND\n", "test.rc:3: division by zero"},
        {"unknown escape", "STRINGTABLE\nBEGIN\n  1 \"\\q\"\nEND\n", "test.rc:3: unknown escape sequence '\\q' in string"},
        {"invalid UTF-8", "STRINGTABLE\nBEGIN\n  1 \"\xC3(\"\nEND\n", "test.rc:3: the string is not valid UTF-8"},
        {"bad number", "STRINGTABLE\nBEGIN\n  12ab \"a\"\nEND\n", "test.rc:3: bad number '12a'"},
        {"number past 32 bits", "STRINGTABLE\nBEGIN\n  0x100000000 \"a\"\nEND\n",
         "test.rc:3: number '0x100000000...' does not fit in 32 bits"},
        {"stray character", "STRINGTABLE\nBEGIN\n  1 @ \"a\"\nEND\n", "test.rc:3: unexpected character '@'"},
        {"unterminated comment", "STRINGTABLE\n/* open\nBEGIN\nEND\n", "test.rc:2: comment has no end"},
        {"#if without #endif", "#ifdef X\n#define Y 1\n", "test.rc:1: #if has no #endif in this file"},
        {"#endif without #if", "#define Y 1\n#endif\n", "test.rc:2: #endif without #if"},
        {"#else after #else", "#if 1\n#else\n#else\n#endif\n", "test.rc:3: #else after #else"},
        {"#error", "#if 1\n#error stop here\n#endif\n", "test.rc:2: #error stop here"},
        {"unknown directive", "#frobnicate\n", "test.rc:1: unknown directive '#frobnicate'"},
        {"function-like macro", "#define F(x) x\nSTRINGTABLE\nBEGIN\n  F \"a\"\nEND\n",
         "test.rc:4: 'F' (defined at test.rc:1) takes arguments; resource scripts cannot use such macros"},
        {"inline data", "1 PNG\nBEGIN\n  1, 2\nEND\n", "test.rc:2: data written inside the script is not supported; name a file"},
        {"unsupported resource", "1 MENU\nBEGIN\nEND\n", "test.rc:1: MENU resources are not supported"},
        {"reserved numeric type", "1 6 \"dot.png\"\n", "test.rc:1: resource type 6 is built by DIALOGEX or STRINGTABLE only"},
        {"missing comma", "1 DIALOGEX 0, 0 1, 1\nBEGIN\nEND\n", "test.rc:1: expected ',' before width but found number 1"},
        {"other code page", "#pragma code_page(1252)\n", "test.rc:1: only #pragma code_page(65001) (UTF-8) is supported"},
        {"UTF-16 script", std::string("\xFF\xFE" "1\0 \0", 6), "test.rc:1: the file is UTF-16; save it as UTF-8"},
        {"NUL byte", std::string("STRINGTABLE\n\0\n", 14), "test.rc:2: the line holds a NUL byte"},
    };
    RcFixture rc;
    for (const BadScript& c : cases)
        EXPECT_EQ(rc.error(c.script), c.error) << c.what;
}

TEST(ArxrcErrors, FaultsInIncludedFilesNameThoseFiles)
{
    RcFixture rc;
    rc.write("inc/ids.h", "#define A 1\n#if A\n#error bad header\n#endif\n");
    EXPECT_EQ(rc.error("\n#include \"inc/ids.h\"\n"), "inc/ids.h:3: #error bad header");
    rc.write("part.rc", "STRINGTABLE\nBEGIN\n  1 \"x\n");
    EXPECT_EQ(rc.error("#include \"part.rc\"\n"), "part.rc:3: unterminated string");
}

TEST(ArxrcErrors, InputBuiltToExhaustTheCompilerIsRefused)
{
    RcFixture rc;
    // Each macro doubles the one before it: 2^40 tokens if expanded.
    std::string doubling = "#define M0 1\n";
    for (int i = 1; i <= 40; ++i)
        doubling += "#define M" + std::to_string(i) + " M" + std::to_string(i - 1) + " + M" + std::to_string(i - 1) + "\n";
    doubling += "STRINGTABLE\nBEGIN\n  M40 \"a\"\nEND\n";
    EXPECT_NE(rc.error(doubling).find("test.rc:44: macro expansion of 'M"), std::string::npos) << rc.error(doubling);

    // Names that refer to each other stop expanding instead of looping.
    EXPECT_EQ(rc.error("#define A B\n#define B A\nSTRINGTABLE\nBEGIN\n  A \"a\"\nEND\n"), "test.rc:5: undefined name 'A'");

    std::string deep = "STRINGTABLE\nBEGIN\n  " + std::string(100000, '(') + "1" + std::string(100000, ')') + " \"a\"\nEND\n";
    EXPECT_EQ(rc.error(deep), "test.rc:3: expression nested too deeply");

    rc.write("self.rc", "#include \"self.rc\"\n");
    EXPECT_EQ(rc.error("#include \"self.rc\"\n"), "self.rc:1: #include nested deeper than 32");

    std::string nested;
    for (int i = 0; i < 100; ++i)
        nested += "#if 1\n";
    EXPECT_EQ(rc.error(nested), "test.rc:65: conditionals nested deeper than 64");

    std::string longText = "STRINGTABLE\nBEGIN\n  1 \"" + std::string(70000, 'x') + "\"\nEND\n";
    EXPECT_EQ(rc.error(longText), "test.rc:3: string longer than 65535 characters");
}
