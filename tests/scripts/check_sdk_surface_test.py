#!/usr/bin/env python3
"""Tests of scripts/check-sdk-surface.py on small trees made for each case: it
fails for a stand-in name or header the table does not list and passes once it
does, and it does not mistake the plug-in's own names for the platform's."""
import contextlib
import importlib.util
import io
import pathlib
import tempfile
import textwrap
import unittest

SCRIPT = pathlib.Path(__file__).resolve().parents[2] / "scripts" / "check-sdk-surface.py"
spec = importlib.util.spec_from_file_location("check_sdk_surface", SCRIPT)
checker = importlib.util.module_from_spec(spec)
spec.loader.exec_module(checker)

HEADER = """\
    // A stand-in header.
    #pragma once
    #define ACRX_T(x) L##x
    class AcDbThing {
    public:
        virtual void modified(const AcDbThing* other);
        int count() const { return mCount; }
        double left = 0, right = 0;
    private:
        int mCount = 0;
    };
    namespace AcDb { enum OpenMode { kForRead = 0, kForWrite = 1 }; }
    int acdbOpen(AcDbThing*& thing, AcDb::OpenMode mode);
"""


class CheckSdkSurface(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.root = pathlib.Path(self.tmp.name)
        self.write("platform/arx/include/thing.h", HEADER)

    def tearDown(self):
        self.tmp.cleanup()

    def write(self, rel, text):
        path = self.root / rel
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(textwrap.dedent(text), encoding="utf-8")

    def table(self, names, headers=("thing.h",)):
        rows = "\n".join(f"| `{n}` | decl | sdk.h | stand-in |" for n in names)
        hrows = "\n".join(f"| `{h}` | what | stand-in |" for h in headers)
        self.write("docs/sdk-surface.md", f"# Surface\n\n## Headers\n\n| H | W | S |\n|---|---|---|\n{hrows}\n\n"
                                          f"## Names\n\n| N | D | H | S |\n|---|---|---|---|\n{rows}\n")

    def run_check(self):
        out = io.StringIO()
        with contextlib.redirect_stdout(out), contextlib.redirect_stderr(io.StringIO()):
            rc = checker.main(["--root", str(self.root), "--plugin-dir", "shell"])
        return rc, out.getvalue()

    def test_an_unlisted_name_fails_with_its_place_and_a_listed_one_passes(self):
        self.write("shell/a.cpp", """\
            #include "thing.h"
            int f(AcDbThing* p)
            {
                return acdbOpen(p, AcDb::kForRead);
            }
        """)
        self.table(["AcDbThing", "AcDb::OpenMode"])
        rc, out = self.run_check()
        self.assertEqual(rc, 1)
        self.assertIn("shell/a.cpp:4: acdbOpen ", out)
        self.assertIn("kForRead", out)
        self.table(["AcDbThing", "AcDb::kForRead", "acdbOpen"])
        self.assertEqual(self.run_check()[0], 0)

    def test_members_count_only_where_reached_as_members(self):
        # 'left' as a local variable is the plug-in's; 'count' through '->' and the
        # override of 'modified' are uses of the class's members.
        self.write("shell/a.h", """\
            #include "thing.h"
            class Mine : public AcDbThing {
            public:
                void modified(const AcDbThing* other) override;
                void right();
            };
        """)
        self.write("shell/a.cpp", """\
            #include "a.h"
            void Mine::right() {}
            int g(AcDbThing* p)
            {
                int left = 3;
                return left + p->count();
            }
        """)
        self.table(["AcDbThing"])
        rc, out = self.run_check()
        self.assertEqual(rc, 1)
        self.assertIn(" count ", out)
        self.assertIn(" modified ", out)
        self.assertNotIn(" left ", out)
        self.assertNotIn(" right ", out)  # a member function of the plug-in's own
        self.table(["AcDbThing::count", "AcDbThing::modified"])
        self.assertEqual(self.run_check()[0], 0)

    def test_macros_count_and_so_do_unlisted_headers(self):
        self.write("platform/win32/include/other.h", "#pragma once\nstruct Other { int x; };\n")
        self.write("shell/a.cpp", """\
            #include "thing.h"
            #include "other.h"
            #include <vector>
            const wchar_t* name = ACRX_T("x");  // ACRX_T in a comment is no use
        """)
        self.table(["ACRX_T"])
        rc, out = self.run_check()
        self.assertEqual(rc, 1)
        self.assertIn("header other.h", out)
        self.assertNotIn("vector", out)
        self.table(["ACRX_T"], headers=("thing.h", "other.h"))
        self.assertEqual(self.run_check()[0], 0)

    def test_a_missing_table_fails(self):
        self.write("shell/a.cpp", "int main() { return 0; }\n")
        self.assertEqual(self.run_check()[0], 1)

    def test_the_project_tree_passes(self):
        out = io.StringIO()
        with contextlib.redirect_stdout(out):
            self.assertEqual(checker.main([]), 0, out.getvalue())


if __name__ == "__main__":
    unittest.main()
