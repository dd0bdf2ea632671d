# The real game on a virtual display, driven by real X key events.

setup_file() {
    load game
    start_display
}
teardown_file() {
    load game
    stop_display
}
setup() { load game; }
teardown() { kill "$pid" 2>/dev/null || true; }

@test "Q quits with status 0; other keys leave the game running; nothing is printed" {
    start_game "$SOURCE_DIR"
    press Up Down space f x
    sleep 0.3
    kill -0 "$pid"
    press q
    finish
    [[ -z $(stdout) && -z $(stderr) ]]
}

@test "closing the window ends the game with status 0" {
    start_game "$SOURCE_DIR"
    "$CLOSE_WINDOW" "$window"
    finish
    [[ -z $(stdout) && -z $(stderr) ]]
}

@test "without a display the game exits with status 1 and prints nothing" {
    run -1 env -u DISPLAY -u WAYLAND_DISPLAY "$GAME"
    [[ -z $output ]]
}

@test "S starts a game with the blue Trap; once it is lost, A starts one with the amber Trap" {
    start_game "$SOURCE_DIR"
    await_pixel 315 8 "$WHITE"
    press s
    await_pixel 315 8 "$BLUE_TRAP"
    # A does nothing while the game runs; the idle Player is soon caught.
    for _ in $(seq 60); do
        press a
        [[ $(pixel 315 8) =~ $AMBER_TRAP ]] && break
        sleep 0.5
    done
    await_pixel 315 8 "$AMBER_TRAP" 1
    press q
    finish
}
