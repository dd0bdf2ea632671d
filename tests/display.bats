# The real game in a window the user resizes, fills the screen with, hides,
# and on a display that ignores vsync (this one).

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

@test "resized, the whole field shows centred at the largest size that fits, with white bars" {
    start_game "$SOURCE_DIR"
    # Width, height, then where the Mascot's 0.1 square must lie: centre and size.
    for row in "900 400 450 200 30" "600 600 300 300 30" "1200 900 600 450 60" "600 400 300 200 30"; do
        read -r w h cx cy size <<<"$row"
        resize "$w" "$h"
        read -r x0 y0 x1 y1 <<<"$(drawn 0 0 "$w" "$h")"
        echo "$row: drawn $x0 $y0 $x1 $y1"
        ((x0 >= cx - size / 2 && x1 <= cx + size / 2 && y0 >= cy - size / 2 && y1 <= cy + size / 2))
        ((x1 - x0 > size / 2 && y1 - y0 > size / 2)) # the Mascot, at its scale
    done
    # A running game, in a wide window: the Trap hangs from the top of the field's area.
    resize 900 400
    press s
    await_pixel $((150 + 315)) 8 "$BLUE_TRAP"
    [[ $(pixel 140 8) =~ $WHITE && $(pixel 760 390) =~ $WHITE ]]
    resize 600 700
    await_pixel 315 $((150 + 8)) "$BLUE_TRAP"
    [[ $(pixel 315 140) =~ $WHITE ]]
    press q
    finish
}

@test "F11 fills the screen and F11 again brings the window back to its place and size" {
    start_game "$SOURCE_DIR"
    xdotool windowmove "$window" 40 30
    resize 900 600
    press F11
    await_geometry 1280x1024
    read -r x0 y0 x1 y1 <<<"$(drawn 0 0 1280 1024)"
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

@test "hidden and shown again, the game goes on where it was" {
    start_game "$SOURCE_DIR"
    press s
    await_pixel 315 8 "$BLUE_TRAP"
    xdotool windowminimize "$window" windowunmap --sync "$window"
    sleep 0.5
    kill -0 "$pid"
    xdotool windowmap --sync "$window"
    await_pixel 315 8 "$BLUE_TRAP"
    press Right Right Right Right
    await_pixel $((315 + 36)) 8 "$BLUE_TRAP" # the Trap answers keys again
    press q
    finish
}

@test "where vsync is ignored, the Undead march at sixty steps a second" {
    start_game "$SOURCE_DIR"
    press s
    await_pixel 315 8 "$BLUE_TRAP"
    # The wave's left edge, below the Trap and right of the Player, a second apart.
    local t0 x0 t1 x1
    t0=$(date +%s.%N) && read -r x0 _ <<<"$(drawn 100 60 600 400)"
    sleep 1
    t1=$(date +%s.%N) && read -r x1 _ <<<"$(drawn 100 60 600 400)"
    # 0.01 a step is 3 pixels: 60 steps a second are 180 pixels, give or take a third.
    local speed=$(awk "BEGIN { print int(($x0 - $x1) / ($t1 - $t0)) }")
    echo "# the Undead marched $((x0 - x1)) pixels: $speed a second" >&3
    ((speed > 120 && speed < 240))
    press q
    finish
}
