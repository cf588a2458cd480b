#!/usr/bin/env bash
# "skidrunner -record" starts straight in play: the window shows the city around the start,
# exactly as the game composes its first frame, and F11 saves that frame as dump.pcx.
source "$(dirname "$0")/lib.sh"
start_xvfb
make_game_copy
start_game -record
wait_for_window
window=$WINDOW
(cd "$SCRATCH" && "$BUILD_DIR/render_frame" city expected.pcx) || fail "render_frame"
convert "$SCRATCH/expected.pcx" "$SCRATCH/expected.png"
diff=$(screenshot_matching "$SCRATCH/city.png" "$SCRATCH/expected.png" 20000)
echo "pixels differing from the frame the game composes: $diff"
# Traffic may have driven into view since the first frame: a car is some 3,000 pixels.
[ "$diff" -lt 20000 ] || fail "the window does not show the city as composed"

(cd "$SCRATCH" && "$BUILD_DIR/render_frame" title title.pcx) && convert "$SCRATCH/title.pcx" "$SCRATCH/title.png"
title_diff=$(pixels_differing "$SCRATCH/city.png" "$SCRATCH/title.png")
[ "$title_diff" -gt 100000 ] || fail "the title is shown instead of the city"
colours=$(convert "$SCRATCH/city.png" -format '%k' info:)
[ "$colours" -gt 30 ] || fail "only $colours colours: the city is not drawn"

xdotool windowfocus --sync "$window" 2>/dev/null || true
# The game writes the picture while it handles the key, before it can see the key go up.
hold_key F11
wait_until 10 test -s "$SCRATCH/dump.pcx" || fail "F11 wrote no dump.pcx"
convert "$SCRATCH/dump.pcx" "$SCRATCH/dump.png"
dump_diff=$(pixels_differing "$SCRATCH/dump.png" "$SCRATCH/expected.png")
[ "$dump_diff" -lt 20000 ] || fail "dump.pcx holds another frame ($dump_diff pixels)"
mkdir -p "$BUILD_DIR/screenshots" && cp "$SCRATCH/city.png" "$BUILD_DIR/screenshots/city.png"
echo "city shown"

# F12 cycles the screen modes: from 640 wide the next is 800 x 600, then 320 x 200.
window_size() {
    wait_for_window
    xdotool getwindowgeometry "$WINDOW" | awk '/Geometry/ {print $2}'
}
window_is() { [ "$(window_size)" = "$1" ]; }
wait_for_size() { wait_until 10 window_is "$1"; }
hold_key F12
wait_for_size 800x600 || fail "F12 gave $(window_size), not 800x600"
xdotool windowfocus --sync "$WINDOW" 2>/dev/null || true
hold_key F12
wait_for_size 320x200 || fail "the second F12 gave $(window_size), not 320x200"
echo "F12 cycles the modes"

# Escape leaves the game for the title (seen through the 640 x 400 mode the third F12 opens).
xdotool windowfocus --sync "$WINDOW" 2>/dev/null || true
hold_key F12
wait_for_size 640x400 || fail "the third F12 gave $(window_size), not 640x400"

xdotool windowfocus --sync "$WINDOW" 2>/dev/null || true
hold_key Escape
convert "$SCRATCH/title.png" -crop 640x400+0+0 +repage "$SCRATCH/title_top.png"
escaped_diff=$(screenshot_matching "$SCRATCH/escaped.png" "$SCRATCH/title_top.png" 400)
echo "pixels differing from the title after Escape: $escaped_diff"
[ "$escaped_diff" -lt 400 ] || fail "Escape did not show the title"
echo "Escape shows the title"
