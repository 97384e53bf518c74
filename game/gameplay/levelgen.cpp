// Building the next cave. The order of the generator's draws below is part
// of the game: a given seed must always give the same cave.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "play_steps.h"

// Every cave has the same size.
static const int LevelW = bh::kCaveWidth, LevelH = bh::kCaveHeight;

// A search that keeps missing the corridors would otherwise never end.
static const int MaxMisses = 1000000;

// The start area grown by its guard: a bird taking off from the ledge or
// climbing the shaft above it meets nothing in here.
static bool NearStart(double x, double y) {
    return x <= bh::kStartAreaRight + bh::kStartGuard && y >= bh::kStartAreaTop - bh::kStartGuard;
}

// How far a spinner's hub at (x, y) is from that guarded corner; its arm
// must stay shorter than this.
static double RoomFromStart(int x, int y) {
    double dx = std::max(0.0, (double)x - (bh::kStartAreaRight + bh::kStartGuard));
    double dy = std::max(0.0, (double)(bh::kStartAreaTop - bh::kStartGuard) - y);
    return std::sqrt(dx * dx + dy * dy);
}

static double ArmReach(int balls) { return bh::kSpinnerBallSpacing * (balls - 1); }

static void MarkCorridor(MyGame& g, int x, int y) {
    if (g.Solid2(x, y) == 0) g.Put(x, y, bh::kTileKeepClear);
}

// Draws places in column range [lo, hi] until one lies on a corridor cell
// with the free square around it that the shrinking radius asks for.
// Returns false when the search gives up; 'wanted' false ends the search at
// the first corridor cell (a spinner its mask leaves out). A place needs
// more than 'room' cells between it and the guarded start corner; a refusal
// costs a try like a crowded square, so the search still ends.
static bool FindPlace(MyGame& g, float lo, float hi, bool wanted, double room, int& px, int& py) {
    int r = 3, tries = 25, misses = 0;
    float H = g.Play.MapHeight;
    for (;;) {
        int x = g.Rand(lo, hi);
        int y = g.Rand(0, H);
        if (g.isAt(x, y) != bh::kTileKeepClear) {
            if (++misses > MaxMisses) {
                g.Debuglog("Level generation found no corridor cell");
                return false;
            }
            continue;
        }
        if (!wanted) return false;
        bool good = RoomFromStart(x, y) > room;
        for (int yy = y - r; yy <= y + r && good; yy++)
            for (int xx = x - r; xx <= x + r; xx++)
                if (g.isAt(xx, yy) != bh::kTileKeepClear) {
                    good = false;
                    break;
                }
        tries -= 1;
        if (tries < 0) {
            r -= 1;
            tries = 25;
        }
        if (good) {
            px = x;
            py = y;
            return true;
        }
        if (r < 0) return false;
    }
}

// The new level's number and clock, and the size every level has.
static void BeginLevel(MyGame& g) {
    PlayRecord& p = g.Play;
    p.LevelNumber += 1;
    p.TimeLeft = bh::kCaveClock;
    p.FollowerCount = 0;
    // The day's caves come from the date alone, the same for everyone that
    // day; any other game's from the clock.
    if (g.DailyDate != 0) g.SeedRnd((int)(((long long)g.DailyDate * 31 + (long long)p.LevelNumber) & 0x7fffffff));
    else g.SeedRnd();
    p.MapWidth = bh::kCaveWidth;
    p.MapHeight = bh::kCaveHeight;
    p.TileSize = 16;
    p.TileScale = 0.5f;
}

// The order in which the five switches must be lit.
static void ShuffleSwitchOrder(MyGame& g) {
    for (int i = 0; i < SwitchCount; i++) g.SwitchOrder[i] = (float)i;
    for (int i = 0; i < SwitchCount; i++) {
        int r = g.Rand(0, SwitchCount - 1);
        float t = g.SwitchOrder[i];
        g.SwitchOrder[i] = g.SwitchOrder[r];
        g.SwitchOrder[r] = t;
    }
}

// The level on show waits in the rows below while the new one is built in
// its place.
static void SetShownLevelAside(MyGame& g) {
    for (int x = 0; x < LevelW; x++)
        for (int y = 0; y < LevelH; y++) {
            memcpy(TileCell(g, x, y + bh::kLevelCopyRow), TileCell(g, x, y), bh::kCellFloats * sizeof(float));
            TileCell(g, x, y)[bh::kCellCode] = bh::kTileEmpty;
        }
}

