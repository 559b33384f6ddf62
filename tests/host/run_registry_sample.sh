#!/bin/sh
# Runs samples/registry.scr as a user runs it (from a folder holding the
# samples, with the plug-in beside arxhost) and checks what it shows: every
# picture written, the drawing saved after the undone erasure stores all four
# notes, the one saved after the erasure three, and the moved pipe's note drawn
# elsewhere than before the move and back in place after U:
#     arxhost SOURCE_DIR WORK_DIR.
set -eu
. "$(dirname "$0")/sample_session.sh"
run_sample "$1" "$2" "$3" registry.scr
expect_files registry-open.png registry-moved.png registry-move-undone.png registry-erased.png registry-reopened.png
# The stored list's handles, one a line.
stored() { awk '/^VOICE_LIST$/{p=1} p && /^  0$/ && n++{exit} p' "$1" | awk 'prev=="102"{print} {prev=$0}'; }
test "$(stored out/registry-restored.dxf | tr '\n' ' ')" = "F101 F102 F105 F106 " ||
    { echo "restored: $(stored out/registry-restored.dxf | tr '\n' ' ')"; exit 1; }
test "$(stored out/registry-erased.dxf | tr '\n' ' ')" = "F101 F102 F105 " ||
    { echo "erased: $(stored out/registry-erased.dxf | tr '\n' ' ')"; exit 1; }
cmp -s out/registry-open.png out/registry-moved.png && { echo "the move changed no pixel"; exit 1; }
cmp -s out/registry-open.png out/registry-move-undone.png || { echo "U left the picture changed"; exit 1; }
exit 0
