// Level generation on demand: a blank game, the clock pinned to a chosen
// reading (the generator's draws come from it) and the new level read back.
#pragma once

#include <gtest/gtest.h>

#include "test_play_support.h"
#include "VellHooks.h"

namespace playtest {

class LevelTest : public ::testing::Test {
protected:
    void SetUp() override {
        FreshGame();
        EmptyLevel();
    }
    void TearDown() override { ThawClock(); }

    // Generates level 'level' on 'difficulty' with the clock at 'clock'.
    static void Make(int difficulty, int level, int clock) {
        MyGame& g = G();
        g.Difficulty = difficulty;
        g.Play.LevelNumber = (float)(level - 1);
        MillsOffset = clock;
        g.GetLev();
    }
};

// The generated level waits 100 rows down.
inline int Next(int x, int y) { return Code(x, y + 100); }

}  // namespace playtest
