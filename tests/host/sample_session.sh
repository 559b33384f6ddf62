# Sourced by the run_*_sample.sh checks: runs a sample session as a user runs it,
# from a fresh folder WORK_DIR holding the samples (arxhost finds the plug-in
# beside itself), its command line in session.log:
#     run_sample ARXHOST SOURCE_DIR WORK_DIR SCRIPT
# fail MESSAGE stops the check with the message and the session's log.
fail() { echo "$1"; cat session.log; exit 1; }
run_sample() {
    rm -rf "$3"
    mkdir -p "$3/out"
    ln -s "$2/samples" "$3/samples"
    cd "$3"
    "$1" run "samples/$4" > session.log || fail "samples/$4 failed"
}
# expect_files FILE...: each written into out/ and not empty.
expect_files() {
    for f in "$@"; do test -s "out/$f" || fail "missing out/$f"; done
}
