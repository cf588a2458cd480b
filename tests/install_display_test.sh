#!/usr/bin/env bash
# The installed game: installed into a scratch prefix and started from another folder, it
# reads its data from the install and keeps the player's files in a folder of its own. At
# "-scale 2", and by itself on a desktop with room for it, the window is twice the frame's size
# and shows the frame with each pixel doubled; the title's pointer keeps to the mouse's speed.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/screen_lib.sh"
XVFB_SCREEN=1920x1080x24 start_xvfb
SCRATCH=$(mktemp -d)
# Staged as a package build stages it: a prefix, under DESTDIR.
PREFIX=$SCRATCH/staged/opt/skid
DESTDIR=$SCRATCH/staged cmake --install "$BUILD_DIR" --prefix /opt/skid >/dev/null ||
    fail "cmake --install"
export HOME=$SCRATCH/home XDG_DATA_HOME=$SCRATCH/xdg
PLAYER=$XDG_DATA_HOME/skidrunner
GAME_PROGRAM=$PREFIX/games/skidrunner

"$GAME_PROGRAM" --version | grep -qx "skidrunner [0-9.]*" || fail "--version"
"$GAME_PROGRAM" -record --help | grep -q -- "-scale N" || fail "--help lists no -scale"
[ ! -e "$PLAYER/demo.dem" ] || fail "--help started a recording"

stop_game() {
    kill "$GAME_PID" 2>/dev/null
    wait_until 5 game_ended || fail "the game did not stop"
    wait "$GAME_PID" 2>/dev/null
}

window_size() { xdotool getwindowgeometry "$WINDOW" | awk '/Geometry/ {print $2}'; }

# "-scale 2": a window twice the frame, each frame pixel a sharp 2 x 2 square.
start_game -scale 2 -no-such-option
wait_for_window
[ "$(window_size)" = 1280x960 ] || fail "-scale 2 opened a $(window_size) window"
grep -q "ignoring -no-such-option" "$SCRATCH/err" || fail "no warning for an unknown option"
(cd "$GAME_DIR" && "$BUILD_DIR/render_frame" title "$SCRATCH/title.pcx") || fail "render_frame"
convert "$SCRATCH/title.pcx" -scale 200% "$SCRATCH/expected.png"
# Only the tip of the pointer, at most 2 x 2 frame pixels in the corner it was led to, may
# differ: a frame shown at any other size, or blurred, differs in thousands.
diff=$(screenshot_matching "$SCRATCH/scaled_title.png" "$SCRATCH/expected.png" 17 0%)
echo "title at twice its size: $diff pixels differ"
[ "$diff" -lt 17 ] || fail "the 1280x960 window is not the title with its pixels doubled"
mkdir -p "$BUILD_DIR/screenshots"
cp "$SCRATCH/scaled_title.png" "$BUILD_DIR/screenshots/title_scale_2.png"
[ "$(readlink "$PLAYER/rand.rnd")" = "$PREFIX/share/games/skidrunner/rand.rnd" ] ||
    fail "the player's folder does not link the shipped data"

# The mouse moved 380 x 480 screen pixels puts the pointer 190 x 240 frame pixels in, on the
# "Options" row, which lights up.
xdotool windowfocus --sync "$WINDOW"
hold_key Return
POINTER_SLOWING=2
home_pointer
(cd "$GAME_DIR" && "$BUILD_DIR/render_frame" menu "$SCRATCH/menu.pcx" 0 1 190 240) ||
    fail "render_frame"
convert "$SCRATCH/menu.pcx" -scale 200% "$SCRATCH/expected.png"
pointer_showing 190 240 "$SCRATCH/expected.png" "$SCRATCH/menu_scale_2.png" 10 8%
echo "pointer on \"Options\" at twice the size: $SHOWN pixels differ"
[ "$SHOWN" -lt 10 ] || fail "the pointer does not keep to the mouse at twice the size"
stop_game

# No scale named on a 1920 x 1080 desktop: the largest window that fits, twice the frame. A
# recording and a screenshot land in the player's folder, and the shipped attract demo stays
# as it was.
start_game -record
wait_for_window
[ "$(window_size)" = 1280x960 ] || fail "the window on a 1920x1080 desktop is $(window_size)"
[ -f "$PLAYER/demo.dem" ] && [ ! -L "$PLAYER/demo.dem" ] || fail "no recording of the player's own"
demo_has_records() { [ "$(stat -c %s "$PLAYER/demo.dem")" -ge 24 ]; }
dump_saved() { [ -s "$PLAYER/dump.pcx" ]; }
xdotool windowfocus --sync "$WINDOW"
xdotool keydown F11
wait_until 10 dump_saved
xdotool keyup F11
wait_until 10 demo_has_records || fail "nothing recorded in $PLAYER/demo.dem"
dump_saved || fail "F11 saved no dump.pcx in the player's folder"
stop_game
cmp -s "$PREFIX/share/games/skidrunner/demo.dem" "$BUILD_DIR/demo/demo.dem" ||
    fail "the recording changed the shipped attract demo"
[ ! -e "$SCRATCH/demo.dem" ] || fail "the game wrote demo.dem where it was started"
echo "the installed game runs from anywhere and keeps the player's files at home"
