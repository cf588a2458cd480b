#!/usr/bin/env bash
# Every screen mode shows the whole frame: "-VGA" opens 320 x 200 and F12 goes on to 640 x 400,
# 800 x 600 and 320 x 200 again; each window shows the frame the game composes, scaled to fit
# with its shape kept and centred between black bars. In a scaled mode the title's mouse still
# picks the row under the pointer.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/screen_lib.sh"
start_xvfb
make_game_copy
start_game -VGA -record
(cd "$SCRATCH" && "$BUILD_DIR/render_frame" city city.pcx) || fail "render_frame"

window_size() {
    wait_for_window
    xdotool getwindowgeometry "$WINDOW" | awk '/Geometry/ {print $2}'
}

# Waits for a W x H window that shows the city as such a screen shows the frame. Traffic may
# have moved since the first frame (a car is some 3,000 of the frame's 307,200 pixels), so a
# fifteenth of the window may differ; the frame copied 1:1 differs almost everywhere.
shows_city_in() {
    local w=$1 h=$2 size=$1x$2 limit=$(($1 * $2 / 15)) diff
    for _ in $(seq 40); do [ "$(window_size)" = "$size" ] && break; sleep 0.25; done
    [ "$(window_size)" = "$size" ] || fail "the window is $(window_size), not $size"
    wait_for_window  # a new mode may bring a new window
    as_on_screen "$SCRATCH/city.pcx" "$w" "$h" "$SCRATCH/expected.png"
    diff=$(screenshot_matching "$SCRATCH/$size.png" "$SCRATCH/expected.png" "$limit")
    echo "$size: $diff pixels differ from the whole frame fitted to the window"
    [ "$diff" -lt "$limit" ] || fail "the $size window does not show the whole frame"
    mkdir -p "$BUILD_DIR/screenshots"
    cp "$SCRATCH/$size.png" "$BUILD_DIR/screenshots/mode_$size.png"
}

# The X pointer waits off every window: a window of a new mode opening under it while F12 is
# still held would see the key pressed again, and change the mode twice.
press() {
    xdotool mousemove 1000 750
    xdotool windowfocus --sync "$WINDOW" 2>/dev/null || true
    hold_key "$1"
}

shows_city_in 320 200
press F12
shows_city_in 640 400
press F12
shows_city_in 800 600
press F12
shows_city_in 320 200

# Escape leaves the game for the title, Enter shows the menu, and the pointer on "Options"
# highlights it in the small picture as it does full size; a click opens the options.
press Escape
(cd "$SCRATCH" && "$BUILD_DIR/render_frame" title title.pcx) || fail "render_frame"
as_on_screen "$SCRATCH/title.pcx" 320 200 "$SCRATCH/expected.png"
diff=$(screenshot_matching "$SCRATCH/title.png" "$SCRATCH/expected.png" 50)
[ "$diff" -lt 50 ] || fail "Escape did not show the title ($diff pixels differ)"
press Return
home_pointer
expected_menu 0 1 190 240 "$SCRATCH/menu.png"
as_on_screen "$SCRATCH/menu.png" 320 200 "$SCRATCH/expected.png"
pointer_showing 190 240 "$SCRATCH/expected.png" "$SCRATCH/menu_320x200.png" 10 8%
echo "pointer on \"Options\" at 320x200: $SHOWN pixels differ"
[ "$SHOWN" -lt 10 ] || fail "the pointer on \"Options\" does not highlight it at 320x200"
expected_menu 2 0 190 240 "$SCRATCH/options.png"
as_on_screen "$SCRATCH/options.png" 320 200 "$SCRATCH/expected.png"
diff=$(click_showing "$SCRATCH/options_320x200.png" "$SCRATCH/expected.png" 10 8%)
[ "$diff" -lt 10 ] || fail "a click on \"Options\" did not open them at 320x200 ($diff pixels)"
echo "every mode shows the whole frame"
