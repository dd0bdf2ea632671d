#!/usr/bin/env bash
# Installs what is missing, builds Gorvath and starts it with the repository's
# shaders, textures and sounds, passing on any options (gorvath --help):
#   scripts/play.sh --record game.txt
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" --target gorvath -j"$(nproc)"
exec "$root/build/gorvath" --data-dir "$root" "$@"
