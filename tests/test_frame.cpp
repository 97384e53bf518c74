// Start-up rules, frame pacing and the end banner.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "test_support.h"
#include "VellHooks.h"

namespace {

struct HomeCase {
    const char* path;
    const char* home;
};

TEST(FrameLaunch, BaseDirectoryFromProgramPath) {
    const HomeCase cases[] = {
        {"/usr/games/bramblehop/Bramblehop", "/usr/games/bramblehop"},
        {"build/game/Bramblehop", "build/game"},
        {"Bramblehop", "."},
        {"/Bramblehop", ""},
        {"C:\\Games\\Bramble\\Bramblehop.exe", "C:\\Games\\Bramble"},
        {"mixed/dir\\Bramblehop", "mixed/dir"},
        {"mixed\\dir/Bramblehop", "mixed\\dir"},
        {".", "."},
    };
    for (const auto& c : cases) {
        SetBaseDirectory(ThisGame, c.path);
        EXPECT_STREQ(ThisGame.home, c.home) << c.path;
    }
}

TEST(FrameLaunch, OverlongDirectoryIsRefusedNotOverflowed) {
    LogCapture log;
    std::string path(5000, 'd');
    path += "/Bramblehop";
    SetBaseDirectory(ThisGame, path.c_str());
    EXPECT_STREQ(ThisGame.home, ".");
    EXPECT_EQ(log.Lines().size(), 1u);

    // The longest directory that fits is kept whole.
    std::string fits(4099, 'e');
    SetBaseDirectory(ThisGame, (fits + "/x").c_str());
    EXPECT_EQ(strlen(ThisGame.home), 4099u);
}

// A mode that no screen answers to, so an update runs only the loop itself.
constexpr int kModeWithoutScreen = 99;
// A lock slot no input uses: the end banner locks it with all the others.
constexpr int kUnusedLock = 3;

// Puts the game in a mode whose screen does nothing, with a frozen clock.
class FrameLoop : public ::testing::Test {
protected:
    void SetUp() override {
        MillsFrozen = true;
        MillsOffset = 100000;
        ThisGame.GameMode = kModeWithoutScreen;
        ThisGame.OverlayScreen = bh::kScreenNone;
        ThisGame.LoadTo = 0;
        ThisGame.Paused = 0;
        ThisGame.GameEnding = 0;
        ThisGame.EndTimer = 0;
        ThisGame.Active = 1;
        ThisGame.NextUpdate = 0;
        ThisGame.NextRender = 0;
        for (int i = 0; i < bh::kSettingSlots; i++) ThisGame.Settings[i] = 0;
    }
    void TearDown() override {
        MillsFrozen = false;
        MillsOffset = 0;
    }
    // The loader counts one step per update while it sits past its last
    // asset, which makes it a handy update counter.
    void CountUpdates() { ThisGame.LoadTo = 50; }
    int Updates() const { return ThisGame.LoadTo - 50; }
};

// The loop against clocks the test steps by hand: 4 ms pass after pass,
// as a real loop dozing between due times would see them.
class FramePacing : public FrameLoop {
protected:
    void SetUp() override {
        FrameLoop::SetUp();
        MillsFrozen = false;
        MillsOffset = 0;
        FakeClocks = true;
        FakeSteadyMs = 86400000;       // a day after the machine booted
        FakeWallMs = 1796000000000LL;  // an afternoon in 2026
        RestartClock();
    }
    void TearDown() override {
        FakeClocks = false;
        ThisGame.LoadTo = 0;
        ResetClock();
        FrameLoop::TearDown();
    }
    void Pass(long long& updates, float& slowest) {
        ThisGame.LoadTo = 50;  // the loader, idle past its last asset, counts updates
        int before = ThisGame.CurMillis;
        ThisGame.KeepAlive();
        ThisGame.Active = 1;
        updates += ThisGame.LoadTo - 50;
        if (ThisGame.CurMillis != before && ThisGame.FrameFactor > slowest) slowest = ThisGame.FrameFactor;
        FakeSteadyMs += 4;
        FakeWallMs += 4;
    }
};

// A time sync, a resume or a hand-set clock steps the wall clock; none of
// that may stall the game or make it race, and neither may the game's own
// millisecond count wrapping after 24.8 days of running (the third case
// crosses the wrap half-way through its measured second).
TEST_F(FramePacing, ClockStepsKeepTheNormalRate) {
    const struct {
        const char* name;
        long long runningMs;  // how long the game has run before
        long long wallStep;   // applied after a second of play
    } cases[] = {
        {"wall clock stepped back 5 s", 0, -5000},
        {"wall clock jumps an hour ahead", 0, 3600000},
        {"count wraps after 24.8 days", 2147483648LL - 900, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RestartClock();
        FakeSteadyMs += c.runningMs;
        FakeWallMs += c.runningMs;
        ThisGame.NextUpdate = ThisGame.NextRender = ThisGame.CurMillis = ThisGame.Mills();
        long long updates = 0;
        float slowest = 0;
        for (int i = 0; i < 100; i++) Pass(updates, slowest);
        int hour = ThisGame.Time_Hour();
        FakeWallMs += c.wallStep;
        if (c.wallStep == 3600000) {
            EXPECT_EQ(ThisGame.Time_Hour(), (hour + 1) % 24) << "dates follow the wall clock";
        }
        updates = 0;
        slowest = 0;
        int frames = Frames;
        for (int i = 0; i < 250; i++) Pass(updates, slowest);  // one second
        EXPECT_GE(updates, 61);
        EXPECT_LE(updates, 63);
        EXPECT_GE(Frames - frames, 61);
        EXPECT_LE(Frames - frames, 63);
        EXPECT_LE(slowest, 1.0f) << "no step longer than the normal 16 ms";
    }
}

TEST_F(FrameLoop, FrameFactorIsTheClampedStepLength) {
    const struct {
        int ms;
        float factor;
    } cases[] = {{0, 0.3f}, {1, 0.3f}, {5, 0.3f}, {16, 0.96f}, {17, 1.02f}, {128, 7.68f}, {129, 7.68f}, {2000, 7.68f}};
    for (const auto& c : cases) {
        ThisGame.CurMillis = MillsOffset;
        MillsOffset += c.ms;
        ThisGame.Update();
        EXPECT_FLOAT_EQ(ThisGame.FrameFactor, c.factor) << c.ms << " ms";
    }
}

TEST_F(FrameLoop, DueUpdateAndRenderRunOnceAndRearm) {
    CountUpdates();
    int frames = Frames;
    ThisGame.KeepAlive();
    EXPECT_EQ(Updates(), 1);
    EXPECT_EQ(Frames - frames, 1);
    EXPECT_EQ(ThisGame.NextUpdate, MillsOffset + 16);
    EXPECT_EQ(ThisGame.NextRender, MillsOffset + 16);

    // Nothing is due 10 ms later; both are due again at 16 ms.
    MillsOffset += 10;
    ThisGame.Active = 1;
    ThisGame.KeepAlive();
    EXPECT_EQ(Updates(), 1);
    MillsOffset += 6;
    ThisGame.Active = 1;
    ThisGame.KeepAlive();
    EXPECT_EQ(Updates(), 2);
    EXPECT_EQ(Frames - frames, 2);
}

TEST_F(FrameLoop, ClockJumpBackRearmsBothDueTimes) {
    CountUpdates();
    ThisGame.NextUpdate = MillsOffset + 10001;
    ThisGame.NextRender = MillsOffset + 10001;
    int frames = Frames;
    ThisGame.KeepAlive();
    EXPECT_EQ(Updates(), 1);
    EXPECT_EQ(Frames - frames, 1);
    EXPECT_EQ(ThisGame.NextUpdate, MillsOffset + 16);
    EXPECT_EQ(ThisGame.NextRender, MillsOffset + 16);

    // A due time just 10 s ahead is still waited for.
    ThisGame.Active = 1;
    ThisGame.NextUpdate = MillsOffset + 10000;
    ThisGame.KeepAlive();
    EXPECT_EQ(Updates(), 1);
}

TEST_F(FrameLoop, PausedStepsAre32msAndMusicIsNotFed) {
    ThisGame.GameMode = kModeWithoutScreen;
    ThisGame.Paused = 1;
    ThisGame.Settings[bh::kSettingMusicVolume] = 4;
    ASys.StreamMasterVolume = 0.25f;
    ThisGame.KeepAlive();
    EXPECT_EQ(ThisGame.NextUpdate, MillsOffset + 32);
    EXPECT_EQ(ThisGame.NextRender, MillsOffset + 32);
    EXPECT_FLOAT_EQ(ASys.StreamMasterVolume, 0.25f);

    ThisGame.Paused = 0;
    ThisGame.Active = 1;
    MillsOffset += 32;
    ThisGame.KeepAlive();
    EXPECT_FLOAT_EQ(ASys.StreamMasterVolume, 0.4f);
}

// The options' "Render scale" reaches the renderer on the next pass.
TEST_F(FrameLoop, RenderScaleSettingTellsTheRendererWhetherToReduce) {
    const struct { int setting, full; } cases[] = {{1, 1}, {0, 0}};
    for (const auto& c : cases) {
        ThisGame.Settings[bh::kSettingRenderScale] = c.setting;
        ThisGame.KeepAlive();
        EXPECT_EQ(ASys.RenderFull, c.full) << "setting " << c.setting;
    }
}

TEST_F(FrameLoop, InactiveWindowPollsAndPresentsEvery150ms) {
    CountUpdates();
    ThisGame.Active = -1;
    ThisGame.NextUpdate = MillsOffset - 1;
    ThisGame.NextRender = MillsOffset - 1;
    int frames = Frames;
    ThisGame.KeepAlive();
    EXPECT_EQ(Updates(), 0) << "no logic step while the window is inactive";
    EXPECT_EQ(Frames - frames, 1);
    // The new due time counts from the old one, not from the clock.
    EXPECT_EQ(ThisGame.NextUpdate, MillsOffset - 1 + 150);
    EXPECT_EQ(ThisGame.NextRender, MillsOffset - 1 + 150);
}

// A game whose window loses the focus (another window takes the keys, or
// it is minimised) stops in the pause menu, with its sound, and is still
// there when the focus comes back. Nothing else is paused by it.
TEST_F(FrameLoop, LosingTheFocusPausesAGameThatStaysPaused) {
    struct Case {
        const char* what;
        int mode, overlay, ending, paused;
    } cases[] = {
        {"playing", bh::kModePlaying, bh::kScreenNone, 0, 1},
        {"the title", bh::kModeTitle, bh::kScreenNone, 0, 0},
        {"the options over the title", bh::kModeTitle, bh::kScreenOptions, 0, 0},
        {"a game that is ending", bh::kModePlaying, bh::kScreenNone, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        ThisGame.GameMode = c.mode;
        ThisGame.OverlayScreen = c.overlay;
        ThisGame.GameEnding = c.ending;
        ThisGame.PauseCursor = 0;
        SoundLog heard;
        ThisGame.Active = -1;
        ThisGame.KeepAlive();
        EXPECT_EQ(ThisGame.Paused, c.paused);
        EXPECT_EQ(heard.effects.size(), (size_t)c.paused);
        if (c.paused) {
            EXPECT_EQ(heard.effects[0].slot, 97);
            EXPECT_EQ(ThisGame.PauseCursor, 1);
        }
        // Back in focus, the game does not resume by itself.
        ThisGame.Active = 1;
        ThisGame.GameMode = kModeWithoutScreen;
        MillsOffset += 200;
        ThisGame.KeepAlive();
        EXPECT_EQ(ThisGame.Paused, c.paused);
        ThisGame.Paused = 0;
        ThisGame.GameEnding = 0;
    }
}

TEST_F(FrameLoop, SettingsReachTheEngineEveryPass) {
    ThisGame.Settings[bh::kSettingSfxVolume] = 3;
    ThisGame.Settings[bh::kSettingMusicVolume] = 10;
    ThisGame.Settings[bh::kSettingOverscan] = 5;
    ThisGame.NextUpdate = ThisGame.NextRender = MillsOffset + 100;
    ThisGame.KeepAlive();
    EXPECT_FLOAT_EQ(ThisGame.SFXVol, 0.3f);
    EXPECT_FLOAT_EQ(ThisGame.MusicVol, 1.0f);
    EXPECT_FLOAT_EQ(ThisGame.Overscan, 0.1f);
}

TEST_F(FrameLoop, EndBannerGrowsThenReturnsToTitle) {
    ThisGame.EndGame(1);
    EXPECT_EQ(ThisGame.GameEnding, 1);
    EXPECT_EQ(ThisGame.EndBanner, 1);
    ThisGame.EndGame(-1);  // the first end wins
    EXPECT_EQ(ThisGame.EndBanner, 1);

    for (int step = 1; step <= 120; step++) {
        ThisGame.KeyLock[kUnusedLock] = 0;
        ThisGame.TouchLock[7] = 0;
        ThisGame.Update();
        ASSERT_EQ(ThisGame.EndTimer, step);
        ASSERT_EQ(ThisGame.GameMode, kModeWithoutScreen);
        ASSERT_EQ(ThisGame.KeyLock[kUnusedLock], 1) << "the banner locks every input";
        ASSERT_EQ(ThisGame.TouchLock[7], 1);
        ASSERT_EQ(ThisGame.KeyLock[bh::kLockRepeatWait], bh::kRepeatWaitAfterGame);
    }
    // A game over gives way to its summary at once; a quit game goes
    // straight back to the title.
    ThisGame.Update();
    EXPECT_EQ(ThisGame.OverlayScreen, bh::kScreenGameOver);
    EXPECT_EQ(ThisGame.EndTimer, 0);
    EXPECT_EQ(ThisGame.GameMode, kModeWithoutScreen);
    ThisGame.OverlayScreen = bh::kScreenNone;
    ThisGame.GameEnding = 0;
    ThisGame.EndGame(-1);
    for (int step = 1; step <= 121; step++) ThisGame.Update();
    EXPECT_EQ(ThisGame.EndTimer, 121);
    EXPECT_EQ(ThisGame.GameMode, bh::kModeBackToTitle);
    EXPECT_EQ(ThisGame.OverlayScreen, bh::kScreenNone);

    // Shrinking: once the end is cleared the timer falls by 3, not below 0.
    ThisGame.GameMode = kModeWithoutScreen;
    ThisGame.GameEnding = 0;
    ThisGame.Update();
    EXPECT_EQ(ThisGame.EndTimer, 118);
    ThisGame.EndTimer = 2;
    ThisGame.Update();
    EXPECT_EQ(ThisGame.EndTimer, 0);
    ThisGame.KeyLock[kUnusedLock] = 0;
    ThisGame.Update();
    EXPECT_EQ(ThisGame.KeyLock[kUnusedLock], 0) << "idle banner locks nothing";
}

TEST_F(FrameLoop, QuitBannerUsesItsOwnWords) {
    ThisGame.EndGame(-1);
    EXPECT_EQ(ThisGame.EndBanner, -1);
    EXPECT_EQ(ThisGame.GameEnding, -1);
}

TEST_F(FrameLoop, PauseKeyMustBeReleasedBeforeItPausesAgain) {
    ThisGame.Paused = 0;
    ThisGame.KeyLock[bh::kLockPauseKey] = 1;
    ASys.Keyv[8] = 1.0f;  // "Start" held since leaving the pause menu
    ThisGame.Ingame();
    EXPECT_EQ(ThisGame.Paused, 0);
    ASys.Keyv[8] = 0.0f;
    ThisGame.Ingame();
    EXPECT_EQ(ThisGame.KeyLock[bh::kLockPauseKey], 0);
    ASys.Keyv[8] = 1.0f;
    ThisGame.Ingame();
    EXPECT_EQ(ThisGame.Paused, 1);
    EXPECT_EQ(ThisGame.PauseCursor, 1);
    EXPECT_EQ(ThisGame.KeyLock[bh::kLockPauseKey], 1);
    ASys.Keyv[8] = 0.0f;
}

TEST_F(FrameLoop, FirstUpdateAfterStartRunsTheLoader) {
    ThisGame.LoadTo = 1;
    ThisGame.GameMode = bh::kModeTitle;
    ThisGame.Update();
    EXPECT_EQ(ThisGame.LoadTo, 2);
    // However fast the assets load, the screens only run again from the
    // 121st update on.
    int steps = 1;
    while (ThisGame.LoadTo > 0 && steps < 500) {
        ThisGame.Update();
        steps++;
    }
    EXPECT_EQ(steps, 120);
}

}  // namespace
