#!/usr/bin/env bash
# Installs what is missing, builds Gorvath and starts it. Runs from anywhere:
# the game reads ./shaders, ./textures and ./sounds, so it starts in the repository root.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" --target gorvath -j"$(nproc)"
cd "$root"
exec "$root/build/gorvath"
