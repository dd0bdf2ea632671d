// The play-field update on a busy field, and whole steps with and without
// the game being recorded.
#include "bench/busy_field.h"
#include "game/game_state.h"
#include "game/play_field.h"
#include "game/sources.h"
#include "session/session.h"

#include <GLFW/glfw3.h>
#include <benchmark/benchmark.h>

#include <filesystem>

static void BM_UpdatePlayField(benchmark::State& state) {
    if (!openGameWindow()) {
        state.SkipWithError("no display");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        makeBusyField();
        state.ResumeTiming();
        for (int i = 0; i < busyUpdates; ++i) {
            updatePlayField();
        }
    }
    state.SetItemsProcessed(state.iterations() * busyUpdates);
    state.counters["seconds_per_update"] = benchmark::Counter(
        static_cast<double>(state.iterations() * busyUpdates),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::OneK::kIs1000);
}
BENCHMARK(BM_UpdatePlayField);

// A second of play, sixty whole steps as the session runs them, on a busy
// field; and the same while the game is recorded, with five keys a second (a
// busy player) and the file written again once a second, as it is in play.
// Ten minutes of play, so the file grows to a long game's.
static void secondsOfPlay(benchmark::State& state, bool recorded) {
    if (!openGameWindow()) {
        state.SkipWithError("no display");
        return;
    }
    clearGame();
    readClock = gameClock;
    const std::string file = (std::filesystem::temp_directory_path() / "gorvath-bench-replay.txt").string();
    recorder.reset();
    if (recorded) {
        recorder = std::make_unique<Recorder>();
        recorder->open(file, stepsRun);
        recorder->key(stepsRun, GLFW_KEY_S, GLFW_PRESS);
    }
    for (auto _ : state) {
        state.PauseTiming();
        makeBusyField();
        state.ResumeTiming();
        for (int step = 0; step < 60; ++step) {
            if (recorder && step % 12 == 0) {
                recorder->key(stepsRun, GLFW_KEY_UP, GLFW_PRESS);
            }
            runOneStep();
        }
    }
    recorder.reset();
    std::filesystem::remove(file);
}
BENCHMARK_CAPTURE(secondsOfPlay, unrecorded, false)->Iterations(600)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(secondsOfPlay, recorded, true)->Iterations(600)->Unit(benchmark::kMicrosecond);
