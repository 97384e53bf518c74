// Pausing and moving between screens with keys, a pad and the mouse held
// as a player holds them, through the input poll and the main loop.
#include "test_mends_support.h"
#include "VellHooks.h"

using namespace mends;

namespace {

class MendsScreens : public PlayerTest {};

enum Input { kPadBack, kPadStart, kEscape, kMouseOnPause };

void Hold(Input in) {
    Held& h = Hands();
    switch (in) {
    case kPadBack: h.pad[6] = 1; break;
    case kPadStart: h.pad[7] = 1; break;
    case kEscape: HoldEscape(); break;
    case kMouseOnPause:
        h.mouseX = h.mouseY = 32;  // the pause button's corner
        h.mouseDown = true;
        break;
    }
}

TEST_F(MendsScreens, APauseInputHeldWhileResumingDoesNotPauseAgain) {
    struct Case {
        const char* what;
        Input pause;
        float resumeControl;  // held with the pause input to resume; -1 none
    } cases[] = {
        {"pad Back", kPadBack, -1},        // Back also confirms in the menu
        {"pad Start", kPadStart, -1},
        {"Escape", kEscape, -1},
        {"mouse", kMouseOnPause, 10},  // resumed with "Button 1"
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        Hands().padPlugged = true;
        Playing();
        Update(2);
        Hold(c.pause);
        Update();
        ASSERT_EQ(g.Paused, 1);
        LetGo();
        Update(2);
        Hold(c.pause);
        if (c.resumeControl >= 0) Hands().control[(int)c.resumeControl] = 1;
        Update();
        ASSERT_EQ(g.Paused, 0) << "resumed";
        Update(5);
        EXPECT_EQ(g.Paused, 0) << "still held: no pause";
        LetGo();
        Update(2);
        Hold(c.pause);
        Update();
        EXPECT_EQ(g.Paused, 1) << "pressed again: pauses";
        TearDown();
    }
}

TEST_F(MendsScreens, TheTitleNeverRunsPaused) {
    Playing();
    Update();
    // The last life is gone; the banner runs, and the invisible pause
    // button is clicked under it.
    g.Play.Lives = -1;
    g.EndGame(1);
    Update(10);
    Hold(kMouseOnPause);
    Update(5);
    LetGo();
    // The summary after the banner waits for a press.
    for (int i = 0; i < 200 && g.OverlayScreen != 6; i++) Update();
    ASSERT_EQ(g.OverlayScreen, 6);
    Update();
    Hold(kMouseOnPause);
    Update();
    LetGo();
    for (int i = 0; i < 200 && g.GameMode != 0; i++) Update();
    ASSERT_EQ(g.GameMode, 0);
    EXPECT_EQ(g.Paused, 0);
}

TEST_F(MendsScreens, ScreensOpenedFromThePauseMenuRunAtFullSpeed) {
    // The key test of the redefinition screen, opened from the pause menu,
    // counts one update per 16 ms.
    Playing();
    g.Paused = 1;
    g.OverlayScreen = 3;
    g.TestTimer = 359;
    g.RedefRow = -1;
    g.RedefCol = 0;
    g.NextUpdate = g.NextRender = g.Mills();
    int start = g.Mills();
    while (g.Mills() < start + 1000) {
        g.KeepAlive();
        MillsOffset += 1;
    }
    EXPECT_NEAR(359 - g.TestTimer, 1000 / 16, 3);

    // The pause menu itself still runs on its slow step.
    g.OverlayScreen = 0;
    int polls = UpdateFrames;
    start = g.Mills();
    while (g.Mills() < start + 1000) {
        g.KeepAlive();
        MillsOffset += 1;
    }
    EXPECT_NEAR(UpdateFrames - polls, 1000 / 32, 3);
}

TEST_F(MendsScreens, EscapeThatOpensTheOptionsDoesNotCloseThem) {
    struct Case {
        const char* what;
        int mode, overlay, paused, pauseCursor;
    } cases[] = {
        {"name entry finished with Escape", 0, 4, 0, 1},
        // Escape leaves the pause menu from any button, this one too.
        {"the pause menu's options button", 10, 0, 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        Playing();
        g.GameMode = c.mode;
        g.OverlayScreen = c.overlay;
        g.Paused = c.paused;
        g.PauseCursor = c.pauseCursor;
        g.OptionsCursor = 3;
        HoldEscape();
        Update();
        if (c.paused == 1) {
            EXPECT_EQ(g.OverlayScreen, 0);
            EXPECT_EQ(g.Paused, 0) << "resumed";
            TearDown();
            continue;
        }
        ASSERT_EQ(g.OverlayScreen, 1);
        Update(5);
        EXPECT_EQ(g.OverlayScreen, 1) << "still held";
        if (c.overlay == 4) {
            EXPECT_EQ(g.OptionsCursor, 0) << "on Back";
        }
        LetGo();
        Update();
        HoldEscape();
        Update();
        EXPECT_EQ(g.OverlayScreen, 0) << "pressed again: closes";
        EXPECT_EQ(g.Paused, c.paused);
        TearDown();
    }
}

TEST_F(MendsScreens, StatisticsKeyAndItsOptionsRowAgree) {
    // F1 during play, then the options from the pause menu.
    Playing();
    Update();
    Hands().key[68] = 1;
    Update(3);
    LetGo();
    ASSERT_EQ(g.DebugMode, 1);
    Update();
    EXPECT_EQ(g.Settings[22], 1);
    g.Save();
    std::vector<unsigned char> saved = ReadBytes(dir.File("Settings.sav"));
    ASSERT_GE(saved.size(), 4u * 23);
    EXPECT_EQ(saved[4 * 22], 1) << "what the next start restores";

    // The row, activated, turns both off together.
    g.Paused = 1;
    g.OverlayScreen = 1;
    g.OptionsCursor = 10;  // "Debug Stats [F1]"
    g.LockKeys();
    Update();
    Hands().control[10] = 1;
    Update();
    EXPECT_EQ(g.Settings[22], 0);
    EXPECT_EQ(g.DebugMode, 0);
}

}  // namespace
