// Helpers for the gameplay tests: a clean game with a frozen clock, cell
// access, controls and single play steps.
#pragma once

#include <cstring>

#include <gtest/gtest.h>

#include "test_support.h"
#include "VellHooks.h"

namespace playtest {

// Text glyphs are recorded under this slot, apart from every game image.
const int FontSlot = 99;

inline MyGame& G() { return ThisGame; }

inline float* Cell(int x, int y) { return &ThisGame.TileMap[(y * 60 + x) * 10]; }
inline int Code(int x, int y) { return (int)Cell(x, y)[0]; }

inline void Controls(float flap, float right, float left) {
    ASys.Keyv[10] = flap;
    ASys.Keyv[1] = right;
    ASys.Keyv[3] = left;
}

// A blank game on an 800 x 600 screen, every image present (so draws are
// recorded and nothing is logged as missing), no controls held and the
// clock frozen at 'clock'.
inline void FreshGame(int clock = 100000) {
    MyGame& g = ThisGame;
    MillsFrozen = true;
    MillsOffset = clock;
    g.GameNum = 552;
    g.ScreenW = 800;
    g.ScreenH = 600;
    g.FrameFactor = 1;
    g.ScreenshotMode = 0;
    g.OverlayScreen = bh::kScreenNone;
    g.FlushGame();
    for (int i = 0; i < 100; i++) g.KeyLock[i] = 0;
    for (int i = 0; i < 128; i++) ASys.Keyv[i] = 0;
    for (int i = 0; i < 400; i++) ASys.Joy[i] = 0;
    for (int i = 0; i < 100; i++) ASys.ImageFrames[i] = 144;
    ASys.FontImage = FontSlot;
    ASys.DrawTo = 0;
}

inline void ThawClock() {
    MillsFrozen = false;
    MillsOffset = 0;
}

// One play step, with an empty draw list so every step's scene can be read.
inline void Step() {
    ASys.DrawTo = 0;
    ThisGame.DoGame();
}

// The bird at rest at cell (x, y), in the air.
inline void Bird(float x, float y) {
    PlayRecord& p = ThisGame.Play;
    p.PlayerX = x;
    p.PlayerY = y;
    p.SpeedX = p.SpeedY = 0;
    p.GroundTimer = 0;
}

// An empty 50 x 25 level ready for play: no brambles, no ledges.
inline void EmptyLevel() {
    PlayRecord& p = ThisGame.Play;
    p.MapWidth = 50;
    p.MapHeight = 25;
    p.TileSize = 16;
    p.TileScale = 0.5f;
    p.Lives = 3;
    p.Facing = 1;
    p.TimeLeft = 3629;
    ThisGame.NoTrail();
    for (int k = 0; k < 3; k++) p.ChickX[k] = -256;
}

// A clean game in an empty cave, the bird hovering still at cell (20, 10).
class HoveringBird : public ::testing::Test {
protected:
    void SetUp() override {
        FreshGame();
        EmptyLevel();
        Bird(20, 10);
    }
    void TearDown() override { ThawClock(); }
};

// Image records of one slot (and frame, unless -1) in this step's list.
inline int CountImages(int slot, int frame = -1) {
    int n = 0;
    for (int i = 0; i < ASys.DrawTo; i++) {
        const double* r = &ASys.Draw[30 * i];
        if (r[0] == 11 && r[28] == slot && (frame < 0 || r[29] == frame)) n++;
    }
    return n;
}

}  // namespace playtest
