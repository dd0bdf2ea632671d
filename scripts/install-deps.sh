#!/usr/bin/env bash
# Installs the Debian packages Gorvath needs, and only those that are missing.
#   scripts/install-deps.sh          what building and playing needs
#   scripts/install-deps.sh --package   also what building the Debian package needs
#   scripts/install-deps.sh --web       what building the game for web browsers needs
#   scripts/install-deps.sh --test      also what the test suite needs (all of the above)
#   scripts/install-deps.sh --bench     also the load tool of the benchmarks (all of the above)
set -euo pipefail
option=${1:-}
[[ $option == --bench ]] && set -- --test

packages=(cmake g++ make pkg-config libglfw3-dev libglew-dev libgl-dev libstb-dev libgl1-mesa-dri libopenal-dev
          libvorbis-dev libcpp-httplib-dev libsqlite3-dev libpq-dev)
if [[ "${1:-}" == "--test" || "${1:-}" == "--package" ]]; then
    packages+=(dpkg-dev lintian desktop-file-utils appstream groff-base groff man-db)
fi
if [[ "${1:-}" == "--test" || "${1:-}" == "--web" ]]; then
    packages+=(emscripten python3)
fi
if [[ "${1:-}" == "--test" ]]; then
    packages+=(googletest libgtest-dev libgmock-dev libbenchmark-dev libx11-dev xvfb xauth x11-xserver-utils xdotool
              x11-xkb-utils x11-utils imagemagick sox bats cloc clang libclang-rt-14-dev valgrind libsdl2-dev
              libsdl2-image-dev chromium chromium-driver python3-selenium python3-pil postgresql postgresql-common
              util-linux curl)
fi
[[ $option == --bench ]] && packages+=(wrk)

missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "installing: ${missing[*]}"
sudo_cmd=()
[[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
