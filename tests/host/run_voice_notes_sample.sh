#!/bin/sh
# Runs samples/voice-notes.scr as a user runs it (from a folder holding the
# samples, with the plug-in beside arxhost) and checks that every picture and
# the plot were written: arxhost SOURCE_DIR WORK_DIR.
set -eu
arxhost=$1
source=$2
work=$3
rm -rf "$work"
mkdir -p "$work/out"
ln -s "$source/samples" "$work/samples"
cd "$work"
"$arxhost" run samples/voice-notes.scr > session.log
for f in voice-notes-whole.png voice-notes-close.png voice-notes-paper.png voice-notes-plot.png voice-notes.pdf; do
    test -s "out/$f" || { echo "missing out/$f"; cat session.log; exit 1; }
done
head -c 5 out/voice-notes.pdf | grep -q '%PDF-' || { echo "out/voice-notes.pdf is no PDF"; exit 1; }
