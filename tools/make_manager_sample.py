#!/usr/bin/python3
"""Writes samples/voice-manager.dxf, the drawing the voice manager sample works
on: a small plan with voice notes whose stored voice list (the "VELA_TONE"
dictionary's "VOICE_LIST" xrecord) registers them when the drawing opens. The
list holds, in this order: a point note, a handle whose note is gone (the list
shows a gap in its numbers), a region note, a reply, a note of an unknown type
(shown as "Point"), a note on a locked layer, a note whose sound starts with a
zero byte (it plays nothing), and a note in the paper space of the layout.

    /usr/bin/python3 tools/make_manager_sample.py [samples/voice-manager.dxf]
"""
import io
import sys

import ezdxf

sys.path.insert(0, __file__.rsplit("/", 1)[0])
from make_note_samples import APP, note, point, tone  # noqa: E402


def main(path):
    entities = []
    entities += note("F101", 0, point(12, 8), tone(0.4, 440), "Ana", "3-7 9:5")
    entities += note("F103", 1, ["11", "30.0", "21", "20.0", "31", "0.0", "12", "40.0", "22", "30.0", "32", "0.0"],
                     tone(0.3, 660), "Cleo", "3-8 14:30")
    entities += note("F104", 3, [], tone(0.1, 880), "Fay", "3-9 9:30")
    entities += note("F105", 7, point(48, 8), tone(0.2, 300), "Ivo", "3-9 10:0")
    entities += note("F106", 0, point(52, 34), tone(0.2, 550), "Gus", "3-10 11:15", layer="LOCKED")
    entities += note("F107", 0, point(8, 30), b"\x00" + tone(0.2, 500), "Jo", "3-10 12:0")
    entities += note("F108", 0, point(20, 15), tone(0.3, 500), "Hal", "3-11 16:45", paper=True)
    head = ["0", "SECTION", "2", "HEADER", "9", "$ACADVER", "1", "AC1027", "0", "ENDSEC",
            "0", "SECTION", "2", "CLASSES", "0", "CLASS", "1", "VELATONE", "2", "QkDbVelaTone", "3", APP,
            "90", "0", "91", "7", "280", "0", "281", "1", "0", "ENDSEC",
            "0", "SECTION", "2", "ENTITIES"] + entities + ["0", "ENDSEC", "0", "EOF"]
    doc = ezdxf.read(io.StringIO("\n".join(head) + "\n"))
    doc.layers.add("WALLS", color=7)
    doc.layers.add("NOTES", color=2)
    doc.layers.add("LOCKED", color=2).lock()
    msp = doc.modelspace()
    msp.add_lwpolyline([(0, 0), (60, 0), (60, 40), (0, 40)], close=True, dxfattribs={"layer": "WALLS"})
    msp.add_line((0, 20), (25, 20), dxfattribs={"layer": "WALLS"})
    msp.add_text("Voice manager sample", dxfattribs={"insert": (2, 42), "height": 1.5})
    psp = doc.layout("Layout1")
    psp.add_lwpolyline([(0, 0), (40, 0), (40, 28), (0, 28)], close=True, dxfattribs={"layer": "WALLS"})
    # The stored list, as the viewer writes it; F102 names no object.
    store = doc.rootdict.add_new_dict("VELA_TONE")
    voices = store.add_xrecord("VOICE_LIST")
    voices.extend([(102, h) for h in ("F101", "F102", "F103", "F104", "F105", "F106", "F107", "F108")])
    doc.saveas(path)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "samples/voice-manager.dxf")
