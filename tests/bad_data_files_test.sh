#!/usr/bin/env bash
# Every data file the game reads, damaged as a player's disk or download damages it: missing,
# empty, cut short at three points, filled with random bytes (seeded), with a few bytes near
# its start scrambled (seeded), or, for the game's own formats, every byte 0xFF; and the
# library's files changed on purpose but whole (repacked with the dat tool, a colour of the
# palette changed), which must still load. The real game runs on each, recording (so that a
# new game loads the pictures, tiles, city and missions at once), or playing demo.dem back
# when that is the file damaged. Each run must end in one of:
#   plays - its window opens and it plays (a key held down reaches its recording; a playback
#           stays up); asked to quit, it ends with status 0;
#   fatal - a message naming the file, status 1.
# Never a signal, a hang, or status 0 after a failure. The table of outcomes is printed.
source "$(dirname "$0")/lib.sh"
start_xvfb
make_game_copy
cp "$GAME_DIR/demo.dem" "$SCRATCH/attract.dem"
# A sound device that plays into nothing (ALSA's null device, set up in a home of the game's
# own): the library's MIDI player then loads its instruments from patches.dat and plays the
# tunes, as on a player's machine.
GAME_HOME=$SCRATCH/home
mkdir -p "$GAME_HOME"
echo 'pcm.!default { type null }' >"$GAME_HOME/.asoundrc"

LIBRARY_FILES="font.dat hud.dat title.dat sprites.dat tiles.dat mission.dat sound.dat midi.dat
               patches.dat pal.pcx"

# random_bytes SEED COUNT: COUNT bytes, the same for the same seed.
random_bytes() {
    perl -e 'srand($ARGV[0]); my $n = $ARGV[1];
             while ($n > 0) { my $k = $n < 65536 ? $n : 65536; $n -= $k;
                              print pack("C*", map { int(rand(256)) } 1 .. $k) }' "$1" "$2"
}

# scramble SEED FILE: eight bytes among the first 1024 replaced by random ones.
scramble() {
    perl -e 'srand($ARGV[0]); local $/; open(my $f, "+<", $ARGV[1]) or die; binmode $f;
             my $b = <$f>; my $n = length($b) < 1024 ? length($b) : 1024;
             substr($b, int(rand($n)), 1) = chr(int(rand(256))) for 1 .. 8;
             seek($f, 0, 0); print $f $b; close $f' "$1" "$2"
}

# shipped FILE: the file as this build made it.
shipped() { [ "$1" = demo.dem ] && echo "$SCRATCH/attract.dem" || echo "$GAME_DIR/$1"; }

# damage FILE HOW: FILE in the scratch game folder, damaged or changed HOW. The seed of the
# random damages is the file's name length and size: the same bytes at every run.
damage() {
    local f=$SCRATCH/$1 source size
    source=$(shipped "$1")
    size=$(stat -c %s "$source")
    cp "$source" "$f"
    case $2 in
    missing) rm -f "$f" ;;
    empty) : >"$f" ;;
    cut-16) head -c 16 "$source" >"$f" ;;
    cut-half) head -c $((size / 2)) "$source" >"$f" ;;
    cut-last) head -c $((size - 1)) "$source" >"$f" ;;
    random) random_bytes "${#1}$size" "$size" >"$f" ;;
    scrambled) scramble "${#1}$size" "$f" ;;
    ones) head -c "$size" /dev/zero | tr '\0' '\377' >"$f" ;;
    changed)
        if [ "$1" = pal.pcx ]; then
            # The palette's last colour made white: a picture still whole.
            printf '\377\377\377' | dd of="$f" bs=1 seek=$((size - 3)) conv=notrunc 2>/dev/null
        elif [ "$1" = title.dat ] || [ "$1" = patches.dat ]; then
            dat -c1 "$f" >/dev/null  # each object packed on its own
        else
            dat -c2 "$f" >/dev/null  # the whole file packed
        fi ;;
    esac
}

# What names each file in a fatal message: its name, or the words the game has always used.
names_file() {
    case $1 in
    map.map) grep -qE 'map\.map|\.map file' "$SCRATCH/out" ;;
    map.mis) grep -qE 'map\.mis|\.mis file' "$SCRATCH/out" ;;
    demo.dem) grep -qE 'demo\.dem|Out of sync!' "$SCRATCH/out" ;;
    *) grep -qF "$1" "$SCRATCH/out" ;;
    esac
}

playing_or_ended() { recorded 0 28 1 || game_ended; }

