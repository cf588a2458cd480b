#!/usr/bin/env bash
# run.sh TARGET RUNS|--seconds S [CORPUS]: runs the fuzz target TARGET (map, missions, random,
# demo, replay or datafile) of the fuzzing build for RUNS inputs (or S seconds), starting from
# the game's own files of that kind. make test runs each for a short fixed number of inputs
# from a fresh corpus; make fuzz runs them for as long as asked, keeping what they found in
# CORPUS.
# A crash, a hang (20 s on one input) or a sanitizer's finding fails it, and the input that did
# it is left in the build folder (crash-*, timeout-*) to be replayed and mended.
# Needs GAME_DIR and BUILD_DIR.
set -u
target=$1
case "$target" in
    map) seed=map.map ;; missions) seed=map.mis ;; random) seed=rand.rnd ;;
    demo|replay) seed=demo.dem ;;
    datafile) seed="mission.dat font.dat midi.dat pal.pcx" ;;
    *) echo "no fuzz target $target"; exit 2 ;;
esac
if [ "$2" = "--seconds" ]; then limit="-max_total_time=$3"; corpus=${4:-}; else limit="-runs=$2"; corpus=${3:-}; fi
fuzzer="$BUILD_DIR/check-fuzz/fuzz_$target"
[ -x "$fuzzer" ] || { echo "FAIL: $fuzzer is missing (make test builds it: target check_builds)"; exit 1; }
if [ -z "$corpus" ]; then
    corpus=$(mktemp -d)
    trap 'rm -rf "$corpus"' EXIT
fi
mkdir -p "$corpus"
for f in $seed; do cp "$GAME_DIR/$f" "$corpus/"; done
if [ "$target" = datafile ]; then
    # Packed as a player's datafile tool may pack them: the whole file, or each object alone.
    cp "$GAME_DIR/font.dat" "$corpus/packed.dat" && dat -c2 "$corpus/packed.dat" >/dev/null
    cp "$GAME_DIR/mission.dat" "$corpus/one_packed.dat" && dat -c1 "$corpus/one_packed.dat" >/dev/null
fi
cd "$BUILD_DIR" || exit 1
export SKID_GAME_DIR="$GAME_DIR"
export LSAN_OPTIONS="suppressions=$(dirname "$0")/../sanitizers/lsan.supp"
# The targets work in the game folder: what they find is written to the build folder.
"$fuzzer" $limit -seed=1 -timeout=20 -artifact_prefix="$BUILD_DIR/" -rss_limit_mb=4096 -print_final_stats=1 "$corpus" 2>&1 |
    grep -E "^(#[0-9]+[[:space:]]+(DONE|INITED))|stat::number_of_executed_units|ERROR|SUMMARY|runtime error|==[0-9]+==" 
exit "${PIPESTATUS[0]}"
