// Level generation: the layout rules hold for every difficulty and level,
// and the generator's draws come in the documented order.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "gameplay/play_steps.h"
#include "test_level_support.h"

using namespace playtest;

namespace {

class LevelGen : public LevelTest {};

// Every rule of the finished level that does not depend on the draws.
static void CheckLayout(int D, int L, int clock) {
    SCOPED_TRACE(testing::Message() << "difficulty " << D << " level " << L << " clock " << clock);
    auto next = [](int x, int y) { return Cell(x, y + 100); };
    int count[64] = {0};
    int switchX[6] = {0}, switchY[6] = {0};
    for (int x = 0; x < 50; x++)
        for (int y = 0; y < 25; y++) {
            const float* c = next(x, y);
            for (int f = 0; f < 10; f++) {
                ASSERT_NE(c[f], 60);
                ASSERT_NE(c[f], 62);
            }
            int code = (int)c[0];
            ASSERT_GE(code, 0);
            ASSERT_LT(code, 64);
            count[code]++;
            bool left = x <= 4, right = x >= 45;
            int ledge = 0;
            if (left) ledge = y == 20 ? 2 : y > 20 ? 3 : 0;
            if (right) ledge = y == 20 ? 4 : y > 20 ? 5 : 0;
            if (ledge) {
                EXPECT_EQ(code, ledge) << x << "," << y;
            } else {
                EXPECT_FALSE(code >= 2 && code <= 5) << x << "," << y;
            }
            if (y == 0) {
                EXPECT_EQ(code, 1) << x;
            }
            if ((left || right) && y > 10) {
                EXPECT_NE(code, 1) << x << "," << y;
            }
            if (code % 10 == 6 && code >= 16 && code <= 56) {
                switchX[code / 10] = x;
                switchY[code / 10] = y;
                EXPECT_EQ((int)next(x + 1, y)[0], code + 1);
            }
            if (code == 11) {
                EXPECT_GE(c[5], 0);
                EXPECT_LT(c[5], 360);
                EXPECT_GE(std::fabs(c[6]), 1);
                EXPECT_LE(std::fabs(c[6]), 3);
                EXPECT_EQ(c[6], std::floor(c[6]));
                EXPECT_GE(c[7], 4);
                EXPECT_LE(c[7], 9);
            } else {
                for (int f = 1; f < 10; f++) EXPECT_EQ(c[f], 0);
            }
            // Chicks and spinners go on cells the corridors marked, which
            // run from column 3 to 45.
            if (code == 11 || (code >= 20 && code <= 22)) {
                EXPECT_GE(x, 3);
                EXPECT_LE(x, 45);
            }
            if (code >= 20 && code <= 22) {
                int lo[3] = {0, 15, 35}, hi[3] = {15, 33, 49};
                EXPECT_GE(x, lo[code - 20]);
                EXPECT_LE(x, hi[code - 20]);
            }
        }
    for (int k = 1; k <= 5; k++) {
        EXPECT_EQ(count[k * 10 + 6], 1) << "switch " << k;
        EXPECT_EQ(count[k * 10 + 7], 1) << "switch " << k;
    }
    EXPECT_EQ(count[6] + count[7] + count[12], 0);
    for (int c = 20; c <= 22; c++) EXPECT_LE(count[c], 1);
    int spinners = count[11];
    EXPECT_LE(spinners, 3);
    if (D == 1) {
        EXPECT_LE(spinners, 1);
    }
    if ((D == 1 && L < 3) || (D == 2 && L < 2)) {
        EXPECT_EQ(spinners, 0);
    }

    // Every switch stands in its clearing: no bramble in the cut-cornered
    // block around it.
    static const int rows[6] = {0x0C, 0x1E, 0x3F, 0x3F, 0x3F, 0x1E};
    for (int k = 1; k <= 5; k++)
        for (int r = 0; r < 6; r++)
            for (int cc = 0; cc < 6; cc++) {
                if (!(rows[r] & (0x20 >> cc))) continue;
                int x = switchX[k] - 2 + cc, y = switchY[k] - 4 + r;
                if (x < 0 || x >= 50 || y < 0 || y >= 25) continue;
                EXPECT_NE((int)next(x, y)[0], 1) << "clearing of switch " << k << " at " << x << "," << y;
            }
    // The narrow corridor leaves at least four bramble-free rows in a run in
    // every column from 4 to 44.
    for (int x = 4; x <= 44; x++) {
        int run = 0, best = 0;
        for (int y = 0; y < 25; y++) {
            run = (int)next(x, y)[0] == 1 ? 0 : run + 1;
            if (run > best) best = run;
        }
        EXPECT_GE(best, 4) << "column " << x;
    }
}

TEST_F(LevelGen, LayoutRulesHoldOnEveryDifficultyAndLevel) {
    MyGame& g = G();
    int spinnersSeen[4][21] = {{0}};
    for (int D = 1; D <= 3; D++)
        for (int L = 1; L <= 20; L++)
            for (int s = 0; s < 12; s++) {
                int clock = 5000 + 7919 * s + 131 * L + 17 * D;
                Make(D, L, clock);
                ASSERT_EQ(jRand_Seed, clock);
                EXPECT_EQ(g.Play.LevelNumber, L);
                CheckLayout(D, L, clock);
                if (HasFailure()) return;
                for (int x = 0; x < 50; x++)
                    for (int y = 0; y < 25; y++)
                        if (Next(x, y) == 11) spinnersSeen[D][L]++;
            }
    // Hard may have spinners from level 1, Normal from level 2, Easy from 3.
    EXPECT_GT(spinnersSeen[3][1], 0);
    EXPECT_GT(spinnersSeen[2][2], 0);
    int easyLater = 0;
    for (int L = 3; L <= 20; L++) easyLater += spinnersSeen[1][L];
    EXPECT_GT(easyLater, 0);
}

TEST_F(LevelGen, PlayRecordIsSetForTheScroll) {
    MyGame& g = G();
    PlayRecord& p = g.Play;
    p.FollowerCount = 2;
    p.FollowerKind[0] = 1;
    p.FollowerKind[1] = 3;
    p.SwitchesOn = 5;
    p.ChickX[1] = 300;
    g.TrailX[50] = 12;
    g.KeyLock[bh::kLockFlap] = 0;
    Make(2, 4, 12345);
    EXPECT_EQ(p.LevelNumber, 4);
    EXPECT_EQ(p.TimeLeft, 3629);
    EXPECT_EQ(p.FollowerCount, 0);
    for (int j = 0; j < 3; j++) EXPECT_EQ(p.FollowerKind[j], 0);
    for (int k = 0; k < 3; k++) EXPECT_EQ(p.ChickX[k], -256);
    EXPECT_EQ(g.TrailX[50], -256);
    EXPECT_EQ(p.MapWidth, 50);
    EXPECT_EQ(p.MapHeight, 25);
    EXPECT_EQ(p.TileSize, 16);
    EXPECT_EQ(p.TileScale, 0.5f);
    EXPECT_EQ(p.SwitchesOn, 0);
    EXPECT_EQ(p.ScrollLeft, 50);
    EXPECT_EQ(g.KeyLock[bh::kLockFlap], bh::kFlapLockHeld);
}

TEST_F(LevelGen, OldLevelIsBackInTheLiveRows) {
    G();
    srand(3);
    std::vector<float> before(50 * 25 * 10);
    for (int y = 0; y < 25; y++)
        for (int x = 0; x < 50; x++)
            for (int f = 0; f < 10; f++) {
                float v = (float)(rand() % 70);
                Cell(x, y)[f] = v;
                before[(y * 50 + x) * 10 + f] = v;
            }
    // Columns 50-59 are not part of the level and stay as they are.
    Cell(55, 3)[0] = 42;
    Make(3, 7, 999);
    for (int y = 0; y < 25; y++)
        for (int x = 0; x < 50; x++)
            for (int f = 0; f < 10; f++) {
                ASSERT_EQ(Cell(x, y)[f], before[(y * 50 + x) * 10 + f]) << x << "," << y;
                ASSERT_EQ(Cell(x, y + 50)[f], before[(y * 50 + x) * 10 + f]) << x << "," << y;
            }
    EXPECT_EQ(Cell(55, 3)[0], 42);
    EXPECT_EQ(Cell(55, 103)[0], 0);
}

TEST_F(LevelGen, SameClockSameCave) {
    Make(2, 5, 424242);
    std::vector<float> first(Cell(0, 100), Cell(0, 125));
    Make(2, 5, 424242);
    std::vector<float> second(Cell(0, 100), Cell(0, 125));
    EXPECT_EQ(first, second);
    Make(2, 5, 424243);
    std::vector<float> third(Cell(0, 100), Cell(0, 125));
    EXPECT_NE(first, third);
}

// Replays the documented draws of an Easy level 1 (no streaks, density 29)
// up to the switch places, and checks the cave against them.
TEST_F(LevelGen, EasyFirstLevelFollowsTheDrawOrder) {
    MyGame& g = G();
    for (int clock : {1000, 77777, 31337, 2000000}) {
        SCOPED_TRACE(clock);
        Make(1, 1, clock);
        g.SeedRnd(clock);
        int order[5] = {0, 1, 2, 3, 4};
        for (int i = 0; i < 5; i++) std::swap(order[i], order[g.Rand(0, 4)]);
        int fill[50][25];
        for (int x = 0; x < 50; x++)
            for (int y = 0; y < 25; y++) {
                int t = y == 0 ? 1 : 0;
                if (g.Rnd(0, 29) < 2) t = 1;
                bool margin = x <= 4 || x > 44;
                if (margin && y > 8 && g.Rnd(0, 4) < 3) t = 0;
                if (margin && y > 10) t = 0;
                if (margin && y >= 20) t = x <= 4 ? (y == 20 ? 2 : 3) : (y == 20 ? 4 : 5);
                fill[x][y] = t;
            }
        for (int i = 0; i < 5; i++) {
            int sx = i * 8 + g.Rand(1, 7) + 4;
            int sy = g.Rand(5, 21);
            if (i == 0 || i == 4) sy = g.Rand(10, 19);
            int k = (order[i] + 1) * 10;
            EXPECT_EQ(Next(sx, sy), k + 6) << "switch " << i;
            EXPECT_EQ(Next(sx + 1, sy), k + 7) << "switch " << i;
            fill[sx][sy] = fill[sx + 1][sy] = -1;
        }
        // Brambles only where the fill put them (corridors and clearings
        // remove some); every other cell the fill left is unchanged.
        int kept = 0;
        for (int x = 0; x < 50; x++)
            for (int y = 0; y < 25; y++) {
                int c = Next(x, y);
                if (fill[x][y] < 0) continue;
                if (c == 1) {
                    EXPECT_EQ(fill[x][y], 1) << x << "," << y;
                    kept++;
                }
                if (fill[x][y] >= 2) {
                    EXPECT_EQ(c, fill[x][y]);
                }
            }
        EXPECT_GE(kept, 50);  // at least the top row
    }
}

// The first corridor alone, dug through a cave of solid brambles: whatever
// rows the switches sit in (the end ones stay between rows 10 and 19), it
// runs into the clearing each switch stands in, so no switch is walled in.
// (A switch low on the left with the next one high can pull it short of the
// switch's own row; the clearing still joins them.)
TEST_F(LevelGen, FirstCorridorRunsIntoEverySwitchsClearing) {
    MyGame& g = G();
    static const int clearing[6] = {0x0C, 0x1E, 0x3F, 0x3F, 0x3F, 0x1E};  // as the cave cuts it
    const int columns[][5] = {{5, 15, 24, 33, 43}, {11, 19, 27, 35, 43}, {5, 13, 21, 29, 37}};
    const int rows[][5] = {{10, 5, 21, 5, 19}, {19, 21, 5, 21, 10}, {10, 21, 21, 5, 10}, {19, 5, 5, 21, 19}};
    for (const auto& xs : columns)
        for (const auto& ys : rows)
            for (int clock = 1000; clock < 1000 + 40 * 977; clock += 977) {
                SCOPED_TRACE(testing::Message()
                             << "clock " << clock << " switches at x " << xs[0] << ", y " << ys[0] << " ...");
                for (int x = 0; x < 50; x++)
                    for (int y = 0; y < 25; y++) g.Put(x, y, 1);
                for (int i = 0; i < 5; i++) {
                    g.SwitchX[i] = (float)xs[i];
                    g.SwitchY[i] = (float)ys[i];
                    g.Put(xs[i], ys[i], 16);
                    g.Put(xs[i] + 1, ys[i], 17);
                }
                g.SeedRnd(clock);
                DigCorridor(g, 3, true);
                for (int i = 0; i < 5; i++) {
                    bool met = false;
                    for (int r = 0; r < 6; r++)
                        for (int c = 0; c < 6; c++)
                            if ((clearing[r] & (0x20 >> c)) && Code(xs[i] - 2 + c, ys[i] - 4 + r) == 60) met = true;
                    ASSERT_TRUE(met) << "switch " << i;
                }
            }
}

}  // namespace
