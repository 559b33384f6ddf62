#!/usr/bin/python3
"""A DXF file written by ezdxf (layers, lines, circles, arcs, polylines with
bulges and widths, text, an entity type the host does not know, and a custom
entity written as raw groups with its CLASS) opens in the host without the
plug-in and comes out of DXF -> binary -> DXF with the same content, compared
by ezdxf."""
import io
import os
import sys

import ezdxf

from interop_common import check, near, raw_tags, read_and_audit, run, summary_ok, workdir

APP = "VelaToneApp |Product Desc: VelaTone Object"


def custom_tags():
    sound = bytes(range(1, 256)) * 2
    t = ["0", "VELATONE", "5", "F000", "100", "AcDbEntity", "8", "NOTES", "100", "QkDbVelaTone",
         "90", "1", "70", "0", "10", "12.0", "20", "8.0", "30", "0.0", "290", "1", "93", str(len(sound))]
    for i in range(0, len(sound), 127):
        t += ["310", sound[i:i + 127].hex().upper()]
    t += ["1", "Ana", "2", "3-7 9:5", "3", '1.2"']
    t += ["0", "ZZWIDGET", "5", "F001", "100", "AcDbEntity", "8", "0", "100", "AcDbZzWidget",
          "40", "2.5", "11", "1.0", "21", "2.0", "31", "3.0", "1", "widget text"]
    return t


def make(path):
    head = ["0", "SECTION", "2", "HEADER", "9", "$ACADVER", "1", "AC1027", "0", "ENDSEC",
            "0", "SECTION", "2", "CLASSES", "0", "CLASS", "1", "VELATONE", "2", "QkDbVelaTone", "3", APP,
            "90", "0", "91", "1", "280", "0", "281", "1", "0", "ENDSEC",
            "0", "SECTION", "2", "ENTITIES"] + custom_tags() + ["0", "ENDSEC", "0", "EOF"]
    doc = ezdxf.read(io.StringIO("\n".join(head) + "\n"))
    doc.layers.add("WALLS", color=7)
    doc.layers.add("TREES", color=3, linetype="Continuous")
    doc.layers.add("NOTES", color=2)
    msp = doc.modelspace()
    msp.add_line((0, 0, 0), (25, 20, 1.5), dxfattribs={"layer": "WALLS", "color": 5, "lineweight": 35})
    msp.add_circle((8, 30), 2.5, dxfattribs={"layer": "TREES", "true_color": 0x336699})
    msp.add_circle((3, 3, 1), 1.25, dxfattribs={"extrusion": (0, 0.6, 0.8), "thickness": 2})
    msp.add_arc((25, 20), 5, 10, 260, dxfattribs={"layer": "WALLS"})
    msp.add_lwpolyline([(0, 0, 0.1, 0.2, 0.5), (60, 0, 0, 0, -0.25), (60, 40, 0.3, 0.3, 0), (0, 40, 0, 0, 1)],
                       format="xyseb", close=True, dxfattribs={"layer": "WALLS"})
    msp.add_lwpolyline([(1, 1), (2, 2), (3, 1)], dxfattribs={"const_width": 0.5, "elevation": 2.0})
    msp.add_text("Site plan", dxfattribs={"insert": (2, 42), "height": 2.0, "rotation": 15, "width": 0.8,
                                          "oblique": 5, "style": "Standard"})
    t = msp.add_text("Centred", dxfattribs={"height": 1.0})
    t.set_placement((10, 10), align=ezdxf.enums.TextEntityAlignment.MIDDLE_CENTER)
    doc.saveas(path)


GEOMETRY = {
    "LINE": ["start", "end", "thickness", "extrusion"],
    "CIRCLE": ["center", "radius", "thickness", "extrusion"],
    "ARC": ["center", "radius", "start_angle", "end_angle", "extrusion"],
    "LWPOLYLINE": ["const_width", "elevation", "flags", "extrusion"],
    "TEXT": ["insert", "align_point", "height", "rotation", "width", "oblique", "halign", "valign", "text", "style"],
}
COMMON = ["layer", "color", "true_color", "linetype", "lineweight", "ltscale", "invisible", "transparency"]


def compare(before, after):
    a = {e.dxf.handle: e for e in before.modelspace()}
    b = {e.dxf.handle: e for e in after.modelspace()}
    check(sorted(a) == sorted(b), "entities differ: %s vs %s" % (sorted(a), sorted(b)))
    for handle, e in a.items():
        f = b[handle]
        what = "%s %s" % (e.dxftype(), handle)
        check(e.dxftype() == f.dxftype(), "%s came back as %s" % (what, f.dxftype()))
        if e.dxftype() in ("VELATONE", "ZZWIDGET"):
            # ezdxf does not know these: their groups are compared as they stand.
            check(raw_tags(e) == raw_tags(f), "%s: groups differ:\n%s\n%s" % (what, raw_tags(e), raw_tags(f)))
            continue
        for attr in COMMON + GEOMETRY.get(e.dxftype(), []):
            va, vb = e.dxf.get(attr), f.dxf.get(attr)
            if attr in ("linetype",) and va in (None, "BYLAYER", "ByLayer") and vb in (None, "BYLAYER", "ByLayer"):
                continue
            if attr == "color" and va in (None, 256) and vb in (None, 256):
                continue
            # With a true colour the host also writes the nearest colour index, as DXF writers do.
            if attr == "color" and e.dxf.get("true_color") is not None and \
                    e.dxf.get("true_color") == f.dxf.get("true_color"):
                continue
            if attr in ("ltscale",) and va in (None, 1.0) and vb in (None, 1.0):
                continue
            if attr in ("thickness", "elevation", "oblique", "rotation", "lineweight", "invisible", "flags",
                        "halign", "valign", "const_width") and (va in (None, 0, -1)) and (vb in (None, 0, -1)):
                continue
            if attr == "extrusion" and near(va or (0, 0, 1), vb or (0, 0, 1)):
                continue
            if attr == "width" and (va in (None, 1.0)) and (vb in (None, 1.0)):
                continue
            if attr == "align_point" and e.dxf.get("halign", 0) == 0 and e.dxf.get("valign", 0) == 0:
                continue
            if attr == "style" and (va or "Standard").lower() == (vb or "Standard").lower():
                continue
            check(near(va, vb), "%s: %s was %r, is %r" % (what, attr, va, vb))
        if e.dxftype() == "LWPOLYLINE":
            check(near(list(e.get_points("xyseb")), list(f.get_points("xyseb"))),
                  "%s: vertices differ: %s vs %s" % (what, list(e.get_points("xyseb")), list(f.get_points("xyseb"))))
            check(e.closed == f.closed, "%s: closed differs" % what)
    for layer in before.layers:
        other = after.layers.get(layer.dxf.name)
        check(other is not None, "layer %s is missing" % layer.dxf.name)
        check(other.dxf.color == layer.dxf.color, "layer %s: colour differs" % layer.dxf.name)


def main(arxhost, make_drawings):
    d = workdir()
    src = os.path.join(d, "ezdxf.dxf")
    make(src)
    before = read_and_audit(src)
    run(arxhost, "--no-plugin", "convert", src, os.path.join(d, "mid.dwg"))
    run(arxhost, "--no-plugin", "convert", os.path.join(d, "mid.dwg"), os.path.join(d, "out.dxf"))
    after = read_and_audit(os.path.join(d, "out.dxf"))
    compare(before, after)
    # And straight DXF -> DXF.
    run(arxhost, "--no-plugin", "convert", src, os.path.join(d, "direct.dxf"))
    compare(before, read_and_audit(os.path.join(d, "direct.dxf")))
    summary_ok(1)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
