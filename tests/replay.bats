# Recorded games with the real executable: recorded with real key events,
# replayed in a window to the same picture, checked without one.

load game

@test "the kept games check out, with no display" {
    for row in "a-game 931" "s-then-a 1004" "s-won 424" "a-won 587"; do
        read -r game steps <<<"$row"
        run env -u DISPLAY "$GAME" --check "$SOURCE_DIR/tests/replays/$game.txt"
        [[ $status == 0 && $output == "replay matches: $steps steps" ]] || { echo "$game: $status $output"; return 1; }
    done
}

# same_but_paused PAUSED SHOWN: whether PAUSED is the picture SHOWN as a paused game shows it, outside
# the pause sign's disc: dimmed to 55 %.
same_but_paused() {
    local sign=(-fill black -draw 'circle 300,200 300,282') in=$BATS_TEST_TMPDIR
    convert "$in/$2" -evaluate multiply 0.55 "${sign[@]}" "$in/dimmed.png" && convert "$in/$1" "${sign[@]}" "$in/bare.png"
    [[ $(compare -metric AE -fuzz 1% "$in/dimmed.png" "$in/bare.png" null: 2>&1) == 0 ]]
}

@test "a game recorded with real keys replays to the same picture, whatever keys are pressed meanwhile" {
    # On a steady 60 Hz display's clock: a paused picture stays drawn where its frame fell between two
    # steps, which only at sixty frames a second is the latest step as it stands, as a replay ends on.
    with_pretend_glfw
    start_game "$BATS_TEST_TMPDIR" env PRETEND_CLOCK=1 "${PRETEND_GAME[@]}" --data-dir "$SOURCE_DIR" --record game.txt
    press s
    await_pixel 315 8 "$BLUE_TRAP"
    press space Up Up Up space Right Right f space
    await_line "$BATS_TEST_TMPDIR/game.txt" " check " # a second of play
    press a Down space p # the game is paused: its picture stands, dimmed under the pause sign
    await_pixel 5 395 '^(1[2-5][0-9]),\1,\1$' # the white field, dimmed
    shot recorded.png
    quit
    run "$GAME" --check "$BATS_TEST_TMPDIR/game.txt"
    [[ $status == 0 && $output =~ ^replay\ matches:\ [0-9]+\ steps$ ]]

    start_game "$SOURCE_DIR" "${PRETEND_GAME[@]}" --replay "$BATS_TEST_TMPDIR/game.txt"
    press p s a space Left f # only Q, F11, M and closing the window act
    for _ in $(seq 600); do
        shot replayed.png
        same_but_paused recorded.png replayed.png && break
        sleep 0.1
    done
    same_but_paused recorded.png replayed.png
    await_swaps 30
    shot still.png
    same replayed.png still.png # its last picture stays
    quit
    [[ -z $(stdout) && -z $(stderr) ]]
}

@test "killed in the middle of a game, the recording is whole up to its last second" {
    mkdir "$BATS_TEST_TMPDIR/kept"
    start_game "$SOURCE_DIR" "$GAME" --record "$BATS_TEST_TMPDIR/kept/game.txt"
    press s space
    await_line "$BATS_TEST_TMPDIR/kept/game.txt" " check " 2 # two seconds of play kept
    kill -9 "$pid"
    run "$GAME" --check "$BATS_TEST_TMPDIR/kept/game.txt"
    [[ $status == 0 && $output =~ ^replay\ matches:\ (60|120|180)\ steps$ ]] || { echo "$status $output"; false; }
    [[ $(ls "$BATS_TEST_TMPDIR/kept") == game.txt ]] # and nothing else: no file set aside is left
}
