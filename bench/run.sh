#!/usr/bin/env bash
# Builds the host in Release and measures reading and writing a generated
# drawing of about 160 MB (2,000 voice notes of 40,000 bytes each, their
# reactor objects and 2,000 lines) as DXF and as a binary drawing, with each
# operation's peak memory, and ezdxf's reading speed on the same file; then the
# same steps for 2,000 notes of 400,000 bytes with the plug-in and without it;
# then regenerating and painting a view of 10,000 notes and 100,000 lines.
#   bench/run.sh [BUILD_DIR]      (default build-bench)
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-bench}
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DARXHOST_TESTS=OFF -DARXHOST_BENCH=ON >/dev/null
cmake --build "$dir" -j 2 --target arx_bench plugin_filing_bench plugin_draw_bench plugin_hover_bench >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bin="$dir/bin/arx_bench"
"$bin" generate "$work/bench.dxf"
printf '%-10s %10s %9s %9s %14s\n' operation "MB/s" seconds "file MB" "peak RSS MB"
line() { read -r op rate secs mb rss; printf '%-10s %10s %9s %9s %14s\n' "$op" "$rate" "$secs" "$mb" "$rss"; }
"$bin" dxf-read "$work/bench.dxf" | line
"$bin" dxf-write "$work/bench.dxf" "$work/out.dxf" | line
"$bin" dwg-write "$work/bench.dxf" "$work/bench.dwg" | line
"$bin" dwg-read "$work/bench.dwg" | line
if /usr/bin/python3 -c 'import ezdxf' 2>/dev/null; then
    /usr/bin/python3 - "$work/bench.dxf" <<'PY'
import os, sys, time
import ezdxf
path = sys.argv[1]
t = time.perf_counter()
ezdxf.readfile(path)
s = time.perf_counter() - t
mb = os.path.getsize(path) / 1e6
print("%-10s %10.0f %9.3f %9.1f %14s" % ("ezdxf-read", mb / s, s, mb, "-"))
PY
fi

# A drawing of many small entities, as most users' drawings are: 200,000 lines
# written by ezdxf (about 24 MB of DXF), read by the host and by ezdxf.
if /usr/bin/python3 -c 'import ezdxf' 2>/dev/null; then
    echo
    /usr/bin/python3 bench/lines_drawing.py "$work/lines.dxf"
    "$bin" dxf-read "$work/lines.dxf" | line
    "$bin" dwg-write "$work/lines.dxf" "$work/lines.dwg" | line
    "$bin" dwg-read "$work/lines.dwg" | line
    /usr/bin/python3 - "$work/lines.dxf" <<'PY'
import os, sys, time
import ezdxf
path = sys.argv[1]
t = time.perf_counter()
ezdxf.readfile(path)
s = time.perf_counter() - t
mb = os.path.getsize(path) / 1e6
print("%-10s %10.0f %9.3f %9.1f %14s" % ("ezdxf-read", mb / s, s, mb, "-"))
PY
fi

# The plug-in's filing: 2,000 notes of 10 seconds of sound (400,000 bytes) each,
# opened and saved with the plug-in loaded and without it (notes as proxies).
echo
"$dir/bin/plugin_filing_bench" --dir "$work/plugin"

# Regenerating and painting a view of 10,000 voice notes and 100,000 lines.
echo
"$dir/bin/plugin_draw_bench" --dir "$work/draw"

# One cursor move over a view of 10,000 voice notes and 100,000 lines.
echo
"$dir/bin/plugin_hover_bench" --dir "$work/hover"
