#!/usr/bin/env bash
# check.sh NAME [--record]: the golden demo NAME. Its key script (NAME.keys; a line
# "# options: ..." gives the settings it is played with, --cop and --difficulty N) is recorded
# as the game records a player, then replayed without a screen by the replayer of each build
# (GCC -O2, Clang -O2 with the sanitizers, GCC -O0); every one must print the lines of
# NAME.digest. With --record, the lines of this build's replayer are written to NAME.digest
# instead: the golden demos are re-recorded on purpose, never by a test. A line
# "# expect: FIELD=VALUE; ..." names what the demo is for (a banner, a mission's state, a
# felony): each must appear in the digest, so a re-recording after a change to the city or the
# game cannot silently keep a demo that no longer shows it.
# Needs GAME_DIR, BUILD_DIR and SOURCE_DIR (ctest sets them).
set -u
name=$1
here="$SOURCE_DIR/tests/golden"
keys="$here/$name.keys"
digest="$here/$name.digest"
options=$(sed -n 's/^# options: *//p' "$keys")
# Every "; "-separated field of the expect lines that the given digest file lacks, one a line.
missing_fields() {
    sed -n 's/^# expect: *//p' "$keys" | tr ';' '\n' | sed 's/^ *//; s/ *$//' | grep -v '^$' |
        while IFS= read -r field; do grep -qF -- "$field" "$1" || echo "$field"; done
}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$GAME_DIR" || exit 1
# shellcheck disable=SC2086
"$BUILD_DIR/make_demo" $options "$keys" "$scratch/$name.dem" || { echo "FAIL: recording"; exit 1; }
if [ "${2:-}" = "--record" ]; then
    # shellcheck disable=SC2086
    "$GAME_DIR/skidreplay" "$scratch/$name.dem" $options > "$scratch/new.digest" || exit 1
    lacking=$(missing_fields "$scratch/new.digest")
    if [ -n "$lacking" ]; then
        echo "FAIL: $name no longer shows what it is for (not recorded); missing: $lacking"
        exit 1
    fi
    mv "$scratch/new.digest" "$digest"
    echo "recorded $(wc -l < "$digest") lines: $(tail -n 1 "$digest")"
    exit 0
fi
status=0
lacking=$(missing_fields "$digest")
[ -z "$lacking" ] || { echo "FAIL: $name.digest lacks what the demo is for: $lacking"; status=1; }
for replayer in "$GAME_DIR/skidreplay" "$BUILD_DIR/check-clang/skidreplay" \
                "$BUILD_DIR/check-gcc-O0/skidreplay"; do
    if [ ! -x "$replayer" ]; then
        echo "FAIL: $replayer is missing (make test builds it: target check_builds)"
        status=1
        continue
    fi
    # shellcheck disable=SC2086
    result=$("$replayer" "$scratch/$name.dem" $options --compare "$digest")
    echo "${replayer#"$BUILD_DIR"/}: $result"
    case "$result" in *" lines agree") ;; *) status=1 ;; esac
done
exit $status
