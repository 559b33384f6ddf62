#!/usr/bin/python3
"""Writes samples/voice-notes.dxf: a small floor plan with a voice note of every
kind the viewer shows: a point note with a recording and one without, a region
note, notes attached to a line and to a circle, a reply, a note on a locked
layer, and a note in the paper space of the layout. The drawing is written by
ezdxf, which keeps the voice notes (and the line and circle they are attached
to, given here with handles of their own) as they are given to it.

    /usr/bin/python3 tools/make_note_samples.py [samples/voice-notes.dxf]
"""
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


def note(handle, kind, geometry, sound=b"", who="", when="", layer="NOTES", paper=False):
    t = ["0", "VELATONE", "5", handle, "100", "AcDbEntity"]
    if paper:
        t += ["67", "1"]
    t += ["8", layer, "100", "QkDbVelaTone", "90", "1", "70", str(kind)] + geometry
    t += ["290", "1" if sound else "0"]
    if sound:
        t += ["71", "1", "72", "1", "91", "40000", "92", "40000", "73", "1", "74", "8", "75", "0",
              "93", str(len(sound))]
        for i in range(0, len(sound), 127):
            t += ["310", sound[i:i + 127].hex().upper()]
    seconds = len(sound) / 40000
    t += ["1", who, "2", when, "3", '%d.%d"' % (int(seconds), int(seconds * 10) % 10)]
    return t


def point(x, y):
    return ["10", str(x), "20", str(y), "30", "0.0"]


def main(path):
    entities = [
        # The entities two notes are attached to.
        "0", "LINE", "5", "E001", "100", "AcDbEntity", "8", "WALLS", "100", "AcDbLine",
        "10", "30.0", "20", "25.0", "30", "0.0", "11", "48.0", "21", "25.0", "31", "0.0",
        "0", "CIRCLE", "5", "E002", "100", "AcDbEntity", "8", "TREES", "100", "AcDbCircle",
        "10", "10.0", "20", "32.0", "30", "0.0", "40", "3.0",
    ]
    entities += note("F001", 0, point(12, 8), tone(0.4, 440), "Ana", "3-7 9:5")
    entities += note("F002", 0, point(50, 8), b"", "Ben", "3-7 9:12")
    entities += note("F003", 1, ["11", "15.0", "21", "25.0", "31", "0.0", "12", "23.0", "22", "33.0", "32", "0.0"],
                     tone(0.3, 660), "Cleo", "3-8 14:30")
    entities += note("F004", 2, ["102", "E001"], tone(0.2, 330), "Dan", "3-9 8:0")
    entities += note("F005", 2, ["102", "E002"], b"", "Eve", "3-9 8:4")
    entities += note("F006", 3, [], tone(0.1, 880), "Fay", "3-9 9:30")
    entities += note("F007", 0, point(55, 35), tone(0.2, 550), "Gus", "3-10 11:15", layer="LOCKED")
    entities += note("F008", 0, point(20, 15), tone(0.3, 500), "Hal", "3-11 16:45", paper=True)
    head = ["0", "SECTION", "2", "HEADER", "9", "$ACADVER", "1", "AC1027", "0", "ENDSEC",
            "0", "SECTION", "2", "CLASSES", "0", "CLASS", "1", "VELATONE", "2", "QkDbVelaTone", "3", APP,
            "90", "0", "91", "8", "280", "0", "281", "1", "0", "ENDSEC",
            "0", "SECTION", "2", "ENTITIES"] + entities + ["0", "ENDSEC", "0", "EOF"]
    doc = ezdxf.read(io.StringIO("\n".join(head) + "\n"))
    doc.layers.add("WALLS", color=7)
    doc.layers.add("TREES", color=3)
    doc.layers.add("NOTES", color=2)
    doc.layers.add("LOCKED", color=2).lock()
    msp = doc.modelspace()
    msp.add_lwpolyline([(0, 0), (60, 0), (60, 40), (0, 40)], close=True, dxfattribs={"layer": "WALLS"})
    msp.add_lwpolyline([(30, 2, 0, 0, 0), (42, 2, 0, 0, 0.4142), (42, 12, 0, 0, 0), (30, 12, 0, 0, 0)],
                       format="xyseb", close=True, dxfattribs={"layer": "WALLS"})
    msp.add_line((0, 20), (25, 20), dxfattribs={"layer": "WALLS"})
    msp.add_arc((25, 20), 5, 0, 90, dxfattribs={"layer": "WALLS"})
    msp.add_text("Floor plan with voice notes", dxfattribs={"insert": (2, 42), "height": 1.5})
    psp = doc.layout("Layout1")
    psp.add_lwpolyline([(0, 0), (40, 0), (40, 28), (0, 28)], close=True, dxfattribs={"layer": "WALLS"})
    psp.add_text("Sheet 1", dxfattribs={"insert": (2, 24), "height": 1.5})
    doc.saveas(path)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "samples/voice-notes.dxf")
