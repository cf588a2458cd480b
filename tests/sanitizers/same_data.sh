#!/usr/bin/env bash
# The data the sanitizer build's tools made (every generator run under the sanitizers, in the
# build of check_builds) must be the main build's, byte for byte: a tool that read memory it
# should not, or leaned on undefined behaviour, would show here even where the sanitizers
# were silent. Needs BUILD_DIR.
set -u
main=$BUILD_DIR/game
checked=$BUILD_DIR/check-clang/game
[ -d "$checked" ] || { echo "FAIL: $checked is missing (make test builds it: target check_builds)"; exit 1; }
status=0
# The attract demo as recorded (the game folder's demo.dem may be a player's own).
cmp "$BUILD_DIR/demo/demo.dem" "$BUILD_DIR/check-clang/demo/demo.dem" || status=1
for f in font.dat hud.dat title.dat sprites.dat tiles.dat mission.dat sound.dat midi.dat \
         patches.dat pal.pcx map.map map.mis rand.rnd data.sums; do
    cmp "$main/$f" "$checked/$f" || status=1
done
[ "$status" -eq 0 ] && echo "the sanitized tools made the same data, byte for byte"
exit "$status"
