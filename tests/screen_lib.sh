# Shared by the tests of the screen modes and the title's mouse: the frame as a screen of
# another size shows it, and a mouse pointer led to a point of the frame.

# The frame picture IN as a W x H screen shows it: the largest picture of the frame's shape
# that fits, each pixel taken from under its centre, centred, black around; written to OUT.
# ImageMagick's -sample samples at the centre in floating point, which lands a hair short of
# a whole pixel where the game's integer sum lands on it; a sampling point a hair past the
# centre picks the same pixels as the game.
as_on_screen() {
    local in=$1 w=$2 h=$3 out=$4 vw vh
    if [ $((w * 480)) -le $((h * 640)) ]; then
        vw=$w vh=$((480 * w / 640))
    else
        vw=$((640 * h / 480)) vh=$h
    fi
    convert "$in" -define sample:offset=50.001 -sample "${vw}x${vh}!" -background black \
        -extent "${w}x${h}-$(((w - vw) / 2))-$(((h - vh) / 2))" "$out"
}

# On the title the library moves the game's pointer by the mouse's motion, not to where X puts
# it, and counts it in frame pixels in every screen mode. So the pointer is pushed into the
# frame's top-left corner, then led to the point in steps of 15 pixels: the library warps the
# X pointer back to the window's centre every few motions, and such steps keep it inside even
# a 320 x 200 window. Should the library misread a step (one that crosses its warp of the X
# pointer on a busy machine could be), the pointer is led again from the corner. In a window N
# times the frame's size the game slows the pointer to the mouse's speed: POINTER_SLOWING=N
# there, and each step of the mouse is N times as long.
home_pointer() {
    local step=$((15 * ${POINTER_SLOWING:-1}))
    xdotool mousemove --window "$WINDOW" 100 100
    for _ in $(seq 45); do xdotool mousemove_relative -- -$step -$step; sleep 0.05; done
    POINTER_X=0 POINTER_Y=0
}

point_at() {
    local dx dy n=${POINTER_SLOWING:-1}
    while [ "$POINTER_X" -ne "$1" ] || [ "$POINTER_Y" -ne "$2" ]; do
        dx=$(($1 - POINTER_X)) dy=$(($2 - POINTER_Y))
        dx=$((dx > 15 ? 15 : dx < -15 ? -15 : dx))
        dy=$((dy > 15 ? 15 : dy < -15 ? -15 : dy))
        xdotool mousemove_relative -- $((dx * n)) $((dy * n))
        sleep 0.05
        POINTER_X=$((POINTER_X + dx)) POINTER_Y=$((POINTER_Y + dy))
    done
}

# Leads the pointer to frame point (X, Y) until the window matches EXPECTED within LIMIT
# pixels (FUZZ colour leeway); the last picture is left in OUT and its count in SHOWN. (Not
# to be run in a subshell: the pointer's place is kept in this shell.)
pointer_showing() {
    local x=$1 y=$2 expected=$3 out=$4 limit=$5 fuzz=$6
    for _ in 1 2 3; do
        point_at "$x" "$y"
        SHOWN=$(screenshot_matching "$out" "$expected" "$limit" "$fuzz")
        [ "$SHOWN" -lt "$limit" ] 2>/dev/null && return
        home_pointer
    done
}

# A left click, the button held until the window matches EXPECTED within LIMIT pixels (FUZZ
# colour leeway): a press and release that reached the game together, on a busy machine,
# would be missed by its polls. The last picture is left in OUT and its count printed.
click_showing() {
    xdotool mousedown 1
    screenshot_matching "$@"
    xdotool mouseup 1
}

# The menu M with row R highlighted and the pointer's tip at frame point (X, Y), as a PNG.
expected_menu() {
    (cd "$SCRATCH" && "$BUILD_DIR/render_frame" menu expected.pcx "$1" "$2" "$3" "$4") ||
        fail "render_frame"
    convert "$SCRATCH/expected.pcx" "$5"
}
