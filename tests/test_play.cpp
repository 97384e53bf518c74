// The play step: flapping, steering, landing, switches, the exit and its
// bonus, the scroll-in of the next cave, and death; and deaths played
// through the input poll: the respawn's grace and a game without lives.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "test_play_support.h"
#include "test_player_support.h"

using namespace playtest;

namespace {

class PlayStep : public ::testing::Test {
protected:
    void SetUp() override {
        FreshGame();
        EmptyLevel();
        G().Difficulty = 2;
        G().DifficultyCursor = 2;
    }
    void TearDown() override { ThawClock(); }

    // Puts the bird just above cell (x, y), falling onto it.
    static void DropOnto(int x, int y) {
        PlayRecord& p = G().Play;
        p.PlayerX = (float)x;
        p.PlayerY = (float)(y - 1);
        p.SpeedY = 1;
        p.SpeedX = 0;
        p.GroundTimer = 0;
    }
    static void Followers(int n) {
        PlayRecord& p = G().Play;
        for (int j = 0; j < 3; j++) p.FollowerKind[j] = j < n ? (float)(j + 1) : 0;
        p.FollowerCount = (float)n;
    }
    static int Rects() {
        int n = 0;
        for (int i = 0; i < ASys.DrawTo; i++)
            if (ASys.Draw[30 * i] == 1) n++;
        return n;
    }
};

TEST_F(PlayStep, OneFlapPerPress) {
    MyGame& g = G();
    g.Play.PlayerX = 25;
    g.Play.PlayerY = 12;
    // The button must drop below 0.3 before it flaps again; 0.4 is neither
    // pressed nor released.
    const float button[] = {1, 1, 1, 0, 1, 0.4f, 1, 0.2f, 1, 1};
    const bool flap[] = {true, false, false, false, true, false, false, false, true, false};
    for (int i = 0; i < 10; i++) {
        Controls(button[i], 0, 0);
        Step();
        EXPECT_EQ(g.Play.SpeedY == -2.5f, flap[i]) << "step " << i;
        if (flap[i]) {
            EXPECT_EQ(g.KeyLock[bh::kLockFlap], bh::kFlapLockHeld);
        }
    }
}

TEST_F(PlayStep, RespawnHoldFreezesUntilEverythingIsReleased) {
    MyGame& g = G();
    PlayRecord& p = g.Play;
    p.PlayerX = 2;
    p.PlayerY = 19;
    p.SpeedY = 1;
    p.RespawnHold = 1;
    struct Case {
        float flap, right, left;
        bool held;
    } cases[] = {
        {1, 0, 0, true},                             // flapping is locked during the hold
        {0, 1, 0, true},                             // so is steering away
        {0.1f, 0, 0, true},                          // the flap button must be exactly 0
        {0, 0, 0.6f, true}, {0, 0.4f, 0.4f, false},  // below 0.5 counts as released here
    };
    for (const Case& c : cases) {
        Controls(c.flap, c.right, c.left);
        Step();
        EXPECT_EQ(p.RespawnHold == 1, c.held) << c.flap << " " << c.right << " " << c.left;
        if (c.held) {
            EXPECT_EQ(p.PlayerX, 2);
            EXPECT_EQ(p.PlayerY, 19);
            EXPECT_NE(p.SpeedY, -2.5f);
            if (c.flap > 0.5f) {
                EXPECT_EQ(g.KeyLock[bh::kLockFlap], bh::kFlapLockRespawn);
            }
        }
    }
    EXPECT_GT(p.PlayerY, 19);  // free again: it falls
}

TEST_F(PlayStep, SteeringAcceleratesClampsAndSlowsWithoutCrossing) {
    PlayRecord& p = G().Play;
    p.PlayerX = 25;
    p.PlayerY = 5;
    struct Case {
        float right, left, speed;
    } cases[] = {
        {1, 0, 0.25f}, {1, 0, 0.5f},   {1, 0, 0.75f}, {1, 0, 1},      {1, 0, 1},     {0, 0, 0.65f},  {0, 0, 0.3f},
        {0, 0, 0},     {0, 1, -0.25f}, {0, 0, 0},     {0, 1, -0.25f}, {0, 1, -0.5f}, {0, 1, -0.75f}, {0, 1, -1},
        {0, 1, -1},    {0, 0, -0.65f}, {0, 0, -0.3f}, {0, 0, 0},      {1, 1, 0},
    };
    for (const Case& c : cases) {
        p.SpeedY = 0;
        Controls(0, c.right, c.left);
        Step();
        EXPECT_NEAR(p.SpeedX, c.speed, 1e-6);
    }
    EXPECT_EQ(p.Facing, -1);  // it faced left while moving left
    // The slightest move to the right turns it round.
    Controls(0, 1, 0);
    Step();
    Controls(0, 0, 0);
    Step();
    EXPECT_EQ(p.Facing, 1);
    // An analogue stick overrides the keys (and then slows like a release).
    ASys.Joy[98] = ASys.Joy[99] = 1;
    ASys.Joy[50] = -0.8f;
    Controls(0, 1, 0);
    Step();
    EXPECT_NEAR(p.SpeedX, -0.8f, 1e-6);
    ASys.Joy[98] = ASys.Joy[99] = 0;
}

TEST_F(PlayStep, MotionScalesWithFrameFactorAndUsesTheOldSpeed) {
    MyGame& g = G();
    PlayRecord& p = g.Play;
    for (float ff : {0.3f, 1.0f, 7.68f}) {
        g.FrameFactor = ff;
        p.PlayerX = 20;
        p.PlayerY = 10;
        p.SpeedX = 1;
        p.SpeedY = -1;
        Controls(0, 1, 0);
        Step();
        EXPECT_FLOAT_EQ(p.PlayerX, (float)(20 + 0.15 * 1 * 0.9 * ff)) << ff;
        EXPECT_FLOAT_EQ(p.PlayerY, (float)(10 + 0.08 * -1 * 0.9 * ff)) << ff;
        EXPECT_FLOAT_EQ(p.SpeedY, (float)(-1 + 0.15 * 0.9 * ff)) << ff;
    }
    // Falling speed is capped at 6, and the bird never goes below the map.
    g.FrameFactor = 7.68f;
    p.SpeedY = 5.9f;
    p.PlayerY = 24.5f;
    p.Lives = -1;  // nothing can die, nothing moves
    Step();
    EXPECT_EQ(p.PlayerY, 24.5f);
    p.Lives = 3;
    p.GroundTimer = 5;
    Step();
    EXPECT_EQ(p.SpeedY, 6);
    EXPECT_EQ(p.PlayerY, 25);
}

TEST_F(PlayStep, LandingOnLedgesAndWallsStopTheBird) {
    MyGame& g = G();
    PlayRecord& p = g.Play;
    g.Put(10, 15, 3);
    DropOnto(10, 15);
    Step();
    EXPECT_EQ(p.PlayerY, 14);
    EXPECT_EQ(p.SpeedY, (float)(0.15 * 0.9));  // gravity of the same step
    EXPECT_EQ(p.GroundTimer, 2);
    // Standing: every step lands again.
    for (int i = 0; i < 5; i++) Step();
    EXPECT_EQ(p.PlayerY, 14);
    EXPECT_EQ(p.GroundTimer, 2);

    // A wall to the right stops sideways speed.
    g.Put(21, 8, 2);
    p.PlayerX = 20.3f;
    p.PlayerY = 8;
    p.SpeedX = 1;
    p.SpeedY = 0;
    p.GroundTimer = 0;
    Controls(0, 0, 0);
    Step();
    EXPECT_EQ(p.SpeedX, 0);
    // A ceiling stops a rising bird.
    g.Put(30, 4, 5);
    p.PlayerX = 30;
    p.PlayerY = 5.1f;
    p.SpeedY = -2;
    Step();
    EXPECT_EQ(p.PlayerY, 5);
    EXPECT_EQ(p.SpeedY, (float)(0.15 * 0.9));
}

TEST_F(PlayStep, SwitchesLightInOrderAndOpenTheExit) {
    MyGame& g = G();
    PlayRecord& p = g.Play;
    const int col[5] = {8, 16, 24, 32, 40};
    for (int k = 0; k < 5; k++) {
        int code = (k + 1) * 10 + 6;
        g.Put(col[k], 15, code);
        g.Put(col[k] + 1, 15, code + 1);
    }
    for (int x = 45; x < 50; x++) g.Put(x, 20, 4);
    int particlesBefore = 0;

    // The exit before the fifth switch is only a ledge.
    DropOnto(47, 20);
    Step();
    EXPECT_EQ(p.PlayerY, 19);
    EXPECT_EQ(p.LevelNumber, 0);
    EXPECT_EQ(p.ScrollLeft, 0);
    EXPECT_EQ(p.Score, 0);

    // A switch that is not active is not solid: the bird falls through.
    DropOnto(col[1], 15);
    Step();
    Step();
    EXPECT_GT(p.PlayerY, 14);
    EXPECT_EQ(p.SwitchesOn, 0);

    for (int k = 0; k < 5; k++) {
        SCOPED_TRACE(k);
        DropOnto(col[k] + (k % 2), 15);  // either half will do
        for (int i = 0; i < 260; i++) particlesBefore += g.Particles[i * 10] != 0;
        Step();
        EXPECT_EQ(p.SwitchesOn, k + 1);
        EXPECT_EQ(p.Score, 25 * (k + 1));
        for (int j = 0; j < 5; j++) {
            int want = j <= k ? 6 : (j - k) * 10 + 6;
            EXPECT_EQ(Code(col[j], 15), want) << "switch " << j;
            EXPECT_EQ(Code(col[j] + 1, 15), want + 1) << "switch " << j;
        }
        // A lit switch is a plain ledge now.
        DropOnto(col[k], 15);
        Step();
        EXPECT_EQ(p.SwitchesOn, k + 1);
        EXPECT_EQ(p.PlayerY, 14);
    }
    // The exit opens: landing on it scores the bonus and starts the next cave.
    p.TimeLeft = 600;
    DropOnto(46, 20);
    Step();
    EXPECT_EQ(p.Score, 125 + 25);  // floor(600 / 30) + 5
    EXPECT_EQ(p.LevelNumber, 1);
    EXPECT_EQ(p.ScrollLeft, 49);
    EXPECT_EQ(p.SwitchesOn, 0);
}

TEST_F(PlayStep, MultiplierAndExitBonus) {
    MyGame& g = G();
    PlayRecord& p = g.Play;
    struct Case {
        int followers;
        float time;
        int bonus, switchPoints;
    } cases[] = {
        {0, 0, 5, 25},    {1, 0, 10, 50},      {2, 0, 15, 75},      {3, 0, 25, 125},   {0, -40, 5, 25},
        {1, 100, 16, 50}, {3, 3600, 625, 125}, {3, 3629, 625, 125}, {0, 29.9f, 5, 25}, {0, 30, 6, 25},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.followers << " followers, time " << c.time);
        FreshGame();
        EmptyLevel();
        for (int x = 45; x < 50; x++) g.Put(x, 20, 4);
        g.Put(20, 10, 16);
        g.Put(21, 10, 17);
        Followers(c.followers);
        DropOnto(20, 10);
        Step();
        EXPECT_EQ(p.Score, c.switchPoints);
        p.Score = 0;
        Followers(c.followers);
        p.SwitchesOn = 5;
        p.TimeLeft = c.time;
        DropOnto(47, 20);
        Step();
        EXPECT_EQ(p.Score, c.bonus);
    }
}

