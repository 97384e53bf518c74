// Game set-up, the score display and the front-end background.
#include <gtest/gtest.h>

#include <string>

#include "test_play_support.h"
#include "VellHooks.h"

using namespace playtest;

namespace {

class SetupGame : public ::testing::Test {
protected:
    void SetUp() override { FreshGame(); }
    void TearDown() override {
        G().GameMode = bh::kModeTitle;
        ThawClock();
    }
    LogCapture log;  // the music of a new game may be missing here
    // Every glyph recorded since the list was emptied, as text.
    static std::string Glyphs() {
        std::string s;
        for (int i = 0; i < ASys.DrawTo; i++) {
            const double* r = &ASys.Draw[30 * i];
            if (r[0] == 11 && r[28] == FontSlot) s += (char)(r[29] + 32);
        }
        return s;
    }
    static std::string Display(int showLives = 1) {
        ASys.DrawTo = 0;
        G().BramblehopScoreDisplay(showLives);
        return Glyphs();
    }
};

TEST_F(SetupGame, NewGameStartsInTheIntroRoom) {
    MyGame& g = G();
    PlayRecord& p = g.Play;
    p.Score = 999;
    p.Lives = -1;
    Cell(3, 110)[0] = 7;
    g.ThrowParticle(1, 1, 0, 0, 1, 0, 1);
    g.Settings[bh::kSettingGamesPlayed] = 41;
    g.GameEnding = bh::kEndLivesLost;  // the last game's end banner, at its full size
    g.EndTimer = 121;
    g.GameMode = bh::kModeNewGame;
    g.SeedRnd(4321);
    g.SeedRnd(4321);
    int scroll = g.Rand(0, 1024);
    g.SeedRnd(4321);
    g.LoopTarget();

    EXPECT_EQ(g.GameMode, bh::kModePlaying);
    EXPECT_EQ(g.Settings[bh::kSettingGamesPlayed], 42);
    EXPECT_EQ(g.GameEnding, bh::kEndNone);
    EXPECT_EQ(g.EndTimer, 0);
    EXPECT_EQ(p.BackdropScroll, scroll);
    EXPECT_EQ(jRand_Seed, 100000);  // reseeded from the clock afterwards
    EXPECT_EQ(p.LevelNumber, 0);
    EXPECT_EQ(p.Lives, bh::kStartingLives);
    EXPECT_EQ(p.Score, 0);
    EXPECT_EQ(p.SwitchesOn, 5);
    EXPECT_EQ(p.PlayerX, 25);
    EXPECT_EQ(p.PlayerY, 19);
    EXPECT_EQ(p.Facing, 1);
    EXPECT_EQ(p.MapWidth, 50);
    EXPECT_EQ(p.MapHeight, 25);
    EXPECT_EQ(p.TileSize, 16);
    EXPECT_EQ(p.TileScale, 0.5f);
    for (int k = 0; k < 3; k++) EXPECT_EQ(p.ChickX[k], -256);
    EXPECT_EQ(g.TrailX[0], -256);
    EXPECT_EQ(g.Particles[0], 0);
    EXPECT_EQ(Cell(3, 110)[0], 0);
    for (int x = 0; x < 50; x++)
        for (int y = 0; y < 25; y++) {
            int want = y == 0 ? 1 : y == 20 ? (x >= 45 ? 4 : 2) : y > 20 ? (x >= 45 ? 5 : 3) : 0;
            ASSERT_EQ(Code(x, y), want) << x << "," << y;
            for (int f = 1; f < 10; f++) ASSERT_EQ(Cell(x, y)[f], 0);
        }
}

TEST_F(SetupGame, ShownScoreClosesAQuarterOfTheGap) {
    PlayRecord& p = G().Play;
    struct Case {
        float shown, score, after;
    } cases[] = {
        {0, 100, 25}, {25, 100, 43.75f}, {99.5f, 100, 100}, {100.9f, 100, 100},
        {0, 0, 0},    {200, 100, 175},   {98, 100, 98.5f},
    };
    for (const Case& c : cases) {
        p.ShownScore = c.shown;
        p.Score = c.score;
        Display();
        EXPECT_FLOAT_EQ(p.ShownScore, c.after) << c.shown << " -> " << c.score;
    }
}

TEST_F(SetupGame, ScoreLineShowsScoreTargetAndBonus) {
    MyGame& g = G();
    PlayRecord& p = g.Play;
    g.DifficultyCursor = bh::kDifficultyNormal;
    const int normal = bh::BoardBase(bh::kDifficultyNormal);
    const int board[5] = {500, 400, 300, 200, 100};
    struct Case {
        float score, time;
        const char* text;
    } cases[] = {
        {0, 3629, "000000005th 00000100Bonus 120"}, {100, 0, "000001005th 00000100Bonus 0"},
        {150, 29, "000001504th 00000200Bonus 0"},   {350, 30, "000003502nd 00000400Bonus 1"},
        {450, -5, "000004501st 00000500Bonus 0"},   {1000, 600, "000010001st 00000500Bonus 20"},
    };
    for (const Case& c : cases) {
        for (int i = 0; i < 5; i++) g.ScoreTable[normal + i] = board[i];
        p.Score = p.ShownScore = c.score;
        p.TimeLeft = c.time;
        EXPECT_EQ(Display(), c.text);
    }
    // An empty board: the 5th place until any points, then the 1st.
    for (int i = 0; i < 5; i++) g.ScoreTable[normal + i] = 0;
    p.Score = p.ShownScore = 0;
    p.TimeLeft = 0;
    EXPECT_EQ(Display(), "000000005th 00000000Bonus 0");
    p.Score = p.ShownScore = 5;
    EXPECT_EQ(Display(), "000000051st 00000000Bonus 0");
    // A cursor pointing outside the table shows no target.
    g.DifficultyCursor = 5000;
    EXPECT_EQ(Display(), "00000005Bonus 0");
    g.DifficultyCursor = 2;
}

TEST_F(SetupGame, LifeIconsAndScreenshotMode) {
    MyGame& g = G();
    PlayRecord& p = g.Play;
    for (int lives : {3, 1, 0, -1}) {
        p.Lives = (float)lives;
        Display();
        int n = 0;
        double sum = 0, first = 0, last = 0;
        for (int i = 0; i < ASys.DrawTo; i++) {
            const double* r = &ASys.Draw[30 * i];
            if (r[0] == 11 && r[28] == 52 && r[29] == 9) {
                if (n == 0) first = r[1];
                last = r[1];
                sum += r[1];
                n++;
                EXPECT_EQ(r[2], 36 - rh2);
            }
        }
        EXPECT_EQ(n, lives > 0 ? lives : 0) << lives;
        if (n > 0) {
            EXPECT_DOUBLE_EQ(sum / n, 400 - rw2);  // centred
            EXPECT_DOUBLE_EQ(last - first, 18.0 * (n - 1));
        }
    }
    p.Lives = 3;
    Display(0);
    EXPECT_EQ(CountImages(52), 0);

    // Screenshot mode hides every text and icon; the score still eases.
    g.ScreenshotMode = 1;
    p.Score = 100;
    p.ShownScore = 0;
    EXPECT_EQ(Display(), "");
    EXPECT_EQ(CountImages(52), 0);
    EXPECT_EQ(p.ShownScore, 25);
    g.ScreenshotMode = 0;
}

TEST_F(SetupGame, FrontEndBackgroundCoversTheScreen) {
    MyGame& g = G();
    MillsOffset = 32 * 70;  // 70 pixels up: wrapped to 6
    ASys.DrawTo = 0;
    g.AddPlatBG();
    // Columns -2 .. 15 (while below 800/64 + 3), rows -2 .. 12.
    EXPECT_EQ(CountImages(50, 8), 18 * 15);
    const double* r = &ASys.Draw[0];
    EXPECT_EQ(r[1], -128 - rw2);
    EXPECT_EQ(r[2], -128 - 6 - rh2);
    EXPECT_EQ(r[10], 0.3 * 255);
}

}  // namespace
