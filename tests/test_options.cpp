// The options screen: value rows, toggles and actions, moving and
// scrolling, the three ways out, the pointer's highlight-then-act, and the
// options opened and left during play with the keys a player holds.
#include "test_menu_fixture.h"
#include "test_player_support.h"

namespace {

class FrontOptions : public FrontScreen {
protected:
    void SetUp() override {
        FrontScreen::SetUp();
        g.OverlayScreen = bh::kScreenOptions;
        g.OptionsCursor = 0;
        g.OptionsScroll = 0;
    }
    void Options(int updates = 1) {
        Run([&] { g.Options(); }, updates);
    }
    // Presses a control for one update, then releases it for one.
    void Tap(int control) {
        Control(control);
        Options();
        ReleaseAll();
        Options();
    }
};

TEST_F(FrontOptions, ConfirmOnAValueRowStepsLikeRightAndWrapsAtTheTop) {
    const int sfx = bh::kSettingSfxVolume, music = bh::kSettingMusicVolume, overscan = bh::kSettingOverscan;
    const int confirm = bh::kJoyButton1;
    struct Case {
        int slot, from, control, to;
    } cases[] = {
        {sfx, 0, confirm, 1},       {sfx, 5, confirm, 6},         {music, 9, confirm, 10},
        {music, 10, confirm, 0},    {sfx, 7, bh::kJoyButton2, 8},  // "Button 2" confirms here too
        {overscan, 10, confirm, 0}, {sfx, -3, confirm, 0},         // a wild stored value
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from);
        SetUp();
        g.OptionsCursor = OptionsRow(c.slot);
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
    const int sfx = bh::kSettingSfxVolume, music = bh::kSettingMusicVolume, overscan = bh::kSettingOverscan;
    const int left = bh::kJoyLeft, right = bh::kJoyRight;
    struct Case {
        int slot, from, control, to;
    } cases[] = {
        {sfx, 0, left, 0}, {sfx, 10, right, 10}, {music, 5, left, 4}, {overscan, 9, right, 10}, {overscan, 1, left, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slot);
        g.OptionsCursor = OptionsRow(c.slot);
        g.Settings[c.slot] = c.from;
        Control(c.control);
        Options(3);
        EXPECT_EQ(g.Settings[c.slot], c.to);
        ReleaseAll();
        Options();
    }
}

TEST_F(FrontOptions, CursorStopsAtTheEndsAndTheListScrollsIntoView) {
    const int rows = (int)OptionsRows().size(), last = rows - 1;
    Tap(0);
    EXPECT_EQ(g.OptionsCursor, 0);
    g.OptionsCursor = last;
    Tap(2);
    EXPECT_EQ(g.OptionsCursor, last);
    EXPECT_EQ(g.OptionsCount, rows);

    // Below six headings of 56 pixels and the rows of 86 above it, the last
    // row is laid out at y = 64 + 6 * 56 + 86 * last (1346 with twelve
    // rows); it scrolls up 16 pixels per update until it lies above H - 80.
    const int y = 64 + 6 * 56 + 86 * last, updates = (y - (600 - 80) + 15) / 16;
    ASSERT_LE(updates, 100);
    g.OptionsScroll = 0;
    Options();
    EXPECT_EQ(g.OptionsScroll, -16);
    Options(100);
    EXPECT_EQ(g.OptionsScroll, -16 * updates);
    g.OptionsCursor = OptionsRow("Back");
    Options(100);
    EXPECT_EQ(g.OptionsScroll, 16);  // "Back" at 64 comes down to 80
}

TEST_F(FrontOptions, TogglesFlipAndActionsOpenTheirScreens) {
    g.OptionsCursor = OptionsRow(bh::kSettingCalmMotion);
    Tap(11);
    EXPECT_EQ(g.Settings[bh::kSettingCalmMotion], 1);
    EXPECT_EQ(g.OverlayScreen, bh::kScreenOptions);
    Tap(10);
    EXPECT_EQ(g.Settings[bh::kSettingCalmMotion], 0);

    g.OptionsCursor = OptionsRow(bh::kSettingDebugStats);
    Tap(10);
    EXPECT_EQ(g.Settings[bh::kSettingDebugStats], 1);
    EXPECT_EQ(g.DebugMode, 1);

    g.OptionsCursor = OptionsRow("Controller");
    Control(10);
    Options();
    EXPECT_EQ(g.OverlayScreen, bh::kScreenRedefine);
    EXPECT_EQ(g.RedefRow, -1);
    EXPECT_EQ(g.RedefCol, 0);
    EXPECT_EQ(g.KeyLock[bh::kLockRedefineCapture], bh::kCaptureRelease);  // the capture waits for fire to be released

    SetUp();
    g.OptionsCursor = OptionsRow("Online Name");
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
        g.OptionsCursor = OptionsRow(bh::kSettingRenderScale);
        Tap(10);
        EXPECT_EQ(g.Settings[bh::kSettingRenderScale], want);
        EXPECT_EQ(g.OverlayScreen, bh::kScreenOptions);
        g.OptionsCursor = OptionsRow("Back");
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
        {"Back row", OptionsRow("Back"), 10, -1},
        {"Back/Select", OptionsRow(bh::kSettingMusicVolume), 9, -1},
        {"Escape", OptionsRow(bh::kSettingSfxVolume), -1, 99},
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
    EXPECT_EQ(g.OptionsCursor, OptionsRow("Online Name"));
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
    g.OptionsCursor = OptionsRow(bh::kSettingSfxVolume);
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
    g.OptionsCursor = OptionsRow(bh::kSettingDebugStats);
    g.LockKeys();
    Update();
    Hands().control[10] = 1;
    Update();
    EXPECT_EQ(g.Settings[bh::kSettingDebugStats], 0);
    EXPECT_EQ(g.DebugMode, 0);
}

}  // namespace
