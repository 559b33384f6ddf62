#!/usr/bin/env bash
# The demonstration: the host converts the bundled sample drawing DXF -> binary
# -> DXF for both generations, then runs the demonstration sessions with the
# plug-in loaded: samples/demo.scr; samples/voice-notes.scr (pictures of the
# screen and a plot); samples/registry.scr (the notes a drawing knows through
# moves, erasures, undo and saves); samples/reply.scr (hover, record a spoken
# reply, play it back); samples/voice-manager.scr (the VOICEMAN dialog).
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
# The voice registry, a reply recorded and played on the virtual clock, and the manager dialog.
build/bin/arxhost run samples/registry.scr
build/bin/arxhost run samples/reply.scr
build/bin/arxhost run samples/voice-manager.scr
echo "demo: the drawings and pictures are in out/"
