#!/usr/bin/python3
"""Writes samples/site-plan.dxf: a small site plan with layers, lines, circles,
arcs, polylines and text, and a few voice notes (VELATONE entities) carrying
short generated sounds. The drawing is written by ezdxf, which keeps the voice
notes it does not know as they are given to it here."""
import io
import os
import sys

import ezdxf

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
# The notes are written as the other sample drawings write theirs.
from make_note_samples import APP, note, tone  # noqa: E402


def main(path):
    notes = []
    notes += note("F000", 0, ["10", "12.0", "20", "8.0", "30", "0.0"], tone(1.2, 440), "Ana", "3-7 9:5")
    notes += note("F001", 1, ["11", "30.0", "21", "2.0", "31", "0.0", "12", "42.0", "22", "9.0", "32", "0.0"],
                  tone(0.8, 660), "Ben", "3-7 9:12")
    notes += note("F002", 0, ["10", "55.0", "20", "20.0", "30", "0.0"], b"", "Cleo", "3-8 14:30")
    head = ["0", "SECTION", "2", "HEADER", "9", "$ACADVER", "1", "AC1027", "0", "ENDSEC",
            "0", "SECTION", "2", "CLASSES", "0", "CLASS", "1", "VELATONE", "2", "QkDbVelaTone", "3", APP,
            "90", "0", "91", "3", "280", "0", "281", "1", "0", "ENDSEC",
            "0", "SECTION", "2", "ENTITIES"] + notes + ["0", "ENDSEC", "0", "EOF"]
    doc = ezdxf.read(io.StringIO("\n".join(head) + "\n"))
    doc.layers.add("WALLS", color=7)
    doc.layers.add("TREES", color=3)
    doc.layers.add("NOTES", color=2)
    msp = doc.modelspace()
    msp.add_lwpolyline([(0, 0), (60, 0), (60, 40), (0, 40)], close=True, dxfattribs={"layer": "WALLS"})
    msp.add_lwpolyline([(30, 2, 0, 0, 0), (42, 2, 0, 0, 0.4142), (42, 9, 0, 0, 0), (30, 9, 0, 0, 0)],
                       format="xyseb", close=True, dxfattribs={"layer": "WALLS"})
    msp.add_line((0, 20), (25, 20), dxfattribs={"layer": "WALLS"})
    for x, y in [(8, 30), (16, 33), (50, 30)]:
        msp.add_circle((x, y), 2.5, dxfattribs={"layer": "TREES"})
    msp.add_arc((25, 20), 5, 0, 90, dxfattribs={"layer": "WALLS"})
    msp.add_text("Site plan", dxfattribs={"insert": (2, 42), "height": 2.0})
    # The list of its voice notes the drawing stores ("VELA_TONE" / "VOICE_LIST"),
    # from which the plug-in knows them when the drawing opens.
    voice_list = doc.rootdict.add_new_dict("VELA_TONE").add_xrecord("VOICE_LIST")
    voice_list.reset([(330, handle) for handle in ("F000", "F001", "F002")])
    doc.saveas(path)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "samples/site-plan.dxf")
