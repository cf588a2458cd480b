#!/usr/bin/env bash
# A player who closes the window, or a desktop that stops the program (Ctrl+C, a logout),
# ends the game cleanly: status 0, and a recording under way keeps every key pressed. A game
# whose X server goes away ends at once with status 1, not hanging on.
source "$(dirname "$0")/lib.sh"
start_xvfb
make_game_copy

# Waits for the game to end and sets STATUS to its exit status.
wait_for_exit() {
    STATUS=""
    wait_until 10 game_ended || fail "$1: the game is still running"
    wait "$GAME_PID"
    STATUS=$?
    GAME_PID=""
}

start_game -record
wait_for_window
xdotool windowfocus --sync "$WINDOW" 2>/dev/null || true
hold_key Return 0.2
hold_key Up 0.5
"$BUILD_DIR/close_window" "$WINDOW" || fail "close_window"
wait_for_exit "the close button"
[ "$STATUS" -eq 0 ] || fail "closing the window ended the game with status $STATUS"
size=$(stat -c %s "$SCRATCH/demo.dem")
[ $((size % 12)) -eq 0 ] && [ "$size" -ge 48 ] || fail "the recording holds $size bytes"
echo "the close button quits; the recording holds $((size / 12)) records"

# The title plays its music and redraws every pass: a signal may land mid-update.
for signal in TERM INT; do
    for wait in 0.3 0.7 1.1; do
        start_game
        wait_for_window
        sleep "$wait"
        kill -s "$signal" "$GAME_PID"
        wait_for_exit "SIG$signal"
        [ "$STATUS" -eq 0 ] || fail "SIG$signal ended the game with status $STATUS"
    done
done
echo "SIGTERM and SIGINT quit cleanly"

# The server goes once the game is playing: its window shows the city, in many colours.
city_shown() {
    photograph "$SCRATCH/playing.png" && [ "$(convert "$SCRATCH/playing.png" -format '%k' info:)" -gt 30 ]
}
start_game -record
wait_for_window
wait_until 20 city_shown || fail "the city was not shown"
kill "$XVFB_PID"
wait_for_exit "the lost display"
[ "$STATUS" -eq 1 ] || fail "a lost display ended the game with status $STATUS"
grep -q "The display went away" "$SCRATCH/out" || { cat "$SCRATCH/out"; fail "no message"; }
XVFB_PID=""
echo "a lost display ends the game"
