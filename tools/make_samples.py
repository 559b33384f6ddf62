#!/usr/bin/python3
"""Writes samples/site-plan.dxf: a small site plan with layers, lines, circles,
arcs, polylines and text, and a few voice notes (VELATONE entities) carrying
short generated sounds. The drawing is written by ezdxf, which keeps the voice
notes it does not know as they are given to it here."""
import io
import math
import sys

import ezdxf

APP = ("VelaToneApp |Product Desc: VelaTone Object |Company: Korvo Systems Ltd. "
       "|WEB Address: www.korvo-systems.example")


def tone(seconds, hz):
    """8-bit unsigned mono at 40000 samples per second, never a zero byte."""
    n = int(seconds * 40000)
    return bytes(max(1, min(255, int(128 + 100 * math.sin(2 * math.pi * hz * i / 40000)))) for i in range(n))


def note_tags(handle, kind, sound, who, when, geometry):
    t = ["0", "VELATONE", "5", handle, "100", "AcDbEntity", "8", "NOTES", "100", "QkDbVelaTone",
         "90", "1", "70", str(kind)]
    t += geometry
    t += ["290", "1" if sound else "0"]
    if sound:
        t += ["71", "1", "72", "1", "91", "40000", "92", "40000", "73", "1", "74", "8", "75", "0",
              "93", str(len(sound))]
        for i in range(0, len(sound), 127):
            t += ["310", sound[i:i + 127].hex().upper()]
    seconds = len(sound) / 40000
    t += ["1", who, "2", when, "3", '%d.%d"' % (int(seconds), int(seconds * 10) % 10)]
    return t


def main(path):
    notes = []
    notes += note_tags("F000", 0, tone(1.2, 440), "Ana", "3-7 9:5", ["10", "12.0", "20", "8.0", "30", "0.0"])
    notes += note_tags("F001", 1, tone(0.8, 660), "Ben", "3-7 9:12",
                       ["11", "30.0", "21", "2.0", "31", "0.0", "12", "42.0", "22", "9.0", "32", "0.0"])
    notes += note_tags("F002", 0, b"", "Cleo", "3-8 14:30", ["10", "55.0", "20", "20.0", "30", "0.0"])
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
