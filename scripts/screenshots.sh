#!/usr/bin/env bash
# Takes the README's screenshots from the real game on a virtual display.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

"$root/scripts/install-deps.sh" --test
cmake -S "$root" -B "$root/build" >/dev/null
cmake --build "$root/build" --target gorvath -j"$(nproc)"

if [[ -z "${GORVATH_ON_XVFB:-}" ]]; then
    GORVATH_ON_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

cd "$root"
build/gorvath &
game=$!
trap 'kill $game 2>/dev/null || true' EXIT
window=""
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name '^Gorvath$' 2>/dev/null | head -1) && [[ -n "$window" ]] && break
    sleep 0.1
done
[[ -n "$window" ]] || { echo "the game window did not appear" >&2; exit 1; }

shoot() { import -window "$window" "$root/docs/$1"; echo "docs/$1"; }
sleep 0.5
shoot title.png
