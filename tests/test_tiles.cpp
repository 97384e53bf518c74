// The tile map's reads, writes, solidity and switch clearings.
#include <gtest/gtest.h>

#include "test_play_support.h"

using namespace playtest;

namespace {

class TilesMap : public ::testing::Test {
protected:
    void SetUp() override {
        FreshGame();
        EmptyLevel();
    }
    void TearDown() override { ThawClock(); }
};

TEST_F(TilesMap, SolidityOfEveryCode) {
    struct Case {
        float code;
        int solid, solid2;
    };
    const Case cases[] = {
        {0, 0, 0},  {1, 0, 0},  {2, 1, 1},  {3, 1, 1},  {4, 1, 1},  {5, 1, 1},     {6, 1, 1},     {7, 1, 1},
        {11, 0, 0}, {12, 0, 0}, {16, 1, 1}, {17, 1, 1}, {20, 0, 0}, {21, 0, 1},    {22, 0, 1},    {26, 0, 1},
        {27, 0, 1}, {56, 0, 1}, {57, 0, 1}, {60, 0, 1}, {62, 0, 1}, {16.9f, 1, 1}, {1.99f, 0, 0},
    };
    MyGame& g = G();
    for (const Case& c : cases) {
        g.Put(10, 10, c.code);
        EXPECT_EQ(g.Solid(10, 10), c.solid) << c.code;
        EXPECT_EQ(g.Solid2(10, 10), c.solid2) << c.code;
        EXPECT_EQ(g.isAt(10, 10), (int)c.code) << c.code;
    }
}

TEST_F(TilesMap, OutsideIsSolidReadsZeroAndIgnoresPut) {
    MyGame& g = G();
    const int outside[][2] = {{-1, 5}, {50, 5}, {5, -1}, {5, 25}, {59, 0}, {60, 0}, {-1, -1}, {1000, 1000}};
    for (const auto& o : outside) {
        EXPECT_EQ(g.Solid(o[0], o[1]), 1) << o[0] << "," << o[1];
        EXPECT_EQ(g.Solid2(o[0], o[1]), 1) << o[0] << "," << o[1];
        EXPECT_EQ(g.isAt(o[0], o[1]), 0) << o[0] << "," << o[1];
        g.Put(o[0], o[1], 3);
    }
    // Row 0 column 50 is the same row as the live level; row 25 the row below.
    EXPECT_EQ(Cell(50, 5)[0], 0);
    EXPECT_EQ(Cell(5, 25)[0], 0);
    EXPECT_EQ(Cell(59, 0)[0], 0);
    EXPECT_EQ(Cell(0, 1)[0], 0);  // column 60 of row 0 would be here

    // Put writes field 0 only.
    Cell(3, 3)[5] = 123;
    g.Put(3, 3, 11);
    EXPECT_EQ(Cell(3, 3)[0], 11);
    EXPECT_EQ(Cell(3, 3)[5], 123);
}

TEST_F(TilesMap, AfterFlushEveryCellIsOutside) {
    MyGame& g = G();
    g.Put(5, 5, 3);
    g.FlushGame();
    for (int x = -1; x < 61; x += 7)
        for (int y = -1; y < 30; y += 3) {
            EXPECT_EQ(g.Solid(x, y), 1);
            EXPECT_EQ(g.Solid2(x, y), 1);
            EXPECT_EQ(g.isAt(x, y), 0);
        }
}

// The clearing's shape, drawn as rows y-4 .. y+1 of columns x-2 .. x+3.
static const char* const ClearingShape[6] = {
    "..##..", ".####.", "######", "######", "##SS##", ".####.",
};

TEST_F(TilesMap, ClearingMarksItsShapeAndSparesTakenCells) {
    MyGame& g = G();
    for (int x = 0; x < 50; x++)
        for (int y = 0; y < 25; y++) g.Put(x, y, 1);
    g.Put(20, 10, 16);
    g.Put(21, 10, 17);
    g.Put(23, 8, 26);  // another switch inside the block
    g.Put(18, 7, 3);   // a ledge cell inside the block
    g.Put(19, 9, 20);  // a free chick cell is cleared like any free cell
    g.Clearing(20, 10);
    for (int r = 0; r < 6; r++)
        for (int c = 0; c < 6; c++) {
            int x = 18 + c, y = 6 + r;
            char want = ClearingShape[r][c];
            int expect = want == '#' ? 62 : want == 'S' ? (x == 20 ? 16 : 17) : 1;
            if (x == 23 && y == 8) expect = 26;
            if (x == 18 && y == 7) expect = 3;
            EXPECT_EQ(Code(x, y), expect) << x << "," << y;
        }
    // Nothing outside the block changed.
    EXPECT_EQ(Code(17, 8), 1);
    EXPECT_EQ(Code(24, 8), 1);
    EXPECT_EQ(Code(20, 5), 1);
    EXPECT_EQ(Code(20, 12), 1);
}

TEST_F(TilesMap, ClearingAtTheEdgeMarksOnlyInsideCells) {
    MyGame& g = G();
    g.Put(49, 24, 7);
    g.Clearing(48, 1);  // rows -3 .. 2, columns 46 .. 51
    int marked = 0;
    for (int x = 0; x < 60; x++)
        for (int y = 0; y < 30; y++)
            if (Cell(x, y)[0] == 62) marked++;
    // Rows 0..2 inside, columns 46..49: row 0 (y-1) 4, row 1 (y) 2 besides
    // the switch cells 48 and 49, which are free here, so 4; row 2 (y+1) 3.
    EXPECT_EQ(marked, 4 + 4 + 3);
    EXPECT_EQ(Code(49, 24), 7);
    EXPECT_EQ(Cell(50, 0)[0], 0);
    EXPECT_EQ(Cell(0, 1)[0], 0);
}

}  // namespace
