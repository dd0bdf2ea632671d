#!/usr/bin/env bash
# Builds the game for web browsers into build-web/: our page (index.html),
# gorvath.js, gorvath.wasm and gorvath.data (the shaders and sheets), the
# sounds' own package (gorvath-sounds.js and .data, fetched after the first frame),
# the icons and the manifest that let a phone install it, and the service
# worker that keeps them all for playing offline: a folder any static web host
# can serve as it stands. Debian's emscripten builds it, offline, with its own
# prebuilt libraries.
#   scripts/web.sh           install what is missing, and build
#   scripts/web.sh --serve   and serve it on 127.0.0.1, printing the address
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

"$root/scripts/install-deps.sh" --web
export NODE_PATH=/usr/share/nodejs # Debian's emscripten needs its node modules found
emcmake cmake -S "$root" -B "$root/build-emscripten" -DCMAKE_BUILD_TYPE=MinSizeRel -DGORVATH_TESTS=ON >/dev/null
cmake --build "$root/build-emscripten" -j"$(nproc)" --target gorvath
rm -rf "$root/build-web" && mkdir "$root/build-web"
cp "$root"/web/{index.html,manifest.webmanifest,gorvath-192.png,gorvath-512.png} "$root/textures/gorvath.png" \
    "$root"/build-emscripten/gorvath{.js,.wasm,.data,-sounds.js,-sounds.data} "$root/build-web/"
"$root/scripts/web-offline.sh" "$root/build-web"
echo "built $root/build-web"

if [[ ${1:-} == --serve ]]; then
    port=${PORT:-8000}
    echo "serving at http://127.0.0.1:$port/ (Ctrl+C stops)"
    exec python3 -m http.server --bind 127.0.0.1 --directory "$root/build-web" "$port"
fi
