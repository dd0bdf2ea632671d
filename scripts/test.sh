#!/usr/bin/env bash
# Installs what is missing (the test tools too), builds everything and runs
# every test. Tests that open windows get a virtual X display from xvfb-run,
# so this works on a machine without a screen.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

"$root/scripts/install-deps.sh" --test
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" -j"$(nproc)"
xvfb-run -a -s "-screen 0 1024x768x24" ctest --test-dir "$root/build" --output-on-failure -j2
