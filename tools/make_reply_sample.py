#!/usr/bin/python3
"""Writes samples/reply.dxf: a room with one point voice note that has no sound
yet (a reply is to be recorded into it) and a line, with the drawing's stored
voice list naming the note, so the viewer registers it when the drawing opens.

    /usr/bin/python3 tools/make_reply_sample.py [samples/reply.dxf]
"""
import io
import sys

import ezdxf

sys.path.insert(0, __file__.rsplit("/", 1)[0])
from make_note_samples import APP, note, point  # noqa: E402


def main(path):
    entities = note("F002", 0, point(30, 20), b"", "Ben", "3-7 9:12")
    head = ["0", "SECTION", "2", "HEADER", "9", "$ACADVER", "1", "AC1027", "0", "ENDSEC",
            "0", "SECTION", "2", "CLASSES", "0", "CLASS", "1", "VELATONE", "2", "QkDbVelaTone", "3", APP,
            "90", "0", "91", "1", "280", "0", "281", "1", "0", "ENDSEC",
            "0", "SECTION", "2", "ENTITIES"] + entities + ["0", "ENDSEC", "0", "EOF"]
    doc = ezdxf.read(io.StringIO("\n".join(head) + "\n"))
    doc.layers.add("WALLS", color=7)
    doc.layers.add("NOTES", color=2)
    msp = doc.modelspace()
    msp.add_lwpolyline([(0, 0), (60, 0), (60, 40), (0, 40)], close=True, dxfattribs={"layer": "WALLS"})
    msp.add_line((0, 10), (60, 10), dxfattribs={"layer": "WALLS"})
    msp.add_text("Reply to Ben", dxfattribs={"insert": (2, 42), "height": 1.5})
    voice = doc.rootdict.add_new_dict("VELA_TONE")
    record = voice.add_xrecord("VOICE_LIST")
    record.reset([(102, "F002")])
    doc.saveas(path)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "samples/reply.dxf")
