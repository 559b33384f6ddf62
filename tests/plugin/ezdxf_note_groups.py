#!/usr/bin/python3
"""Voice notes written by the host read back in ezdxf with exactly the groups of
their layout: a point note without sound, and an object note with 300 bytes of
sound attached to a line. Usage: ezdxf_note_groups.py ARXHOST SOURCE_DIR WORK_DIR"""
import io
import os
import subprocess
import sys

import ezdxf

arxhost, source, work = sys.argv[1:4]
sys.path.insert(0, os.path.join(source, "tools"))
import make_samples  # noqa: E402

os.makedirs(work, exist_ok=True)
lines = ["0", "LINE", "5", "E0", "100", "AcDbEntity", "8", "0", "100", "AcDbLine",
         "10", "1.0", "20", "2.0", "30", "0.0", "11", "5.0", "21", "6.0", "31", "0.0"]
notes = make_samples.note("E1", 0, ["10", "3.0", "20", "4.0", "30", "0.0"], b"", "Ana", "3-7 9:5")
notes += make_samples.note("E2", 2, ["102", "E0"], make_samples.tone(300 / 40000, 500), "Ben", "3-7 9:6")
text = ["0", "SECTION", "2", "HEADER", "9", "$ACADVER", "1", "AC1027", "0", "ENDSEC",
        "0", "SECTION", "2", "CLASSES", "0", "CLASS", "1", "VELATONE", "2", "QkDbVelaTone", "3", make_samples.APP,
        "90", "0", "91", "2", "280", "0", "281", "1", "0", "ENDSEC",
        "0", "SECTION", "2", "ENTITIES"] + lines + notes + ["0", "ENDSEC", "0", "EOF"]
source_doc = ezdxf.read(io.StringIO("\n".join(text) + "\n"))
given = os.path.join(work, "notes-in.dxf")
source_doc.saveas(given)

failures = []
for release in ("2013", "2010"):
    written = os.path.join(work, "notes-out-%s.dxf" % release)
    run = subprocess.run([arxhost, "--release", release, "convert", given, written], capture_output=True, text=True)
    if run.returncode != 0:
        sys.exit("arxhost failed: " + run.stderr)
    if "QkDbVelaTone 2" not in run.stdout or "(proxy)" in run.stdout.split("QkDbVelaTone")[1][:10]:
        failures.append("%s: the notes were not read as notes: %s" % (release, run.stdout))
    doc = ezdxf.readfile(written)
    auditor = doc.audit()
    if auditor.has_errors:
        failures.append("%s: ezdxf audit: %s" % (release, [str(e) for e in auditor.errors]))
    if doc.dxfversion != ("AC1024" if release == "2010" else "AC1027"):
        failures.append("%s: DXF version %s" % (release, doc.dxfversion))
    found = [e for e in doc.modelspace() if e.dxftype() == "VELATONE"]
    if len(found) != 2:
        failures.append("%s: %d notes" % (release, len(found)))
        continue
    groups = []
    for note in found:
        sub = note.xtags.get_subclass("QkDbVelaTone")
        groups.append([(t.code, t.value) for t in sub])
    codes = [[c for c, _ in g] for g in groups]
    point = [100, 90, 70, 10, 290, 1, 2, 3]
    obj = [100, 90, 70, 102, 290, 71, 72, 91, 92, 73, 74, 75, 93, 310, 310, 310, 1, 2, 3]
    if codes[0] != point:
        failures.append("%s: point note groups %s" % (release, codes[0]))
    if codes[1] != obj:
        failures.append("%s: object note groups %s" % (release, codes[1]))
    else:
        values = dict(groups[1][:5])
        chunks = [len(v) for c, v in groups[1] if c == 310]
        if values[70] != 2 or groups[1][3][1] != "E0" or dict(groups[1])[93] != 300 or chunks != [127, 127, 46]:
            failures.append("%s: object note values %s, chunks %s" % (release, groups[1][:5], chunks))

if failures:
    print("\n".join(failures))
    sys.exit(1)
print("notes read back by ezdxf with the groups of their layout")
