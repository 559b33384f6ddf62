#!/bin/sh
# Runs samples/reply.scr as a user runs it and checks that every picture, the
# played sound and the drawing with the reply were written, and that the
# speaker heard the recorded sentence: arxhost SOURCE_DIR WORK_DIR.
set -eu
arxhost=$1
source=$2
work=$3
rm -rf "$work"
mkdir -p "$work/out"
ln -s "$source/samples" "$work/samples"
cd "$work"
"$arxhost" run samples/reply.scr > session.log
for n in 1-drawing 2-tag 3-recording 4-recorded 5-docked 6-playing 7-played; do
    test -s "out/reply-$n.png" || { echo "missing out/reply-$n.png"; cat session.log; exit 1; }
done
test -s out/reply-recorded.dxf || { echo "missing out/reply-recorded.dxf"; exit 1; }
# About three seconds of 8-bit sound at 40000 a second (44 bytes of header).
size=$(wc -c < out/reply-played.wav)
test "$size" -gt 100000 || { echo "out/reply-played.wav holds $size bytes"; cat session.log; exit 1; }
grep -q '^\(2\.9\|3\.0\)"$' out/reply-recorded.dxf || { echo "no duration of 3 seconds in the saved drawing"; exit 1; }
