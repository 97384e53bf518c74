// make soak: a long seeded monkey run. Usage: bramblehop_soak [updates] [seed]
#include <cstdio>
#include <cstdlib>

#include "soak_driver.h"

int main(int argc, char** argv) {
    long updates = argc > 1 ? atol(argv[1]) : 100000;
    unsigned seed = argc > 2 ? (unsigned)strtoul(argv[2], nullptr, 10) : 552;
    SoakResult r = RunSoak(updates, seed, BRAMBLEHOP_DATA_DIR);
    printf("soak: %ld updates, seed %u, %d games started, deepest level %d: %s\n", r.updates, seed,
           r.gamesStarted, r.levelsReached, r.ok ? "ok" : r.failure.c_str());
    return r.ok ? 0 : 1;
}
