#!/usr/bin/env bash
# Every file the game cannot do without: run the real game in a folder lacking it and check
# that it stops with a clear message and a failing exit status.
source "$(dirname "$0")/lib.sh"
start_xvfb

# expect_fatal "message part" [files to leave out] -- [options]
expect_fatal() {
    local message=$1; shift
    local missing=()
    while [ $# -gt 0 ] && [ "$1" != "--" ]; do missing+=("$1"); shift; done
    [ $# -gt 0 ] && shift
    make_game_copy "${missing[@]}"
    [ -n "${PREPARE:-}" ] && (cd "$SCRATCH" && eval "$PREPARE")
    local status=0
    (cd "$SCRATCH" && scaled_timeout 20 ./skidrunner "$@" >out 2>err) || status=$?
    grep -qF "$message" "$SCRATCH/out" ||
        { cat "$SCRATCH/out"; fail "missing ${missing[*]}: no message '$message'"; }
    [ "$status" -eq 1 ] || fail "missing ${missing[*]}: exit status $status, not 1"
    rm -rf "$SCRATCH"; SCRATCH=""
    echo "ok: ${missing[*]:-${PREPARE:-}} -> $message"
}

expect_fatal "Error opening midi.dat!" midi.dat
expect_fatal "Error opening midi.dat!" midi.dat sound.dat
expect_fatal "Error opening sound.dat!" sound.dat
expect_fatal "Error loading hud.dat" hud.dat
expect_fatal "Couldn't open rand.rnd" rand.rnd
PREPARE="head -c 1000 $GAME_DIR/rand.rnd > rand.rnd" expect_fatal "rand.rnd is shorter than 1024 bytes"
expect_fatal "Error loading title.dat!" title.dat
expect_fatal "Error opening font.dat" font.dat
expect_fatal "Error loading pal.pcx" pal.pcx
expect_fatal "Error loading sprites.dat!" sprites.dat -- -record
expect_fatal "Error loading tiles.dat!" tiles.dat -- -record
expect_fatal "Couldn't find .map file" map.map -- -record
expect_fatal "Error opening mission.dat" mission.dat -- -record
expect_fatal "Error loading .mis file!" map.mis -- -record
PREPARE="head -c 92407 $GAME_DIR/map.map > map.map" expect_fatal "too short" -- -record
expect_fatal "Couldn't open demo.dem" -- -play
PREPARE=": > demo.dem" expect_fatal "Out of sync!" -- -play

# No display at all: a clear message, not a crash.
( unset DISPLAY; expect_fatal "Couldn't start allegro" ) || fail "no display"
echo "all fatal paths stop cleanly"
