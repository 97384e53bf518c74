// The options screen: value rows, toggles and actions, moving and
// scrolling, the three ways out, the pointer's highlight-then-act, and the
// options opened and left during play with the keys a player holds.
#include "test_menu_fixture.h"
#include "test_player_support.h"

namespace {

// Rows of the list, in order (0 is "Back").
enum Row {
    kBack, kSfx, kMusic, kName, kFullscreen, kMotion, kOverscan, kRenderScale, kController, kInvert, kStats, kHowTo
};

class FrontOptions : public FrontScreen {
protected:
    void SetUp() override {
        FrontScreen::SetUp();
        g.OverlayScreen = bh::kScreenOptions;
        g.OptionsCursor = 0;
        g.OptionsScroll = 0;
    }
    void Options(int updates = 1) { Run([&] { g.Options(); }, updates); }
    // Presses a control for one update, then releases it for one.
    void Tap(int control) {
        Control(control);
        Options();
        ReleaseAll();
        Options();
    }
};

TEST_F(FrontOptions, ConfirmOnAValueRowStepsLikeRightAndWrapsAtTheTop) {
    struct Case {
        int row, slot, from, control, to;
    } cases[] = {
        {kSfx, 0, 0, 10, 1},  {kSfx, 0, 5, 10, 6},   {kMusic, 1, 9, 10, 10},
        {kMusic, 1, 10, 10, 0}, {kSfx, 0, 7, 11, 8},  // "Button 2" confirms here too
        {kOverscan, 20, 10, 10, 0}, {kSfx, 0, -3, 10, 0},  // a wild stored value
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from);
        SetUp();
        g.OptionsCursor = c.row;
        g.Settings[c.slot] = c.from;
        Control(c.control);
        Options(4);  // held: acts once
        EXPECT_EQ(g.Settings[c.slot], c.to);
        ReleaseAll();
        Options();
        EXPECT_EQ(g.OverlayScreen, bh::kScreenOptions);
    }
}

TEST_F(FrontOptions, LeftAndRightStepWithinTheRange) {
    struct Case {
        int row, slot, from, control, to;
    } cases[] = {
        {kSfx, 0, 0, 3, 0},       {kSfx, 0, 10, 1, 10},     {kMusic, 1, 5, 3, 4},
        {kOverscan, 20, 9, 1, 10}, {kOverscan, 20, 1, 3, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        g.OptionsCursor = c.row;
        g.Settings[c.slot] = c.from;
        Control(c.control);
        Options(3);
        EXPECT_EQ(g.Settings[c.slot], c.to);
        ReleaseAll();
        Options();
    }
}

TEST_F(FrontOptions, CursorStopsAtTheEndsAndTheListScrollsIntoView) {
    Tap(0);
    EXPECT_EQ(g.OptionsCursor, 0);
    g.OptionsCursor = kHowTo;
    Tap(2);
    EXPECT_EQ(g.OptionsCursor, kHowTo);
    EXPECT_EQ(g.OptionsCount, 12);

    // The last row is laid out at y = 1346; it scrolls up 16 pixels per
    // update until it lies above H - 80.
    g.OptionsScroll = 0;
    Options();
    EXPECT_EQ(g.OptionsScroll, -16);
    Options(100);
    EXPECT_EQ(g.OptionsScroll, -832);
    g.OptionsCursor = kBack;
    Options(100);
    EXPECT_EQ(g.OptionsScroll, 16);  // "Back" at 64 comes down to 80
}

TEST_F(FrontOptions, TogglesFlipAndActionsOpenTheirScreens) {
    g.OptionsCursor = kMotion;
    Tap(11);
    EXPECT_EQ(g.Settings[bh::kSettingCalmMotion], 1);
    EXPECT_EQ(g.OverlayScreen, bh::kScreenOptions);
    Tap(10);
    EXPECT_EQ(g.Settings[bh::kSettingCalmMotion], 0);

    g.OptionsCursor = kStats;
    Tap(10);
    EXPECT_EQ(g.Settings[bh::kSettingDebugStats], 1);
    EXPECT_EQ(g.DebugMode, 1);

    g.OptionsCursor = kController;
    Control(10);
    Options();
    EXPECT_EQ(g.OverlayScreen, bh::kScreenRedefine);
    EXPECT_EQ(g.RedefRow, -1);
    EXPECT_EQ(g.RedefCol, 0);
    EXPECT_EQ(g.KeyLock[bh::kLockRedefineCapture], bh::kCaptureRelease);  // the capture waits for fire to be released

    SetUp();
    g.OptionsCursor = kName;
    Control(10);
    Options();
    EXPECT_EQ(g.OverlayScreen, bh::kScreenNameEntry);
    EXPECT_EQ(g.OptionsCursor, 0);
    EXPECT_EQ(ReadBytes(dir.File("Settings.sav")).size(), 4496u);
}

// "Render scale" flips between Auto (0, what every older settings file
// holds) and Full (1), and closing the options keeps the choice.
TEST_F(FrontOptions, RenderScaleRowFlipsAutoAndFullAndIsSaved) {
    for (int want : {1, 0}) {
        SetUp();
        g.Settings[bh::kSettingRenderScale] = 1 - want;
        g.OptionsCursor = kRenderScale;
        Tap(10);
        EXPECT_EQ(g.Settings[bh::kSettingRenderScale], want);
        EXPECT_EQ(g.OverlayScreen, bh::kScreenOptions);
        g.OptionsCursor = kBack;
        Tap(10);
        EXPECT_EQ(g.OverlayScreen, bh::kScreenNone);
        EXPECT_EQ(SavedInt("Settings.sav", 31), want);
    }
}

TEST_F(FrontOptions, BackRowBackSelectAndEscapeCloseAndSave) {
    struct Case {
        const char* what;
        int row, control, playKey;
    } cases[] = {
        {"Back row", kBack, 10, -1},
        {"Back/Select", kMusic, 9, -1},
        {"Escape", kSfx, -1, 99},
    };
    int volume = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        g.OptionsCursor = c.row;
        g.Settings[bh::kSettingSfxVolume] = ++volume;
        if (c.control >= 0) Control(c.control);
        if (c.playKey >= 0) PlayKey(c.playKey);
        Options();
        EXPECT_EQ(g.OverlayScreen, bh::kScreenNone);
        EXPECT_EQ(g.KeyLock[bh::kLockEscape], 1);  // Escape must be released before it quits
        EXPECT_EQ(SavedInt("Settings.sav", 0), volume);
    }
}

