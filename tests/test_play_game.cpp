// A whole game played through the main loop's screen dispatch with scripted
// controls: fly across the introductory room, light the five switches of
// the first cave, take the exit, then lose every life.
#include <gtest/gtest.h>

#include <string>

#include "test_play_support.h"
#include "VellHooks.h"

using namespace playtest;

namespace {

class PlayGame : public ::testing::Test {
protected:
    void SetUp() override {
        FreshGame(250000);
        G().Difficulty = 2;
        G().DifficultyCursor = 2;
        G().LoadTo = 0;
        G().Paused = 0;
        for (int i = 0; i < 128; i++) ASys.Button[i] = 0;
        for (int i = 0; i < 100; i++) ASys.Touch[i] = 0;
    }
    void TearDown() override {
        // The music file may be missing here; nothing else may be logged.
        for (const std::string& line : log.Lines()) EXPECT_NE(line.find("Ogg"), std::string::npos) << line;
        G().GameMode = bh::kModeTitle;
        ThawClock();
    }
    LogCapture log;

    // One update as the main loop runs it: 16 ms later, same screen dispatch.
    static void Update() {
        MillsOffset += 16;
        ASys.DrawTo = 0;
        G().LoopTarget();
    }
    static bool FindCode(int code, int& fx, int& fy) {
        for (int x = 0; x < 50; x++)
            for (int y = 0; y < 25; y++)
                if (Code(x, y) == code) {
                    fx = x;
                    fy = y;
                    return true;
                }
        return false;
    }
    static int Live(int code) {
        int n = 0;
        for (int x = 0; x < 50; x++)
            for (int y = 0; y < 25; y++) n += Code(x, y) == code;
        return n;
    }
    static void WaitForScroll() {
        Controls(0, 0, 0);
        for (int i = 0; i < 60 && G().Play.ScrollLeft > 0; i++) Update();
        ASSERT_EQ(G().Play.ScrollLeft, 0);
    }
};

TEST_F(PlayGame, FromTheIntroRoomToGameOver) {
    MyGame& g = G();
    PlayRecord& p = g.Play;
    g.GameMode = bh::kModeNewGame;
    Update();
    ASSERT_EQ(g.GameMode, bh::kModePlaying);
    ASSERT_EQ(p.Lives, bh::kStartingLives);

    // Fly right across the room, flapping whenever the bird sinks low,
    // then drop onto the open exit.
    int flaps = 0;
    bool pressed = false;
    for (int i = 0; i < 1500 && p.LevelNumber == 0; i++) {
        bool flap = !pressed && p.PlayerY > 16 && p.PlayerX < 43;
        Controls(flap ? 1.0f : 0.0f, 1, 0);
        pressed = flap;
        Update();
        if (p.SpeedY == -2.5f) flaps++;
        ASSERT_EQ(p.Lives, bh::kStartingLives) << "step " << i;
    }
    ASSERT_EQ(p.LevelNumber, 1);
    EXPECT_GE(flaps, 3);
    EXPECT_EQ(p.Score, 5);  // no time in the intro room: the smallest bonus
    WaitForScroll();
    EXPECT_EQ(Live(11), 0);  // Normal has no spinners in the first cave
    EXPECT_EQ(p.TimeLeft, 3629 - 1);

    // Each active switch stands in a clearing: drop onto it from three rows up.
    for (int n = 1; n <= 5; n++) {
        SCOPED_TRACE(n);
        int x = 0, y = 0;
        ASSERT_TRUE(FindCode(16, x, y));
        EXPECT_EQ(Code(x + 1, y), 17);
        EXPECT_EQ(Live(6) + Live(7), 2 * (n - 1));
        p.PlayerX = (float)x;
        p.PlayerY = (float)(y - 3);
        p.SpeedX = p.SpeedY = 0;
        for (int i = 0; i < 80 && p.SwitchesOn < n; i++) Update();
        ASSERT_EQ(p.SwitchesOn, n);
        ASSERT_EQ(p.Lives, bh::kStartingLives);
        EXPECT_EQ(p.PlayerY, y - 1);
    }
    EXPECT_EQ(Live(16), 0);
    EXPECT_EQ(Live(6) + Live(7), 10);

    // The exit ledge is open: land on it for the time bonus.
    float before = 0, time = 0, count = 0;
    p.PlayerX = 47;
    p.PlayerY = 16;
    p.SpeedY = 0;
    for (int i = 0; i < 80 && p.LevelNumber == 1; i++) {
        before = p.Score;
        time = p.TimeLeft;
        count = p.FollowerCount;
        Update();
    }
    ASSERT_EQ(p.LevelNumber, 2);
    int m = count == 1 ? 2 : count == 2 ? 3 : count == 3 ? 5 : 1;
    EXPECT_GT(time, 3000);
    EXPECT_EQ(p.Score - before, m * ((int)(time / 30) + 5));
    WaitForScroll();

    // Now flap straight up into the brambles until no life is left: the
    // bird in play, then each one to spare.
    const int deaths = bh::kStartingLives + 1;
    for (int death = 1; death <= deaths; death++) {
        SCOPED_TRACE(death);
        float lives = p.Lives;
        for (int i = 0; i < 600 && p.Lives == lives; i++) {
            Controls(i % 4 == 0 ? 1.0f : 0.0f, 0, 0);
            Update();
        }
        ASSERT_EQ(p.Lives, lives - 1);
        EXPECT_GT(g.Particles[0], 0);  // debris flies
        if (death < deaths) {
            EXPECT_EQ(p.RespawnHold, 1);
            EXPECT_EQ(g.GameEnding, 0);
            Controls(0, 0, 0);
            Update();
            EXPECT_EQ(p.RespawnHold, 0);
        }
    }
    EXPECT_EQ(p.Lives, -1);
    EXPECT_EQ(g.GameEnding, 1);
    EXPECT_EQ(g.EndBanner, 1);
    for (int i = 0; i < 10; i++) {
        Controls(1, 1, 0);
        Update();
    }
    EXPECT_EQ(CountImages(0), 0);
    EXPECT_EQ(p.Lives, -1);
}

}  // namespace
