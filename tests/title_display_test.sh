#!/usr/bin/env bash
# The game as a player starts it: the loading messages in order on the console (through a
# pipe), then a window showing the opening title picture in the palette's colours.
source "$(dirname "$0")/lib.sh"
start_xvfb
make_game_copy
start_game
wait_for_window
window=$WINDOW
(cd "$SCRATCH" && "$BUILD_DIR/render_frame" title title.pcx) || fail "render_frame"
convert "$SCRATCH/title.pcx" "$SCRATCH/title.png"
diff=$(screenshot_matching "$SCRATCH/shot.png" "$SCRATCH/title.png" 400)

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
echo "pixels differing from the title picture: $diff"
# The mouse pointer may sit on the picture; nothing else may differ.
[ "$diff" -lt 400 ] || fail "the window does not show the title picture"
colours=$(convert "$SCRATCH/shot.png" -format '%k' info:)
[ "$colours" -gt 16 ] || fail "only $colours colours on screen"
mkdir -p "$BUILD_DIR/screenshots" && cp "$SCRATCH/shot.png" "$BUILD_DIR/screenshots/title.png"
echo "title shown"

# Enter reveals the main menu; Enter on "New game", then on "Play as skidrunner", starts a game.
xdotool windowfocus --sync "$window" 2>/dev/null || true
hold_key Return
(cd "$SCRATCH" && "$BUILD_DIR/render_frame" menu menu.pcx) && convert "$SCRATCH/menu.pcx" "$SCRATCH/expected_menu.png"
# The fade in ends at 60/64 of full brightness, and the screen stays so.
menu_diff=$(screenshot_matching "$SCRATCH/menu.png" "$SCRATCH/expected_menu.png" 400 8%)
echo "pixels differing from the main menu: $menu_diff"
[ "$menu_diff" -lt 400 ] || fail "Enter did not reveal the menu"
cp "$SCRATCH/menu.png" "$BUILD_DIR/screenshots/menu.png"
hold_key Return
hold_key Return
(cd "$SCRATCH" && "$BUILD_DIR/render_frame" city city.pcx) && convert "$SCRATCH/city.pcx" "$SCRATCH/expected_city.png"
game_diff=$(screenshot_matching "$SCRATCH/game.png" "$SCRATCH/expected_city.png" 20000 8%)
echo "pixels differing from a new game's city: $game_diff"
[ "$game_diff" -lt 20000 ] || fail "the menu did not start a game"
echo "the menu starts a game"
