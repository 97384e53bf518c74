// The pause menu: moving with wrap, activation by controls and the mouse,
// the idle sinking, a whole pause-resume-quit round through the loop, and
// pausing in play with keys, a pad and the mouse held as a player holds them.
#include "test_menu_fixture.h"
#include "test_player_support.h"

namespace {

class FrontPause : public FrontScreen {
protected:
    void SetUp() override {
        FrontScreen::SetUp();
        g.GameMode = bh::kModePlaying;
        g.Paused = 1;
        g.PauseCursor = 1;
        g.PauseSlide = 0;
        g.PauseIdle = 0;
        g.GameEnding = 0;
        g.EndTimer = 0;
    }
    void TearDown() override { ASys.ImageFrameSize[50] = 0; }
    void Pause(int updates = 1) {
        Run([&] { g.PauseMenu(); }, updates);
    }
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
        {1, 10, 0, bh::kScreenNone, 0},     // resume
        {1, 8, 0, bh::kScreenNone, 0},      // Escape, bound to "Start", resumes too
        {0, 11, 1, bh::kScreenNone, 0},     // quit only asks
        {2, 10, 1, bh::kScreenOptions, 0},  // options over the paused game
        {2, 9, 0, bh::kScreenNone, 0},      // "Back/Select" resumes from any button
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
        EXPECT_EQ(g.KeyLock[bh::kLockConfirm], 1);
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

TEST_F(FrontPause, HoveringHighlightsAButtonWithoutActing) {
    ASys.ImageFrameSize[50] = 64;
    struct Case {
        float x;
        int cursor;
    } cases[] = {{200, 0}, {600, 2}, {400, 1}, {10, 1}};  // quit, options, resume, beside them
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        Mouse(c.x, 472, false);
        Pause();
        EXPECT_EQ(g.PauseCursor, c.cursor);
        EXPECT_EQ(g.Paused, 1);
        EXPECT_EQ(g.OverlayScreen, bh::kScreenNone);
    }
    // A pointer left still on a button lets the keys move on from it.
    Mouse(200, 472, false);
    Pause();
    Control(1);
    Pause();
    EXPECT_EQ(g.PauseCursor, 1);
}

TEST_F(FrontPause, PauseResumeQuitThroughTheLoop) {
    g.Paused = 0;
    g.MenuPage = 1;
    g.GameMode = bh::kModeNewGame;
    g.Update();  // sets the game up
    ASSERT_EQ(g.GameMode, bh::kModePlaying);

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
    step(10);  // asks
    EXPECT_EQ(g.Paused, 1);
    step(-1);
    step(10);
    EXPECT_EQ(g.Paused, 0);
    EXPECT_EQ(g.GameEnding, -1);
    EXPECT_EQ(g.EndBanner, -1);  // "Quit" "Game"

    ReleaseAll();
    int updates = 0;
    while (g.GameMode != bh::kModeTitle && updates < 200) {
        g.Update();
        updates++;
    }
    EXPECT_EQ(updates, 122);  // 121 banner steps, then the return
    EXPECT_EQ(g.MenuPage, 1);
    EXPECT_EQ(g.GameEnding, 0);
    int score = (int)g.Play.Score;
    ASSERT_GE(bh::BoardBase(g.DifficultyCursor), 0);
    EXPECT_EQ(g.ScoreTable[bh::BoardBase(g.DifficultyCursor) + bh::kBoardNewest], score);
    EXPECT_EQ(SavedInt("Save_552_Bramblehop.sav", 0), g.Settings[bh::kSettingGamesPlayed]);
}

// Escape (the key itself or its "Start" binding), a pad's Start and a pad's
// Back all resume, whichever button is highlighted: the key that paused
// can never end the game or open the options.
TEST_F(FrontPause, EscapeStartAndBackResumeFromEveryButton) {
    struct Input {
        const char* what;
        int playKey, control;
    } inputs[] = {{"Escape", 99, 8}, {"pad Start", 0, 8}, {"pad Back", 99, 9}, {"Backspace", 0, 9}};
    for (const Input& in : inputs)
        for (int cursor = 0; cursor < 3; cursor++) {
            SCOPED_TRACE(testing::Message() << in.what << " on button " << cursor);
            SetUp();
            g.PauseCursor = cursor;
            g.PauseQuitAsk = cursor == 0 ? 2 : 0;  // even with the quit question up
            if (in.playKey) PlayKey(in.playKey);
            Control(in.control);
            Pause();
            EXPECT_EQ(g.Paused, 0);
            EXPECT_EQ(g.GameEnding, 0);
            EXPECT_EQ(g.OverlayScreen, bh::kScreenNone);
            EXPECT_EQ(g.PauseQuitAsk, 0);
            ReleaseAll();
        }
}

// Quit asks first; only a second press after letting go ends the game,
// by control or by the mouse (which otherwise acts while held). Moving
// away or resuming takes the question back.
TEST_F(FrontPause, QuitAsksAndASecondPressQuits) {
    auto asked = [&] { return Drew("Quit this game?") && Drew("Press again to quit"); };
    g.PauseCursor = 0;
    Pause();
    EXPECT_FALSE(asked());
    Control(10);
    Pause(20);  // held
    EXPECT_EQ(g.Paused, 1);
    EXPECT_EQ(g.GameEnding, 0);
    EXPECT_TRUE(asked());
    ReleaseAll();
    Pause();
    Control(10);
    Pause();
    EXPECT_EQ(g.Paused, 0);
    EXPECT_EQ(g.GameEnding, -1);

    // The mouse: quit sits at (W/4, H - 128).
    SetUp();
    ASys.ImageFrameSize[50] = 64;
    g.PauseCursor = 0;
    Mouse(200, 472, true);
    Pause(20);
    EXPECT_EQ(g.GameEnding, 0);
    EXPECT_TRUE(asked());
    Mouse(200, 472, false);
    Pause();
    Mouse(200, 472, true);
    Pause();
    EXPECT_EQ(g.GameEnding, -1);

    // Away and back: asked afresh.
    SetUp();
    g.PauseCursor = 0;
    Control(10);
    Pause();
    ReleaseAll();
    Pause();
    Control(1);
    Pause();
    ReleaseAll();
    Pause();
    Control(3);
    Pause();
    ReleaseAll();
    Pause();
    EXPECT_EQ(g.PauseCursor, 0);
    EXPECT_FALSE(asked());
    Control(10);
    Pause();
    EXPECT_EQ(g.GameEnding, 0);
    EXPECT_TRUE(asked());
}

// Pausing is heard (resuming already was), and the menu opens on resume
// with no question left over from an earlier pause.
TEST_F(FrontPause, PausingPlaysItsSoundAndOpensOnResume) {
    g.Paused = 0;
    g.PauseCursor = 0;
    g.PauseQuitAsk = 2;
    SoundLog heard;
    Control(8);
    g.Ingame();
    EXPECT_EQ(g.Paused, 1);
    EXPECT_EQ(g.PauseCursor, 1);
    EXPECT_EQ(g.PauseQuitAsk, 0);
    ASSERT_EQ(heard.effects.size(), 1u);
    EXPECT_EQ(heard.effects[0].slot, 97);
    // Still held: the menu does not take it as a resume.
    Pause(3);
    EXPECT_EQ(g.Paused, 1);
}

// Pausing during play with keys, a pad and the mouse held as a player holds
// them, through the input poll and the main loop.
using namespace player;

class PauseInPlay : public player::PlayerTest {};

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

TEST_F(PauseInPlay, APauseInputHeldWhileResumingDoesNotPauseAgain) {
    struct Case {
        const char* what;
        Input pause;
        float resumeControl;  // held with the pause input to resume; -1 none
    } cases[] = {
        {"pad Back", kPadBack, -1},  // Back also confirms in the menu
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

TEST_F(PauseInPlay, TheTitleNeverRunsPaused) {
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
    for (int i = 0; i < 200 && g.OverlayScreen != bh::kScreenGameOver; i++) Update();
    ASSERT_EQ(g.OverlayScreen, bh::kScreenGameOver);
    Update();
    Hold(kMouseOnPause);
    Update();
    LetGo();
    for (int i = 0; i < 200 && g.GameMode != bh::kModeTitle; i++) Update();
    ASSERT_EQ(g.GameMode, bh::kModeTitle);
    EXPECT_EQ(g.Paused, 0);
}

TEST_F(PauseInPlay, ScreensOpenedFromThePauseMenuRunAtFullSpeed) {
    // The key test of the redefinition screen, opened from the pause menu,
    // counts one update per 16 ms.
    Playing();
    g.Paused = 1;
    g.OverlayScreen = bh::kScreenRedefine;
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
    g.OverlayScreen = bh::kScreenNone;
    int polls = UpdateFrames;
    start = g.Mills();
    while (g.Mills() < start + 1000) {
        g.KeepAlive();
        MillsOffset += 1;
    }
    EXPECT_NEAR(UpdateFrames - polls, 1000 / 32, 3);
}

}  // namespace
