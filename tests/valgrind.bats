# The real game under Valgrind's memcheck, its sounds played into OpenAL
# Soft's wave writer, and recorded: the title screen, an S game played until
# it is lost, an A game, then Q. It must exit with 0 having lost no
# memory, definitely or indirectly, beyond the system libraries' own leaks
# that tests/valgrind/system-libraries.supp lists with its reasons.

load game

@test "a whole session under memcheck loses no memory" {
    local log=$BATS_TEST_TMPDIR/memcheck.log
    with_wave_writer /dev/null
    # One rasteriser thread: Valgrind runs threads one at a time anyway.
    WINDOW_WAIT=120 start_game "$SOURCE_DIR" env LP_NUM_THREADS=0 valgrind --leak-check=full --keep-debuginfo=yes \
        --show-leak-kinds=definite,indirect \
        --suppressions="$BATS_TEST_DIRNAME/valgrind/system-libraries.supp" --log-file="$log" "$GAME" \
        --record "$BATS_TEST_TMPDIR/game.txt"
    press s
    await_pixel 315 8 "$BLUE_TRAP" 120
    for _ in $(seq 120); do
        press a
        [[ $(pixel 315 8) =~ $AMBER_TRAP ]] && break
        sleep 1
    done
    await_pixel 315 8 "$AMBER_TRAP" 1
    # The lost game's Explosion plays out and is removed: three more seconds of play recorded.
    await_line "$BATS_TEST_TMPDIR/game.txt" " check " $(($(grep -c " check " "$BATS_TEST_TMPDIR/game.txt") + 3))
    press q
    finish 300
    for kind in definitely indirectly; do
        grep -Eq "$kind lost: 0 bytes|All heap blocks were freed" "$log" || { cat "$log"; return 1; }
    done
}
