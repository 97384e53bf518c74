// Chicks, followers, spinners and the trail, driven through the play step.
#include <gtest/gtest.h>

#include <cmath>

#include "test_play_support.h"

using namespace playtest;

namespace {

// The bird hovers mid-cave, still (no speed, so it barely moves).
class Followers : public HoveringBird {
protected:
    static void Places(float a, float b, float c, int count) {
        PlayRecord& p = G().Play;
        p.FollowerKind[0] = a;
        p.FollowerKind[1] = b;
        p.FollowerKind[2] = c;
        p.FollowerCount = (float)count;
    }
    static void ExpectPlaces(float a, float b, float c) {
        const float* k = G().Play.FollowerKind;
        EXPECT_EQ(k[0], a);
        EXPECT_EQ(k[1], b);
        EXPECT_EQ(k[2], c);
    }
    // A still spinner at cell (x, y) whose arm points along 'angle'.
    static void Spinner(int x, int y, float angle, float speed, float arm) {
        G().Put(x, y, 11);
        Cell(x, y)[5] = angle;
        Cell(x, y)[6] = speed;
        Cell(x, y)[7] = arm;
    }
    static void FillTrail(float x, float y) {
        for (int i = 0; i < 100; i++) {
            G().TrailX[i] = x;
            G().TrailY[i] = y;
        }
    }
};

TEST_F(Followers, ChicksAreCollectedIntoTheNextPlace) {
    MyGame& g = G();
    PlayRecord& p = g.Play;
    struct Case {
        float birdX;
        int chickX, code;
    } cases[] = {
        {20, 20, 21},     // the cell under the bird
        {20.6f, 20, 22},  // a bobbing chick within a tile of the bird
        {20.4f, 21, 20},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        Bird(c.birdX, 10);
        g.Put(c.chickX, 10, (float)c.code);
        Step();
        n++;
        EXPECT_EQ(Code(c.chickX, 10), 0);
        EXPECT_EQ(p.FollowerKind[n - 1], c.code - 19);
        EXPECT_EQ(p.FollowerCount, n);
        EXPECT_EQ(p.Score, 10 * n);  // 10 a chick, whatever the multiplier
    }
}

TEST_F(Followers, KnockedOffPlaceIsRefilledInTheSameStep) {
    MyGame& g = G();
    // Knocked off from place 0: both others move up at once.
    Places(-1, 2, 3, 3);
    Step();
    ExpectPlaces(2, 3, 0);
    EXPECT_EQ(g.Play.FollowerCount, 2);
    // A chick collected while place 0 is still marked knocked-off takes the
    // place the count names, and the compaction puts it in line.
    Places(-1, 2, 0, 2);
    g.Put(20, 10, 22);
    Step();
    ExpectPlaces(2, 3, 0);
    EXPECT_EQ(g.Play.FollowerCount, 2);
}

TEST_F(Followers, ChickWaitsWhenNoPlaceIsFree) {
    // Three counted followers, one of them just knocked off: there is no
    // fourth place, so the chick stays until the line has closed up.
    MyGame& g = G();
    Places(-1, 2, 3, 3);
    g.Put(20, 10, 20);
    Step();
    EXPECT_EQ(Code(20, 10), 20);
    ExpectPlaces(2, 3, 0);
    Step();
    EXPECT_EQ(Code(20, 10), 0);
    ExpectPlaces(2, 3, 1);
    EXPECT_EQ(g.Play.FollowerCount, 3);
}

TEST_F(Followers, FireballKnocksAFollowerOffUnlessTheBirdStands) {
    MyGame& g = G();
    PlayRecord& p = g.Play;
    // Arm pointing right from cell (30, 10): balls at x = 488 + 12 i, y = 268.
    Spinner(30, 10, 90, 0, 9);
    FillTrail(536, 268);
    Places(2, 0, 0, 1);
    p.ChickX[1] = 536;
    p.ChickY[1] = 268;

    // Standing on a ledge, the fireballs pass through the chick.
    g.Put(20, 11, 3);
    p.SpeedY = 0.2f;
    for (int i = 0; i < 3; i++) Step();
    EXPECT_EQ(p.GroundTimer, 2);
    ExpectPlaces(2, 0, 0);

    // In the air it is knocked off, then falls four pixels a step.
    g.Put(20, 11, 0);
    Bird(20, 5);
    FillTrail(536, 268);
    p.ChickX[1] = 536;
    p.ChickY[1] = 268;
    p.GroundTimer = 0;
    Step();
    ExpectPlaces(-1, 0, 0);
    EXPECT_EQ(p.FollowerCount, 1);  // counted before the fireballs struck
    float y = p.ChickY[1];
    Step();
    EXPECT_EQ(p.ChickY[1], y + 4);
    EXPECT_EQ(p.FollowerCount, 0);
    for (int i = 0; i < 600; i++) Step();
    EXPECT_GE(p.ChickY[1], 3 * g.ScreenH);
    EXPECT_LT(p.ChickY[1], 3 * g.ScreenH + 4);
}

// Every kind of chick can be struck; the step after the bird leaves the
// ground still counts as standing.
TEST_F(Followers, FireballStrikesEveryKindOnceTheBirdIsAirborne) {
    MyGame& g = G();
    PlayRecord& p = g.Play;
    Spinner(30, 10, 90, 0, 9);
    struct Case {
        float kind, groundTimer;
        bool knocked;
    } cases[] = {{1, 0, true}, {2, 0, true}, {3, 0, true}, {2, 1, true}, {2, 2, false}, {3, 2, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " ground " << c.groundTimer);
        Bird(20, 5);
        FillTrail(536, 268);
        Places(c.kind, 0, 0, 1);
        int k = (int)c.kind - 1;
        p.ChickX[k] = 536;
        p.ChickY[k] = 268;
        p.GroundTimer = c.groundTimer;
        Step();
        EXPECT_EQ(p.FollowerKind[0], c.knocked ? -1 : c.kind);
    }
}

TEST_F(Followers, FollowersChaseTheirTrailSlots) {
    MyGame& g = G();
    PlayRecord& p = g.Play;
    for (int i = 0; i < 100; i++) {
        g.TrailX[i] = (float)(i * 10);
        g.TrailY[i] = (float)(i * 2);
    }
    Places(1, 2, 3, 3);
    for (int k = 0; k < 3; k++) p.ChickX[k] = p.ChickY[k] = 0;
    Step();
    // The trail moved up one slot first, so slot t now holds what t+1 held.
    const int chase[3] = {90, 80, 70};
    for (int j = 0; j < 3; j++) {
        EXPECT_FLOAT_EQ(p.ChickX[j], (chase[j] + 1) * 10 / 4.0f) << j;
        EXPECT_FLOAT_EQ(p.ChickY[j], (chase[j] + 1) * 2 / 4.0f) << j;
    }
    EXPECT_EQ(g.TrailX[99], 8 + 20 * 16);
    EXPECT_EQ(g.TrailY[99], 108 + 10 * 16);
    EXPECT_EQ(g.TrailX[98], 990);
    // Every follower is drawn twice: with the chicks and in its place.
    EXPECT_EQ(CountImages(1, 11), 6);

    g.NoTrail();
    ExpectPlaces(0, 0, 0);
    for (int i = 0; i < 100; i++) ASSERT_EQ(g.TrailX[i], -256);
}

TEST_F(Followers, SpinnersTurnByTheirSpeedAndKillOnTouch) {
    MyGame& g = G();
    PlayRecord& p = g.Play;
    Spinner(5, 5, 10, -3, 4);
    Spinner(40, 20, 350, 2, 4);
    g.FrameFactor = 2;
    Step();
    EXPECT_EQ(Cell(5, 5)[5], 4);
    EXPECT_EQ(Cell(40, 20)[5], 354);
    // Turning backwards, the angle runs negative but stays above -360.
    float lowest = 0;
    for (int i = 0; i < 200; i++) {
        Bird(20, 10);
        Step();
        lowest = std::fmin(lowest, Cell(5, 5)[5]);
        ASSERT_GT(Cell(5, 5)[5], -360);
        ASSERT_LE(Cell(5, 5)[5], 0.0f + 4);
    }
    EXPECT_LT(lowest, -300);
    EXPECT_EQ(p.Lives, 3);
    EXPECT_EQ(CountImages(3), 2 * 4 * 2);  // two balls drawn per fireball

    // A ball on the bird kills it: ball 4 of an arm pointing up from
    // (20, 14) sits three quarters of a tile per ball higher, on the bird.
    g.FrameFactor = 1;
    Spinner(20, 14, 0, 0, 6);
    Bird(20, 11);
    Step();
    EXPECT_EQ(p.Lives, 2);
}

}  // namespace
