// CPU-side figures: one update step of busy play, one cave generation.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>

#include "bench_scenes.h"

namespace {

void QuietLog() {
    static FILE* sink = fopen("/dev/null", "w");
    DebuglogOut = sink;
}

// A whole logic step as the main loop runs it: poll, play, pause check,
// particles and the hand-over of the draw list.
void BM_UpdateStep(benchmark::State& state) {
    QuietLog();
    BuildBusyLevel();
    for (auto _ : state) {
        RestoreBusyLevel();
        MillsOffset += 16;
        auto start = std::chrono::steady_clock::now();
        ThisGame.Update();
        auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
}
BENCHMARK(BM_UpdateStep)->UseManualTime()->Unit(benchmark::kMicrosecond)->Repetitions(7);

void BM_LevelGen(benchmark::State& state) {
    QuietLog();
    BuildBusyLevel();
    int seed = 0;
    for (auto _ : state) {
        ThisGame.Play.LevelNumber = 19;
        MillsOffset = 1000 + 7 * seed++;  // a different cave each time
        auto start = std::chrono::steady_clock::now();
        ThisGame.GetLev();
        auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
}
BENCHMARK(BM_LevelGen)->UseManualTime()->Unit(benchmark::kMicrosecond)->Repetitions(7);

}  // namespace

BENCHMARK_MAIN();
