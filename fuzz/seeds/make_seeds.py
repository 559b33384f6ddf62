#!/usr/bin/python3
"""Makes the fuzz targets' seed files: a small drawing written by ezdxf (every
built-in entity, layers, extended data, an unknown entity type, a custom entity
and object with their CLASS entries, an ACAD_PROXY_ENTITY of another program),
and the same drawing as the host writes it, as DXF and as a binary drawing.

    fuzz/seeds/make_seeds.py build/bin/arxhost
"""
import io
import os
import subprocess
import sys

import ezdxf

HERE = os.path.dirname(os.path.abspath(__file__))


def raw_dxf():
    tags = ["0", "SECTION", "2", "HEADER", "9", "$ACADVER", "1", "AC1027", "0", "ENDSEC",
            "0", "SECTION", "2", "CLASSES",
            "0", "CLASS", "1", "ZZNOTE", "2", "ZzNote", "3", "Zz App", "90", "0", "91", "1", "280", "0", "281", "1",
            "0", "CLASS", "1", "ZZDATA", "2", "ZzData", "3", "Zz App", "90", "1", "91", "1", "280", "0", "281", "0",
            "0", "ENDSEC",
            "0", "SECTION", "2", "ENTITIES",
            "0", "ZZNOTE", "5", "F00", "102", "{ACAD_REACTORS", "330", "F01", "102", "}", "100", "AcDbEntity",
            "8", "0", "100", "ZzNote", "90", "2", "1", "note", "10", "1.0", "20", "2.0", "30", "0.0",
            "310", "00FF10AB", "1001", "ACAD", "1000", "x",
            "0", "WIDGET", "5", "F02", "100", "AcDbEntity", "8", "0", "100", "AcDbWidget", "40", "2.5",
            "0", "ACAD_PROXY_ENTITY", "5", "F03", "100", "AcDbEntity", "8", "0", "100", "AcDbProxyEntity",
            "90", "498", "91", "500", "92", "0", "93", "32", "310", "01020304", "94", "0", "95", "1", "70", "0",
            "0", "ENDSEC",
            "0", "SECTION", "2", "OBJECTS",
            "0", "DICTIONARY", "5", "F10", "330", "0", "100", "AcDbDictionary", "281", "1",
            "0", "ZZDATA", "5", "F01", "330", "F10", "100", "ZzData", "1", "object data", "40", "0.5",
            "0", "ENDSEC", "0", "EOF"]
    doc = ezdxf.read(io.StringIO("\n".join(tags) + "\n"))
    doc.appids.new("TESTAPP")
    doc.layers.add("WALLS", color=3)
    msp = doc.modelspace()
    line = msp.add_line((0, 0), (10, 5), dxfattribs={"layer": "WALLS", "color": 1})
    line.set_xdata("TESTAPP", [(1000, "hello"), (1070, 7)])
    msp.add_circle((5, 5), 2.5, dxfattribs={"extrusion": (0, 0.6, 0.8)})
    msp.add_arc((1, 1), 3, 10, 200)
    msp.add_lwpolyline([(0, 0, 0.1, 0.2, 0.5), (4, 0, 0, 0, -1), (4, 4, 0, 0, 0)], format="xyseb", close=True)
    msp.add_text("Seed ^text", dxfattribs={"insert": (2, 2), "height": 1.5, "rotation": 30})
    block = doc.blocks.new("PART")
    block.add_circle((0, 0), 1)
    return doc


def main(arxhost):
    dxf_dir = os.path.join(HERE, "dxf_reader")
    dwg_dir = os.path.join(HERE, "dwg_reader")
    ezdxf_file = os.path.join(dxf_dir, "ezdxf-drawing.dxf")
    raw_dxf().saveas(ezdxf_file)
    host_dxf = os.path.join(dxf_dir, "host-drawing.dxf")
    host_dwg = os.path.join(dwg_dir, "host-drawing.dwg")
    subprocess.run([arxhost, "convert", ezdxf_file, host_dwg], check=True, stdout=subprocess.DEVNULL)
    subprocess.run([arxhost, "convert", host_dwg, host_dxf], check=True, stdout=subprocess.DEVNULL)
    subprocess.run([arxhost, "--release", "2010", "convert", host_dxf, os.path.join(dwg_dir, "host-2010.dwg")],
                   check=True, stdout=subprocess.DEVNULL)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "build/bin/arxhost")
