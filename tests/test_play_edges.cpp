// Where exactly the bird meets the cave: the windows within a cell in which
// walls, ceilings and a neighbour's edge take hold, the level timer at any
// step length, and where the fireballs of an arm sit.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "test_play_support.h"

using namespace playtest;

namespace {

class PlayEdges : public ::testing::Test {
protected:
    void SetUp() override {
        FreshGame();
        EmptyLevel();
        G().Difficulty = 2;
    }
    void TearDown() override { ThawClock(); }

    static void Bird(float x, float y, float sx, float sy) {
        PlayRecord& p = G().Play;
        p.PlayerX = x;
        p.PlayerY = y;
        p.SpeedX = sx;
        p.SpeedY = sy;
        p.GroundTimer = 0;
    }
};

// The bird's cell position u = (x + 0.5) mod 1: a wall on the left stops it
// while u < 0.35, one on the right while u > 0.65; a bird more than 0.15
// below a row's centre also feels walls in the row beneath.
TEST_F(PlayEdges, WallsStopSidewaysSpeedWithinTheirWindow) {
    struct Case {
        int wallX, wallY;
        float x, y, speed;
        bool stopped;
    } cases[] = {
        {20, 10, 20.6f, 10, -1, true},     // u = 0.1
        {20, 10, 20.75f, 10, -1, true},    // u = 0.25
        {20, 10, 20.83f, 10, -1, true},    // u = 0.33
        {20, 10, 20.9f, 10, -1, false},    // u = 0.4
        {20, 10, 20.6f, 10, 1, false},     // moving away from it
        {21, 10, 20.2f, 10, 1, true},      // u = 0.7
        {21, 10, 20.1f, 10, 1, false},     // u = 0.6
        {20, 11, 20.6f, 10.5f, -1, true},  // the row below, half a row down
        {20, 11, 20.6f, 10.2f, -1, true}, {20, 11, 20.6f, 10.1f, -1, false},
        {21, 11, 20.2f, 10.5f, 1, true},  {20, 9, 20.6f, 10.5f, -1, false},  // never the row above
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "wall " << c.wallX << "," << c.wallY << " bird " << c.x << "," << c.y
                                        << " speed " << c.speed);
        SetUp();
        G().Put(c.wallX, c.wallY, 3);
        Bird(c.x, c.y, c.speed, 0);
        Controls(0, 0, 0);
        Step();
        // Unstopped, the released controls take 0.35 off the speed.
        EXPECT_FLOAT_EQ(G().Play.SpeedX, c.stopped ? 0 : c.speed * 0.65f);
    }
}

// A rising bird within a quarter row below a row's centre hits a solid
// cell above it, or above its neighbour when it overhangs by more than
// 0.35 of a cell; the ground works the same way for a falling bird.
TEST_F(PlayEdges, CeilingAndGroundTakeHoldWithinTheirWindow) {
    struct Case {
        int cellX, cellY;
        float x, y, speedY;
        bool held;
    } cases[] = {
        // ceilings
        {30, 4, 30, 5.1f, -2, true},
        {30, 4, 30, 5.2f, -2, true},
        {30, 4, 30, 5.3f, -2, false},
        {30, 4, 30, 5.5f, -2, false},
        {31, 4, 30.4f, 5.1f, -2, true},   // u = 0.9
        {31, 4, 30.3f, 5.1f, -2, false},  // u = 0.8
        {29, 4, 29.6f, 5.1f, -2, true},   // u = 0.1
        {29, 4, 29.7f, 5.1f, -2, false},  // u = 0.2
        {30, 4, 30, 5.1f, 0.5f, false},   // falling away from it
        {31, 4, 30.4f, 5.1f, 0.5f, false},
        {29, 4, 29.6f, 5.1f, 0.5f, false},
        // ground
        {10, 15, 10, 14, 1, true},
        {11, 15, 10.4f, 14, 1, true},  // standing on the neighbour's edge
        {11, 15, 10.3f, 14, 1, false},
        {9, 15, 9.6f, 14, 1, true},
        {9, 15, 9.7f, 14, 1, false},
        {10, 15, 10, 14, -1, false},  // rising through the probe
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "cell " << c.cellX << "," << c.cellY << " bird " << c.x << "," << c.y
                                        << " speed " << c.speedY);
        SetUp();
        G().Put(c.cellX, c.cellY, 3);
        Bird(c.x, c.y, 0, c.speedY);
        Step();
        PlayRecord& p = G().Play;
        float row = std::floor(c.y);
        if (c.held) {
            // Put on the row, speed gone, then this step's gravity.
            EXPECT_EQ(p.PlayerY, row);
            EXPECT_FLOAT_EQ(p.SpeedY, 0.15f * 0.9f);
        } else {
            EXPECT_FLOAT_EQ(p.PlayerY, c.y + 0.08f * c.speedY * 0.9f);
            EXPECT_FLOAT_EQ(p.SpeedY, c.speedY + 0.15f * 0.9f);
        }
        EXPECT_EQ(p.GroundTimer, c.held && c.speedY > 0 ? 2 : 0);
    }
}

TEST_F(PlayEdges, LevelTimeRunsByTheStepLength) {
    struct Case {
        float step, before, scroll, after;
    } cases[] = {
        {1, 3629, 0, 3628},      {0.5f, 3629, 0, 3628.5f}, {2.5f, 3629, 0, 3626.5f},
        {7.68f, 100, 0, 92.32f}, {7.68f, 5, 0, 0},         {3, 3629, 20, 3629},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "step " << c.step << " from " << c.before);
        SetUp();
        G().FrameFactor = c.step;
        G().Play.TimeLeft = c.before;
        G().Play.ScrollLeft = c.scroll;
        Bird(25, 12, 0, 0);
        Step();
        EXPECT_NEAR(G().Play.TimeLeft, c.after, 1e-3);
    }
}

// An arm of six balls pointing right from cell (30, 10), whose centre is at
// (488, 268) on screen: three quarters of a 16-pixel tile apart, each ball
// drawn twice (glow, then core) at the same place.
TEST_F(PlayEdges, FireballsSitThreeQuartersOfATileApart) {
    MyGame& g = G();
    g.Put(30, 10, 11);
    Cell(30, 10)[5] = 90;
    Cell(30, 10)[6] = 0;
    Cell(30, 10)[7] = 6;
    Bird(10, 5, 0, 0);
    Step();
    std::vector<ShownImage> balls;
    for (const ShownImage& i : ImagesDrawn())
        if (i.slot == 3) balls.push_back(i);
    ASSERT_EQ(balls.size(), 12u);
    for (int i = 0; i < 6; i++)
        for (int k = 0; k < 2; k++) {
            EXPECT_NEAR(balls[2 * i + k].x, 488 + 12 * i, 1e-3) << i;
            EXPECT_NEAR(balls[2 * i + k].y, 268, 1e-3) << i;
        }
    // Pointing down (180 degrees) the arm hangs below the hub.
    Cell(30, 10)[5] = 180;
    Step();
    balls.clear();
    for (const ShownImage& i : ImagesDrawn())
        if (i.slot == 3) balls.push_back(i);
    ASSERT_EQ(balls.size(), 12u);
    EXPECT_NEAR(balls[10].x, 488, 1e-3);
    EXPECT_NEAR(balls[10].y, 268 + 60, 1e-3);
}

}  // namespace
