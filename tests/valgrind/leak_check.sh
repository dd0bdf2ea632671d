#!/usr/bin/env bash
# Plays the real game under Valgrind's memcheck on the current X display:
# the title screen, a game steered by keys (S) played until it is lost, a
# game in which the Trap steers itself (A), then Q. Passes when the game
# exits 0 and Valgrind finds no memory definitely or indirectly lost, beyond
# the system libraries' own leaks listed in the suppression file.
#
#   leak_check.sh GAME DATA_DIR SUPPRESSIONS WINDOW_SHOT
set -euo pipefail
game=$1 data=$2 suppressions=$3 window_shot=$4
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT

cd "$data"
# One rasteriser thread: Valgrind runs threads one at a time anyway.
LP_NUM_THREADS=0 valgrind --leak-check=full --show-leak-kinds=definite,indirect --keep-debuginfo=yes \
    --suppressions="$suppressions" --num-callers=40 --log-file="$work/memcheck.log" "$game" &
pid=$!

window=""
for _ in $(seq 600); do
    window=$(xdotool search --onlyvisible --pid "$pid" --name '^Gorvath$' 2>/dev/null | head -1 || true)
    [[ -n "$window" ]] && break
    kill -0 "$pid" 2>/dev/null || { echo "the game ended before its window appeared"; cat "$work/memcheck.log"; exit 1; }
    sleep 0.2
done
[[ -n "$window" ]] || { echo "no game window"; exit 1; }

# A window just mapped may not take the focus yet: try again shortly.
key() {
    for _ in $(seq 50); do
        timeout 5 xdotool windowfocus --sync "$window" 2>/dev/null && { timeout 5 xdotool key "$1"; return; }
        sleep 0.1
    done
    return 1
}
# The colour at the top centre, where the Trap hangs.
trap_colour() { timeout 10 "$window_shot" "$window" "$work/shot.png" && convert "$work/shot.png" -format '%[pixel:p{315,8}]' info:; }

sleep 2 # a few title-screen frames
key s || { echo "could not type S"; exit 1; }
# A does nothing until the S game is lost; then it starts a game whose Trap is amber.
started=""
for _ in $(seq 120); do
    sleep 2
    key a || true
    sleep 1
    colour=$(trap_colour || true)
    if [[ "$colour" == *"242,140,13"* ]]; then # the self-steering Trap's amber
        started=yes
        break
    fi
done
[[ -n "$started" ]] || { echo "the A game never started (Trap colour $colour)"; exit 1; }
echo "A game started; Trap colour $colour"
sleep 2
key q

# Memcheck runs the game many times slower; still, it must end.
for _ in $(seq 3000); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && { echo "the game did not end after Q"; exit 1; }
status=0
wait "$pid" || status=$?
pid=""
sed -n '/HEAP SUMMARY/,$p' "$work/memcheck.log"
[[ $status -eq 0 ]] || { echo "the game exited with status $status"; exit 1; }
grep -q "definitely lost: 0 bytes in 0 blocks" "$work/memcheck.log" || grep -q "All heap blocks were freed" "$work/memcheck.log" || {
    echo "memory definitely lost:"; cat "$work/memcheck.log"; exit 1; }
grep -q "indirectly lost: 0 bytes in 0 blocks" "$work/memcheck.log" || grep -q "All heap blocks were freed" "$work/memcheck.log" || {
    echo "memory indirectly lost:"; cat "$work/memcheck.log"; exit 1; }
echo "no leaks from the game"
