# The real game's sounds: mixed to a file by OpenAL Soft's wave writer and
# measured with sox, and the game on machines where sound cannot be had.

load game

# loudest WAV [FROM [TO]]: the peak level of the file (0 to 1), from FROM
# seconds on, up to TO.
loudest() { sox "$1" -n trim "${2:-0}" ${3:+"=$3"} stat 2>&1 | awk '/Maximum amplitude/ { print $3 }'; }

# seconds WAV [BYTES]: how long the finished file is, or how far into it its
# first BYTES reached (the writer fills its header in only at the end).
seconds() {
    local size header
    size=$(stat -c %s "$1")
    header=$((size - $(soxi -s "$1" 2>/dev/null) * $(soxi -c "$1" 2>/dev/null) * $(soxi -b "$1" 2>/dev/null) / 8))
    awk "BEGIN { print (${2:-$size} - $header) / ($size - $header) * $(soxi -D "$1" 2>/dev/null) }"
}

# await_sound WAV SECONDS [FROM]: waits until the writer has mixed that long into the file, from its
# FROM'th byte on (else from its start).
await_sound() {
    for _ in $(seq 600); do
        local rate size # bytes a second, from the header's format; the bytes so far
        rate=$(od -An -tu4 -j28 -N4 "$1" 2>/dev/null || true) size=$(stat -c %s "$1" 2>/dev/null || echo 0)
        ((${rate:-0} > 0 && size >= $(awk "BEGIN { print int(${3:-0} + $2 * ${rate:-0}) }"))) && return
        sleep 0.1
    done
    echo "$1 holds no $2 s of sound" && return 1
}

@test "silent on the untouched title screen; a sound after SPACE" {
    local wav=$BATS_TEST_TMPDIR/title.wav
    with_wave_writer "$wav"
    start_game "$SOURCE_DIR"
    await_sound "$wav" 1.2
    quit
    echo "# title screen: $(seconds "$wav") s, peak $(loudest "$wav")" >&3
    awk "BEGIN { exit !($(seconds "$wav") > 1 && $(loudest "$wav") == 0) }"

    wav=$BATS_TEST_TMPDIR/game.wav
    with_wave_writer "$wav"
    start_game "$SOURCE_DIR"
    press s
    await_pixel 315 8 "$BLUE_TRAP"
    await_sound "$wav" 1 "$(stat -c %s "$wav")" # the start's three notes are over
    local bytes_before_space before_space
    bytes_before_space=$(stat -c %s "$wav")
    press space
    await_sound "$wav" 0.5 "$bytes_before_space"
    quit
    before_space=$(seconds "$wav" "$bytes_before_space")
    echo "# after SPACE at $before_space s: peak $(loudest "$wav" "$before_space")" >&3
    awk "BEGIN { exit !($(loudest "$wav" "$before_space") > 0.05) }"
    [[ -z $(stdout) && -z $(stderr) ]]
}

@test "without a sound device, or with one that fails, the game plays on and prints nothing" {
    for drivers in alsa wave; do
        with_wave_writer /dev/full # every write fails: the device is lost
        export ALSOFT_DRIVERS=$drivers
        with_pretend_glfw
        start_game "$SOURCE_DIR" "${PRETEND_GAME[@]}"
        press s space f Up
        await_swaps 30
        quit
        [[ -z $(stdout) && -z $(stderr) ]] || { echo "$drivers: $(stderr)"; return 1; }
    done
}
