# Shared by the whole-program tests: an X server of their own, the game started in a folder,
# its window found and photographed.
#
# Nothing here waits on a fixed clock. Every wait is for the thing the test expects (a window,
# a picture, a file, the game's end) and gives up only after a deadline that grows with the
# machine's load: a test sharing two cores with a dozen busy programs is given the time they
# take from it, and never less than on an idle machine.
set -u

fail() { echo "FAIL: $*"; exit 1; }

CORES=$(nproc 2>/dev/null || echo 1)

# Sets LOAD_FACTOR to how many times slower than an idle machine this one may be now: the work
# waiting for the processors per core (the one-minute load average, or the tasks runnable at
# this moment when they are more), rounded up; at least 1, at most 10.
update_load_factor() {
    local average runnable load
    read -r average _ _ runnable _ </proc/loadavg
    load=$((10#${average%.*} * 100 + 10#${average#*.}))
    runnable=${runnable%/*}
    ((runnable * 100 > load)) && load=$((runnable * 100))
    LOAD_FACTOR=$(((load + CORES * 100 - 1) / (CORES * 100)))
    ((LOAD_FACTOR < 1)) && LOAD_FACTOR=1
    ((LOAD_FACTOR > 10)) && LOAD_FACTOR=10
    return 0
}

# Seconds ("3", "0.25") in milliseconds, and back.
ms_of() {
    local whole=${1%.*} fraction=000
    [ "$whole" = "$1" ] || fraction=${1#*.}000
    echo $((10#${whole:-0} * 1000 + 10#${fraction:0:3}))
}
seconds_of() { printf '%d.%03d' $(($1 / 1000)) $(($1 % 1000)); }

# Seconds stretched by the machine's load now, in milliseconds.
scaled_ms() {
    update_load_factor
    echo $(($(ms_of "$1") * LOAD_FACTOR))
}

# wait_until SECONDS COMMAND [ARGUMENTS]: runs COMMAND until it succeeds, or until SECONDS have
# passed, stretched by the heaviest load seen meanwhile; fails then. COMMAND runs at least once
# and once more at the deadline. The waiting itself starts no programs but sleep.
wait_until() {
    local base start deadline=0
    base=$(ms_of "$1")
    shift
    start=${EPOCHREALTIME//[!0-9]/}
    for (( ; ; )); do
        "$@" && return 0
        update_load_factor
        ((base * LOAD_FACTOR * 1000 > deadline)) && deadline=$((base * LOAD_FACTOR * 1000))
        ((${EPOCHREALTIME//[!0-9]/} - start < deadline)) || break
        sleep 0.05
    done
    "$@"
}

# Sleeps SECONDS stretched by the machine's load.
scaled_sleep() { sleep "$(seconds_of "$(scaled_ms "$1")")"; }

# scaled_timeout SECONDS COMMAND [ARGUMENTS]: as timeout, with SECONDS stretched by the load.
scaled_timeout() {
    local limit
    limit=$(seconds_of "$(scaled_ms "$1")")
    shift
    timeout "$limit" "$@"
}

# Starts Xvfb on a display of its own and exports DISPLAY; it is stopped when the test ends.
# Tests run side by side, each with its own server. The number is drawn at random from a wide
# range rather than taking the lowest free one: a server that another test is just shutting
# down still holds its number for a moment, and would take the new server's socket with it.
# The server never resets when its last client leaves (a game connecting during a reset would
# be refused). Held keys do not repeat (-r): the window that a screen-mode change opens would
# take a repeat as a fresh press. A server that does not answer is replaced. Its screen is
# 1024 x 768 unless XVFB_SCREEN names another (a desktop big enough for a scaled window).
start_xvfb() {
    local n
    trap 'stop_all' EXIT
    for _ in $(seq 8); do
        n=$((100 + RANDOM % 800))
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 "${XVFB_SCREEN:-1024x768x24}" -nolisten tcp -noreset -r 2>/dev/null &
        XVFB_PID=$!
        export DISPLAY=":$n"
        wait_until 10 server_answers_or_died && kill -0 "$XVFB_PID" 2>/dev/null && return 0
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
    done
    fail "Xvfb did not start"
}

server_answers_or_died() { ! kill -0 "$XVFB_PID" 2>/dev/null || xdpyinfo >/dev/null 2>&1; }

game_ended() { ! kill -0 "$GAME_PID" 2>/dev/null; }

# The game is asked to quit and given three seconds (more on a loaded machine) before its
# server goes, so that no test leaves a game behind on the machine.
stop_all() {
    if [ -n "${GAME_PID:-}" ] && kill "$GAME_PID" 2>/dev/null; then
        wait_until 3 game_ended || kill -9 "$GAME_PID" 2>/dev/null
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
# A game started with -record writes every key it sees to demo.dem, where hold_key looks.
# GAME_PROGRAM names another program to start there (an installed game).
start_game() {
    GAME_ARGS=("$@")
    RECORDING=""
    [[ " $* " == *" -record "* ]] && RECORDING=1
    (cd "$SCRATCH" && exec "${GAME_PROGRAM:-./skidrunner}" "$@" >out 2>err) &
    GAME_PID=$!
}

# Sets WINDOW to the game's window once it is on screen (it can take the keyboard's focus only
# then); succeeds once it is, or once the game has ended.
window_shown_or_game_ended() {
    WINDOW=$(xdotool search --onlyvisible --name '^Skidrunner$' 2>/dev/null | tail -n 1)
    [ -n "$WINDOW" ] || game_ended
}

# Waits for the game's window (it is the only one on this server) and sets WINDOW to its id.
# A game that found no X server to talk to is given a fresh server and started again, twice
# at most: the test is about the game, not about a server lost on a busy machine.
wait_for_window() {
    WINDOW=""
    for attempt in 1 2 3; do
        wait_until 20 window_shown_or_game_ended
        [ -n "$WINDOW" ] && return 0
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

# The code that the game's events and demo files give a key (as xdotool names it), for the
# keys the game plays with; nothing for others.
game_key_code() {
    case $1 in
    [a-z]) echo $(($(printf %d "'$1") - 96)) ;;
    [0-9]) echo $((27 + $1)) ;;
    F[1-9] | F1[0-2]) echo $((46 + ${1#F})) ;;
    Escape) echo 59 ;;
    Tab) echo 64 ;;
    Return) echo 67 ;;
    space) echo 75 ;;
    Left) echo 82 ;;
    Right) echo 83 ;;
    Up) echo 84 ;;
    Down) echo 85 ;;
    Control_L) echo 105 ;;
    *) return 1 ;;
    esac
}

# recorded OFFSET CODE TYPE: whether demo.dem holds, past byte OFFSET, a record of the key CODE
# going down (TYPE 1) or up (TYPE 0).
recorded() {
    od -An -v -t d4 -w12 -j "$1" "$SCRATCH/demo.dem" 2>/dev/null |
        awk -v code="$2" -v type="$3" 'NF == 3 && $2 == type && $3 == code { found = 1 }
                                       END { exit !found }'
}

# Holds a key down until the game has seen it, then SECONDS longer (0.3 by default), and lets
# it go. The game sees only keys that are down when it polls, and a starved game polls late.
# A recording game writes each key it sees to demo.dem: there the key is held until it shows,
# and the next key waits until its release shows. Otherwise the key is held, and then left up,
# for at least 0.3 s times the machine's load.
hold_key() {
    local hold=${2:-0.3} code offset least
    if [ -n "${RECORDING:-}" ] && code=$(game_key_code "$1"); then
        offset=$(stat -c %s "$SCRATCH/demo.dem" 2>/dev/null || echo 0)
        xdotool keydown "$1"
        wait_until 5 recorded "$offset" "$code" 1 || echo "the game did not see $1 go down"
        sleep "$hold"
        xdotool keyup "$1"
        # Escape leaves the game for the title, which records nothing; so does the end of a
        # banner ("Busted!", "Wasted!"), and the release is then waited for only a while.
        if [ "$1" = Escape ]; then
            RECORDING=""
        else
            wait_until 3 recorded "$offset" "$code" 0 || echo "the game did not see $1 go up"
        fi
        sleep 0.1
    else
        least=$(scaled_ms 0.3)
        (($(ms_of "$hold") > least)) && least=$(ms_of "$hold")
        xdotool keydown "$1"
        sleep "$(seconds_of "$least")"
        xdotool keyup "$1"
        scaled_sleep 0.3
    fi
}

# Number of pixels that differ between two pictures (small colour rounding forgiven; a third
# argument widens the forgiveness, e.g. 8% for a screen the menu's fade left at 60/64).
pixels_differing() {
    compare -fuzz "${3:-2%}" -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1
}

# Photographs the game's window into a file.
photograph() { scaled_timeout 10 import -window "$WINDOW" "$1" 2>/dev/null; }

# shot_within OUT EXPECTED LIMIT FUZZ: photographs the window into OUT and succeeds when it
# differs from EXPECTED by fewer than LIMIT pixels; the count is left in DIFF.
shot_within() {
    photograph "$1" && DIFF=$(pixels_differing "$1" "$2" "$4")
    [ "$DIFF" -lt "$3" ] 2>/dev/null
}

# Photographs the window until the picture differs from EXPECTED by fewer than LIMIT pixels,
# or 20 seconds (more on a loaded machine) have passed; the last picture is left in OUT and its
# count printed.
screenshot_matching() {
    DIFF=999999
    wait_until 20 shot_within "$1" "$2" "$3" "${4:-2%}"
    echo "$DIFF"
}
