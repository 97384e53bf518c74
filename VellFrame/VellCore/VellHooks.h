// The engine's test seams: switches, counters and listeners that let the
// tests, the soak driver, the benchmarks and the fuzzers watch the engine or
// stand in for the clock, the display and the player. The game itself never
// includes this header, so it cannot come to lean on any of them. Declared
// here are the core's own; the platform's come with it.
#pragma once

#include "platform/Vell_glfw3_hooks.h"

// ---- clocks ----
// Added to every Mills() reading. Tests move the clock through it (jumps
// back, stalls) without sleeping; the game never touches it.
extern int MillsOffset;
// While set, the clock stands still at MillsOffset (tests only).
extern bool MillsFrozen;
// Starts Mills() again from 0; Begin does it once.
void RestartClock();
// Tests only: while set, the engine reads these (milliseconds) instead of
// the system's clocks: the steady clock that paces the game and the wall
// clock that dates and file names come from. Either can then be stepped.
extern bool FakeClocks;
extern long long FakeSteadyMs;
extern long long FakeWallMs;

// ---- drawing and the renderer ----
// Lets every missing image be reported afresh, as at start-up (tests only).
void ForgetMissingImages();

// ---- sound ----
// Told of every sound effect and song the game asks for, before the platform
// plays it (or finds nothing to play); null normally. Tests listen through
// them to hear what an update asked for without a sound device.
extern void (*SoundAsked)(int slot, float pitch);
extern void (*MusicAsked)(const char* name);
