#!/usr/bin/env bash
# Builds the Debian packages, gorvath_VERSION_ARCH.deb and its board's,
# gorvath-board_VERSION_ARCH.deb, with Debian's own compiler and linker flags
# (hardening included), and checks them with lintian.
#   scripts/package.sh [BUILD_DIR]     (default: build-package)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(realpath -m "${1:-$root/build-package}")"

"$root/scripts/install-deps.sh" --package
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGORVATH_TESTS=OFF -DGORVATH_BENCHMARKS=OFF \
    -DCMAKE_INSTALL_PREFIX=/usr -DGORVATH_SYSTEMD_DIR=/lib/systemd/system \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build" -j"$(nproc)" --target gorvath gorvath-board install_files
(cd "$build" && cpack -G DEB >/dev/null)
debs=("$build"/gorvath_*.deb "$build"/gorvath-board_*.deb)
lintian --fail-on error,warning "${debs[@]}"
printf '%s\n' "${debs[@]}"
