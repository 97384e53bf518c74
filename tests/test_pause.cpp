// The pause menu: moving with wrap, activation by controls and the mouse,
// the idle sinking, and a whole pause-resume-quit round through the loop.
#include "test_menu_fixture.h"

namespace {

class FrontPause : public FrontScreen {
protected:
    void SetUp() override {
        FrontScreen::SetUp();
        g.GameMode = 10;
        g.Paused = 1;
        g.PauseCursor = 1;
        g.PauseSlide = 0;
        g.PauseIdle = 0;
        g.GameEnding = 0;
        g.EndTimer = 0;
    }
    void TearDown() override { ASys.ImageFrameSize[50] = 0; }
    void Pause(int updates = 1) { Run([&] { g.PauseMenu(); }, updates); }
};

TEST_F(FrontPause, MovesWrapAtBothEnds) {
    struct Case {
        int from, control, to;
    } cases[] = {{0, 3, 2}, {2, 1, 0}, {1, 1, 2}, {1, 3, 0}};
    for (const Case& c : cases) {
        g.PauseCursor = c.from;
        Control(c.control);
        Pause(5);  // held: one move
        EXPECT_EQ(g.PauseCursor, c.to) << c.from << " " << c.control;
        ReleaseAll();
        Pause();
    }
}

TEST_F(FrontPause, ConfirmActsOnTheHighlightedButtonAfterRelease) {
    // The key that paused is still locked.
    g.LockKeys();
    Control(8);
    Pause(3);
    EXPECT_EQ(g.Paused, 1);
    ReleaseAll();
    Pause();

    struct Case {
        int cursor, control;
        int paused, overlay, ending;
    } cases[] = {
        {1, 10, 0, 0, 0},   // resume
        {1, 8, 0, 0, 0},    // Escape, bound to "Start", resumes too
        {0, 11, 0, 0, -1},  // quit ends the game
        {2, 9, 1, 1, 0},    // options over the paused game
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cursor);
        SetUp();
        g.PauseCursor = c.cursor;
        Control(c.control);
        Pause();
        EXPECT_EQ(g.Paused, c.paused);
        EXPECT_EQ(g.OverlayScreen, c.overlay);
        EXPECT_EQ(g.GameEnding, c.ending);
        EXPECT_EQ(g.PauseCursor, c.cursor);
        EXPECT_EQ(g.KeyLock[10], 1);
    }
}

TEST_F(FrontPause, IdleRowSinksAndComesBackOnAPress) {
    Pause(359);
    EXPECT_EQ(g.PauseSlide, 0);
    Pause();
    EXPECT_EQ(g.PauseSlide, 4);
    Pause(40);
    EXPECT_EQ(g.PauseSlide, 164);
    Mouse(10, 10, true);  // away from the buttons
    Pause();
    EXPECT_EQ(g.PauseSlide, 168);  // this update still sank
    EXPECT_EQ(g.PauseIdle, 0);
    Pause();
    EXPECT_EQ(g.PauseSlide, 104);
    Mouse(10, 10, false);
    Pause(2);
    EXPECT_EQ(g.PauseSlide, 0);
    EXPECT_EQ(g.Paused, 1);
}

TEST_F(FrontPause, MousePressOnAButtonActsAtOnce) {
    ASys.ImageFrameSize[50] = 64;  // as loaded: 64-pixel icons
    g.PauseCursor = 2;
    Mouse(400, 472, true);  // resume, at (W/2, H - 128)
    Pause();
    EXPECT_EQ(g.Paused, 0);
}

TEST_F(FrontPause, PauseResumeQuitThroughTheLoop) {
    g.Paused = 0;
    g.MenuPage = 1;
    g.GameMode = 11;
    g.Update();  // sets the game up
    ASSERT_EQ(g.GameMode, 10);

    // The update polls input, so controls are set around the dispatch only.
    auto step = [&](int control) {
        ReleaseAll();
        if (control >= 0) Control(control);
        Run([&] { g.LoopTarget(); });
    };
    step(-1);  // nothing held: clears whatever the set-up locked
    step(8);   // Start pauses
    EXPECT_EQ(g.Paused, 1);
    EXPECT_EQ(g.PauseCursor, 1);
    step(-1);
    step(10);  // resume
    EXPECT_EQ(g.Paused, 0);
    step(-1);
    step(8);
    step(-1);
    step(3);  // to "quit"
    step(-1);
    g.Play.Score = 321;
    step(10);
    EXPECT_EQ(g.Paused, 0);
    EXPECT_EQ(g.GameEnding, -1);
    EXPECT_EQ(g.EndBanner, -1);  // "Quit" "Game"

    ReleaseAll();
    int updates = 0;
    while (g.GameMode != 0 && updates < 200) {
        g.Update();
        updates++;
    }
    EXPECT_EQ(updates, 122);  // 121 banner steps, then the return
    EXPECT_EQ(g.MenuPage, 1);
    EXPECT_EQ(g.GameEnding, 0);
    int score = (int)g.Play.Score;
    EXPECT_EQ(g.ScoreTable[20 * g.DifficultyCursor + 5], score);
    EXPECT_EQ(SavedInt("Save_552_Bramblehop.sav", 0), g.Settings[100]);
}

}  // namespace
