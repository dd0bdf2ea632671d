# The real game in a window the user resizes, fills the screen with and
# hides, and on displays of several refresh rates that ignore vsync
# (Xvfb's, told its rate with xrandr).

load game

# resize W H: waits for the new size and a frame drawn in it.
resize() {
    xdotool windowsize "$window" "$1" "$2"
    await_geometry "$1x$2"
}
await_geometry() {
    for _ in $(seq 50); do
        [[ $(xdotool getwindowgeometry "$window") == *"Geometry: $1"* ]] && sleep 0.2 && return
        sleep 0.1
    done
    return 1
}

# field W H: the field's box in a W x H window, as X0 Y0 X1 Y1.
field() {
    local unit=$(($1 / 3 < $2 / 2 ? $1 / 3 : $2 / 2))
    echo $((($1 - 3 * unit) / 2)) $((($2 - 2 * unit) / 2)) $((($1 + 3 * unit) / 2)) $((($2 + 2 * unit) / 2))
}

@test "resized, the whole field shows centred at the largest size that fits, with black bars" {
    start_game "$SOURCE_DIR"
    # Width, height, then where the Mascot's 0.1 square must lie: centre and size. A
    # busy machine may take a few frames to draw the new size.
    mascot_fits() {
        ((x0 >= cx - size / 2 && x1 <= cx + size / 2 && y0 >= cy - size / 2 && y1 <= cy + size / 2)) &&
            ((x1 - x0 > size / 2 && y1 - y0 > size / 2)) # the Mascot, at its scale
    }
    for row in "900 400 450 200 30" "600 600 300 300 30" "1200 900 600 450 60" "600 400 300 200 30"; do
        read -r w h cx cy size <<<"$row"
        resize "$w" "$h"
        for _ in $(seq 20); do
            read -r x0 y0 x1 y1 <<<"$(drawn $(field "$w" "$h"))"
            mascot_fits && break
            sleep 0.1
        done
        echo "$row: drawn $x0 $y0 $x1 $y1"
        mascot_fits
    done
    # A running game, in a wide window: the Trap hangs from the top of the field's area.
    resize 900 400
    press s
    await_pixel $((150 + 315)) 8 "$BLUE_TRAP"
    [[ $(pixel 140 8) =~ $BLACK && $(pixel 760 390) =~ $BLACK && $(pixel 160 390) =~ $WHITE ]]
    resize 600 700
    await_pixel 315 $((150 + 8)) "$BLUE_TRAP"
    [[ $(pixel 315 140) =~ $BLACK && $(pixel 100 160) =~ $WHITE ]]
    press q
    finish
}

@test "F11 fills the screen and F11 again brings the window back to its place and size" {
    start_game "$SOURCE_DIR"
    xdotool windowmove "$window" 40 30
    resize 900 600
    press F11
    await_geometry 1280x1024
    read -r x0 y0 x1 y1 <<<"$(drawn $(field 1280 1024))"
    ((x0 >= 640 - 30 && x1 <= 640 + 30 && y1 - y0 > 40)) # the Mascot at the centre, twice the size
    press F11
    await_geometry 900x600
    [[ $(xdotool getwindowgeometry "$window") == *"Position: 40,30"* ]]
    # The game never saw the key: still the title screen, and S still starts a game.
    press s
    await_pixel 472 12 "$BLUE_TRAP" # at one and a half times the size
    press q
    finish
}

@test "hidden and shown again, the game is paused where it was, and P goes on" {
    start_game "$SOURCE_DIR"
    press s
    await_pixel 315 8 "$BLUE_TRAP"
    xdotool windowminimize "$window" windowunmap --sync "$window"
    sleep 0.5
    kill -0 "$pid"
    xdotool windowmap --sync "$window"
    await_pixel 315 8 '^(1[0-9]),(5[0-9]|6[0-9]),(1[2-4][0-9])$' # hidden, it lost the focus: paused
    press p
    await_pixel 315 8 "$BLUE_TRAP"
    press Right Right Right Right
    await_pixel $((315 + 36)) 8 "$BLUE_TRAP" # the Trap answers keys again
    press q
    finish
}

@test "on the title screen, hidden or minimised, the game draws nothing; shown or restored, it draws again" {
    with_pretend_glfw
    start_game "$SOURCE_DIR" "${PRETEND_GAME[@]}"
    await_swaps 3
    xdotool windowunmap --sync "$window"
    await_no_swaps
    xdotool windowmap --sync "$window"
    await_swaps 3
    "$WINDOW_MANAGER" minimise "$window" # as a window manager tells the game
    await_no_swaps
    "$WINDOW_MANAGER" restore "$window"
    await_swaps 3
    press q
    finish
}

# set_rate HZ: the display's mode becomes 1280 x 1024 at HZ frames a second.
set_rate() {
    local clock
    clock=$(awk "BEGIN { printf \"%.3f\", 1688 * 1066 * $1 / 1e6 }")
    xrandr --newmode "rate-$1" "$clock" 1280 1328 1440 1688 1024 1025 1028 1066 2>/dev/null || true
    xrandr --addmode screen "rate-$1" && xrandr --output screen --mode "rate-$1"
}

# march_speed: how many pixels a second the wave's left edge moves left, from
# two screenshots 1.5 s apart, each timed at its middle.
march_speed() {
    local a0 a1 b0 b1 x0 x1
    a0=$(date +%s.%N) && read -r x0 _ <<<"$(drawn 100 60 600 400)" && a1=$(date +%s.%N)
    sleep 1.5
    b0=$(date +%s.%N) && read -r x1 _ <<<"$(drawn 100 60 600 400)" && b1=$(date +%s.%N)
    awk "BEGIN { print int(($x0 - $x1) / (($b0 + $b1) / 2 - ($a0 + $a1) / 2)) }"
}

@test "at 60, 144, 75 and 50 Hz the Undead march at sixty steps a second" {
    ((!SANITIZED)) || skip "the speed is measured in the build as it ships"
    local speed at60
    for hz in 60 144 75 50; do
        set_rate "$hz"
        start_game "$SOURCE_DIR"
        press s
        await_pixel 315 8 "$BLUE_TRAP"
        speed=$(march_speed)
        echo "# at $hz Hz the Undead march $speed pixels a second" >&3
        # 0.01 a step is 3 pixels: sixty steps a second are 180.
        [[ $hz != 60 ]] || { at60=$speed && ((speed > 162 && speed < 198)); }
        ((speed * 10 > at60 * 9 && speed * 10 < at60 * 11))
        press q
        finish
    done
}

@test "--fullscreen starts as F11 leaves it, and F11 brings the window" {
    start_game "$SOURCE_DIR" "$GAME" --fullscreen
    await_geometry 1280x1024
    press F11
    await_geometry 600x400
    press q
    finish
}
