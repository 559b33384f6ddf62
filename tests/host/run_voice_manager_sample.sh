#!/bin/sh
# Runs samples/voice-manager.scr as a user runs it (from a folder holding the
# samples, with the plug-in beside arxhost) and checks what the user sees: every
# picture written, the rows listed before and after Delete, the locked note
# reported, the sound played, and the notes back after U:
# arxhost SOURCE_DIR WORK_DIR.
set -eu
. "$(dirname "$0")/sample_session.sh"
run_sample "$1" "$2" "$3" voice-manager.scr
for n in 1-open 2-selected 3-find-point 4-find-region 5-find-paper 6-three-selected 7-deleted 8-closed 9-after-undo; do
    expect_files "manager-$n.png"
done
tab=$(printf '\t')
# Seven notes listed, the stale handle's number 1 left out, the unknown type shown as Point.
grep -q "^0${tab}0.4\"${tab}Ana${tab}Point${tab}3-7 9:5\$" session.log || fail "row 0 not listed"
grep -q "^4${tab}0.2\"${tab}Ivo${tab}Point" session.log || fail "the unknown type is not shown as Point"
grep -q "^1${tab}" session.log && fail "a row numbered 1 for a note that is gone"
grep -q "^\[message box\] 1 VelaTone object(s) on locked layers not deleted.\$" session.log || fail "no locked-layer message"
# Listed four times: seven rows at the start and after Play, five after Delete
# (the locked note stays), seven again after U.
rows=$(grep -c "^[0-9]${tab}" session.log)
test "$rows" -eq 26 || fail "expected 26 rows listed in all, found $rows"
test "$(grep -c "${tab}Ivo${tab}" session.log)" -eq 3 || fail "the deleted note is not back after U"
test "$(grep -c "${tab}Gus${tab}" session.log)" -eq 4 || fail "the note on the locked layer was deleted"
test -s out/voice-manager-played.wav || fail "nothing was played"
