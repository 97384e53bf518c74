// The how-to-play panel: shown before the first game on fresh settings and
// never again on its own, put away by any press once everything held was
// let go, showing the controls as bound now, and reachable from the title
// and the options.
#include <set>
#include <string>
#include <vector>

#include "test_menu_fixture.h"

namespace {

using Lines = std::vector<std::string>;

class HowToPlay : public FrontScreen {
protected:
    void Loop(int updates = 1) {
        Run([&] { g.LoopTarget(); }, updates);
    }
    // The line drawn right after a label: the inputs bound to it.
    static std::string After(const std::string& label) {
        Lines lines = LinesDrawn();
        for (size_t i = 0; i + 1 < lines.size(); i++)
            if (lines[i] == label) return lines[i + 1];
        return "";
    }
};

TEST_F(HowToPlay, FirstGameWaitsBehindThePanelAndLaterGamesDoNot) {
    SoundLog heard;
    g.MenuPage = 1;
    Control(10);  // "Normal" chosen with the flap button, still held
    Loop();
    ASSERT_EQ(g.GameMode, bh::kModeNewGame);
    ASSERT_EQ(g.OverlayScreen, bh::kScreenHowToPlay);
    Loop(5);
    EXPECT_EQ(g.OverlayScreen, bh::kScreenHowToPlay) << "the press that chose the game is not a second press";
    EXPECT_EQ(g.GameMode, bh::kModeNewGame);
    EXPECT_EQ(g.Settings[bh::kSettingGamesPlayed], 0) << "no game set up behind the panel";
    EXPECT_TRUE(Drew("How to play"));
    std::set<int> pictures;
    for (const ShownImage& i : ImagesDrawn()) pictures.insert(i.slot);
    for (int slot : {0, 1, 3}) EXPECT_TRUE(pictures.count(slot)) << "no picture from slot " << slot;

    ReleaseAll();
    Loop();
    EXPECT_EQ(g.OverlayScreen, bh::kScreenHowToPlay);
    Control(10);
    Loop();
    EXPECT_EQ(g.OverlayScreen, bh::kScreenNone);
    EXPECT_EQ(g.Settings[bh::kSettingHowToPlaySeen], 1);
    Loop();  // the game is set up now
    ASSERT_EQ(g.GameMode, bh::kModePlaying);
    EXPECT_EQ(g.Settings[bh::kSettingGamesPlayed], 1);
    heard.Clear();
    Loop(3);  // the press that put the panel away is still held: no flap
    for (const Heard& h : heard.effects) EXPECT_NE(h.slot, 1);

    // Remembered across a restart, so the next game starts at once.
    g.Save();
    g.SetDefaultSettings();
    ASSERT_EQ(g.Settings[bh::kSettingHowToPlaySeen], 0);
    g.Load();
    EXPECT_EQ(g.Settings[bh::kSettingHowToPlaySeen], 1);
    g.GameMode = bh::kModeTitle;
    g.MenuPage = 1;
    ReleaseAll();
    Loop();
    Control(10);
    Loop();
    EXPECT_EQ(g.GameMode, bh::kModeNewGame);
    EXPECT_EQ(g.OverlayScreen, bh::kScreenNone);
}

TEST_F(HowToPlay, AnyPressPutsItAwayOnceEverythingWasLetGo) {
    struct Case {
        const char* what;
        int control, playKey;
        bool mouse;
        int from, back;
    } cases[] = {
        {"flap", 10, -1, false, bh::kScreenNone, bh::kScreenNone},
        {"down", 2, -1, false, bh::kScreenNone, bh::kScreenNone},
        {"button 4", 13, -1, false, bh::kScreenOptions, bh::kScreenOptions},
        {"Escape", -1, 99, false, bh::kScreenOptions, bh::kScreenOptions},
        {"Return", -1, 98, false, bh::kScreenNone, bh::kScreenNone},
        {"a click", -1, -1, true, bh::kScreenNone, bh::kScreenNone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        auto hold = [&](bool down) {
            if (c.control >= 0) Control(c.control, down ? 1.0f : 0.0f);
            if (c.playKey >= 0) PlayKey(c.playKey, down ? 1 : 0);
            if (c.mouse) Mouse(400, 300, down);
        };
        g.OverlayScreen = c.from;
        hold(true);  // the press that opened it
        g.OpenHowToPlay(c.from);
        Run([&] { g.HowToPlay(); }, 4);
        EXPECT_EQ(g.OverlayScreen, bh::kScreenHowToPlay);
        hold(false);
        Run([&] { g.HowToPlay(); });
        EXPECT_EQ(g.OverlayScreen, bh::kScreenHowToPlay);
        hold(true);
        Run([&] { g.HowToPlay(); });
        EXPECT_EQ(g.OverlayScreen, c.back);
        EXPECT_EQ(g.Settings[bh::kSettingHowToPlaySeen], 1);
    }
}

TEST_F(HowToPlay, ControlsAreShownAsBoundNow) {
    g.KeyDefaults();
    struct Case {
        const char* what;
        int rebind;  // a key bound to "Button 1" first; 0 none
        bool clearLeft;
        const char* flap;
        const char* left;
    } cases[] = {
        {"defaults", 0, false, "[ Num Enter ] [ Return ] [ Space ]   pad: button 0",
         "[ A ] [ Num 4 ] [ Left ]   pad: d-pad"},
        {"Q bound to flap, Left unbound", 81, true, "[ Q ] [ Num Enter ] [ Return ]   pad: button 0", "not bound"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.rebind) g.SetKey(10, c.rebind);
        if (c.clearLeft)
            for (int slot = 0; slot < 64; slot++) ASys.redef[3 + 16 * slot] = 0;
        g.OpenHowToPlay(bh::kScreenNone);
        Run([&] { g.HowToPlay(); });
        EXPECT_EQ(After("Flap"), c.flap);
        EXPECT_EQ(After("Left"), c.left);
        EXPECT_EQ(After("Right"), "[ D ] [ Num 6 ] [ Right ]   pad: d-pad");
        EXPECT_EQ(After("Pause"), "[ Escape ]   pad: button 7");
    }
}

TEST_F(HowToPlay, PlayedFromAPadTheControlsGoByThatPadsNames) {
    g.KeyDefaults();
    PadSample rest = {}, south = {};
    rest.axes[4] = rest.axes[5] = south.axes[4] = south.axes[5] = -1;
    south.buttons[0] = 1;
    std::vector<unsigned char> up(16, 0), down(16, 0);
    down[0] = 1;
    float axes[4] = {};
    struct Case {
        const char* what;
        bool mapped;
        const char *flap, *left, *pause;
    } cases[] = {
        {"a pad GLFW knows", true, "A", "D-pad Left", "Start"},
        {"a pad it does not", false, "Button 0", "Button 13", "Button 7"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        memset(ASys.Joy, 0, sizeof ASys.Joy);
        ReadPad(1, "Pad", c.mapped ? &rest : nullptr, axes, 4, up.data(), 16, 0);
        ReadPad(1, "Pad", c.mapped ? &south : nullptr, axes, 4, down.data(), 16, 0);
        g.PollInput(0);
        g.OpenHowToPlay(bh::kScreenNone);
        Run([&] { g.HowToPlay(); });
        EXPECT_EQ(After("Flap"), c.flap);
        EXPECT_EQ(After("Left"), c.left);
        EXPECT_EQ(After("Pause"), c.pause);
    }
    // A key pressed: keys again.
    FeedKey(90, 1);
    g.PollInput(0);
    Run([&] { g.HowToPlay(); });
    EXPECT_EQ(After("Pause"), "[ Escape ]   pad: button 7");
    g.GameBreak = 0;
}

TEST_F(HowToPlay, TheTitleAndTheOptionsOpenItAgain) {
    g.Settings[bh::kSettingHowToPlaySeen] = 1;
    // On the title, between Start and Options.
    Run([&] { g.Menu_Start(); });
    EXPECT_TRUE(Drew("How to play"));
    g.TitleCursor = 0;
    Control(1);
    Run([&] { g.Menu_Start(); });
    ASSERT_EQ(g.TitleCursor, 2);
    ReleaseAll();
    Run([&] { g.Menu_Start(); });
    Control(10);
    Run([&] { g.Menu_Start(); });
    EXPECT_EQ(g.OverlayScreen, bh::kScreenHowToPlay);
    EXPECT_EQ(g.HowToPlayReturn, 0);

    // The last row of the options; put away, the options are back.
    const int row = OptionsRow("How to Play");
    g.OverlayScreen = bh::kScreenOptions;
    g.OptionsCursor = row;
    ReleaseAll();
    Run([&] { g.Options(); });
    Control(10);
    Run([&] { g.Options(); });
    ASSERT_EQ(g.OverlayScreen, bh::kScreenHowToPlay);
    Run([&] { g.HowToPlay(); });
    ReleaseAll();
    Run([&] { g.HowToPlay(); });
    PlayKey(99);
    Run([&] { g.HowToPlay(); });
    EXPECT_EQ(g.OverlayScreen, bh::kScreenOptions);
    EXPECT_EQ(g.OptionsCursor, row);
}

}  // namespace
