// The particle pool and score awards.
#include <gtest/gtest.h>

#include "test_play_support.h"

using namespace playtest;

namespace {

class ParticlesPool : public ::testing::Test {
protected:
    void SetUp() override {
        FreshGame();
        G().SeedRnd(1000);
    }
    void TearDown() override { ThawClock(); }
    static float* Slot(int i) { return &ThisGame.Particles[i * 10]; }
    static int Used() {
        int n = 0;
        for (int i = 0; i < 260; i++)
            if (Slot(i)[0] != 0) n++;
        return n;
    }
};

TEST_F(ParticlesPool, ThrowFillsTheFirstFreeSlot) {
    MyGame& g = G();
    g.ThrowParticle(100, 200, 45, 7, 2, 90, 4);
    const float* p = Slot(0);
    EXPECT_EQ(p[0], 2);
    EXPECT_EQ(p[1], 100);
    EXPECT_EQ(p[2], 200);
    EXPECT_NEAR(p[3], 4, 1e-5);  // angle 90 points right
    EXPECT_NEAR(p[4], 0, 1e-5);
    EXPECT_GE(p[5], 0);
    EXPECT_LT(p[5], 360);
    EXPECT_GE(p[6], -2);
    EXPECT_LT(p[6], 2);
    EXPECT_EQ(p[7], 1.5f);
    EXPECT_EQ(p[8], 45);
    EXPECT_GE(p[9], 84);  // a frame of row 7
    EXPECT_LE(p[9], 95);

    // A bouncing particle keeps its bounce line in field 6 instead of a spin;
    // a negative row still picks a frame on the sheet.
    g.ThrowParticle(10, 50, 0, -1, 3, 180, 2);
    p = Slot(1);
    EXPECT_NEAR(p[4], 2, 1e-5);  // angle 180 points down
    EXPECT_GE(p[6], 62);
    EXPECT_LT(p[6], 70);
    EXPECT_GE(p[9], 132);
    EXPECT_LE(p[9], 143);
}

TEST_F(ParticlesPool, DrawOrderMatchesTheGenerator) {
    // Rotation, spin, then the frame: replaying the draws gives the same slot.
    MyGame& g = G();
    g.SeedRnd(77);
    g.ThrowParticle(0, 0, 0, 2, 1, 0, 1);
    g.SeedRnd(77);
    float rot = g.Rnd(0, 360), spin = g.Rnd(-2, 2);
    int frame = g.Rand(0, 11) + 24;
    EXPECT_EQ(Slot(0)[5], rot);
    EXPECT_EQ(Slot(0)[6], spin);
    EXPECT_EQ(Slot(0)[9], frame);
}

TEST_F(ParticlesPool, FullPoolDropsEffectsButGimmeStillScores) {
    MyGame& g = G();
    for (int i = 0; i < 300; i++) g.ThrowParticle(1, 1, 0, 0, 1, 0, 1);
    EXPECT_EQ(Used(), 256);
    EXPECT_EQ(Slot(256)[0], 0);
    int before = jRand_Count;
    g.ThrowParticle(1, 1, 0, 0, 1, 0, 1);
    EXPECT_EQ(jRand_Count, before);  // a dropped effect draws nothing
    g.Play.Score = 10;
    g.Gimme(25, 5, 5);
    EXPECT_EQ(g.Play.Score, 35);
    EXPECT_EQ(Used(), 256);
}

TEST_F(ParticlesPool, FreedSlotsAreReusedLowestFirst) {
    MyGame& g = G();
    for (int i = 0; i < 10; i++) g.ThrowParticle(1, 1, 0, 0, 1, 0, 1);
    Slot(3)[0] = 0;
    Slot(7)[0] = 0;
    g.Gimme(5, 40, 50);
    EXPECT_EQ(Slot(3)[0], 99);
    g.ThrowParticle(1, 1, 0, 0, 2, 0, 1);
    EXPECT_EQ(Slot(7)[0], 2);
    g.ThrowParticle(1, 1, 0, 0, 2, 0, 1);
    EXPECT_EQ(Slot(10)[0], 2);
}

TEST_F(ParticlesPool, ScoreNumberDefaultsToHue60) {
    MyGame& g = G();
    g.Gimme(125, 40, 50);
    g.Gimme(7, 40, 50, 200);
    const float* a = Slot(0);
    EXPECT_EQ(a[0], 99);
    EXPECT_EQ(a[8], 60);
    EXPECT_EQ(a[9], 125);
    EXPECT_EQ(a[7], 1.5f);
    for (int f = 3; f <= 6; f++) EXPECT_EQ(a[f], 0);
    EXPECT_EQ(Slot(1)[8], 200);
    EXPECT_EQ(g.Play.Score, 132);
}

TEST_F(ParticlesPool, LifetimesAndMotion) {
    MyGame& g = G();
    g.ThrowParticle(100, 100, 0, 0, 1, 90, 2);  // drifting
    g.ThrowParticle(100, 100, 0, 0, 2, 90, 0);  // falling
    g.Gimme(10, 100, 100);                      // rising number
    int steps = 0, numberGone = 0;
    float lastY = 100;
    while (Slot(0)[0] != 0 && steps < 200) {
        ASys.DrawTo = 0;
        g.DoParticles();
        steps++;
        if (Slot(2)[0] != 0) {
            EXPECT_LE(Slot(2)[2], lastY);  // the number climbs, ever faster
            lastY = Slot(2)[2];
        } else if (!numberGone) {
            numberGone = steps;
        }
    }
    EXPECT_EQ(steps, 76);  // alpha 1.5 falls 0.02 a step until below 0
    EXPECT_EQ(numberGone, 31);
    EXPECT_LT(lastY, 100 - 0.05f * 28 * 29 / 2 + 0.1f);
    EXPECT_EQ(Slot(1)[0], 0);
    // The faller picked up speed every step: 0.25 per step.
    EXPECT_NEAR(Slot(1)[4], 0.25f * 76, 1e-3);
}

TEST_F(ParticlesPool, BouncerTurnsBackAtItsLine) {
    MyGame& g = G();
    g.ThrowParticle(100, 100, 0, 0, 3, 180, 5);
    float line = Slot(0)[6];
    bool bounced = false;
    for (int i = 0; i < 60 && Slot(0)[0] != 0; i++) {
        float y = Slot(0)[2];
        g.DoParticles();
        ASys.DrawTo = 0;
        if (Slot(0)[4] < 0) {
            bounced = true;
            EXPECT_GT(Slot(0)[2], line);
            EXPECT_GT(Slot(0)[2], y);
            EXPECT_LE(Slot(0)[4], -2);
            EXPECT_GT(Slot(0)[4], -5);
            break;
        }
    }
    EXPECT_TRUE(bounced);
}

TEST_F(ParticlesPool, KeepMovingOverEveryScreen) {
    // The main loop runs the pool whatever the mode: paused, title, game over.
    MyGame& g = G();
    g.LoadTo = 0;
    struct Mode {
        int mode, paused;
    } modes[] = {{99, 0}, {10, 1}};
    for (const Mode& m : modes) {
        g.FlushGame();
        g.GameMode = m.mode;
        g.Paused = m.paused;
        g.ThrowParticle(100, 100, 0, 0, 1, 90, 2);
        g.LoopTarget();
        EXPECT_EQ(Slot(0)[1], 102) << m.mode;
    }
    g.Paused = 0;
}

}  // namespace
