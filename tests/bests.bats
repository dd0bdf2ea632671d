# The bests with the real executable: won games played by the pretend player
# of tests/support/pretend_glfw.c (a kept recording's seed and keys, one step
# a frame), the table they leave, --bests and --no-bests, and every way the
# table or the home it lives in can be broken, with the exact lines said.

load game

setup() {
    home=$BATS_TEST_TMPDIR/home
    kept=$home/gorvath
    mkdir -p "$kept"
}

# win GAME [OPTION...]: the kept game (s-won or a-won) played through the real game to its win, and a
# second more; out and err hold what it said. Its status is the game's.
win() {
    local game=$1
    shift
    (cd "$SOURCE_DIR" && exec timeout 300 env XDG_DATA_HOME="$home" LD_PRELOAD="$PRETEND_GLFW" \
        PRETEND_GAME="$SOURCE_DIR/tests/replays/$game.txt" ${BEFORE:-} "$GAME" "$@") \
        >"$BATS_TEST_TMPDIR/out" 2>"$BATS_TEST_TMPDIR/err"
}

# table LINE...: the bests file, a version line, these lines and its end.
table() { printf '%s\n' "gorvath bests 1" "$@" end >"$kept/bests.txt"; }

# Each game's best, as the pretend player's clock dates it (time() is its seed).
S_BEST="S 424 $(date -d @1796650002 +%FT%T)"
A_BEST="A 587 $(date -d @1796650002 +%FT%T)"

@test "a won game of each mode takes its place in the table, its recording beside it; a sixth, slower, none" {
    mkdir "$kept/games"
    for best in s-0100 s-0150 s-0424 s-0500 s-0600 a-0500 a-0600; do
        cp "$SOURCE_DIR/tests/replays/s-won.txt" "$kept/games/$best.txt"
    done
    local day=2026-01-01T00:00:00
    table "S 100 $day s-0100.txt" "S 150 $day s-0150.txt" "S 424 $day s-0424.txt" "S 500 $day s-0500.txt" \
        "S 600 $day s-0600.txt" "A 500 $day a-0500.txt" "A 600 $day a-0600.txt"
    win s-won && win a-won
    [[ -z $(stderr) ]]
    local won=($(cd "$kept/games" && ls s-2* a-2*)) # the two new ones: a-..., s-...
    diff "$kept/bests.txt" <(printf '%s\n' "gorvath bests 1" "S 100 $day s-0100.txt" "S 150 $day s-0150.txt" \
        "S 424 $day s-0424.txt" "$S_BEST ${won[1]}" "S 500 $day s-0500.txt" "A 500 $day a-0500.txt" \
        "$A_BEST ${won[0]}" "A 600 $day a-0600.txt" end)
    [[ ! -e $kept/games/s-0600.txt ]] # pushed out, and its recording with it
    run "$GAME" --check "$kept/games/${won[0]}"
    [[ $output == "replay matches: 587 steps" ]]
    # A sixth, slower than the five: nothing changes, and nothing is left behind.
    table "S 50 $day s-0100.txt" "S 60 $day s-0150.txt" "S 70 $day s-0424.txt" "S 80 $day s-0500.txt" \
        "S 90 $day ${won[1]}"
    cp "$kept/bests.txt" "$BATS_TEST_TMPDIR/before"
    local files
    files=$(ls -R "$kept")
    win s-won
    diff "$kept/bests.txt" "$BATS_TEST_TMPDIR/before"
    [[ $(ls -R "$kept") == "$files" && -z $(stderr) ]]
}

@test "--bests prints both tables, each best's recording playable, with no display; --no-bests keeps none" {
    mkdir "$kept/games"
    cp "$SOURCE_DIR/tests/replays/s-won.txt" "$kept/games/s-1.txt"
    cp "$SOURCE_DIR/tests/replays/s-then-a.txt" "$kept/games/s-2.txt"
    table "S 424 2026-12-08T18:05:41 s-1.txt" "S 6000 2026-12-09T07:30:00 s-2.txt"
    XDG_DATA_HOME=$home run env -u DISPLAY "$GAME" --bests
    [[ $status == 0 ]]
    diff <(echo "$output") - <<OUT
Best S games, in which you steer the Trap:
  1      7.07 s  2026-12-08 18:05  $kept/games/s-1.txt
  2    100.00 s  2026-12-09 07:30  $kept/games/s-2.txt
Best A games, in which the Trap steers itself:
  none yet
OUT
    run "$GAME" --check "$kept/games/s-1.txt"
    [[ $output == "replay matches: 424 steps" ]]
    # With XDG_DATA_HOME unset, in the home's own .local/share.
    HOME=$BATS_TEST_TMPDIR run env -u XDG_DATA_HOME -u DISPLAY "$GAME" --bests
    [[ $status == 0 && $output == *"none yet"*"none yet" && ! -e $BATS_TEST_TMPDIR/.local ]]
    rm -r "$kept"
    win s-won --no-bests
    [[ ! -e $kept && -z $(stderr) ]]
}

