# The real game on a virtual display, driven by real X key events.

load game

@test "Q quits with status 0; other keys leave the game running; nothing is printed" {
    # A pad mapping from the environment that does not parse is left out quietly.
    export SDL_GAMECONTROLLERCONFIG=$'not a mapping\n03000000,broken,a:b99,'
    with_pretend_glfw
    start_game "$SOURCE_DIR" "${PRETEND_GAME[@]}"
    press Up Down space f x
    await_swaps 10 # frames drawn after them
    kill -0 "$pid"
    quit
    [[ -z $(stdout) && -z $(stderr) ]]
}

@test "closing the window ends the game with status 0" {
    start_game "$SOURCE_DIR"
    "$WINDOW_MANAGER" close "$window"
    finish
    [[ -z $(stdout) && -z $(stderr) ]]
}

@test "the command line: each option and each misuse, with its streams and exit status, and no window" {
    local version
    version=$(sed -n 's/^project(Gorvath VERSION \([0-9.]*\) .*/\1/p' "$SOURCE_DIR/CMakeLists.txt")
    local see="; see 'gorvath --help'" missing=$BATS_TEST_TMPDIR/no/such kept=$BATS_TEST_TMPDIR/kept.txt
    echo kept >"$kept"
    # Arguments | exit status | standard output (a pattern) | standard error (exactly). No display
    # at all: the rows that would open a window end with status 1, having printed nothing.
    while IFS='|' read -r arguments status out err; do
        env -u DISPLAY "$GAME" $arguments >"$BATS_TEST_TMPDIR/out" 2>"$BATS_TEST_TMPDIR/err" && got=0 || got=$?
        [[ $got == "$status" && $(stdout) =~ $out && $(stderr) == "$err" ]] ||
            { echo "gorvath $arguments: status $got, out [$(stdout)], err [$(stderr)]"; return 1; }
    done <<ROWS
--help|0|^Usage: gorvath \[OPTION\]\.\.\..*--record FILE.*Exit status|
--version|0|^gorvath $version$|
--help --nonsense|0|^Usage|
--nonsense|2|^$|gorvath: unrecognized option '--nonsense'$see
-x|2|^$|gorvath: unrecognized option '-x'$see
--record|2|^$|gorvath: option '--record' needs an argument$see
--mute=yes|2|^$|gorvath: option '--mute' takes no argument$see
--check|2|^$|gorvath: option '--check' needs an argument$see
--mute extra|2|^$|gorvath: unexpected argument 'extra'$see
--record a --replay b|2|^$|gorvath: --record, --replay, --check and --bests go one at a time$see
--check a --record b|2|^$|gorvath: --record, --replay, --check and --bests go one at a time$see
--replay a --check b|2|^$|gorvath: --record, --replay, --check and --bests go one at a time$see
--bests --record a|2|^$|gorvath: --record, --replay, --check and --bests go one at a time$see
--no-bests=yes|2|^$|gorvath: option '--no-bests' takes no argument$see
--fullscreen --mute|1|^$|
--record $BATS_TEST_TMPDIR/game.txt|1|^$|
--record $kept|1|^$|
--record $missing|1|^$|gorvath: cannot write replay file $missing: No such file or directory
--data-dir $missing|1|^$|gorvath: cannot read data from $missing: No such file or directory
ROWS
    # Start-up that fails leaves nothing behind: no recording is written without a window.
    [[ ! -e $BATS_TEST_TMPDIR/game.txt && $(cat "$kept") == kept ]]
}
