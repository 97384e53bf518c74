// The level grid: cells of ten floats in rows of 60, and the small set of
// reads and writes that everything else goes through.
#include "play_steps.h"

float* TileCell(MyGame& g, int x, int y) {
    if (x < 0 || x >= MapStride || y < 0 || y >= MapRows) return nullptr;
    return &g.TileMap[(y * MapStride + x) * bh::kCellFloats];
}

// Inside the level as the play record sizes it. The stride check keeps a
// level wider than a row from spilling into the next row.
static bool Inside(MyGame& g, int x, int y) {
    return x >= 0 && y >= 0 && (float)x < g.Play.MapWidth && (float)y < g.Play.MapHeight && x < MapStride &&
           y < MapRows;
}

static int CodeAt(MyGame& g, int x, int y) { return (int)TileCell(g, x, y)[bh::kCellCode]; }

// The ledges, the switches and the exit hold the bird up.
static bool Ground(int c) { return (c >= bh::kTileStartTop && c <= bh::kTileSwitchOnRight) || IsActiveSwitch(c); }

int MyGame::Solid(int x, int y) {
    if (!Inside(*this, x, y)) return 1;
    return Ground(CodeAt(*this, x, y));
}

int MyGame::Solid2(int x, int y) {
    if (!Inside(*this, x, y)) return 1;
    int c = CodeAt(*this, x, y);
    return Ground(c) || c >= bh::kTileFirstTaken;
}

int MyGame::isAt(int x, int y) {
    if (!Inside(*this, x, y)) return 0;
    return CodeAt(*this, x, y);
}

void MyGame::Put(int x, int y, float code) {
    if (Inside(*this, x, y)) TileCell(*this, x, y)[bh::kCellCode] = code;
}

void MyGame::Clearing(int x, int y) {
    // Rows y-4 .. y+1 of a 6-wide block from x-2, corners cut; a bit per
    // column, x-2 in the highest bit.
    static const int rows[6] = {0x0C, 0x1E, 0x3F, 0x3F, 0x3F, 0x1E};
    for (int r = 0; r < 6; r++)
        for (int c = 0; c < 6; c++) {
            if (!(rows[r] & (0x20 >> c))) continue;
            int cx = x - 2 + c, cy = y - 4 + r;
            if (Inside(*this, cx, cy) && Solid2(cx, cy) == 0) Put(cx, cy, bh::kTileClearing);
        }
}
