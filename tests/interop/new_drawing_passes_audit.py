#!/usr/bin/python3
"""A new drawing made by the host (AcDbDatabase(true)) written as DXF loads in
ezdxf and passes its audit, and so does the same drawing after a binary save."""
import os
import sys

from interop_common import check, read_and_audit, run, summary_ok, workdir


def main(arxhost, make_drawings):
    d = workdir()
    run(make_drawings, d)
    doc = read_and_audit(os.path.join(d, "new.dxf"))
    check(len(doc.modelspace()) == 0, "a new drawing has no entities")
    check("0" in doc.layers and "Continuous" in doc.linetypes, "layer 0 and linetype Continuous belong to a new drawing")
    check(doc.layouts.get("Model") is not None and doc.layouts.get("Layout1") is not None, "layouts are missing")
    run(arxhost, "--no-plugin", "convert", os.path.join(d, "new.dxf"), os.path.join(d, "new.dwg"))
    run(arxhost, "--no-plugin", "convert", os.path.join(d, "new.dwg"), os.path.join(d, "again.dxf"))
    read_and_audit(os.path.join(d, "again.dxf"))
    summary_ok(1)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
