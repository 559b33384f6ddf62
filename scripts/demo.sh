#!/usr/bin/env bash
# The demonstration: the host converts the bundled sample drawing DXF -> binary
# -> DXF for both generations, then runs the demonstration sessions with the
# plug-in loaded (samples/demo.scr, and samples/voice-notes.scr, which writes
# pictures of the screen and a plot).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build
mkdir -p out
for release in 2013 2010; do
    build/bin/arxhost --release $release convert samples/site-plan.dxf out/site-plan-$release.dwg
    build/bin/arxhost --release $release convert out/site-plan-$release.dwg out/site-plan-$release.dxf
done
build/bin/arxhost run samples/demo.scr
# Voice notes on the screen and plotted: pictures of the view and a PDF.
build/bin/arxhost run samples/voice-notes.scr
echo "demo: the drawings and pictures are in out/"
