#!/usr/bin/env bash
# The CPU a second of each state costs the real game (all its threads, the
# software renderer's included), on a virtual display: the title screen, a game
# being played, and the same game paused, which waits for events and draws
# nothing. Prints a line a state, in hundredths of a core.
#
#   bench/idle_cpu.sh GAME SOURCE_DIR
set -euo pipefail
game=$1 source=$2
seconds=3 # measured in each state, after a second to settle

tmp=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$tmp" >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb"; rm -f "$tmp"' EXIT
until [[ -s $tmp ]]; do sleep 0.05; done
export DISPLAY=:$(cat "$tmp")

(cd "$source" && exec "$game") &
pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$pid" --name '^Gorvath$' | head -1)
xdotool windowfocus --sync "$window"
ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; } # user and system time, all threads
measure() {
    sleep 1
    local before after
    before=$(ticks) && sleep "$seconds" && after=$(ticks)
    awk -v state="$1" -v t="$((after - before))" -v hz="$(getconf CLK_TCK)" -v s="$seconds" \
        'BEGIN { printf "%-8s %5.1f %% of a core\n", state, 100 * t / hz / s }'
}
measure title
xdotool key s
measure playing
xdotool key p
measure paused
xdotool key q
wait "$pid"