TEST_F(PlayStep, ScrollInCarriesTheBirdAndFreezesTime) {
    MyGame& g = G();
    PlayRecord& p = g.Play;
    for (int x = 45; x < 50; x++) g.Put(x, 20, 4);
    p.SwitchesOn = 5;
    p.TimeLeft = 900;
    p.BackdropScroll = 5;
    DropOnto(48, 20);
    Step();
    ASSERT_EQ(p.LevelNumber, 1);
    std::vector<float> next(Cell(0, 100), Cell(0, 125));
    float trail = g.TrailX[99];
    float x = p.PlayerX;
    std::vector<float> seenX;
    for (int i = 0; i < 49; i++) {
        Controls(i % 2, 1, 0);  // nothing the player does counts
        Step();
        EXPECT_EQ(p.TimeLeft, i < 48 ? 3629 : 3629 - 1);
        EXPECT_EQ(p.SpeedX, 0);
        EXPECT_EQ(p.SpeedY, 0);
        EXPECT_EQ(g.KeyLock[bh::kLockFlap], bh::kFlapLockHeld);
        EXPECT_EQ(g.TrailX[99], trail);
        seenX.push_back(p.PlayerX);
    }
    EXPECT_EQ(p.ScrollLeft, 0);
    EXPECT_EQ(seenX[0], x - 1);
    EXPECT_EQ(seenX.back(), 2);  // carried left, but never below column 2
    // The live rows now hold the new level exactly.
    for (int y = 0; y < 25; y++)
        for (int xx = 0; xx < 50; xx++)
            for (int f = 0; f < 10; f++) ASSERT_EQ(Cell(xx, y)[f], next[(y * 60 + xx) * 10 + f]) << xx << "," << y;
    // The backdrop moved 12 pixels per column but the last, wrapping at 1024.
    EXPECT_EQ(p.BackdropScroll, (float)((5 - 12 * 49) % 1024 + 1024));
    Controls(0, 0, 0);
    Step();
    EXPECT_EQ(g.TrailX[99], g.ScreenW / 2 - 392 + 2 * 16);
}