TEST_F(FrontOptions, PointerHoverHighlightsOneClickActsAndDragsAlongTheDots) {
    // "Online Name" is laid out at (400, 434); highlighted it lifts by 8.
    Mouse(400, 434, false);
    Options();
    EXPECT_EQ(g.OptionsCursor, kName);
    EXPECT_EQ(g.OverlayScreen, bh::kScreenOptions);
    // One click on a row that is not highlighted acts on it.
    SetUp();
    Mouse(400, 434, true);
    Options();
    EXPECT_EQ(g.OptionsCursor, 0);  // name entry leaves "Back" highlighted
    EXPECT_EQ(g.OverlayScreen, bh::kScreenNameEntry);

    // "SFX Volume" at (392, 198) when highlighted; its 11 dots lie
    // 320 / 11 apart from x = 392 - 160.
    SetUp();
    g.OptionsCursor = kSfx;
    float step = 320.0f / 11;
    Mouse(392 - 160 + step * 4, 198, true);
    Options();
    EXPECT_EQ(g.Settings[bh::kSettingSfxVolume], 3);
    Mouse(392 - 160 + step * 9, 198, true);
    Options();
    EXPECT_EQ(g.Settings[bh::kSettingSfxVolume], 8);
}

// The options opened and left during play with keys held as a player holds
// them, through the input poll and the main loop.
using namespace player;

class OptionsInPlay : public player::PlayerTest {};

TEST_F(OptionsInPlay, EscapeThatOpensTheOptionsDoesNotCloseThem) {
    struct Case {
        const char* what;
        int mode, overlay, paused, pauseCursor;
    } cases[] = {
        {"name entry finished with Escape", bh::kModeTitle, bh::kScreenNameEntry, 0, 1},
        // Escape leaves the pause menu from any button, this one too.
        {"the pause menu's options button", bh::kModePlaying, bh::kScreenNone, 1, 2},
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
            EXPECT_EQ(g.OverlayScreen, bh::kScreenNone);
            EXPECT_EQ(g.Paused, 0) << "resumed";
            TearDown();
            continue;
        }
        ASSERT_EQ(g.OverlayScreen, bh::kScreenOptions);
        Update(5);
        EXPECT_EQ(g.OverlayScreen, bh::kScreenOptions) << "still held";
        if (c.overlay == bh::kScreenNameEntry) {
            EXPECT_EQ(g.OptionsCursor, 0) << "on Back";
        }
        LetGo();
        Update();
        HoldEscape();
        Update();
        EXPECT_EQ(g.OverlayScreen, bh::kScreenNone) << "pressed again: closes";
        EXPECT_EQ(g.Paused, c.paused);
        TearDown();
    }
}

TEST_F(OptionsInPlay, StatisticsKeyAndItsOptionsRowAgree) {
    // F1 during play, then the options from the pause menu.
    Playing();
    Update();
    Hands().key[68] = 1;
    Update(3);
    LetGo();
    ASSERT_EQ(g.DebugMode, 1);
    Update();
    EXPECT_EQ(g.Settings[bh::kSettingDebugStats], 1);
    g.Save();
    std::vector<unsigned char> saved = ReadBytes(dir.File("Settings.sav"));
    ASSERT_GE(saved.size(), 4u * (bh::kSettingDebugStats + 1));
    EXPECT_EQ(saved[4 * bh::kSettingDebugStats], 1) << "what the next start restores";

    // The row, activated, turns both off together.
    g.Paused = 1;
    g.OverlayScreen = bh::kScreenOptions;
    g.OptionsCursor = 10;  // "Debug Stats [F1]"
    g.LockKeys();
    Update();
    Hands().control[10] = 1;
    Update();
    EXPECT_EQ(g.Settings[bh::kSettingDebugStats], 0);
    EXPECT_EQ(g.DebugMode, 0);
}

}  // namespace
