#!/usr/bin/python3
"""Makes the seeds of the fuzz targets that read drawings with the plug-in
loaded: a small drawing with a voice note of every kind (a point note with and
without sound, a region, notes attached to a line, to a circle and to another
note, a reply, a note of an unknown type and one of a newer version), written
by the host as DXF and as a binary drawing.

    fuzz/seeds/make_note_seeds.py build/bin/arxhost
"""
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))


def groups(*pairs):
    return "".join(f"{code}\n{value}\n" for code, value in pairs)


def note(handle, kind, own, sound=None, version=1):
    tags = [(0, "VELATONE"), (5, handle), (330, "1F"), (100, "AcDbEntity"), (8, "NOTES"),
            (100, "QkDbVelaTone"), (90, version), (70, kind)] + own
    if sound is None:
        tags.append((290, 0))
    else:
        tags += [(290, 1), (71, 1), (72, 1), (91, 40000), (92, 40000), (73, 1), (74, 8), (75, 0),
                 (93, len(sound))]
        for at in range(0, max(len(sound), 1), 127):
            tags.append((310, sound[at:at + 127].hex().upper()))
    tags += [(1, "Ana"), (2, "3-7 9:5"), (3, "1.0\"")]
    return groups(*tags)


def drawing():
    sound = bytes(1 + (i * 7) % 255 for i in range(150))
    text = groups((0, "SECTION"), (2, "HEADER"), (9, "$ACADVER"), (1, "AC1027"), (0, "ENDSEC"),
                  (0, "SECTION"), (2, "CLASSES"),
                  (0, "CLASS"), (1, "VELATONE"), (2, "QkDbVelaTone"), (3, "VelaToneApp"),
                  (90, 0), (91, 8), (280, 0), (281, 1), (0, "ENDSEC"),
                  (0, "SECTION"), (2, "ENTITIES"))
    text += groups((0, "LINE"), (5, "A0"), (100, "AcDbEntity"), (8, "0"), (100, "AcDbLine"),
                   (10, 0), (20, 0), (30, 0), (11, 10), (21, 5), (31, 0))
    text += groups((0, "CIRCLE"), (5, "A1"), (100, "AcDbEntity"), (8, "0"), (100, "AcDbCircle"),
                   (10, 5), (20, 5), (30, 0), (40, 2.5))
    text += note("B0", 0, [(10, 1.5), (20, 2.25), (30, 0)])
    text += note("B1", 0, [(10, 3), (20, 4), (30, 0)], sound)
    text += note("B2", 1, [(11, 0), (21, 0), (31, 0), (12, 4), (22, 3), (32, 0)], sound[:20])
    text += note("B3", 2, [(102, "A0")])
    text += note("B4", 2, [(102, "A1")], sound[:127])
    text += note("B5", 2, [(102, "B3")], sound[:128])
    text += note("B6", 3, [])
    text += note("B7", 7, [])
    text += note("B8", 0, [(10, 0), (20, 0), (30, 0)], version=2)
    text += groups((0, "ENDSEC"), (0, "EOF"))
    return text


def main():
    arxhost = sys.argv[1]
    with tempfile.TemporaryDirectory() as tmp:
        raw = os.path.join(tmp, "notes.dxf")
        with open(raw, "w") as f:
            f.write(drawing())
        for folder, name in (("note_dxf", "host-notes.dxf"), ("note_dwg", "host-notes.dwg")):
            os.makedirs(os.path.join(HERE, folder), exist_ok=True)
            subprocess.run([arxhost, "convert", raw, os.path.join(HERE, folder, name)], check=True)
        with open(os.path.join(HERE, "note_dxf", "raw-notes.dxf"), "w") as f:
            f.write(drawing())


if __name__ == "__main__":
    main()
