// The resource compiler on scripts that use each construct it supports: what it
// builds from them is what Windows' resource compiler builds.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>

#include "generator.h"
#include "rc_fixture.h"
#include "windows.h"
#include "winres.h"

namespace {

std::wstring stringAt(const arxrc::Script& s, std::uint16_t id)
{
    auto it = s.strings.find(id);
    return it == s.strings.end() ? L"<missing>" : it->second.text;
}

std::vector<std::uint8_t> dotPng()
{
    std::ifstream in(TEST_DATA_DIR "/dot.png", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(Arxrc, StringTablesWithIdsNamesAndEscapes)
{
    RcFixture rc;
    rc.write("resource.h", "#define IDS_A 10\n#define IDS_B (IDS_A + 1)\n");
    auto s = rc.compile(R"(#include "resource.h"
#define IDS_LOCAL 0x20
STRINGTABLE
BEGIN
    IDS_A "tab\there\nnewline"
    IDS_B, "quote "" and \" and back\\slash"
    IDS_LOCAL "hex \x41\x4a byte, wide only in L: \x263A"
    33 L"wide \x263A"
    34 "caf\xc3\xa9 \303\251 // not a comment /* nor this */"
END
STRINGTABLE { 65535 "last" 0 "first" }
)");
    EXPECT_EQ(stringAt(s, 10), L"tab\there\nnewline");
    EXPECT_EQ(stringAt(s, 11), L"quote \" and \" and back\\slash");
    EXPECT_EQ(stringAt(s, 0x20), L"hex AJ byte, wide only in L: &3A");
    EXPECT_EQ(stringAt(s, 33), L"wide \u263A");
    EXPECT_EQ(stringAt(s, 34), L"caf\u00c3\u00a9 \u00c3\u00a9 // not a comment /* nor this */");
    EXPECT_EQ(stringAt(s, 65535), L"last");
    EXPECT_EQ(stringAt(s, 0), L"first");
    EXPECT_EQ(s.strings.size(), 7u);
}

TEST(Arxrc, ScriptTextIsUtf8)
{
    RcFixture rc;
    auto s = rc.compile("\xEF\xBB\xBFSTRINGTABLE\nBEGIN\n 1 \"caf\xC3\xA9 \xE2\x98\xBA\"\nEND\n");
    EXPECT_EQ(stringAt(s, 1), L"caf\u00e9 \u263A");
}

TEST(Arxrc, PreprocessorDirectivesAndComments)
{
    RcFixture rc;
    rc.write("guarded.h", "#pragma once\n#define GUARDED 7\n");
    rc.write("code.h", R"(#ifndef RC_INVOKED
class Foo { const char* s = "#define NOT_SEEN 1"; char q = '"'; };
#endif
#define FROM_HEADER 5 /* a comment
  over lines */
#define LONG_VALUE \
    (FROM_HEADER + 1)
#define TAKES(x) x
)");
    auto s = rc.compile(R"(#include "code.h"
#include "guarded.h"
#include "guarded.h"
#ifdef FROM_HEADER
#define PICKED 1
#else
#define PICKED 2
#endif
#if defined(FROM_HEADER) && FROM_HEADER > 4 && !defined NOT_SEEN
#define BRANCH 100
#elif 1
#define BRANCH 200
#endif
#if UNDEFINED_NAME
#error never reached
#endif
#define GONE 9
#undef GONE
#ifndef GONE
#define AGAIN 3
#endif
STRINGTABLE
BEGIN
    PICKED "picked"        // a comment
    BRANCH "branch"        /* another */
    LONG_VALUE "long"
    GUARDED "guarded"
    AGAIN "again"
END
)");
    EXPECT_EQ(stringAt(s, 1), L"picked");
    EXPECT_EQ(stringAt(s, 100), L"branch");
    EXPECT_EQ(stringAt(s, 6), L"long");
    EXPECT_EQ(stringAt(s, 7), L"guarded");
    EXPECT_EQ(stringAt(s, 3), L"again");
}

TEST(Arxrc, ExpressionsFollowCRules)
{
    RcFixture rc;
    auto s = rc.compile(R"(STRINGTABLE
BEGIN
    1 + 2 * 3 "seven"
    (1 + 2) * 3 "nine"
    0x10 | 0x01 "seventeen"
    -1 + 21 "twenty"
    ~0xFFFFFFE0 "thirty-one"
    100 / 7 "fourteen"
    100 % 7 "two"
    1 << 6 "sixty-four"
    010 "eight"
    12L "twelve"
END
)");
    for (auto [id, text] : std::initializer_list<std::pair<int, const wchar_t*>>{
             {7, L"seven"}, {9, L"nine"}, {17, L"seventeen"}, {20, L"twenty"}, {31, L"thirty-one"},
             {14, L"fourteen"}, {2, L"two"}, {64, L"sixty-four"}, {8, L"eight"}, {12, L"twelve"}})
        EXPECT_EQ(stringAt(s, static_cast<std::uint16_t>(id)), text) << id;
}

TEST(Arxrc, DialogTemplatesWithTheirControls)
{
    RcFixture rc;
    auto s = rc.compile(R"(#include <winres.h>
#define IDD_MAIN 100
#define IDC_LIST 1001
IDD_MAIN DIALOGEX 1, 2, 320, 200, 77
STYLE DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_SYSMENU
EXSTYLE WS_EX_TOOLWINDOW | WS_EX_APPWINDOW
CAPTION "Voice notes"
FONT 8, "MS Shell Dlg", 700, 1, 0x1
BEGIN
    CONTROL "", IDC_LIST, "SysListView32", LVS_REPORT | WS_BORDER | WS_TABSTOP, 7, 7, 306, 160
    CONTROL "Check", 1002, BUTTON, BS_AUTOCHECKBOX | NOT WS_VISIBLE, 1, 2, 3, 4, WS_EX_STATICEDGE, 55
    DEFPUSHBUTTON "OK", IDOK, 263, 179, 50, 14
    PUSHBUTTON "Cancel", IDCANCEL, 207, 179, 50, 14, NOT WS_TABSTOP | WS_DISABLED
    LTEXT "Label", IDC_STATIC, 7, 170, 100, 8, SS_NOPREFIX | NOT WS_GROUP
    RTEXT "R", -2, -5, -6, 10, 8
    CTEXT "C", 3, 0, 0, 10, 8
    GROUPBOX "Group", 4, 0, 0, 10, 8
    CHECKBOX "Box", 5, 0, 0, 10, 8
    AUTOCHECKBOX "Auto", 6, 0, 0, 10, 8
    EDITTEXT 7, 0, 0, 10, 8, ES_AUTOHSCROLL
END
)");
    ASSERT_EQ(s.dialogs.size(), 1u);
    const arxrc::Dialog& d = s.dialogs[0];
    EXPECT_EQ(d.name.id, 100);
    EXPECT_EQ(d.x, 1);
    EXPECT_EQ(d.y, 2);
    EXPECT_EQ(d.cx, 320);
    EXPECT_EQ(d.cy, 200);
    EXPECT_EQ(d.helpId, 77u);
    EXPECT_EQ(d.style, static_cast<std::uint32_t>(DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_SYSMENU | WS_CAPTION));
    EXPECT_EQ(d.exStyle, static_cast<std::uint32_t>(WS_EX_TOOLWINDOW | WS_EX_APPWINDOW));
    EXPECT_EQ(d.caption, L"Voice notes");
    EXPECT_TRUE(d.hasFont);
    EXPECT_EQ(d.pointSize, 8);
    EXPECT_EQ(d.typeface, L"MS Shell Dlg");
    EXPECT_EQ(d.weight, 700);
    EXPECT_EQ(d.italic, 1);
    EXPECT_EQ(d.charset, 1);

    struct Expected {
        const wchar_t* cls;
        std::uint32_t style;
        std::uint32_t id;
    };
    const std::uint32_t cv = WS_CHILD | WS_VISIBLE;
    const Expected expected[] = {
        {L"SysListView32", cv | LVS_REPORT | WS_BORDER | WS_TABSTOP, 1001},
        {L"Button", WS_CHILD | BS_AUTOCHECKBOX, 1002},
        {L"Button", cv | BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK},
        {L"Button", cv | BS_PUSHBUTTON | WS_DISABLED, IDCANCEL},
        {L"Static", cv | SS_LEFT | SS_NOPREFIX, 0xFFFFFFFFu},
        {L"Static", cv | SS_RIGHT | WS_GROUP, 0xFFFFFFFEu},
        {L"Static", cv | SS_CENTER | WS_GROUP, 3},
        {L"Button", cv | BS_GROUPBOX, 4},
        {L"Button", cv | BS_CHECKBOX | WS_TABSTOP, 5},
        {L"Button", cv | BS_AUTOCHECKBOX | WS_TABSTOP, 6},
        {L"Edit", cv | ES_LEFT | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 7},
    };
    ASSERT_EQ(d.controls.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(d.controls[i].windowClass, expected[i].cls) << i;
        EXPECT_EQ(d.controls[i].style, expected[i].style) << i << " " << std::hex << d.controls[i].style;
        EXPECT_EQ(d.controls[i].id, expected[i].id) << i;
    }
    EXPECT_EQ(d.controls[1].exStyle, static_cast<std::uint32_t>(WS_EX_STATICEDGE));
    EXPECT_EQ(d.controls[1].helpId, 55u);
    EXPECT_EQ(d.controls[5].x, -5);
    EXPECT_EQ(d.controls[5].y, -6);
    EXPECT_EQ(d.controls[2].text, L"OK");
    EXPECT_EQ(d.controls[10].text, L"");
}

TEST(Arxrc, DialogDefaultsWithoutStyleOrFont)
{
    RcFixture rc;
    auto s = rc.compile("Plain DIALOGEX 0, 0, 10, 10\n{\n}\n");
    ASSERT_EQ(s.dialogs.size(), 1u);
    const arxrc::Dialog& d = s.dialogs[0];
    EXPECT_TRUE(d.name.isText);
    EXPECT_EQ(d.name.text, L"PLAIN");
    EXPECT_EQ(d.style, static_cast<std::uint32_t>(WS_POPUP | WS_BORDER | WS_SYSMENU));
    EXPECT_FALSE(d.hasFont);
    EXPECT_TRUE(d.controls.empty());

    s = rc.compile("#include <winres.h>\n1 DIALOGEX 0, 0, 10, 10\nSTYLE WS_CHILD\nFONT 9, \"Face\"\nBEGIN\nEND\n");
    EXPECT_EQ(s.dialogs[0].style, static_cast<std::uint32_t>(WS_CHILD | DS_SETFONT));
    EXPECT_EQ(s.dialogs[0].weight, 0);
}

TEST(Arxrc, FileResourcesOfCustomTypes)
{
    RcFixture rc;
    rc.write("pictures/empty.bin", "");
    auto s = rc.compile(R"(#define IDB_DOT 300
IDB_DOT PNG "dot.png"
Logo "png" "dot.png"
"Quoted Name" PNG "pictures/empty.bin"
IDB_DOT RCDATA "dot.png"
7 99 "dot.png"
)");
    ASSERT_EQ(s.data.size(), 5u);
    EXPECT_EQ(s.data[0].type.text, L"PNG");
    EXPECT_EQ(s.data[0].name.id, 300);
    EXPECT_EQ(s.data[0].bytes, dotPng());
    EXPECT_EQ(s.data[1].name.text, L"LOGO");  // names are kept in upper case
    EXPECT_EQ(s.data[1].type.text, L"PNG");
    EXPECT_EQ(s.data[2].name.text, L"QUOTED NAME");
    EXPECT_TRUE(s.data[2].bytes.empty());
    EXPECT_FALSE(s.data[3].type.isText);
    EXPECT_EQ(s.data[3].type.id, 10);  // RT_RCDATA
    EXPECT_EQ(s.data[4].type.id, 99);
    // Every file read is a dependency of the generated code.
    EXPECT_EQ(s.dependencies.size(), 3u);
    EXPECT_EQ(s.dependencies[0], rc.dir().file("test.rc"));
}

// As with Windows' resource compiler, a file not beside the script is looked
// for in the include folders, in their order; the script's own folder wins.
TEST(Arxrc, DataFilesAreFoundBesideTheScriptThenInTheIncludeFolders)
{
    RcFixture rc;
    rc.write("made/first/only-made.bin", "first");
    rc.write("made/second/only-made.bin", "second");
    rc.write("made/second/dot.png", "not the script's own dot");
    arxrc::Options options;
    options.includeDirs = {WIN32_INCLUDE_DIR, rc.dir().file("made/first"), rc.dir().file("made/second")};
    auto s = arxrc::compileScript(rc.write("test.rc", "1 PNG \"only-made.bin\"\n2 PNG \"dot.png\"\n"), options);
    ASSERT_EQ(s.data.size(), 2u);
    EXPECT_EQ(std::string(s.data[0].bytes.begin(), s.data[0].bytes.end()), "first");
    EXPECT_EQ(s.data[1].bytes, dotPng());
    EXPECT_NE(rc.error("1 PNG \"nowhere.bin\"\n").find("cannot open 'nowhere.bin'"), std::string::npos);
}

TEST(Arxrc, GeneratedCodeRegistersEveryResource)
{
    RcFixture rc;
    auto s = rc.compile(R"(STRINGTABLE
BEGIN
    1 "one"
    17 "seventeen"
END
Main DIALOGEX 0, 0, 10, 10
BEGIN
    PUSHBUTTON "*/ \"\\", 1, 0, 0, 1, 1
END
2 PNG "dot.png"
)");
    std::string code = arxrc::generateCpp(s);
    // Two string bundles (ids 0-15 and 16-31), one dialog, one picture.
    EXPECT_NE(code.find("{{6, nullptr}, {1, nullptr}, kStrings1"), std::string::npos);
    EXPECT_NE(code.find("{{6, nullptr}, {2, nullptr}, kStrings2"), std::string::npos);
    EXPECT_NE(code.find("{{5, nullptr}, {0, kText"), std::string::npos);
    EXPECT_NE(code.find("kData0, 76u}"), std::string::npos);
    EXPECT_NE(code.find("kEntries, 4};"), std::string::npos);
    EXPECT_NE(code.find("const ResourceRegistrar kRegistrar(kTable);"), std::string::npos);
    // Script text only ever appears as character codes.
    EXPECT_EQ(code.find("*/ \\\""), std::string::npos);
    // The first bundle: "one" as string 1, the other fifteen empty.
    EXPECT_NE(code.find("const wchar_t kStrings1[] = {\n    0x0, 0x3, 0x6f, 0x6e, 0x65, 0x0,"), std::string::npos);
}

TEST(Arxrc, MangledScriptsFailWithAMessageNeverACrash)
{
    // Random damage to a script that uses every construct: each result is either a
    // compiled script or an RcError naming a line, never anything else.
    const std::string good = R"(#include <winres.h>
#define IDD 100
STRINGTABLE
BEGIN
    1 "one\t\x41"
    2, L"two"
END
IDD DIALOGEX 0, 0, 100, 50
STYLE WS_POPUP | WS_CAPTION
CAPTION "c"
FONT 8, "f", 400, 0, 1
BEGIN
    CONTROL "", 5, "SysListView32", LVS_REPORT | NOT WS_VISIBLE, 1, 2, 3, 4
    PUSHBUTTON "p", IDOK, 1, 2, 3, 4, WS_DISABLED
END
3 PNG "dot.png"
)";
    const char pieces[] = "\"\\,|(){}#/*\n 0x9LNOT BEGIN END\xC3\xFF";
    std::mt19937 random(20240601);
    RcFixture rc;
    int compiled = 0, refused = 0;
    for (int round = 0; round < 800; ++round) {
        std::string text = good;
        int edits = 1 + static_cast<int>(random() % 4);
        for (int e = 0; e < edits; ++e) {
            std::size_t at = random() % text.size();
            switch (random() % 3) {
            case 0:
                text.erase(at, 1 + random() % 8);
                break;
            case 1:
                text.insert(at, 1, pieces[random() % (sizeof pieces - 1)]);
                break;
            default:
                text[at] = pieces[random() % (sizeof pieces - 1)];
                break;
            }
        }
        try {
            rc.compile(text);
            ++compiled;
        } catch (const arxrc::RcError& e) {
            ++refused;
            EXPECT_GT(e.where().line, 0) << e.what();
        }
    }
    EXPECT_GT(refused, 0);
    EXPECT_EQ(compiled + refused, 800);
}

TEST(ArxrcProgram, WritesCodeAndDependenciesOrAnErrorAndNothing)
{
    RcFixture rc;
    std::string good = rc.write("good.rc", "1 PNG \"dot.png\"\n");
    std::string out = rc.dir().file("good.cpp");
    std::string command = std::string(ARXRC_PROGRAM) + " -I " WIN32_INCLUDE_DIR " --depfile " + out + ".d -o " + out + " " + good;
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::ifstream dep(out + ".d");
    std::string deps((std::istreambuf_iterator<char>(dep)), std::istreambuf_iterator<char>());
    EXPECT_EQ(deps.rfind(out + ":", 0), 0u);
    EXPECT_NE(deps.find(rc.dir().file("dot.png")), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(out));

    std::string bad = rc.write("bad.rc", "STRINGTABLE\nBEGIN\n  1 \"open\nEND\n");
    std::string badOut = rc.dir().file("bad.cpp");
    std::string badCommand = std::string(ARXRC_PROGRAM) + " -o " + badOut + " " + bad + " 2>&1";
    FILE* pipe = popen(badCommand.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::array<char, 512> buffer{};
    std::string output;
    while (std::fgets(buffer.data(), buffer.size(), pipe) != nullptr)
        output += buffer.data();
    int status = pclose(pipe);
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(output, bad + ":3: unterminated string\n");
    EXPECT_FALSE(std::filesystem::exists(badOut));
}
