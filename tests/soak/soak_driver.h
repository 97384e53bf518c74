// A seeded monkey: runs the game logic without a window, pressing random
// controls and pointers, and checks the game's invariants after every step.
#pragma once

#include <cstdio>
#include <string>

struct SoakResult {
    bool ok = true;
    long updates = 0;
    int gamesStarted = 0;
    int levelsReached = 0;
    std::string failure;  // what broke, and at which update
};

// dataDir: a folder holding Data/552 (or empty to run without assets).
// trace: when given, one line per update with a digest of what it drew and
// the sounds and music it asked for, then a digest of each save file at
// the end; two builds that behave alike write the same trace.
SoakResult RunSoak(long updates, unsigned seed, const std::string& dataDir, FILE* trace = nullptr);

// The monkey's hand alone, for runs that drive the updates themselves: it
// starts afresh from the seed, and the returned function is the input
// poll's hook that presses for it.
using PollHook = void (*)();
PollHook MonkeyHand(unsigned seed);
