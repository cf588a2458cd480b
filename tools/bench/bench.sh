#!/usr/bin/env bash
# bench.sh: every benchmark make bench prints. The tick and the frame (skid_bench), then each
# golden demo replayed without a screen five times, in times real time by the replay's processor
# time (start-up left out), then the real game's processor use under Xvfb (game_cpu.sh), then
# the street census. Needs GAME_DIR, BUILD_DIR and SOURCE_DIR (make bench sets them).
set -u
cd "$GAME_DIR" || exit 1
"$BUILD_DIR/skid_bench" || exit 1

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
echo "golden demos replayed without a screen, 5 runs each (median [least, most]):"
for keys in "$SOURCE_DIR"/tests/golden/*.keys; do
    name=$(basename "$keys" .keys)
    options=$(sed -n 's/^# options: *//p' "$keys")
    # shellcheck disable=SC2086
    "$BUILD_DIR/make_demo" $options "$keys" "$scratch/$name.dem" > /dev/null || continue
    for _ in 1 2 3 4 5; do
        # shellcheck disable=SC2086
        ./skidreplay "$scratch/$name.dem" $options --every 100000000 --speed 2>&1 >/dev/null
    done | awk -v n="$name" '
        { ticks = $1; x[++k] = $(NF - 3) }
        END {
            for (i = 1; i <= k; i++) for (j = i + 1; j <= k; j++) if (x[j] < x[i]) { t = x[i]; x[i] = x[j]; x[j] = t }
            printf "  %-24s %6d ticks  %6d x real time [%d, %d]\n", n, ticks, x[int((k + 1) / 2)], x[1], x[k]
        }'
done

GAME_DIR=$GAME_DIR BUILD_DIR=$BUILD_DIR bash "$SOURCE_DIR/tools/game_cpu/game_cpu.sh" 5
"$BUILD_DIR/census"
