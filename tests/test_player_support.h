// A stand-in player for the tests that play as a player plays: whatever it
// holds reaches the game through the input poll (after the windowless
// sample, as the poll hook allows), and each update runs as the main loop
// runs it, 16 ms after the one before.
#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "test_play_support.h"
#include "VellHooks.h"

namespace player {

// What the player holds right now.
struct Held {
    float control[16];  // controls, as bound keys would set them
    int key[128];       // raw keys (98 Return, 99 Escape, 66 F10, 68 F1...)
    int pad[45];        // pad 0's buttons (6 Back, 7 Start)
    bool padPlugged;
    float mouseX, mouseY;
    bool mouseDown;
};

inline Held& Hands() {
    static Held h;
    return h;
}

inline void LetGo() {
    Held& h = Hands();
    bool plugged = h.padPlugged;
    memset(&h, 0, sizeof h);
    h.padPlugged = plugged;
}

// Runs at the end of every poll, so the bindings see the pad as they
// would see a real one, and the window has the focus.
inline void PlayerHook() {
    Held& h = Hands();
    ASys.Button[63] = 1;
    for (int k = 0; k < 128; k++)
        if (h.key[k]) ASys.Button[k] = 1;
    ASys.Joy[98] = ASys.Joy[99] = h.padPlugged ? 1.0f : 0.0f;
    for (int b = 0; b < 45; b++) ASys.Joy[b] = h.pad[b] ? 1.0f : 0.0f;
    ASys.PollRedef();
    for (int k = 0; k < 16; k++)
        if (h.control[k] > ASys.Keyv[k]) ASys.Keyv[k] = h.control[k];
    ASys.Touch[1] = h.mouseX;
    ASys.Touch[2] = h.mouseY;
    ASys.Touch[5] = h.mouseDown ? 1.0f : 0.0f;
}

// Escape as the keyboard gives it: the raw key and "Start", its binding.
inline void HoldEscape() {
    Hands().key[99] = 1;
    Hands().control[8] = 1;
}

class PlayerTest : public ::testing::Test {
protected:
    MyGame& g = ThisGame;
    TempDir dir;
    LogCapture log;

    void SetUp() override {
        playtest::FreshGame(300000);
        memset(ASys.Button, 0, sizeof ASys.Button);
        memset(ASys.Touch, 0, sizeof ASys.Touch);
        memset(g.TouchLock, 0, sizeof g.TouchLock);
        g.SetDefaultSettings();
        memset(ignorePress, 0, sizeof ignorePress);
        g.FlushKeys();
        g.KeyDefaults();
        g.MixJoy = 1;
        g.DebugMode = 0;
        g.LoadTo = 0;
        g.GameMode = bh::kModeTitle;
        g.MenuPage = 0;
        g.Difficulty = g.DifficultyCursor = 1;
        g.PointerPlay = 0;
        g.EndBanner = 0;
        g.Active = 1;
        g.CurMillis = g.Mills();
        snprintf(g.home, sizeof g.home, "%s", dir.Path().c_str());
        ASys.ImageFrameSize[50] = 64;  // the icons, as loaded
        memset(&Hands(), 0, sizeof(Held));
        PollInputHook = PlayerHook;
    }
    void TearDown() override {
        PollInputHook = nullptr;
        memset(&Hands(), 0, sizeof(Held));
        memset(ASys.Joy, 0, sizeof ASys.Joy);
        memset(ASys.Keyv, 0, sizeof ASys.Keyv);
        ASys.ImageFrameSize[50] = 0;
        g.GameMode = bh::kModeTitle;
        g.OverlayScreen = bh::kScreenNone;
        g.Paused = 0;
        g.GameBreak = 0;
        g.FlushKeys();
        playtest::ThawClock();
        snprintf(g.home, sizeof g.home, ".");
    }

    // One update of the main loop, 16 ms after the last.
    void Update(int n = 1) {
        for (int i = 0; i < n; i++) {
            MillsOffset += 16;
            ASys.DrawTo = 0;
            g.Update();
        }
    }

    // A game under way in an empty cave: the bird stands on a ledge
    // (row 20) under the pause button's corner, far from harm.
    void Playing() {
        playtest::EmptyLevel();
        for (int x = 0; x < 50; x++) playtest::Cell(x, 20)[0] = 2;
        g.Play.PlayerX = 10;
        g.Play.PlayerY = 19;
        g.Play.GroundTimer = 2;
        g.GameMode = bh::kModePlaying;
        g.Paused = 0;
        g.OverlayScreen = bh::kScreenNone;
    }
};

}  // namespace player
