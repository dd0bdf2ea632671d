# The real game on a virtual display, driven by real X key events.

load game

@test "Q quits with status 0; other keys leave the game running; nothing is printed" {
    # A pad mapping from the environment that does not parse is left out quietly.
    export SDL_GAMECONTROLLERCONFIG=$'not a mapping\n03000000,broken,a:b99,'
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
