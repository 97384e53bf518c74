// A run from start to finish: what start-up takes from the settings file,
// the save at shutdown, the engine's hot keys, the statistics line and the
// pause key during play.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "Vell_glfw3_internal.h"
#include "test_play_support.h"
#include "VellHooks.h"

namespace {

// One poll's worth of held keys, for the input hook.
int heldButton = -1;
void HoldButton() {
    if (heldButton >= 0) ASys.Button[heldButton] = 1;
}

// F1 flips the statistics line and F2 the screenshot mode once per press,
// however many polls the key is held.
TEST(HotKeys, EachPressFlipsItsSwitchOnce) {
    struct Case {
        int button;
        int VellCore::*value;
    } cases[] = {{68, &VellCore::DebugMode}, {64, &VellCore::ScreenshotMode}};
    const bool held[] = {true, true, true, true, false, true, true, false, false, true};
    const int after[] = {1, 1, 1, 1, 1, 0, 0, 0, 0, 1};
    PollInputHook = &HoldButton;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        ThisGame.DebugMode = ThisGame.ScreenshotMode = 0;
        for (int i = 0; i < 10; i++) {
            heldButton = held[i] ? c.button : -1;
            ThisGame.PollInput(0);
            EXPECT_EQ(ThisGame.*c.value, after[i]) << "poll " << i;
        }
        EXPECT_EQ(ThisGame.DebugMode + ThisGame.ScreenshotMode, 1) << "only its own switch";
    }
    PollInputHook = nullptr;
    ThisGame.GameBreak = 0;
}

// Escape (play key 99) pauses play as the Start control does, once the
// previous press has been let go.
TEST(PauseKey, EscapeOrStartPausesPlay) {
    struct Case {
        int escape;
        float start;
        int lock;
        int paused;
    } cases[] = {{1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 0, 0}, {0, 0.4f, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "escape " << c.escape << " start " << c.start);
        playtest::FreshGame();
        playtest::EmptyLevel();
        MyGame& g = ThisGame;
        g.Play.PlayerX = 25;
        g.Play.PlayerY = 12;
        g.GameMode = bh::kModePlaying;
        g.KeyLock[bh::kLockPauseKey] = c.lock;
        ASys.Button[99] = c.escape;
        ASys.Keyv[8] = c.start;
        ASys.DrawTo = 0;
        g.LoopTarget();
        EXPECT_EQ(g.Paused, c.paused);
        if (c.paused) {
            EXPECT_EQ(g.PauseCursor, 1);
            EXPECT_EQ(g.KeyLock[bh::kLockPauseKey], 1);  // let go before it pauses again
        }
    }
    ThisGame.GameMode = bh::kModeTitle;
    playtest::ThawClock();
}

// The statistics line the hand-over adds to the frame, at the foot of the
// screen in half-size text.
TEST(StatisticsLine, ShowsTheRatesAtTheFootOfTheScreen) {
    struct Case {
        int debug, bump;
        int updates, renders, polys;
        const char* line;
        float y;
    } cases[] = {
        {1, 0, 59, 61, 123, "Update 60fps - Render 61fps - Polys 123", 600 - 8},
        {1, 0, 58, 59, 0, "Update 58fps - Render 60fps - Polys 0", 600 - 8},
        {1, 1, 30, 30, 7, "Update 30fps - Render 30fps - Polys 7", 600 - 40},
        {0, 0, 60, 60, 5, nullptr, 0},
    };
    MyGame& g = ThisGame;
    for (int i = 0; i < 105; i++) ASys.ImageFrames[i] = 144;
    ASys.FontImage = playtest::FontSlot;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.updates);
        g.DebugMode = c.debug;
        iBump = c.bump;
        g.UpdateCount = c.updates;
        g.RenderCount = c.renders;
        g.PolyCountR = c.polys;
        ASys.DrawTo = 0;
        g.BufferGame();
        std::vector<ShownText> shown = TextsDrawn(DrawR, DrawToRT);
        if (!c.line) {
            EXPECT_TRUE(shown.empty());
            continue;
        }
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, c.line);
        EXPECT_FLOAT_EQ(shown[0].x, 8 + 14 * 0.5f);  // half a half-size space in
        EXPECT_FLOAT_EQ(shown[0].y, c.y);
    }
}

// A whole run of the program in this process: start-up, one poll in which
// the player changes a setting without saving and closes the window, and
// shutdown.
class WholeRun : public ::testing::Test {
protected:
    TempDir dir;
    LogCapture log;  // the run finds no pictures or sounds here

    // Writes the two save files as a previous run would have left them.
    void PreviousRun(int sfx, int stats) {
        MyGame& g = ThisGame;
        snprintf(g.home, sizeof g.home, "%s", dir.Path().c_str());
        g.GameNum = 552;  // as the run will name and sum its files
        snprintf(g.GameTitle, sizeof g.GameTitle, "Bramblehop");
        g.SetDefaultSettings();
        g.KeyDefaults();
        g.Load();  // a first start makes up the player's user ID
        g.Settings[bh::kSettingSfxVolume] = sfx;
        g.Settings[bh::kSettingDebugStats] = stats;
        g.Settings[bh::kSettingDifficultyCursor] = 3;
        g.Save();
    }
    static void CloseAtFirstPoll() {
        ThisGame.Settings[bh::kSettingMusicVolume] = 4;
        ASys.Button[100] = 1;
    }
    int Saved(size_t slot) {
        std::vector<unsigned char> b = ReadBytes(dir.File("Settings.sav"));
        if (b.size() < 4 * slot + 4) return -37171;
        uint32_t u = 0;
        for (int i = 0; i < 4; i++) u |= (uint32_t)b[4 * slot + i] << (8 * i);
        return (int)u;
    }
};

TEST_F(WholeRun, StartUpLoadsOverTheDefaultsAndShutdownSaves) {
    struct Case {
        bool files;
        int sfx, stats;
    } cases[] = {{true, 3, 1}, {true, 2, 0}, {false, 7, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "files " << c.files << " stats " << c.stats);
        MyGame& g = ThisGame;
        if (c.files) PreviousRun(c.sfx, c.stats);
        else
            for (const char* f : {"Settings.sav", "Save_552_Bramblehop.sav"}) remove(dir.File(f).c_str());
        for (int& s : g.Settings) s = 55;
        PollInputHook = &CloseAtFirstPoll;
        testing::internal::CaptureStdout();
        g.Launch(dir.File("Bramblehop").c_str());
        testing::internal::GetCapturedStdout();
        PollInputHook = nullptr;
        // The defaults, then the file over them, then the statistics switch
        // from what was loaded.
        EXPECT_EQ(g.Settings[bh::kSettingSfxVolume], c.sfx);
        EXPECT_EQ(g.Settings[bh::kSettingDifficultyCursor], c.files ? 3 : 2);
        EXPECT_EQ(g.Settings[bh::kSettingCalmMotion], 0);
        EXPECT_EQ(g.DebugMode, c.stats);
        // The change made during the run reached the file at shutdown.
        EXPECT_EQ(Saved(bh::kSettingMusicVolume), 4);
        EXPECT_EQ(Saved(bh::kSettingSfxVolume), c.sfx);
    }
}

}  // namespace
