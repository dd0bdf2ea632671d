# Helpers for the tests that play the real game: a virtual X display for each
# test file, the game started in a directory of its own, real key events
# typed into its window, and the colours it shows.
#
# CTest sets GAME (the executable), SOURCE_DIR, WINDOW_MANAGER, PRETEND_GLFW, and SANITIZED (1
# in the sanitized build, else 0).

bats_require_minimum_version 1.5.0

# Each test file gets a display of its own, and a game left running is stopped. The games keep their
# bests in a folder of the file's own, never the tester's.
setup_file() {
    start_display
    export XDG_DATA_HOME=$BATS_FILE_TMPDIR/data
}
teardown_file() { kill "$(cat "$BATS_FILE_TMPDIR/xvfb")"; }
teardown() { kill "$pid" 2>/dev/null || true; }

start_display() {
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$BATS_FILE_TMPDIR/display" >/dev/null 2>&1 &
    echo $! >"$BATS_FILE_TMPDIR/xvfb"
    timeout 60 bash -c "until [[ -s $BATS_FILE_TMPDIR/display ]]; do sleep 0.05; done"
    export DISPLAY=:$(cat "$BATS_FILE_TMPDIR/display")
}

# start_game DIR [COMMAND...]: starts the game (or COMMAND) in DIR, standard
# output and error to files; sets pid and, once it shows, window.
start_game() {
    local dir=$1
    shift
    (($#)) || set -- "$GAME"
    (cd "$dir" && exec "$@") >"$BATS_TEST_TMPDIR/out" 2>"$BATS_TEST_TMPDIR/err" 3>&- &
    pid=$!
    # Searched again and again rather than with --sync: xdotool gives up on an
    # X error when some other window goes away while it looks. --all: by
    # itself xdotool takes a window that meets any one condition, such as the
    # last test's game, whose window a busy machine may not have closed yet.
    window=
    for _ in $(seq $((${WINDOW_WAIT:-60} * 10))); do
        window=$(xdotool search --all --onlyvisible --pid "$pid" --name '^Gorvath$' 2>/dev/null | head -1)
        [[ -n $window ]] && return
        sleep 0.1
    done
    echo "no window; stderr: $(cat "$BATS_TEST_TMPDIR/err")"
    return 1
}

# press KEY...: real X key events into the game's window, once it has the focus.
press() {
    for _ in $(seq 600); do
        if xdotool windowfocus --sync "$window" 2>/dev/null; then
            xdotool key --delay 30 "$@"
            return
        fi
        sleep 0.1
    done
    return 1
}

# finish [SECONDS]: waits for the game to end; fails unless it exits with 0.
finish() {
    local status=0
    timeout "${1:-60}" tail --pid="$pid" -f /dev/null || { echo "the game did not end"; return 1; }
    wait "$pid" || status=$?
    [[ $status -eq 0 ]] || { echo "exit status $status"; return 1; }
}

# await_geometry WxH: waits for the window to be that size.
await_geometry() {
    for _ in $(seq 300); do
        [[ $(xdotool getwindowgeometry "$window") == *"Geometry: $1"* ]] && return
        sleep 0.1
    done
    xdotool getwindowgeometry "$window" && return 1
}

# quit: Q, and the game ends with status 0.
quit() { press q && finish; }

stdout() { cat "$BATS_TEST_TMPDIR/out"; }
stderr() { cat "$BATS_TEST_TMPDIR/err"; }

# pixel X Y: the colour the window shows there, as R,G,B (nothing once the
# window is gone, where import would wait for a click on another).
pixel() {
    timeout 5 import -window "$window" -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
        sed -n 's/^0,0: (\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p'
}

# with_wave_writer FILE: the game's sound goes to FILE, a WAV file, through
# OpenAL Soft's wave writer.
with_wave_writer() {
    printf '[wave]\nfile=%s\n' "$1" >"$BATS_TEST_TMPDIR/alsoft.conf"
    export ALSOFT_DRIVERS=wave ALSOFT_CONF=$BATS_TEST_TMPDIR/alsoft.conf
}

# shot NAME: a screenshot of the game's window; same NAME NAME: whether two are alike to the pixel.
shot() { import -window "$window" "$BATS_TEST_TMPDIR/$1"; }
same() { [[ $(compare -metric AE "$BATS_TEST_TMPDIR/$1" "$BATS_TEST_TMPDIR/$2" null: 2>&1) == 0 ]]; }

# drawn X0 Y0 X1 Y1: within that box of the window, the smallest box that
# holds everything not white, as X0 Y0 X1 Y1.
drawn() {
    import -window "$window" "$BATS_TEST_TMPDIR/shot.png"
    convert "$BATS_TEST_TMPDIR/shot.png" -crop "$(($3 - $1))x$(($4 - $2))+$1+$2" +repage -fuzz 2% -trim \
        -format '%[fx:page.x+'"$1"'] %[fx:page.y+'"$2"'] %[fx:page.x+w+'"$1"'] %[fx:page.y+h+'"$2"']' info:
}

# await_drawn X0 Y0 X1 Y1 TEST: waits until the box of what is drawn there (drawn), as x0 y0 x1 y1,
# passes TEST, an arithmetic expression of them.
await_drawn() {
    for _ in $(seq 300); do
        read -r x0 y0 x1 y1 <<<"$(drawn "$1" "$2" "$3" "$4")"
        (($5)) && return
        sleep 0.1
    done
    echo "drawn $x0 $y0 $x1 $y1: not $5" && return 1
}

# await_line FILE REGEX [COUNT]: waits until FILE holds COUNT (or one) lines that match.
await_line() {
    for _ in $(seq 1200); do
        (($(grep -Ec "$2" "$1" 2>/dev/null) >= ${3:-1})) && return
        sleep 0.1
    done
    echo "$1 holds no ${3:-1} lines like $2" && return 1
}

# await_title TITLE: waits until the game's window is titled so.
await_title() {
    for _ in $(seq 600); do
        [[ $(xprop -id "$window" WM_NAME 2>/dev/null) == "WM_NAME(STRING) = \"$1\"" ]] && return
        sleep 0.1
    done
    echo "the window is not titled $1: $(xprop -id "$window" WM_NAME)" && return 1
}

# await_pixel X Y REGEX [SECONDS]: waits until the colour there matches.
await_pixel() {
    local colour
    for _ in $(seq $((${4:-60} * 10))); do
        kill -0 "$pid" 2>/dev/null || { echo "the game has ended"; return 1; }
        colour=$(pixel "$1" "$2")
        [[ $colour =~ $3 ]] && return
        sleep 0.1
    done
    echo "pixel $1,$2 is $colour, not $3"
    return 1
}

WHITE='^255,255,255$' BLACK='^0,0,0$' BLUE_TRAP='^(2[0-9]|3[0-9]),(1[0-2][0-9]),(2[3-5][0-9])$'
AMBER_TRAP='^(2[3-5][0-9]),(1[3-4][0-9]),([0-9]|1[0-9])$'

# with_pretend_glfw: PRETEND_GAME, the game with the pretend gamepad and
# counted buffer swaps of tests/support/pretend_glfw.c in front of GLFW.
with_pretend_glfw() {
    PRETEND_GAME=(env LD_PRELOAD="$PRETEND_GLFW" PRETEND_PAD="$BATS_TEST_TMPDIR/pad" SWAP_COUNT="$BATS_TEST_TMPDIR/swaps"
              "$GAME")
}

# pad [WORD...]: the pretend pad shows these buttons held and axes leaned, and nothing else.
pad() { echo "$*" >"$BATS_TEST_TMPDIR/pad.new" && mv "$BATS_TEST_TMPDIR/pad.new" "$BATS_TEST_TMPDIR/pad"; }

# swaps: how many pictures the game has shown; await_swaps N: waits for N more;
# await_no_swaps: waits until the game stops drawing (no picture for half a second).
swaps() { cat "$BATS_TEST_TMPDIR/swaps" 2>/dev/null || echo 0; }
await_swaps() {
    local until=$(($(swaps) + $1))
    for _ in $(seq 1200); do
        (($(swaps) >= until)) && return
        sleep 0.05
    done
    echo "no frames drawn: $(swaps) swaps, awaited $until" && return 1
}
await_no_swaps() {
    for _ in $(seq 120); do
        local before=$(swaps)
        sleep 0.5
        (($(swaps) == before)) && return
    done
    echo "the game goes on drawing: $(swaps) swaps" && return 1
}