TEST_F(PlayStep, StandingIsSafeAndShowsTheSwirl) {
    MyGame& g = G();
    PlayRecord& p = g.Play;
    g.Put(10, 20, 3);
    g.Put(10, 19, 1);  // a bramble right where the bird stands
    DropOnto(10, 20);
    Step();
    int standing = Rects();
    for (int i = 0; i < 10; i++) Step();
    EXPECT_EQ(p.Lives, 3);
    p.PlayerX = 30;
    p.PlayerY = 10;
    p.GroundTimer = 0;
    p.SpeedY = 0;
    Step();
    EXPECT_EQ(standing - Rects(), 64);
    // In the air the same bramble kills.
    p.PlayerX = 10;
    p.PlayerY = 19.4f;
    p.SpeedY = -1;
    Step();
    EXPECT_EQ(p.Lives, 2);
}

TEST_F(PlayStep, FourDeathsEndTheGame) {
    MyGame& g = G();
    PlayRecord& p = g.Play;
    for (int x = 0; x < 50; x++) g.Put(x, 0, 1);
    for (int death = 1; death <= 4; death++) {
        SCOPED_TRACE(death);
        Followers(2);
        p.PlayerX = 20;
        p.PlayerY = 0.5f;
        p.GroundTimer = 0;
        p.RespawnHold = 0;
        p.RespawnGrace = 0;  // long back from any respawn
        Controls(0, 0, 0);
        Step();
        EXPECT_EQ(p.Lives, 3 - death);
        EXPECT_EQ(p.FollowerCount, 0);
        EXPECT_EQ(p.FollowerKind[0], 0);
        if (death < 4) {
            EXPECT_EQ(p.PlayerX, 2);
            EXPECT_EQ(p.PlayerY, 19);
            EXPECT_EQ(p.RespawnHold, 1);
            EXPECT_EQ(g.GameEnding, 0);
        }
    }
    EXPECT_EQ(g.GameEnding, 1);
    EXPECT_EQ(g.EndBanner, 1);
    // After the end the bird is gone and frozen, and flapping stays locked.
    float y = p.PlayerY;
    Controls(1, 1, 0);
    Step();
    EXPECT_EQ(CountImages(0), 0);
    EXPECT_EQ(p.PlayerY, y);
    EXPECT_EQ(g.KeyLock[bh::kLockFlap], bh::kFlapLockRespawn);
    EXPECT_EQ(p.Lives, -1);
}

