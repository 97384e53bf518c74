// Less Motion: with it on, a screen the player leaves alone looks the same
// from one moment to the next; with it off, the same screens move.
#include <vector>

#include "VellHooks.h"
#include "gameplay/play_steps.h"
#include "test_menu_fixture.h"
#include "test_play_support.h"

namespace {

class LessMotion : public FrontScreen {
protected:
    struct Frame {
        std::vector<double> records;
        float clear[3];
    };

    // What the screen would show: its draw list and the colour the screen
    // is cleared to.
    static Frame Shown() {
        Frame f;
        f.records.assign(ASys.Draw, ASys.Draw + 30 * ASys.DrawTo);
        for (int i = 0; i < 3; i++) f.clear[i] = ASys.DrawSet[vell::kSetClearToRed + i];
        return f;
    }

    // Updates at 16 ms steps on the game's clock.
    void Updates(const std::function<void()>& screen, int n) {
        for (int i = 0; i < n; i++) {
            MillsOffset += 16;
            Run(screen);
        }
    }

    // Two frames half a second apart, after the screen has settled and
    // its idle timers have run out.
    bool StillFor(const std::function<void()>& screen) {
        MillsFrozen = true;
        MillsOffset = 40000;
        Updates(screen, 400);
        Frame a = Shown();
        Updates(screen, 31);
        Frame b = Shown();
        MillsFrozen = false;
        return !a.records.empty() && a.records == b.records && a.clear[0] == b.clear[0] && a.clear[1] == b.clear[1] &&
               a.clear[2] == b.clear[2];
    }
};

TEST_F(LessMotion, IdleScreensHoldStillOnlyWithLessMotion) {
    struct Case {
        const char* screen;
        std::function<void(MyGame&)> open;
        std::function<void(MyGame&)> update;
    } cases[] = {
        {"title, Options lit", [](MyGame& g) { g.TitleCursor = 1; }, [](MyGame& g) { g.DoMenu(); }},
        {"credits",
         [](MyGame& g) {
             g.OverlayScreen = bh::kScreenCredits;
             g.AddDefaultCredits();
         },
         [](MyGame& g) { g.Credits(); }},
        {"options", [](MyGame& g) { g.OverlayScreen = bh::kScreenOptions; }, [](MyGame& g) { g.Options(); }},
        {"pause",
         [](MyGame& g) {
             g.GameMode = bh::kModePlaying;
             g.Paused = 1;
             g.PauseCursor = 2;
         },
         [](MyGame& g) { g.PauseMenu(); }},
    };
    for (const Case& c : cases) {
        for (int calm = 0; calm <= 1; calm++) {
            SCOPED_TRACE(std::string(c.screen) + (calm ? " with Less Motion" : " moving"));
            SetUp();
            g.Settings[bh::kSettingCalmMotion] = calm;
            c.open(g);
            EXPECT_EQ(StillFor([&] { c.update(g); }), calm == 1);
        }
    }
}

// The cave's own movement that plays no part in the game: the lava's
// waves, the ring round a standing bird, a lit switch's and the open
// exit's blinking. Spinners and the bird still move; they are the game.
TEST(LessMotionPlay, LavaRingAndBlinkingHoldStillOnlyWithLessMotion) {
    MyGame& g = ThisGame;
    for (int calm = 0; calm <= 1; calm++) {
        SCOPED_TRACE(calm ? "with Less Motion" : "moving");
        playtest::FreshGame();
        playtest::EmptyLevel();
        playtest::Bird(20, 10);
        g.Play.GroundTimer = 10;
        playtest::Cell(12, 20)[0] = bh::kTileActiveSwitchLeft;
        g.Settings[bh::kSettingCalmMotion] = calm;
        auto shown = [&] {
            ASys.DrawTo = 0;
            PlayStep s = BeginStep(g);
            DrawTiles(g, s);
            DrawSurroundings(g, s);
            return std::vector<double>(ASys.Draw, ASys.Draw + 30 * ASys.DrawTo);
        };
        std::vector<double> a = shown();
        MillsOffset += 500;
        std::vector<double> b = shown();
        EXPECT_FALSE(a.empty());
        EXPECT_EQ(a == b, calm == 1);
        g.Settings[bh::kSettingCalmMotion] = 0;
        playtest::ThawClock();
    }
}

TEST_F(LessMotion, CreditsRollOnlyWhenAsked) {
    g.Settings[bh::kSettingCalmMotion] = 1;
    g.OverlayScreen = bh::kScreenCredits;
    g.AddDefaultCredits();
    Run([&] { g.Credits(); }, 10);
    EXPECT_EQ(g.CreditScroll, 0.0f);
    Control(2);  // Down rolls the lines on
    Run([&] { g.Credits(); }, 10);
    EXPECT_LT(g.CreditScroll, -20.0f);
    ReleaseAll();
    Control(0);  // Up rolls them back, no further than the start
    Run([&] { g.Credits(); }, 40);
    EXPECT_EQ(g.CreditScroll, 0.0f);
    EXPECT_EQ(g.OverlayScreen, bh::kScreenCredits);
}

}  // namespace
