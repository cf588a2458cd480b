#!/usr/bin/env bash
# game_cpu.sh [RUNS]: what the real game costs the machine. The game runs in a window of its own
# X server; for ten seconds on the title (the pointer wandering over the menu for the first
# five) and ten seconds in play (a recorded game: into the car beside the start and away up the
# street), the processor time of the whole process (every thread) is read from /proc, with the
# frames put on the screen from the game's own count. RUNS times (5), then the median, the least
# and the most of each figure. Needs GAME_DIR and BUILD_DIR (make bench sets them).
source "$(dirname "$0")/../../tests/lib.sh"
RUNS=${1:-5}
WINDOW_SECONDS=10
HZ=$(getconf CLK_TCK)

# Processor ticks used so far by the game: user and system time of all its threads.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$GAME_PID/stat"; }

# The game's counts of frames shown and steps run, read together from its memory (each symbol's
# place in the program, moved to where the program was loaded), and the time they were read in
# microseconds; "- - -" when it keeps none.
game_counts() {
    python3 - "$GAME_PID" "$SCRATCH/skidrunner" <<'PY' 2>/dev/null || echo - - -
import subprocess, sys, time
pid, program = sys.argv[1], sys.argv[2]
symbols = subprocess.run(["nm", program], capture_output=True, text=True).stdout.split("\n")
base = next(int(l.split("-")[0], 16) for l in open(f"/proc/{pid}/maps") if l.split()[-1].endswith("skidrunner"))
def read(name, size):
    offset = next(int(l.split()[0], 16) for l in symbols if l.endswith(" " + name))
    mem.seek(base + offset)
    return int.from_bytes(mem.read(size), "little")
with open(f"/proc/{pid}/mem", "rb") as mem:
    print(read("frames_shown", 8), read("tick_count", 4), int(time.time() * 1e6))
PY
}

# measure NAME ACTION...: runs ACTION in the background for the window and prints NAME's
# share of one core in per cent and the frames shown per second.
measure() {
    local name=$1 before after frames_before frames_after steps_before steps_after start end
    local read_before read_after
    shift
    read -r frames_before steps_before read_before <<< "$(game_counts)"
    before=$(cpu_ticks)
    start=${EPOCHREALTIME//[!0-9]/}
    "$@" &
    local action=$!
    sleep "$WINDOW_SECONDS"
    after=$(cpu_ticks)
    end=${EPOCHREALTIME//[!0-9]/}
    read -r frames_after steps_after read_after <<< "$(game_counts)"
    wait "$action" 2>/dev/null
    local us=$((end - start))
    local cpu fps=- sps=-
    cpu=$(awk -v t=$((after - before)) -v hz="$HZ" -v us="$us" 'BEGIN { printf "%.1f", 100 * t / hz / (us / 1e6) }')
    if [ "$frames_before" != - ] && [ "$frames_after" != - ]; then
        local counted=$((read_after - read_before))
        fps=$(awk -v f=$((frames_after - frames_before)) -v us="$counted" 'BEGIN { printf "%.0f", f / (us / 1e6) }')
        sps=$(awk -v f=$((steps_after - steps_before)) -v us="$counted" 'BEGIN { printf "%.0f", f / (us / 1e6) }')
    fi
    echo "$name $cpu $fps $sps"
}

wander_over_menu() {
    for _ in $(seq 10); do
        for step in 30 -30; do
            for _ in $(seq 5); do xdotool mousemove_relative -- 0 "$step"; sleep 0.05; done
        done
    done
}

drive_away() {
    xdotool keydown Up
    sleep "$WINDOW_SECONDS"
    xdotool keyup Up
}

one_run() {
    make_game_copy
    start_game
    wait_for_window
    xdotool windowfocus --sync "$WINDOW" 2>/dev/null || true
    hold_key Return 0.3  # the menu over the title
    sleep 1
    measure title wander_over_menu
    stop_all
    GAME_PID="" SCRATCH=""
    # A game from the menu, not a recording: a recording ends with its first banner and goes
    # back to the title, and the car beside the start, driven straight on, is in the river
    # within three seconds ("Splash!"); a player's game goes on after it.
    make_game_copy
    start_game
    wait_for_window
    xdotool windowfocus --sync "$WINDOW" 2>/dev/null || true
    for _ in menu new_game play_as_skidrunner; do hold_key Return 0.3; sleep 0.5; done
    hold_key Return 0.2  # walk to the car beside the start and get in
    sleep 3
    measure play drive_away
    stop_all
    GAME_PID="" SCRATCH=""
}

start_xvfb
results=$(for _ in $(seq "$RUNS"); do one_run; done | grep -E '^(title|play) ')
echo "The game under Xvfb, $RUNS runs of ${WINDOW_SECONDS} s each (median [least, most]):"
for name in title play; do
    echo "$results" | awk -v n="$name" '
        $1 == n { cpu[++k] = $2; fps[k] = $3; sps[k] = $4 }
        function show(a, what, unit,   i, j, t, m) {
            for (i = 1; i <= k; i++) for (j = i + 1; j <= k; j++)
                if (a[j] + 0 < a[i] + 0) { t = a[i]; a[i] = a[j]; a[j] = t }
            m = a[int((k + 1) / 2)]
            printf "  %-5s %s %s%s [%s, %s]\n", n, what, m, unit, a[1], a[k]
        }
        END {
            show(cpu, "processor", "% of one core")
            if (fps[1] != "-") show(fps, "frames shown", " a second")
            if (sps[1] != "-") show(sps, "steps run", " a second")
        }'
done
