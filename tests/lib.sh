# Shared by the whole-program tests: an X server of their own, the game started in a folder,
# its window found and photographed.
set -u

fail() { echo "FAIL: $*"; exit 1; }

# Starts Xvfb on a display of its own and exports DISPLAY; it is stopped when the test ends.
# Tests run side by side, each with its own server. The number is drawn at random from a wide
# range rather than taking the lowest free one: a server that another test is just shutting
# down still holds its number for a moment, and would take the new server's socket with it.
# The server never resets when its last client leaves (a game connecting during a reset would
# be refused). A server that does not answer is replaced.
start_xvfb() {
    local n
    trap 'stop_all' EXIT
    for _ in $(seq 8); do
        n=$((100 + RANDOM % 800))
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -noreset 2>/dev/null &
        XVFB_PID=$!
        export DISPLAY=":$n"
        for _ in $(seq 100); do
            kill -0 "$XVFB_PID" 2>/dev/null || break
            xdpyinfo >/dev/null 2>&1 && kill -0 "$XVFB_PID" 2>/dev/null && return 0
            sleep 0.05
        done
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
    done
    fail "Xvfb did not start"
}

# The game is asked to quit and given three seconds before its server goes, so that no test
# leaves a game behind on the machine.
stop_all() {
    if [ -n "${GAME_PID:-}" ] && kill "$GAME_PID" 2>/dev/null; then
        for _ in $(seq 30); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.1; done
        kill -0 "$GAME_PID" 2>/dev/null && kill -9 "$GAME_PID" 2>/dev/null
    fi
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
    [ -n "${SCRATCH:-}" ] && rm -rf "$SCRATCH"
    return 0
}

# A scratch copy of the game folder; files named as arguments are left out.
make_game_copy() {
    SCRATCH=$(mktemp -d)
    cp -r "$GAME_DIR"/. "$SCRATCH"/
    for f in "$@"; do rm -f "$SCRATCH/$f"; done
    rm -f "$SCRATCH"/demo.dem "$SCRATCH"/dump.pcx
}

# Starts the game in the scratch folder with the given options, its console in $SCRATCH/out.
start_game() {
    GAME_ARGS=("$@")
    (cd "$SCRATCH" && exec ./skidrunner "$@" >out 2>err) &
    GAME_PID=$!
}

# Waits for the game's window (it is the only one on this server) and sets WINDOW to its id.
# A game that found no X server to talk to is given a fresh server and started again, twice
# at most: the test is about the game, not about a server lost on a busy machine.
wait_for_window() {
    WINDOW=""
    for attempt in 1 2 3; do
        for _ in $(seq 200); do
            WINDOW=$(xdotool search --name '^Skidrunner$' 2>/dev/null | tail -n 1)
            [ -n "$WINDOW" ] && return 0
            kill -0 "$GAME_PID" 2>/dev/null || break
            sleep 0.05
        done
        grep -q "Couldn't start allegro" "$SCRATCH/out" "$SCRATCH/err" 2>/dev/null || break
        [ "$attempt" -lt 3 ] || break
        echo "no X server answered the game; starting another"
        kill "$XVFB_PID" 2>/dev/null
        start_xvfb
        start_game "${GAME_ARGS[@]}"
    done
    cat "$SCRATCH/out" "$SCRATCH/err"
    fail "no game window"
}

# Holds a key down long enough for the game's 10 ms polls to see it.
hold_key() {
    xdotool keydown "$1"; sleep "${2:-0.3}"; xdotool keyup "$1"; sleep 0.1
}

# Number of pixels that differ between two pictures (small colour rounding forgiven; a third
# argument widens the forgiveness, e.g. 8% for a screen the menu's fade left at 60/64).
pixels_differing() {
    compare -fuzz "${3:-2%}" -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1
}

# Photographs the window until the picture differs from EXPECTED by fewer than LIMIT pixels,
# or 10 seconds have passed (a busy machine may be slow to show a frame); the last picture is
# left in OUT and its count printed.
screenshot_matching() {
    local out=$1 expected=$2 limit=$3 fuzz=${4:-2%} diff=999999
    for _ in $(seq 40); do
        timeout 10 import -window "$WINDOW" "$out" 2>/dev/null &&
            diff=$(pixels_differing "$out" "$expected" "$fuzz")
        [ "$diff" -lt "$limit" ] 2>/dev/null && break
        sleep 0.25
    done
    echo "$diff"
}
