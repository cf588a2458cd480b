#!/usr/bin/env bash
# The menus under the mouse: the pointer's tip sits where the game's pointer is, the row whose
# text lies under it is highlighted, and a click runs that row: "New game", then "Play as cop"
# starts a cop's game.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/screen_lib.sh"
start_xvfb
make_game_copy
start_game
wait_for_window
xdotool windowfocus --sync "$WINDOW" 2>/dev/null || true
hold_key Return
(cd "$SCRATCH" && "$BUILD_DIR/render_frame" menu menu.pcx) || fail "render_frame"
convert "$SCRATCH/menu.pcx" "$SCRATCH/menu.png"
# The menu's fade in ends at 60/64 of full brightness: colours are compared with 8% leeway.
diff=$(screenshot_matching "$SCRATCH/shot.png" "$SCRATCH/menu.png" 400 8%)
[ "$diff" -lt 400 ] || fail "Enter did not reveal the menu ($diff pixels differ)"

# On each row's text in turn, last on "New game": that row lights up, and the arrow's tip is on
# the point the pointer was led to.
home_pointer
for row in 2 1 0; do
    y=$((180 + 50 * row + 10))
    expected_menu 0 "$row" 190 "$y" "$SCRATCH/expected.png"
    pointer_showing 190 "$y" "$SCRATCH/expected.png" "$SCRATCH/row.png" 10 8%
    echo "pointer on row $row: $SHOWN pixels differ"
    [ "$SHOWN" -lt 10 ] || fail "the pointer on row $row's text does not highlight it"
done

expected_menu 1 0 190 190 "$SCRATCH/expected.png"
diff=$(click_showing "$SCRATCH/roles.png" "$SCRATCH/expected.png" 10 8%)
[ "$diff" -lt 10 ] || fail "a click on \"New game\" did not lead to the roles ($diff pixels)"
expected_menu 1 1 190 240 "$SCRATCH/expected.png"
pointer_showing 190 240 "$SCRATCH/expected.png" "$SCRATCH/cop_row.png" 10 8%
[ "$SHOWN" -lt 10 ] || fail "the pointer on \"Play as cop\" does not highlight it ($SHOWN pixels)"
mkdir -p "$BUILD_DIR/screenshots"
cp "$SCRATCH/cop_row.png" "$BUILD_DIR/screenshots/menu_pointer.png"

for role in cop skidrunner; do
    (cd "$SCRATCH" && "$BUILD_DIR/render_frame" city $role.pcx $role) || fail "render_frame"
    convert "$SCRATCH/$role.pcx" "$SCRATCH/$role.png"
done
diff=$(click_showing "$SCRATCH/game.png" "$SCRATCH/cop.png" 20000 8%)
[ "$diff" -lt 20000 ] || fail "the click did not start a game ($diff pixels)"
# The player stands at the centre of the frame: a cop in blue, not a skidrunner.
for picture in game cop skidrunner; do
    convert "$SCRATCH/$picture.png" -crop 32x32+304+224 +repage "$SCRATCH/${picture}_centre.png"
done
as_cop=$(pixels_differing "$SCRATCH/game_centre.png" "$SCRATCH/cop_centre.png" 8%)
as_skidrunner=$(pixels_differing "$SCRATCH/game_centre.png" "$SCRATCH/skidrunner_centre.png" 8%)
echo "player differs from a cop by $as_cop pixels, from a skidrunner by $as_skidrunner"
[ "$as_cop" -lt 10 ] && [ "$as_skidrunner" -gt 30 ] ||
    fail "\"Play as cop\" did not start a cop's game"
echo "the mouse picks the row under it"
