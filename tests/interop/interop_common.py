"""Shared by the interoperability tests: running the host, reading and auditing
with ezdxf, and comparing drawings entity by entity."""
import math
import os
import subprocess
import sys
import tempfile

import ezdxf


def workdir():
    return tempfile.mkdtemp(prefix="arx-interop-")


def run(*args):
    result = subprocess.run(list(args), capture_output=True, text=True)
    if result.returncode != 0:
        fail("%s failed (%d): %s%s" % (" ".join(args), result.returncode, result.stdout, result.stderr))
    return result.stdout


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def check(condition, message):
    if not condition:
        fail(message)


def read_and_audit(path):
    """Loads a DXF file with ezdxf and fails on any error its audit reports."""
    try:
        doc = ezdxf.readfile(path)
    except Exception as e:  # ezdxf's own structure errors name the problem
        fail("ezdxf cannot read %s: %s: %s" % (path, type(e).__name__, e))
    auditor = doc.audit()
    errors = ["%s: %s" % (e.code, e.message) for e in auditor.errors]
    check(not errors, "ezdxf's audit of %s reports errors: %s" % (path, "; ".join(errors)))
    return doc


def near(a, b, tol=1e-9):
    if a is None or b is None:
        return a is b
    if isinstance(a, (tuple, list)) or hasattr(a, "__iter__") and not isinstance(a, str):
        a, b = list(a), list(b)
        return len(a) == len(b) and all(near(x, y, tol) for x, y in zip(a, b))
    if isinstance(a, float) or isinstance(b, float):
        return math.isclose(float(a), float(b), rel_tol=tol, abs_tol=tol)
    return a == b


def raw_tags(entity):
    """The groups of an entity ezdxf keeps without understanding, without its
    handle and owner (which the host may write in another place)."""
    out = []
    for sub in entity.xtags.subclasses:
        for tag in sub:
            if tag.code in (5, 330):
                continue
            out.append((tag.code, tuple(tag.value) if isinstance(tag.value, (tuple, list)) else tag.value))
    return out


def summary_ok(passed, failed=0):
    print("%d passed, %d failed" % (passed, failed))
