# The real game in a window the user resizes, fills the screen with, hides
# and minimises.

load game

# resize W H: waits for the new size.
resize() {
    xdotool windowsize "$window" "$1" "$2"
    await_geometry "$1x$2"
}

# field W H: the field's box in a W x H window, as X0 Y0 X1 Y1.
field() {
    local unit=$(($1 / 3 < $2 / 2 ? $1 / 3 : $2 / 2))
    echo $((($1 - 3 * unit) / 2)) $((($2 - 2 * unit) / 2)) $((($1 + 3 * unit) / 2)) $((($2 + 2 * unit) / 2))
}

@test "resized, the whole field shows centred at the largest size that fits, with black bars" {
    start_game "$SOURCE_DIR"
    # Width, height, then where the Mascot's 0.1 square must lie, at its scale: centre and size.
    for row in "900 400 450 200 30" "600 600 300 300 30" "1200 900 600 450 60" "600 400 300 200 30"; do
        read -r w h cx cy size <<<"$row"
        resize "$w" "$h"
        await_drawn $(field "$w" "$h") "x0 >= cx - size / 2 && x1 <= cx + size / 2 && y0 >= cy - size / 2 &&
            y1 <= cy + size / 2 && x1 - x0 > size / 2 && y1 - y0 > size / 2" || { echo "$row"; return 1; }
    done
    # A running game, in a wide window: the Trap hangs from the top of the field's area.
    resize 900 400
    press s
    await_pixel $((150 + 315)) 8 "$BLUE_TRAP"
    [[ $(pixel 140 8) =~ $BLACK && $(pixel 760 390) =~ $BLACK && $(pixel 160 390) =~ $WHITE ]]
    resize 600 700
    await_pixel 315 $((150 + 8)) "$BLUE_TRAP"
    [[ $(pixel 315 140) =~ $BLACK && $(pixel 100 160) =~ $WHITE ]]
    quit
}

@test "F11 fills the screen and F11 again brings the window back to its place and size" {
    start_game "$SOURCE_DIR"
    xdotool windowmove "$window" 40 30
    resize 900 600
    press F11
    await_geometry 1280x1024
    await_drawn $(field 1280 1024) "x0 >= 640 - 30 && x1 <= 640 + 30 && y1 - y0 > 40" # the Mascot at the centre, twice the size
    press F11
    await_geometry 900x600
    [[ $(xdotool getwindowgeometry "$window") == *"Position: 40,30"* ]]
    # The game never saw the key: still the title screen, and S still starts a game.
    press s
    await_pixel 472 12 "$BLUE_TRAP" # at one and a half times the size
    quit
}

@test "hidden or minimised, the game draws nothing; shown or restored, it draws again, a game paused" {
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
    # A game hidden loses the focus: shown again, it is paused where it was, until P.
    press s
    await_pixel 315 8 "$BLUE_TRAP"
    xdotool windowunmap --sync "$window" windowmap --sync "$window"
    await_pixel 315 8 '^(1[0-9]),(5[0-9]|6[0-9]),(1[2-4][0-9])$' # the Trap dimmed
    press p Right Right Right Right
    await_pixel $((315 + 36)) 8 "$BLUE_TRAP"
    quit
}
