// Scenes shared by the benchmarks: the same busy play state and the options
// screen, built without input so every run measures the same work.
#pragma once

#include "MyGame.h"

// A Hard cave at level 10 with three spinners, three followers and a full
// particle pool, live and ready to play (no scroll-in pending).
void BuildBusyLevel();

// Puts the state built above back, so a benchmark can repeat one step.
void RestoreBusyLevel();

// Fills every particle slot with a long-lived spark.
void FillParticles();