# Each row: how the table is broken, and why it cannot be read, as said.
broken_rows() {
    cat <<'ROWS'
printf '\x89PNG\r\n\x1a\n\0\0' >bests.txt|not a table of bests
head -c 200 "$SOURCE_DIR/tests/replays/a-game.txt" >bests.txt|not a table of bests
printf 'gorvath bests 1\nS 424 2026-12-08T18:05:41 s-1.t' >bests.txt|cut short
printf 'gorvath bests 1\nS quick yesterday me\nend\n' >bests.txt|line 2 is not a best
printf 'gorvath bests 1\nS 90 2026-12-08T18:05:41 x/../../../etc/passwd\nend\n' >bests.txt|line 2 is not a best
printf 'gorvath bests 1\nS 90 2026-12-08T18:05:41 b.txt\nS 80 2026-12-08T18:05:41 a.txt\nend\n' >bests.txt|line 3 is out of place
mkdir bests.txt|a folder
ln -s /dev/zero bests.txt|not a plain file
truncate -s 1M bests.txt|larger than any could be
ROWS
}

@test "a broken table is set aside whole, said in one line, and the game plays on with empty tables" {
    local how why
    while IFS='|' read -r how why; do
        rm -rf "$kept" && mkdir -p "$kept"
        (cd "$kept" && eval "$how")
        local before
        before=$(cd "$kept" && ls -l bests.txt | cut -c1) # its kind: a file, a folder, a link
        win s-won || { echo "$how: status $?"; return 1; }
        local aside=("$kept"/bests.txt.broken-*)
        [[ $(stderr) == "gorvath: the bests in $kept/bests.txt could not be read ($why); set aside as ${aside[0]}" ]] ||
            { echo "$how: $(stderr)"; return 1; }
        [[ $(ls -l "${aside[0]}" | cut -c1) == "$before" ]] || { echo "$how: not set aside as it was"; return 1; }
        [[ $(sed '2s/ [^ ]*$//' "$kept/bests.txt") == "gorvath bests 1"$'\n'"$S_BEST"$'\n'end ]] ||
            { echo "$how: $(cat "$kept/bests.txt")"; return 1; }
    done < <(broken_rows)
}

@test "a home that cannot be written costs one line and the game plays on; a crash leaves the table whole" {
    for row in "ro|Read-only file system" "size=16k|No space left on device"; do
        IFS='|' read -r mount why <<<"$row"
        BEFORE= run unshare -m sh -c "mount -t tmpfs -o $mount tmpfs '$home' &&
            { [ $mount = ro ] || head -c 1M /dev/zero >'$home/filler' 2>/dev/null || true; } &&
            cd '$SOURCE_DIR' && timeout 300 env XDG_DATA_HOME='$home' LD_PRELOAD='$PRETEND_GLFW' \
            PRETEND_GAME='$SOURCE_DIR/tests/replays/s-won.txt' '$GAME'"
        [[ $status == 0 && $output == "gorvath: cannot keep bests in $kept: $why" ]] || { echo "$mount: $output"; return 1; }
    done
    # Killed as the new table is put in place: the old one stays whole.
    table "A 400 2026-01-01T00:00:00 a-1.txt"
    cp "$kept/bests.txt" "$BATS_TEST_TMPDIR/before"
    BEFORE=PRETEND_CRASH=bests.txt run win s-won
    [[ $status == 137 ]]
    diff "$kept/bests.txt" "$BATS_TEST_TMPDIR/before"
}

@test "two games that set a best at once keep both" {
    BEFORE="SWAP_COUNT=$BATS_TEST_TMPDIR/swaps" win s-won &
    local first=$!
    await_swaps 45 # the first game is playing as the second's window opens beside it
    win s-won
    wait $first
    [[ $(grep -c "^$S_BEST " "$kept/bests.txt") == 2 && $(ls "$kept/games" | wc -l) == 2 ]]
}

@test "a game played beside a library that draws from the C library's generator is the game it records" {
    BEFORE="LD_PRELOAD=$PRETEND_GLFW:$OTHER_DRAWS" win s-won --record "$BATS_TEST_TMPDIR/game.txt"
    [[ $(sed -n 2p "$kept/bests.txt") == "$S_BEST "* ]] # the kept game's keys won it, its draws its own
    run "$GAME" --check "$kept/games/$(ls "$kept/games")"
    [[ $output == "replay matches: 424 steps" ]]
    run "$GAME" --check "$BATS_TEST_TMPDIR/game.txt"
    [[ $status == 0 && $output =~ ^replay\ matches:\ [0-9]+\ steps$ ]]
}

@test "kept files go where the player's data lives, never under a relative XDG_DATA_HOME, with the player's umask" {
    local player=$BATS_TEST_TMPDIR/player relative
    relative=$(realpath --relative-to="$SOURCE_DIR" "$BATS_TEST_TMPDIR/relative") # from where the game starts
    (umask 027 && BEFORE="HOME=$player XDG_DATA_HOME=$relative" win s-won --record "$BATS_TEST_TMPDIR/game.txt")
    [[ ! -e $BATS_TEST_TMPDIR/relative ]]
    local kept=$player/.local/share/gorvath
    [[ $(stat -c %a "$kept/bests.txt" "$kept"/games/* "$BATS_TEST_TMPDIR/game.txt" | sort -u) == 640 ]]
}
