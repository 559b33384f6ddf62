#!/usr/bin/env bash
# The demonstration: the host opens the bundled sample drawing, saves it as its
# binary drawing, opens that and saves it as DXF again, and reports each time.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build
mkdir -p out
for release in 2013 2010; do
    build/bin/arxhost --release $release convert samples/site-plan.dxf out/site-plan-$release.dwg
    build/bin/arxhost --release $release convert out/site-plan-$release.dwg out/site-plan-$release.dxf
done
echo "demo: the drawings are in out/"
