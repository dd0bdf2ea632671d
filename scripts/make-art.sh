#!/usr/bin/env bash
# Redraws the four sprite sheets in textures/ from their sources in tools/sprites/.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" >/dev/null
cmake --build "$root/build" --target sheet_maker -j"$(nproc)"
make_sheet() { "$root/build/sheet_maker" "$root/tools/sprites/$1" "$root/textures/$2"; }
make_sheet classes.txt tz_classm32.jpg
make_sheet undead.txt tz_undead32.jpg
make_sheet effects.txt tz_effects32.jpg
make_sheet explosion.txt explosion.jpg
echo "sheets written to $root/textures"