static void BrambleStreaks(MyGame& g) {
    const float D = (float)g.Difficulty, L = g.Play.LevelNumber;
    int n = (int)(D * L);
    if (g.Difficulty == bh::kDifficultyEasy) n = (int)(L / 2);
    for (int s = 0; s < 2 * n; s++) {
        int len = g.Rand(5, 9);
        int x = g.Rand(0, LevelW);
        int y = g.Rand(0, LevelH);
        int dir = g.Rand(0, 1);
        for (int i = 0; i < len; i++) {
            if (dir == 1) {
                g.Put(x, y + i, bh::kTileBramble);
                g.Put(x, y - i, bh::kTileBramble);
            } else {
                g.Put(x + i, y, bh::kTileBramble);
                g.Put(x - i, y, bh::kTileBramble);
            }
        }
    }
}

// Scattered brambles, the free margins and the two ledges.
static void ScatterAndLedges(MyGame& g) {
    const int W = LevelW, H = LevelH;
    int d = (int)(30 - (float)g.Difficulty * g.Play.LevelNumber);
    if (d <= 3) d = 4;
    for (int x = 0; x < W; x++)
        for (int y = 0; y < H; y++) {
            float* cell = TileCell(g, x, y);
            int t = bh::kTileEmpty;
            if ((int)cell[bh::kCellCode] == bh::kTileBramble) t = bh::kTileBramble;
            if (y == 0) t = bh::kTileBramble;
            if (g.Rnd(0, (float)d) < 2) t = bh::kTileBramble;
            bool left = x <= 4, right = x > W - 6;
            if ((left || right) && y > 8 && g.Rnd(0, 4) < 3) t = bh::kTileEmpty;
            if ((left || right) && y > 10) t = bh::kTileEmpty;
            if (NearStart(x, y)) t = bh::kTileEmpty;
            if (left && y > H - 6) t = bh::kTileStartTop;
            if (right && y > H - 6) t = bh::kTileExitTop;
            if (left && y > H - 5) t = bh::kTileStartBody;
            if (right && y > H - 5) t = bh::kTileExitBody;
            cell[bh::kCellCode] = (float)t;
            for (int f = 1; f < bh::kCellFloats; f++) cell[f] = 0;
        }
}

// Switch places, one per stretch of 8 columns.
static void PlaceSwitches(MyGame& g) {
    const int H = LevelH;
    const int step = (int)((LevelW - 8) / SwitchCount);
    for (int i = 0; i < SwitchCount; i++) {
        g.SwitchX[i] = (float)(i * step + g.Rand(1, step - 1) + 4);
        g.SwitchY[i] = (float)g.Rand(5, H - 4);
        if (i == 0 || i == SwitchCount - 1) g.SwitchY[i] = (float)g.Rand(10, H - 6);
    }
    // The first in line is active, the others wait a step further up each.
    for (int i = 0; i < SwitchCount; i++) {
        int k = (int)(g.SwitchOrder[i] + 1) * bh::kSwitchStep;
        int x = (int)std::floor(g.SwitchX[i]), y = (int)std::floor(g.SwitchY[i]);
        g.Put(x, y, (float)(k + bh::kTileSwitchOnLeft));
        g.Put(x + 1, y, (float)(k + bh::kTileSwitchOnRight));
        g.Clearing(x, y);
    }
}

// Near switch j the corridor steps towards its row, three cells wide; at
// the switch's own column it takes up to twelve steps, which with the
// clearing is enough to reach the switch from any row.
static void BendToSwitch(MyGame& g, int x, int& y, int j) {
    bool at = (float)x == g.SwitchX[j];
    if (!(std::fabs(g.SwitchX[j] - (x + 5)) < 5 || at)) return;
    int s = g.Rand(2, 4);
    if (at) s = 12;
    for (int c = -1; c <= 1; c++) MarkCorridor(g, x + c, y);
    for (int k = 0; k < s; k++) {
        if (y < g.SwitchY[j]) y++;
        else if (y > g.SwitchY[j]) y--;
        for (int c = -1; c <= 1; c++) MarkCorridor(g, x + c, y);
    }
}

// A corridor wandering from the left margin to the right one, 2 * half
// rows high; kept free of brambles when the markers are cleared.
void DigCorridor(MyGame& g, int half, bool toSwitches) {
    const int W = LevelW, H = LevelH;
    int y = g.Rand(8, H - 7);
    for (int x = 4; x < W - 5; x++) {
        for (int yy = y - half; yy < y + half; yy++) MarkCorridor(g, x, yy);
        if (toSwitches)
            for (int j = 0; j < SwitchCount; j++) BendToSwitch(g, x, y, j);
        if (x > W - 12 && y <= 7) y += 2;
        if (x > W - 12 && y > H - 8) y -= 2;
        y += g.Rand(-1, 1);
        if (y <= 3) y = 4;
        if (y > H - 2) y = H - 2;
    }
}

