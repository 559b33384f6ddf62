#!/bin/sh
# Runs samples/reply.scr as a user runs it and checks that every picture, the
# played sound and the drawing with the reply were written, and that the
# speaker heard the recorded sentence: arxhost SOURCE_DIR WORK_DIR.
set -eu
. "$(dirname "$0")/sample_session.sh"
run_sample "$1" "$2" "$3" reply.scr
for n in 1-drawing 2-tag 3-recording 4-recorded 5-docked 6-playing 7-played; do expect_files "reply-$n.png"; done
expect_files reply-recorded.dxf
# About three seconds of 8-bit sound at 40000 a second (44 bytes of header).
size=$(wc -c < out/reply-played.wav)
test "$size" -gt 100000 || fail "out/reply-played.wav holds $size bytes"
grep -q '^\(2\.9\|3\.0\)"$' out/reply-recorded.dxf || fail "no duration of 3 seconds in the saved drawing"
