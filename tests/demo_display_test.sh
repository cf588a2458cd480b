#!/usr/bin/env bash
# The attract demo made at build time plays in the real game: "skidrunner -play" starts in the
# city, drives off (the view changes) and, when the demo's own Escape comes, shows the title.
source "$(dirname "$0")/lib.sh"
start_xvfb
make_game_copy
cp "$GAME_DIR/demo.dem" "$SCRATCH/" || fail "no demo.dem was made"
(cd "$SCRATCH" && "$BUILD_DIR/render_frame" city city.pcx && "$BUILD_DIR/render_frame" title title.pcx) ||
    fail "render_frame"
convert "$SCRATCH/city.pcx" "$SCRATCH/city.png"
convert "$SCRATCH/title.pcx" "$SCRATCH/title.png"
start_game -play
wait_for_window

# The demo runs in real time: within a second its skidrunner walks off to a car and the view
# follows it. A busy machine may photograph the window late, but before the demo's own Escape
# the picture must be the city (many colours, far from the title), moved from its first frame
# (a passing car alone changes some 3,000 pixels).
IN_CITY=""
MOVED=0
moved_in_city() {
    photograph "$SCRATCH/driving.png" || return 1
    [ "$(pixels_differing "$SCRATCH/driving.png" "$SCRATCH/title.png")" -gt 100000 ] &&
        [ "$(convert "$SCRATCH/driving.png" -format '%k' info:)" -gt 30 ] || return 1
    IN_CITY=1
    MOVED=$(pixels_differing "$SCRATCH/driving.png" "$SCRATCH/city.png")
    [ "$MOVED" -gt 20000 ]
}
wait_until 10 moved_in_city
[ -n "$IN_CITY" ] || fail "the demo did not start in the city"
echo "pixels changed from the city's first frame: $MOVED"
[ "$MOVED" -gt 20000 ] || fail "nothing moved in the demo"

# The demo lasts a minute; its Escape brings the title back.
DIFF=999999
wait_until 120 shot_within "$SCRATCH/end.png" "$SCRATCH/title.png" 400 2%
echo "pixels differing from the title at the end: $DIFF"
[ "$DIFF" -lt 400 ] || fail "the demo did not end on the title"
game_ended && fail "the game stopped"
echo "the attract demo plays through"
