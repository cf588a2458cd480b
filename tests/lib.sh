# Shared by the whole-program tests: an X server of their own, the game started in a folder,
# its window found and photographed.
set -u

fail() { echo "FAIL: $*"; exit 1; }

# Starts Xvfb on a free display and exports DISPLAY; it is stopped when the test ends. Tests
# run side by side, each with its own server: a server that does not answer is replaced.
start_xvfb() {
    local fdfile
    trap 'stop_all' EXIT
    for _ in 1 2 3; do
        fdfile=$(mktemp)
        Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" 2>/dev/null &
        XVFB_PID=$!
        for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.05; done
        export DISPLAY=":$(head -n1 "$fdfile")"
        rm -f "$fdfile"
        for _ in $(seq 50); do
            xdpyinfo >/dev/null 2>&1 && return 0
            kill -0 "$XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill "$XVFB_PID" 2>/dev/null
        sleep 0.5
    done
    fail "Xvfb did not start"
}

stop_all() {
    [ -n "${GAME_PID:-}" ] && kill "$GAME_PID" 2>/dev/null
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
    (cd "$SCRATCH" && exec ./skidrunner "$@" >out 2>err) &
    GAME_PID=$!
}

# Waits for the game's window (it is the only one on this server) and sets WINDOW to its id.
wait_for_window() {
    WINDOW=""
    for _ in $(seq 200); do
        WINDOW=$(xdotool search --name '^Skidrunner$' 2>/dev/null | tail -n 1)
        [ -n "$WINDOW" ] && break
        kill -0 "$GAME_PID" 2>/dev/null || break
        sleep 0.05
    done
    [ -n "$WINDOW" ] || { cat "$SCRATCH/out" "$SCRATCH/err"; fail "no game window"; }
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
