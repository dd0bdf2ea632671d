#!/usr/bin/env bash
# Builds the benchmarks in release mode and runs them on a virtual display;
# then the game's web build, measured in headless Chromium, with the desktop's
# scripted frames drawn by it beside their reference pictures; then the
# world's board, under load from wrk, on SQLite and on PostgreSQL.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

"$root/scripts/install-deps.sh" --bench
cmake -S "$root" -B "$root/build-bench" -DCMAKE_BUILD_TYPE=Release -DGORVATH_TESTS=OFF >/dev/null
cmake --build "$root/build-bench" -j"$(nproc)" --target gorvath simulation_bench frame_bench won_frame_bench startup_bench peer_bench \
    gorvath-board won_games
run() { xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$@"; }
run "$root/build-bench/simulation_bench"
run "$root/build-bench/frame_bench"
run "$root/build-bench/won_frame_bench"
run "$root/build-bench/startup_bench"
run "$root/build-bench/peer_bench"
"$root/bench/idle_cpu.sh" "$root/build-bench/gorvath" "$root"
"$root/scripts/web.sh" >/dev/null
NODE_PATH=/usr/share/nodejs cmake --build "$root/build-emscripten" -j"$(nproc)" --target frames_page >/dev/null
"$root/bench/browser_bench.py" "$root/build-web" "$root/build-emscripten/bench/web"
# The world's board under wrk's load, on SQLite and on a PostgreSQL cluster of its own.
"$root/bench/board/board_bench.py" "$root/build-bench" sqlite
pg_virtualenv "$root/bench/board/board_bench.py" "$root/build-bench" postgresql