TEST_F(PlayStep, FallingOutOfTheCaveKills) {
    PlayRecord& p = G().Play;
    struct Case {
        float y;
        int lives;
    } cases[] = {{23.9f, 3}, {24.0f, 3}, {24.05f, 2}, {25, 2}};
    for (const Case& c : cases) {
        p.Lives = 3;
        p.PlayerX = 20;
        p.PlayerY = c.y;
        p.SpeedY = 0;
        p.GroundTimer = 0;
        p.RespawnHold = 0;
        p.RespawnGrace = 0;  // long back from any respawn
        Step();
        EXPECT_EQ(p.Lives, c.lives) << c.y;
    }
}

// Replays what ThrowParticle draws and checks the slot it filled.
static void ExpectThrow(int slot, int kind, int row, float hue, float angle, float speed) {
    MyGame& g = G();
    const float* q = &g.Particles[slot * 10];
    SCOPED_TRACE(testing::Message() << "particle " << slot);
    float rot = g.Rnd(0, 360);
    g.Rnd(-2, 2);
    if (kind == 3) g.Rnd(12, 20);
    int frame = g.Rand(0, 11) + row * 12;
    EXPECT_EQ(q[0], kind);
    EXPECT_EQ(q[3], g.Sin(angle) * speed);
    EXPECT_EQ(q[5], rot);
    EXPECT_EQ(q[8], hue);
    EXPECT_EQ(q[9], frame);
}