// The left, middle and right of the cave, where the chicks and spinners go.
static const float ThirdLo[3] = {0, (float)(0.3 * LevelW), (float)(0.7 * LevelW)};
static const float ThirdHi[3] = {(float)(0.3 * LevelW), (float)(0.65 * LevelW), (float)LevelW};

static void PlaceChicks(MyGame& g) {
    for (int k = 0; k < 3; k++) {
        int x, y;
        if (FindPlace(g, ThirdLo[k], ThirdHi[k], true, -1, x, y)) g.Put(x, y, (float)(bh::kTileChick1 + k));
    }
}

// Which thirds get a spinner: one bit each, left in the lowest. Easy
// caves hold back early and never fill the left and middle together; hard
// ones draw again when the first mask is a thin one.
static int SpinnerMask(MyGame& g) {
    const float L = g.Play.LevelNumber;
    int m = g.Rand(0, 7);
    if (L < 2) m = 0;
    if (g.Difficulty == bh::kDifficultyEasy) {
        m = g.Rand(0, 4);
        if (m == 3) m = 0;
        if (L < 3) m = 0;
    }
    if (g.Difficulty == bh::kDifficultyHard) {
        m = g.Rand(0, 7);
        if (m == 0 || m == 1 || m == 2 || m == 4) m = g.Rand(0, 7);
    }
    return m;
}

// A spinner is a hub cell: its angle, its speed (either way) and its arm
// length in the cell's fields 5 to 7.
static void PlaceSpinners(MyGame& g, int mask) {
    for (int k = 0; k < 3; k++) {
        int x, y;
        // Room for at least the shortest arm; a longer one drawn below is
        // cut back to what the place allows.
        if (!FindPlace(g, ThirdLo[k], ThirdHi[k], (mask & (1 << k)) != 0, ArmReach(bh::kSpinnerArmMin), x, y)) continue;
        float* cell = TileCell(g, x, y);
        cell[bh::kCellCode] = bh::kTileSpinner;
        cell[bh::kCellSpinAngle] = g.Rnd(0, 360);
        cell[bh::kCellSpinSpeed] = (float)g.Rand(1, 3);
        if (g.Rnd(0, 10) < 5) cell[bh::kCellSpinSpeed] = -cell[bh::kCellSpinSpeed];
        int arm = g.Rand(bh::kSpinnerArmMin, bh::kSpinnerArmMax);
        while (arm > bh::kSpinnerArmMin && ArmReach(arm) >= RoomFromStart(x, y)) arm--;
        cell[bh::kCellSpinArm] = (float)arm;
    }
}

// Clear the markers, park the new level in the next-level rows and put
// the old one back on show so it can scroll away.
static void ParkNewLevel(MyGame& g) {
    for (int x = 0; x < LevelW; x++)
        for (int y = 0; y < LevelH; y++) {
            float* cell = TileCell(g, x, y);
            for (int f = 0; f < bh::kCellFloats; f++)
                if (cell[f] == bh::kTileKeepClear || cell[f] == bh::kTileClearing) cell[f] = bh::kTileEmpty;
            memcpy(TileCell(g, x, y + bh::kNextLevelRow), cell, bh::kCellFloats * sizeof(float));
            memcpy(cell, TileCell(g, x, y + bh::kLevelCopyRow), bh::kCellFloats * sizeof(float));
        }
}

void MyGame::GetLev() {
    BeginLevel(*this);
    ShuffleSwitchOrder(*this);
    SetShownLevelAside(*this);
    BrambleStreaks(*this);
    ScatterAndLedges(*this);
    PlaceSwitches(*this);
    // Two wandering corridors; the first bends to meet every switch.
    DigCorridor(*this, 3, true);
    DigCorridor(*this, 2, false);
    PlaceChicks(*this);
    PlaceSpinners(*this, SpinnerMask(*this));
    ParkNewLevel(*this);

    PlayRecord& p = Play;
    p.SwitchesOn = 0;
    p.ScrollLeft = (float)LevelW;
    KeyLock[bh::kLockFlap] = bh::kFlapLockHeld;
    NoTrail();
    for (int k = 0; k < 3; k++) p.ChickX[k] = -256;
}
