// Scenes shared by the benchmarks: the same busy play state and the options
// screen, built without input so every run measures the same work.
#pragma once

#include "MyGame.h"

// Loads every asset the way the loading screen does, from <folder>/Data/552,
// without presenting frames. Without the images every sprite would be
// skipped (and logged as missing), so the step would measure the wrong
// work. Returns false when the font did not load.
bool LoadGameAssets(const char* folder);

// A Hard cave at level 10 with three spinners, three followers and a full
// particle pool, live and ready to play (no scroll-in pending).
void BuildBusyLevel();

// Puts the state built above back, so a benchmark can repeat one step.
void RestoreBusyLevel();

// Fills every particle slot with a long-lived spark.
void FillParticles();

// One line describing the busy play state (level, difficulty, spinners,
// followers, live particles), so a run shows what it really measured.
void DescribeBusyLevel(char* out, int size);

// Records in the list handed to the renderer, and how many times
// consecutive records change the pixels they draw from (each change
// starts a new batch).
void DescribeDrawList(int& records, int& imageChanges);
