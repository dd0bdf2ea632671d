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

@test "installed, the game starts from any directory through its launcher" {
    local prefix=$BATS_TEST_TMPDIR/prefix
    cmake --install "$BUILD_DIR" --prefix "$prefix" >/dev/null
    for file in bin/gorvath libexec/gorvath/gorvath share/gorvath/shaders/vertShader.glsl \
        share/gorvath/textures/explosion.jpg share/applications/gorvath.desktop; do
        [[ -e $prefix/$file ]] || { echo "missing: $file"; return 1; }
    done
    # The icon: our Mascot on a transparent square.
    run identify -format '%w %h %[channels] %[pixel:p{0,0}]' "$prefix/share/icons/hicolor/64x64/apps/gorvath.png"
    [[ $output == "64 64 srgba "*"a(0,0,0,0)" || $output == "64 64 srgba "*",0)" ]] || { echo "$output"; false; }

    start_game "$BATS_TEST_TMPDIR" "$prefix/bin/gorvath"
    # The title screen: the Mascot in the middle and nothing else.
    await_pixel 300 200 '^[0-9]+,[0-9]+,[0-9]+$'
    sleep 0.5
    import -window "$window" "$BATS_TEST_TMPDIR/title.png"
    run convert "$BATS_TEST_TMPDIR/title.png" -fill white -draw 'rectangle 285,185 314,214' -format '%[fx:minima.r*255]' info:
    [[ $output == 255 ]] || { echo "something drawn outside the Mascot's square"; false; }
    run convert "$BATS_TEST_TMPDIR/title.png" -crop 30x30+285+185 -format '%[fx:minima.r*255]' info:
    ((output < 200)) || { echo "no Mascot"; false; }
    press q
    finish
    [[ -z $(stdout) && -z $(stderr) ]]
}
