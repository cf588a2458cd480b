#!/usr/bin/env bash
# The game as a player starts it: the loading messages in order on the console (through a
# pipe), then a window showing the opening title picture in the palette's colours.
source "$(dirname "$0")/lib.sh"
start_xvfb
make_game_copy
start_game
wait_for_window
window=$WINDOW
sleep 1
timeout 10 import -window "$window" "$SCRATCH/shot.png" || fail "no screenshot"

expected="Loading allegro functions....
Loading sounds...
Loading HUD...
Loading random numbers...
Loading title...
Loading GFX display..."
[ "$(cat "$SCRATCH/out")" = "$expected" ] || { cat "$SCRATCH/out"; fail "loading messages"; }
kill -0 "$GAME_PID" || fail "the game stopped"

size=$(identify -format '%wx%h' "$SCRATCH/shot.png")
[ "$size" = "640x480" ] || fail "window is $size, not 640x480"
(cd "$SCRATCH" && "$BUILD_DIR/render_frame" title title.pcx) || fail "render_frame"
convert "$SCRATCH/title.pcx" "$SCRATCH/title.png"
diff=$(pixels_differing "$SCRATCH/shot.png" "$SCRATCH/title.png")
echo "pixels differing from the title picture: $diff"
# The mouse pointer may sit on the picture; nothing else may differ.
[ "$diff" -lt 400 ] || fail "the window does not show the title picture"
colours=$(convert "$SCRATCH/shot.png" -format '%k' info:)
[ "$colours" -gt 16 ] || fail "only $colours colours on screen"
mkdir -p "$BUILD_DIR/screenshots" && cp "$SCRATCH/shot.png" "$BUILD_DIR/screenshots/title.png"
echo "title shown"
