#!/usr/bin/env bash
# The Debian package, built from this build: it asks for Debian's Allegro runtime, holds the
# game in Debian's places for games, and the game it holds, unpacked into a scratch root,
# starts from another folder to its title.
source "$(dirname "$0")/lib.sh"
start_xvfb
SCRATCH=$(mktemp -d)
cpack -G DEB --config "$BUILD_DIR/CPackConfig.cmake" -B "$SCRATCH/package" >"$SCRATCH/cpack.log" 2>&1 ||
    { cat "$SCRATCH/cpack.log"; fail "cpack"; }
deb=$(ls "$SCRATCH"/package/skidrunner_*.deb) || fail "no package made"
echo "$(basename "$deb"): $(stat -c %s "$deb") bytes, depends on $(dpkg-deb -f "$deb" Depends)"
dpkg-deb -f "$deb" Depends | grep -q "liballegro4.4 (" || fail "the package does not ask for Allegro"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "the package is not in the games section"

ROOT=$SCRATCH/root
dpkg-deb -x "$deb" "$ROOT"
for f in games/skidrunner share/games/skidrunner/title.dat share/games/skidrunner/allegro.cfg \
         share/applications/skidrunner.desktop share/icons/hicolor/48x48/apps/skidrunner.png \
         share/man/man6/skidrunner.6.gz; do
    [ -e "$ROOT/usr/$f" ] || fail "the package has no /usr/$f"
done

export XDG_DATA_HOME=$SCRATCH/xdg
GAME_PROGRAM=$ROOT/usr/games/skidrunner start_game
wait_for_window
(cd "$GAME_DIR" && "$BUILD_DIR/render_frame" title "$SCRATCH/title.pcx") || fail "render_frame"
convert "$SCRATCH/title.pcx" "$SCRATCH/expected.png"
# The mouse pointer may sit on the picture; nothing else may differ.
diff=$(screenshot_matching "$SCRATCH/title.png" "$SCRATCH/expected.png" 400)
echo "the packaged game's title: $diff pixels differ"
[ "$diff" -lt 400 ] || fail "the packaged game does not show its title"
echo "the package installs a game that runs"
