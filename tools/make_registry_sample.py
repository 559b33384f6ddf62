#!/usr/bin/python3
"""Writes samples/registry.dxf: a small plan with voice notes as the authoring
application saves them, for the session samples/registry.scr. A pipe (a line)
carries an Object note tied to it by a VelaTonePsReactor object kept in the
note's extension dictionary; two Point notes stand in the rooms; a Point note
sits in the layout's paper space; and the drawing's stored voice list (the
named objects dictionary's "VELA_TONE" with the xrecord "VOICE_LIST") names all
four, so that the viewer knows them as soon as the drawing opens.

The host writes a new drawing for the tables, blocks and root objects (run
through ARXHOST, --no-plugin); the notes and their objects are spliced in.

    /usr/bin/python3 tools/make_registry_sample.py build/bin/arxhost [samples/registry.dxf]
"""
import os
import subprocess
import sys
import tempfile

APP = ("VelaToneApp |Product Desc: VelaTone Object |Company: Korvo Systems Ltd. "
       "|WEB Address: www.korvo-systems.example")


def groups(*pairs):
    return "".join("%3d\n%s\n" % (code, value) for code, value in pairs)


def xyz(code, x, y):
    return [(code, "%.1f" % x), (code + 10, "%.1f" % y), (code + 20, "0.0")]


def tone(seconds):
    """8-bit mono at 40000 samples per second, never a zero byte, as hex chunks."""
    n = int(seconds * 40000)
    data = bytes(128 + (40 if (i // 45) % 2 else -40) for i in range(n))
    return [(310, data[i:i + 127].hex().upper()) for i in range(0, n, 127)]


def note(handle, kind, where, who, when, seconds, xdict=None, paper_space=None):
    head = [(0, "VELATONE"), (5, handle)]
    if xdict:
        head += [(102, "{ACAD_XDICTIONARY"), (360, xdict), (102, "}")]
    if paper_space:
        head += [(330, paper_space)]
    head += [(100, "AcDbEntity")]
    if paper_space:
        head += [(67, "1")]
    head += [(8, "NOTES"), (100, "QkDbVelaTone"), (90, "1"), (70, str(kind))] + where
    sound = tone(seconds)
    head += [(290, "1"), (71, "1"), (72, "1"), (91, "40000"), (92, "40000"), (73, "1"), (74, "8"), (75, "0"),
             (93, str(int(seconds * 40000)))] + sound
    head += [(1, who), (2, when), (3, '%d.%d"' % (int(seconds), int(seconds * 10) % 10))]
    return groups(*head)


def line(handle, a, b, layer, reactor=None):
    g = [(0, "LINE"), (5, handle)]
    if reactor:
        g += [(102, "{ACAD_REACTORS"), (330, reactor), (102, "}")]
    g += [(100, "AcDbEntity"), (8, layer), (100, "AcDbLine")] + xyz(10, *a) + xyz(11, *b)
    return groups(*g)


def insert_before_end(text, section, addition):
    at = text.index("  2\n%s\n" % section)
    end = text.index("  0\nENDSEC\n", at)
    return text[:end] + addition + text[end:]


def main(arxhost, path):
    with tempfile.TemporaryDirectory() as work:
        script = os.path.join(work, "base.scr")
        base_path = os.path.join(work, "base.dxf")
        with open(script, "w") as f:
            f.write("new\nsaveas %s\n" % base_path)
        subprocess.run([arxhost, "--no-plugin", "run", script], check=True, stdout=subprocess.DEVNULL)
        with open(base_path) as f:
            base = f.read()

    # The paper space block and the named objects dictionary, by handle.
    lines = base.split("\n")
    paper = None
    for i in range(len(lines) - 1):
        if lines[i].strip() == "2" and lines[i + 1] == "*Paper_Space":
            # The block record's handle follows its "0 BLOCK_RECORD".
            j = i
            while lines[j] != "BLOCK_RECORD":
                j -= 1
            paper = lines[j + 2]
            break
    if paper is None:
        sys.exit("the host's new drawing has no paper space block")
    objects = base.index("  2\nOBJECTS\n")
    nod = base.index("  0\nDICTIONARY\n", objects)
    nod_handle = base[nod:].split("\n")[3]
    marker = base.index("100\nAcDbDictionary\n", nod) + len("100\nAcDbDictionary\n")
    if base.startswith("281\n", marker):
        marker = base.index("\n", marker + 4) + 1

    walls = "".join(line("E%03X" % (i + 1), a, b, "WALLS") for i, (a, b) in enumerate([
        ((0, 0), (60, 0)), ((60, 0), (60, 40)), ((60, 40), (0, 40)), ((0, 40), (0, 0)), ((30, 0), (30, 25))]))
    pipe = line("E100", (8, 30), (22, 34), "PIPES", reactor="F103")
    notes = [
        note("F101", 0, xyz(10, 12, 10), "Ana", "3-7 9:5", 0.4),
        note("F102", 2, [(102, "E100")], "Ben", "3-7 9:12", 0.3, xdict="F104"),
        note("F105", 0, xyz(10, 20, 15), "Hal", "3-11 16:45", 0.3, paper_space=paper),
        # Last, so that ERASE L in the session takes it.
        note("F106", 0, xyz(10, 45, 12), "Cleo", "3-8 14:30", 0.2),
    ]
    classes = "".join(groups((0, "CLASS"), (1, name), (2, cls), (3, APP), (90, "0"), (91, "0"), (280, "0"),
                             (281, entity)) for name, cls, entity in
                      [("VELATONE", "QkDbVelaTone", "1"), ("VelaTonePsReactor", "VelaTonePsReactor", "0")])
    objs = groups((0, "DICTIONARY"), (5, "F104"), (330, "F102"), (100, "AcDbDictionary"), (280, "1"), (281, "1"),
                  (3, "VELATONEASSOC"), (360, "F103"),
                  (0, "VelaTonePsReactor"), (5, "F103"), (330, "F104"), (100, "VelaTonePsReactor"), (330, "F102"),
                  (0, "DICTIONARY"), (5, "F110"), (330, nod_handle), (100, "AcDbDictionary"), (281, "1"),
                  (3, "VOICE_LIST"), (350, "F111"),
                  (0, "XRECORD"), (5, "F111"), (330, "F110"), (100, "AcDbXrecord"), (280, "1"),
                  (102, "F101"), (102, "F102"), (102, "F105"), (102, "F106"))
    text = base[:marker] + groups((3, "VELA_TONE"), (350, "F110")) + base[marker:]
    text = insert_before_end(text, "CLASSES", classes)
    text = insert_before_end(text, "ENTITIES", walls + pipe + "".join(notes))
    text = insert_before_end(text, "OBJECTS", objs)
    with open(path, "w") as f:
        f.write(text)


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2] if len(sys.argv) > 2 else "samples/registry.dxf")
