#!/usr/bin/env bash
# Redraws the five sprite sheets in textures/ from their sources in
# tools/sprites/, cuts the game's icon (textures/gorvath.png, and the web
# build's web/gorvath-192.png and web/gorvath-512.png) from the undead sheet,
# and makes the sounds in sounds/ from theirs in tools/sounds/.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" >/dev/null
cmake --build "$root/build" --target sheet_maker sound_maker icon_maker -j"$(nproc)"
make_sheet() { "$root/build/sheet_maker" "$root/tools/sprites/$1" "$root/textures/$2"; }
make_sheet classes.txt tz_classm32.jpg
make_sheet undead.txt tz_undead32.jpg
make_sheet effects.txt tz_effects32.jpg
make_sheet explosion.txt explosion.jpg
make_sheet digits.txt digits.png
# The Mascot's first tile, as the game gives it, at 64 pixels; and at 192 and
# 512 for the web build's home-screen icons.
for size in 64 192 512; do
    icon="$root/web/gorvath-$size.png"
    [[ $size != 64 ]] || icon="$root/textures/gorvath.png"
    "$root/build/icon_maker" "$root/textures/tz_undead32.jpg" 0.0 0.555 0.144 0.11 $size "$icon"
done
echo "sheets written to $root/textures"
for source in "$root"/tools/sounds/*.txt; do
    name=$(basename "$source" .txt)
    "$root/build/sound_maker" "$source" "$root/sounds/$name.ogg"
done
echo "sounds written to $root/sounds"
