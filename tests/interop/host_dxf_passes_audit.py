#!/usr/bin/python3
"""A DXF file written by the host loads in ezdxf, its audit reports no errors,
and every entity and custom object the host wrote is there: a drawing made
through the host's API, and the sample drawing after DXF -> binary -> DXF with
no plug-in loaded (its voice notes are proxies)."""
import os
import sys

from interop_common import check, raw_tags, read_and_audit, run, summary_ok, workdir

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")


def main(arxhost, make_drawings):
    d = workdir()
    run(make_drawings, d)
    doc = read_and_audit(os.path.join(d, "rich.dxf"))
    msp = [e.dxftype() for e in doc.modelspace()]
    for t in ["LINE", "CIRCLE", "ARC", "LWPOLYLINE", "TEXT", "INTEROPNOTE"]:
        check(t in msp, "model space lacks %s: %s" % (t, msp))
    check([e.dxftype() for e in doc.layout("Layout1")] == ["LINE"], "paper space should hold one line")
    check([e.dxftype() for e in doc.blocks.get("PART")] == ["CIRCLE"], "block PART should hold a circle")
    objects = [o.dxftype() for o in doc.objects]
    for t in ["XRECORD", "INTEROPLINK", "SORTENTSTABLE", "LAYOUT"]:
        check(t in objects, "objects lack %s: %s" % (t, objects))
    class_names = [key[0] for key in doc.classes.classes.keys()]
    check("INTEROPNOTE" in class_names and "INTEROPLINK" in class_names,
          "CLASSES lacks the custom classes: %s" % class_names)
    line = doc.modelspace().query("LINE")[0]
    check(line.get_xdata("INTEROP")[0] == (1000, "hello"), "the line's extended data is not there")
    check(line.has_extension_dict, "the line's extension dictionary is not there")
    note = doc.modelspace().query("INTEROPNOTE")[0]
    check((8, "NOTES") in raw_tags(note), "the note is not on layer NOTES: %s" % raw_tags(note)[:8])

    # The sample through the host's binary file and back.
    sample = os.path.join(ROOT, "samples", "site-plan.dxf")
    run(arxhost, "--no-plugin", "convert", sample, os.path.join(d, "sample.dwg"))
    run(arxhost, "--no-plugin", "convert", os.path.join(d, "sample.dwg"), os.path.join(d, "sample.dxf"))
    run(arxhost, "--no-plugin", "--release", "2010", "convert", os.path.join(d, "sample.dwg"), os.path.join(d, "sample10.dxf"))
    for name, version in [("sample.dxf", "AC1027"), ("sample10.dxf", "AC1024")]:
        out = read_and_audit(os.path.join(d, name))
        check(out.dxfversion == version, "%s is %s, not %s" % (name, out.dxfversion, version))
        types = [e.dxftype() for e in out.modelspace()]
        check(types.count("VELATONE") == 3, "%s should keep the 3 voice notes: %s" % (name, types))
    summary_ok(1)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