# The processor time the game has had, in hundredths of a second.
game_cpu() {
    local stat
    read -r stat <"/proc/$GAME_PID/stat" 2>/dev/null || { echo 0; return; }
    set -- ${stat##*) }
    echo $((${12} + ${13}))
}
# Its main loop never rests (most of it waits on the X server): a tenth of a second of
# processor time after the window opened is about a second of play, however busy the machine.
played_a_while() { game_ended || (($(game_cpu) - CPU_AT_WINDOW >= 10)); }

# A recording game plays once the key 1, held down, reaches its recording: a window is no
# proof, since a new game loads more files after it opens. A playback shows nothing of the
# kind: it plays if it is still up after a while of play.
plays_or_ended() {
    if [ "$1" = -play ]; then
        CPU_AT_WINDOW=$(game_cpu)
        wait_until 20 played_a_while
        return 0
    fi
    scaled_timeout 5 xdotool windowfocus --sync "$WINDOW" 2>/dev/null
    xdotool keydown 1
    wait_until 20 playing_or_ended
    xdotool keyup 1
}

# run_game FILE MODE: runs the game (MODE -record or -play) on the scratch folder and sets
# OUTCOME.
run_game() {
    local status
    [ "$2" = -record ] && : >"$SCRATCH/demo.dem"
    (cd "$SCRATCH" && HOME=$GAME_HOME exec ./skidrunner "$2" >out 2>err) &
    GAME_PID=$!
    if ! wait_until 20 window_shown_or_game_ended; then
        OUTCOME="hang"
    else
        game_ended || plays_or_ended "$2"
        if game_ended; then
            OUTCOME="ended"
        elif [ "$2" = -play ] || recorded 0 28 1; then
            OUTCOME="plays"
            kill -TERM "$GAME_PID"
            wait_until 5 game_ended || OUTCOME="hang on quitting"
        else
            OUTCOME="hang"
        fi
    fi
    game_ended || kill -9 "$GAME_PID"
    wait "$GAME_PID"
    status=$?
    GAME_PID=""
    case $OUTCOME:$status in
    plays:0) ;;
    plays:*) OUTCOME="quit with status $status" ;;
    ended:1)
        OUTCOME="status 1, no message naming $1"
        names_file "$1" && OUTCOME="fatal" ;;
    ended:*) OUTCOME="ended with status $status"
        ((status > 128)) && OUTCOME="killed by signal $((status - 128))" ;;
    esac
}

# expected FILE HOW: the outcomes allowed.
expected() {
    case $1:$2 in
    # Without the radio's instruments, or the manifest, the game plays; a file changed on
    # purpose must still play.
    patches.dat:missing | data.sums:* | *:changed) echo plays ;;
    # Scrambled bytes may be no more than a changed picture or sound.
    *:scrambled) echo "plays|fatal" ;;
    *:missing) echo fatal ;;
    # Any 1024 bytes are a random table; a shorter mission file keeps the records it fills;
    # unknown cells read as buildings.
    rand.rnd:random | rand.rnd:ones | map.mis:* | map.map:random | map.map:ones) echo plays ;;
    # A recording cut short plays as far as it goes, then shows the title. Bytes that are no
    # recording play what they say, or their ticks run backwards: "Out of sync!".
    demo.dem:cut-* | demo.dem:random | demo.dem:ones) echo "plays|fatal" ;;
    *) echo fatal ;;
    esac
}

failures=0
table=""
# try FILE MODE HOW...: each damage in turn, then the file as shipped again.
try() {
    local file=$1 mode=$2 how wanted message line start
    shift 2
    for how in "$@"; do
        damage "$file" "$how"
        start=${EPOCHREALTIME//[!0-9]/}
        run_game "$file" "$mode"
        wanted=$(expected "$file" "$how")
        message=""
        [ "$OUTCOME" = fatal ] && message=$(tail -n 1 "$SCRATCH/out")
        line=$(printf '%-12s %-10s %5d ms -> %-6s %s' "$file" "$how" \
            $(((${EPOCHREALTIME//[!0-9]/} - start) / 1000)) "$OUTCOME" "$message")
        table+="$line"$'\n'
        if [[ "|$wanted|" != *"|$OUTCOME|"* ]]; then
            echo "FAIL: $file $how: $OUTCOME, expected $wanted"
            cat "$SCRATCH/out" "$SCRATCH/err"
            failures=$((failures + 1))
        fi
        cp "$(shipped "$file")" "$SCRATCH/$file"
    done
}

DAMAGES="missing empty cut-16 cut-half cut-last random scrambled"
for file in $LIBRARY_FILES; do try "$file" -record $DAMAGES changed; done
for file in map.map map.mis rand.rnd; do try "$file" -record $DAMAGES ones; done
try demo.dem -play $DAMAGES ones
try data.sums -record missing random

printf '%s' "$table"
[ "$failures" -eq 0 ] || fail "$failures runs on damaged files did not end as they should"
echo "every damaged file ends in play or a clear message"
