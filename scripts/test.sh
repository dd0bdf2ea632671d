#!/usr/bin/env bash
# Installs what is missing (the test tools too), builds everything twice and
# runs every test in both builds:
#   build/           g++, as the game ships; includes the Valgrind leak check
#   build-sanitize/  clang with AddressSanitizer and UndefinedBehaviorSanitizer
#                    (any report fails), plus the libFuzzer targets' short runs
# and once more for web browsers (build-web/, by scripts/web.sh), whose tests
# in headless Chromium run with those of build/.
# The in-process tests get a virtual X display from xvfb-run; the tests of the
# real executable start one of their own for each test file.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

"$root/scripts/install-deps.sh" --test
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGORVATH_BENCHMARKS=OFF >/dev/null
cmake --build "$root/build" -j"$(nproc)"
CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-sanitize" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DGORVATH_SANITIZE=ON >/dev/null
cmake --build "$root/build-sanitize" -j"$(nproc)"
"$root/scripts/web.sh"

run_tests() {
    echo "== tests in $1"
    xvfb-run -a -s "-screen 0 1024x768x24 -noreset" ctest --test-dir "$root/$1" --output-on-failure -j"$(nproc)"
}
run_tests build
run_tests build-sanitize
