#!/usr/bin/env python3
"""Checks the include discipline of the tree and exits non-zero on a breach.

The host runtime (platform/arx/src) is built in floors: a file may include
headers of its own floor or of a floor below, never one above. Rooms on one
floor (the application's documents, its editor and its drawing view) may
include each other.
The plug-in and its tests see the platforms only through platform/*/include
(and the plug-in not even the host program's interfaces arxhost/ and win32/ there);
the platforms never include the plug-in.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent

# Bottom to top. docs/architecture.md draws the same floors.
ARX_FLOORS = {
    "core": 0,
    "rx": 1,
    "filers": 2,
    "db": 3,
    "builtin_entities": 4,
    "gi": 4,
    "drawing_files": 5,
    "render": 5,
    "ap": 6,
    "ed": 6,
    "view": 6,
    "loader": 7,
    "program": 8,
}
PLUGIN_DIRS = ["shell", "entity", "registry", "reactors", "audio", "ui", "tests/plugin"]
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.MULTILINE)
SOURCE_SUFFIXES = {".h", ".hpp", ".cpp", ".cc", ".inl"}


def sources(folder):
    return [p for p in folder.rglob("*") if p.suffix in SOURCE_SUFFIXES and p.is_file()]


def includes(path):
    text = path.read_text(encoding="utf-8", errors="replace")
    for match in INCLUDE.finditer(text):
        yield text.count("\n", 0, match.start()) + 1, match.group(1)


def check_arx_floors(breaches):
    src = ROOT / "platform/arx/src"
    for room in sorted(p.name for p in src.iterdir() if p.is_dir()):
        if room not in ARX_FLOORS:
            breaches.append(f"platform/arx/src/{room}: a room without a floor (add it to ARX_FLOORS and the docs)")
    for path in sources(src):
        room = path.relative_to(src).parts[0]
        floor = ARX_FLOORS.get(room)
        if floor is None:
            continue
        for line, target in includes(path):
            resolved = (path.parent / target).resolve()
            try:
                target_room = resolved.relative_to(src).parts[0]
            except ValueError:
                continue  # a public header or the standard library
            target_floor = ARX_FLOORS.get(target_room)
            if target_floor is not None and target_floor > floor:
                breaches.append(f"{path.relative_to(ROOT)}:{line}: {room} (floor {floor}) includes "
                                f"{target_room}/ (floor {target_floor}): {target}")


def check_plugin(breaches):
    platform = ROOT / "platform"
    plugin_roots = [ROOT / d for d in PLUGIN_DIRS]
    for folder in plugin_roots:
        if not folder.is_dir():
            continue
        for path in sources(folder):
            for line, target in includes(path):
                text = target.replace("\\", "/")
                resolved = (path.parent / target).resolve()
                inside_src = "/src/" in text and "platform" in text
                try:
                    rel = resolved.relative_to(platform).parts
                    inside_src = inside_src or (len(rel) > 1 and rel[1] == "src")
                except ValueError:
                    pass
                if inside_src:
                    breaches.append(f"{path.relative_to(ROOT)}:{line}: the plug-in includes a platform's "
                                    f"runtime: {target}")
                # The host program's own interfaces are no SDK: only tests may use them.
                if folder.name != "plugin" and text.split("/")[0] in ("arxhost", "win32"):
                    breaches.append(f"{path.relative_to(ROOT)}:{line}: the plug-in includes the host "
                                    f"program's interface: {target}")
    for path in sources(platform):
        for line, target in includes(path):
            resolved = (path.parent / target).resolve()
            if any(resolved.is_relative_to(r) for r in plugin_roots):
                breaches.append(f"{path.relative_to(ROOT)}:{line}: the platform includes the plug-in: {target}")


def main():
    breaches = []
    check_arx_floors(breaches)
    check_plugin(breaches)
    for b in breaches:
        print(b)
    if breaches:
        print(f"check-layers: {len(breaches)} include(s) break the layering", file=sys.stderr)
        return 1
    print("check-layers: every include keeps to its floor")
    return 0


if __name__ == "__main__":
    sys.exit(main())