TEST_F(PlayStep, DeathDebrisDrawsInOrder) {
    MyGame& g = G();
    g.Put(20, 10, 1);
    g.Play.PlayerX = 20;
    g.Play.PlayerY = 10;
    Step();
    ASSERT_EQ(g.Play.Lives, 2);
    // The step reseeds from the clock after drawing the tiles; nothing else
    // draws before the debris.
    g.SeedRnd(g.Mills());
    int slot = 0;
    for (int i = 0; i < 20; i++) {
        int kind = g.Rand(2, 3);
        int hue = g.Rand(0, 34);
        ExpectThrow(slot++, kind, 10, (float)hue, 18.0f * i, 5);
    }
    for (int i = 0; i < 20; i++) {
        float angle = g.Rnd(0, 360);
        int kind = g.Rand(1, 3);
        int hue = g.Rand(0, 40);
        ExpectThrow(slot++, kind, 3, (float)hue, angle, 5);
    }
    EXPECT_EQ(g.Particles[slot * 10], 0);
}

TEST_F(PlayStep, SwitchSparksDrawInOrder) {
    MyGame& g = G();
    g.Put(20, 10, 16);
    g.Put(21, 10, 17);
    g.Put(30, 10, 26);
    g.Put(31, 10, 27);
    DropOnto(20, 10);
    Step();
    ASSERT_EQ(g.Play.SwitchesOn, 1);
    EXPECT_EQ(g.Particles[0], 99);  // the points first
    g.SeedRnd(g.Mills());
    int slot = 1;
    for (int cell = 0; cell < 2; cell++)
        for (int i = 0; i < 10; i++) {
            float speed = g.Rnd(2, 4), angle = g.Rnd(0, 360), hue = g.Rnd(0, 360);
            ExpectThrow(slot++, 2, 7, hue, angle, speed);
        }
    for (int cell = 0; cell < 2; cell++)
        for (int i = 0; i < 20; i++) {
            float speed = g.Rnd(3, 5), hue = g.Rnd(0, 360);
            ExpectThrow(slot++, 1, 1, hue, 18.0f * i, speed);
        }
    EXPECT_EQ(g.Particles[slot * 10], 0);
    EXPECT_EQ(g.Particles[1 * 10 + 1], 8 + 20 * 16);  // at the cells' centres
    EXPECT_EQ(g.Particles[21 * 10 + 1], 8 + 30 * 16);
}

// Deaths and the end of a game, played through the input poll: a respawn
// inside harm's way costs one life, and a game without lives scores nothing.
using namespace player;

class PlayDeaths : public player::PlayerTest {};

TEST_F(PlayDeaths, RespawnInHarmsWayCostsOneLifeThenASecondOfGrace) {
    Playing();
    PlayRecord& p = g.Play;
    // Brambles right where a lost bird comes back, and the bird in them,
    // flapping: no ledge under the respawn point to stand on.
    for (int x = 0; x < 50; x++) Cell(x, 20)[0] = 0;
    Cell(2, 19)[0] = 1;
    p.PlayerX = 2;
    p.PlayerY = 19;
    p.GroundTimer = 0;
    Hands().control[10] = 1;
    Update(20);
    EXPECT_EQ(p.Lives, 2) << "one death, one life";
    EXPECT_EQ(p.RespawnHold, 1);
    EXPECT_EQ(g.GameEnding, 0);

    // Let go: the bird falls through the brambles and out of the cave, and
    // is safe for about a second (60 frames of 1/60 s).
    LetGo();
    Update(60);
    EXPECT_EQ(p.Lives, 2);
    Update(20);
    EXPECT_EQ(p.Lives, 1) << "the grace ends";
}

TEST_F(PlayDeaths, WithoutLivesNothingIsLandedOnPickedUpOrScored) {
    struct Case {
        const char* what;
        int code, x, y;  // a tile placed at (x, y); the bird falls at (10, 19)
    } cases[] = {
        {"the open exit", 4, 10, 20},
        {"the active switch", 16, 10, 20},
        {"a chick", 20, 10, 19},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        Playing();
        PlayRecord& p = g.Play;
        for (int x = 0; x < 50; x++) Cell(x, 20)[0] = 0;
        Cell(c.x, c.y)[0] = (float)c.code;
        p.SwitchesOn = c.code == 4 ? 5 : 0;
        float switches = p.SwitchesOn;
        p.GroundTimer = 0;
        p.SpeedY = 1;
        // As the last death leaves it.
        p.Lives = -1;
        g.EndGame(1);
        Update(3);
        EXPECT_EQ(p.Score, 0);
        EXPECT_EQ(p.LevelNumber, 0);
        EXPECT_EQ(p.ScrollLeft, 0);
        EXPECT_EQ(p.SwitchesOn, switches);
        EXPECT_EQ(p.FollowerCount, 0);
        EXPECT_EQ(playtest::Code(c.x, c.y), c.code);
        TearDown();
    }
}

}  // namespace
