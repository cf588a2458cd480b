#!/usr/bin/env bash
# A player's first minute: in a recorded game, Enter walks the skidrunner to the parked car
# beside the start and gets in; Up drives it off, Left steers; the camera follows. The demo
# file holds every key with its tick.
source "$(dirname "$0")/lib.sh"
start_xvfb
make_game_copy
(cd "$SCRATCH" && "$BUILD_DIR/render_frame" city city.pcx && "$BUILD_DIR/render_frame" title title.pcx) ||
    fail "render_frame"
convert "$SCRATCH/city.pcx" "$SCRATCH/city.png"
convert "$SCRATCH/title.pcx" "$SCRATCH/title.png"
start_game -record
wait_for_window
xdotool windowfocus --sync "$WINDOW" 2>/dev/null || true

# Traffic may have driven into view since the first frame: a car is some 3,000 pixels.
diff=$(screenshot_matching "$SCRATCH/start.png" "$SCRATCH/city.png" 20000)
[ "$diff" -lt 20000 ] || fail "the game did not show the city ($diff pixels differ)"
# The keys follow one another as a player's would, with no pause for the camera: the police
# come for a player standing still, and a busy machine is slow to photograph. The pictures are
# taken while the game goes on: one during the walk to the car, one while it drives and turns.
hold_key Return 0.2
photograph "$SCRATCH/walking.png" &
walking_photo=$!
# The walk to the door: the game keeps its time by the wall clock, so once it has seen the
# key it has walked this long, however busy the machine.
sleep 2.5
hold_key Up 1.5
photograph "$SCRATCH/driving.png" &
driving_photo=$!
hold_key Left 0.6
hold_key Up 1.0
wait "$walking_photo" || fail "no screenshot during the walk"
wait "$driving_photo" || fail "no screenshot while driving"
kill -0 "$GAME_PID" || { cat "$SCRATCH/out"; fail "the game stopped"; }

walked=$(pixels_differing "$SCRATCH/start.png" "$SCRATCH/walking.png")
echo "pixels changed by the walk to the car: $walked"
[ "$walked" -gt 50 ] || fail "nothing happened after Enter"
# The camera follows the car: the whole view moves (a passing car alone is some 3,000 pixels).
moved=$(pixels_differing "$SCRATCH/walking.png" "$SCRATCH/driving.png")
echo "pixels changed while driving: $moved"
[ "$moved" -gt 20000 ] || fail "the view did not move while driving"
[ "$(pixels_differing "$SCRATCH/driving.png" "$SCRATCH/title.png")" -gt 100000 ] ||
    fail "the title was shown while driving"

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
for s in start walking driving; do cp "$SCRATCH/$s.png" "$BUILD_DIR/screenshots/drive_$s.png"; done
echo "walked to the car, got in and drove"
