// CPU-side figures: one update step of busy play, one cave generation.
#include <benchmark/benchmark.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include "bench_scenes.h"
#include "VellHooks.h"

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

// The game's assets sit next to this program, in game/Data/552 of the build
// folder; they are loaded once before any benchmark runs.
int main(int argc, char** argv) {
    QuietLog();
    char exe[PATH_MAX] = {0};
    ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    char* slash = n > 0 ? strrchr(exe, '/') : nullptr;
    if (!slash) return 1;
    snprintf(slash, sizeof exe - (size_t)(slash - exe), "/game");
    if (!LoadGameAssets(exe)) {
        fprintf(stderr, "assets not found under %s/Data/552\n", exe);
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
