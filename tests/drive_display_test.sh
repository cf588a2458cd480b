#!/usr/bin/env bash
# A player's first minute: in a recorded game, Enter walks the skidrunner to the parked car
# beside the start and gets in; Up drives it off, Left steers; the camera follows. The demo
# file holds every key with its tick.
source "$(dirname "$0")/lib.sh"
start_xvfb
make_game_copy
start_game -record
wait_for_window
window=$WINDOW
xdotool windowfocus --sync "$window" 2>/dev/null || true
sleep 1
shot() { timeout 10 import -window "$window" "$SCRATCH/$1.png" || fail "no screenshot $1"; }

shot start
hold_key Return 0.2
sleep 2.5            # the walk to the door
shot in_car
hold_key Up 1.5
shot driving
hold_key Left 0.6
hold_key Up 1.0
shot turned
kill -0 "$GAME_PID" || { cat "$SCRATCH/out"; fail "the game stopped"; }

moved=$(pixels_differing "$SCRATCH/in_car.png" "$SCRATCH/driving.png")
echo "pixels changed while driving: $moved"
[ "$moved" -gt 20000 ] || fail "the view did not move while driving"
walked=$(pixels_differing "$SCRATCH/start.png" "$SCRATCH/in_car.png")
echo "pixels changed by the walk to the car: $walked"
[ "$walked" -gt 50 ] || fail "nothing happened after Enter"

# The demo file: 12-byte records of (tick, type, 4.0 key code), ticks never decreasing.
records=$(od -An -v -t d4 -w12 "$SCRATCH/demo.dem")
echo "$records" | awk '
    { if ($1 < last) bad = 1; last = $1; seen[$2 " " $3] = 1 }
    END {
        if (bad) { print "ticks go backwards"; exit 1 }
        if (!seen["1 67"] || !seen["0 67"]) { print "no Enter"; exit 1 }
        if (!seen["1 84"] || !seen["0 84"]) { print "no Up"; exit 1 }
        if (!seen["1 82"]) { print "no Left"; exit 1 }
    }' || fail "demo file"
mkdir -p "$BUILD_DIR/screenshots"
for s in start in_car driving turned; do cp "$SCRATCH/$s.png" "$BUILD_DIR/screenshots/drive_$s.png"; done
echo "walked to the car, got in and drove"
