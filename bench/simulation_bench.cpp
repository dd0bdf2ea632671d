// The play-field update on a busy field.
#include "bench/busy_field.h"
#include "game/play_field.h"

#include <benchmark/benchmark.h>

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
