#!/bin/sh
# Runs samples/voice-notes.scr as a user runs it (from a folder holding the
# samples, with the plug-in beside arxhost) and checks that every picture and
# the plot were written: arxhost SOURCE_DIR WORK_DIR.
set -eu
. "$(dirname "$0")/sample_session.sh"
run_sample "$1" "$2" "$3" voice-notes.scr
expect_files voice-notes-whole.png voice-notes-close.png voice-notes-paper.png voice-notes-plot.png voice-notes.pdf
head -c 5 out/voice-notes.pdf | grep -q '%PDF-' || { echo "out/voice-notes.pdf is no PDF"; exit 1; }
