# The real game played with a pad: a pretend one, preloaded where GLFW's
# joystick functions stand (tests/support/pretend_glfw.c), read by the game
# as it reads any pad. What the pad did is read off the screen, and off a
# recording of the game, which keeps every key the game took.

load game

setup() { with_pretend_glfw; }

# hold WORD...: the pad shows these, until the game has read it a few times.
hold() { pad "$@" && await_swaps 3; }

@test "Start on the title screen starts an S game, and each button and stick acts as its key" {
    pad
    start_game "$BATS_TEST_TMPDIR" "${PRETEND_GAME[@]}" --data-dir "$SOURCE_DIR" --record game.txt
    hold start
    await_pixel 315 8 "$BLUE_TRAP"
    # Each in turn, let go in between, as a player would.
    for held in up down left right ly=-0.9 ly=0.9 lx=-0.9 lx=0.9 a b x back; do
        hold "$held"
        hold
    done
    quit
    # The keys the game took, in order (+ pressed, - let go); a direction held long enough repeats.
    sed -n 's/.* key \([A-Z]*\) press$/\1+/p; s/.* key \([A-Z]*\) release$/\1-/p' "$BATS_TEST_TMPDIR/game.txt" |
        paste -sd' ' >"$BATS_TEST_TMPDIR/keys"
    [[ $(cat "$BATS_TEST_TMPDIR/keys") == "S+ S- UP+ UP- DOWN+ DOWN- LEFT+ LEFT- RIGHT+ RIGHT- UP+ UP- DOWN+ DOWN- "\
"LEFT+ LEFT- RIGHT+ RIGHT- SPACE+ SPACE- F+ F- F+ F- A+ A-" ]] || { cat "$BATS_TEST_TMPDIR/keys"; false; }
}
