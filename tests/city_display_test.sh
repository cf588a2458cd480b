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
