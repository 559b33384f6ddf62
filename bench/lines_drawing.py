#!/usr/bin/python3
"""Writes, with ezdxf, a drawing of 200,000 lines with coordinates of three
decimals in model space: the kind of drawing most users have, many small
entities, about 24 MB of DXF.

    bench/lines_drawing.py OUT.dxf [COUNT]
"""
import random
import sys

import ezdxf


def main():
    out = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 200000
    doc = ezdxf.new()
    msp = doc.modelspace()
    r = random.Random(1)

    def coordinate():
        return round(r.uniform(0, 1000), 3)

    for _ in range(count):
        msp.add_line((coordinate(), coordinate()), (coordinate(), coordinate()))
    doc.saveas(out)


if __name__ == "__main__":
    main()
