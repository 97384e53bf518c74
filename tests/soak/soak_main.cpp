// make soak: a long seeded monkey run.
// Usage: bramblehop_soak [updates] [seed] [trace file]
// With a trace file, every update's drawing, sounds and the final saves are
// written there as digests: a restructuring that changes no behaviour
// leaves the trace of a seed byte for byte the same.
#include <cstdio>
#include <cstdlib>

#include "soak_driver.h"

int main(int argc, char** argv) {
    long updates = argc > 1 ? atol(argv[1]) : 100000;
    unsigned seed = argc > 2 ? (unsigned)strtoul(argv[2], nullptr, 10) : 552;
    FILE* trace = argc > 3 ? fopen(argv[3], "w") : nullptr;
    if (argc > 3 && !trace) {
        perror(argv[3]);
        return 2;
    }
    SoakResult r = RunSoak(updates, seed, BRAMBLEHOP_DATA_DIR, trace);
    if (trace) fclose(trace);
    printf("soak: %ld updates, seed %u, %d games started, deepest level %d: %s\n", r.updates, seed, r.gamesStarted,
           r.levelsReached, r.ok ? "ok" : r.failure.c_str());
    return r.ok ? 0 : 1;
}
