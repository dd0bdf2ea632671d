// What a frame costs: a full game frame against an empty one on the same
// window, what drawing the field between two steps adds to it, and the heap
// allocations a steady frame makes.
#include "app/frame.h"
#include "bench/busy_field.h"
#include "game/game_state.h"
#include "game/motion.h"
#include "game/step.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <new>

namespace {

// Every operator new in this program passes here.
long allocations = 0;

} // namespace

// GCC cannot see that this new and delete are a pair and warns on inlining.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size ? size : 1)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

GLFWwindow* window() {
    static GLFWwindow* w = openGameWindow();
    return w;
}

// Each frame is given the same time: no Explosion steps, nothing finishes.
constexpr double frameTime = 0.05;

void BM_EmptyFrame(benchmark::State& state) {
    if (!window()) {
        state.SkipWithError("no display");
        return;
    }
    for (auto _ : state) {
        glClearColor(1, 1, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glfwSwapBuffers(window());
    }
    glFinish();
}

void BM_GameFrame(benchmark::State& state) {
    if (!window()) {
        state.SkipWithError("no display");
        return;
    }
    int sinceReset = busyUpdates;
    for (auto _ : state) {
        if (sinceReset == busyUpdates) {
            state.PauseTiming();
            makeBusyField();
            sinceReset = 0;
            state.ResumeTiming();
        }
        drawFrame(frameTime);
        glfwSwapBuffers(window());
        ++sinceReset;
    }
    glFinish();
}

// What a frame drawn between two steps does beyond one drawn as the step left
// things: a step's noting of where each mover stood and stands, and each
// sprite's model placed along its move. (The drawing is the same.)
void BM_DrawingBetweenSteps(benchmark::State& state) {
    makeBusyField();
    stepGame(frameTime);
    for (auto _ : state) {
        noteBeforeStep();
        noteAfterStep();
        benchmark::DoNotOptimize(modelAlong(*thePlayer, 0.5f));
        benchmark::DoNotOptimize(modelAlong(*thePlayer->projectile, 0.5f));
        benchmark::DoNotOptimize(modelAlong(*theTrap, 0.5f));
        benchmark::DoNotOptimize(modelAlong(*theTrap->projectile, 0.5f));
        for (const auto& undead : undeadList) {
            benchmark::DoNotOptimize(modelAlong(*undead, 0.5f));
        }
    }
}

// Steady frames: the first frames on a fresh field warm the driver up, then
// the count covers frames in which nothing is created or destroyed.
void BM_SteadyFrameAllocations(benchmark::State& state) {
    if (!window()) {
        state.SkipWithError("no display");
        return;
    }
    long counted = 0, frames = 0;
    for (auto _ : state) {
        makeBusyField();
        for (int i = 0; i < 4; ++i) {
            drawFrame(frameTime);
            glfwSwapBuffers(window());
        }
        const long before = allocations;
        for (int i = 4; i < busyUpdates; ++i) {
            drawFrame(frameTime);
            glfwSwapBuffers(window());
            ++frames;
        }
        counted += allocations - before;
    }
    state.counters["allocations_per_frame"] = static_cast<double>(counted) / static_cast<double>(frames);
}

// Notes the CPU time of the two frame benchmarks and prints their ratio.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred) {
                continue;
            }
            const std::string name = run.benchmark_name();
            if (name.rfind("BM_EmptyFrame", 0) == 0) {
                empty_ = run.GetAdjustedCPUTime();
            } else if (name.rfind("BM_GameFrame", 0) == 0) {
                game_ = run.GetAdjustedCPUTime();
            } else if (name.rfind("BM_DrawingBetweenSteps", 0) == 0) {
                between_ = run.GetAdjustedCPUTime();
            }
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        if (empty_ > 0 && game_ > 0) {
            GetOutputStream() << "frame cost: a game frame takes " << game_ / empty_
                              << " x the CPU time of an empty frame (target: at most 1.15)\n";
        }
        if (game_ > 0 && between_ > 0) {
            GetOutputStream() << "drawing between steps adds " << between_ << " ns to a game frame's "
                              << game_ << " ns: " << 100 * between_ / game_ << " % (target: at most 5 %)\n";
        }
    }

  private:
    double empty_ = 0, game_ = 0, between_ = 0;
};

} // namespace

// Process CPU time: llvmpipe draws on threads of its own.
BENCHMARK(BM_EmptyFrame)->MeasureProcessCPUTime()->MinTime(2.0);
BENCHMARK(BM_GameFrame)->MeasureProcessCPUTime()->MinTime(2.0);
BENCHMARK(BM_DrawingBetweenSteps);
BENCHMARK(BM_SteadyFrameAllocations)->Iterations(50);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
