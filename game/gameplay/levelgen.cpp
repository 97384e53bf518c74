// Building the next cave. The order of the generator's draws below is part
// of the game: a given seed must always give the same cave.
#include <cmath>
#include <cstring>

#include "play_steps.h"

// A search that keeps missing the corridors would otherwise never end.
static const int MaxMisses = 1000000;

static void MarkCorridor(MyGame& g, int x, int y) {
    if (g.Solid2(x, y) == 0) g.Put(x, y, 60);
}

// Draws places in column range [lo, hi] until one lies on a corridor cell
// with the free square around it that the shrinking radius asks for.
// Returns false when the search gives up; 'wanted' false ends the search at
// the first corridor cell (a spinner its mask leaves out).
static bool FindPlace(MyGame& g, float lo, float hi, bool wanted, int& px, int& py) {
    int r = 3, tries = 25, misses = 0;
    float H = g.Play.MapHeight;
    for (;;) {
        int x = g.Rand(lo, hi);
        int y = g.Rand(0, H);
        if (g.isAt(x, y) != 60) {
            if (++misses > MaxMisses) {
                g.Debuglog("Level generation found no corridor cell");
                return false;
            }
            continue;
        }
        if (!wanted) return false;
        bool good = true;
        for (int yy = y - r; yy <= y + r && good; yy++)
            for (int xx = x - r; xx <= x + r; xx++)
                if (g.isAt(xx, yy) != 60) {
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

void MyGame::GetLev() {
    PlayRecord& p = Play;
    p.LevelNumber += 1;
    p.TimeLeft = 3629;
    p.FollowerCount = 0;
    SeedRnd();
    p.MapWidth = 50;
    p.MapHeight = 25;
    p.TileSize = 16;
    p.TileScale = 0.5f;
    const int W = 50, H = 25;
    const float D = (float)Difficulty, L = p.LevelNumber;

    for (int i = 0; i < 5; i++) SwitchOrder[i] = (float)i;
    for (int i = 0; i < 5; i++) {
        int r = Rand(0, 4);
        float t = SwitchOrder[i];
        SwitchOrder[i] = SwitchOrder[r];
        SwitchOrder[r] = t;
    }

    for (int x = 0; x < W; x++)
        for (int y = 0; y < H; y++) {
            memcpy(TileCell(*this, x, y + 50), TileCell(*this, x, y), 10 * sizeof(float));
            TileCell(*this, x, y)[0] = 0;
        }

    // Bramble streaks.
    int n = (int)(D * L);
    if (Difficulty == 1) n = (int)(L / 2);
    for (int s = 0; s < 2 * n; s++) {
        int len = Rand(5, 9);
        int x = Rand(0, W);
        int y = Rand(0, H);
        int dir = Rand(0, 1);
        for (int i = 0; i < len; i++) {
            if (dir == 1) {
                Put(x, y + i, 1);
                Put(x, y - i, 1);
            } else {
                Put(x + i, y, 1);
                Put(x - i, y, 1);
            }
        }
    }

    // Scattered brambles, the free margins and the two ledges.
    int d = (int)(30 - D * L);
    if (d <= 3) d = 4;
    for (int x = 0; x < W; x++)
        for (int y = 0; y < H; y++) {
            float* cell = TileCell(*this, x, y);
            int t = 0;
            if ((int)cell[0] == 1) t = 1;
            if (y == 0) t = 1;
            if (Rnd(0, (float)d) < 2) t = 1;
            bool left = x <= 4, right = x > W - 6;
            if ((left || right) && y > 8 && Rnd(0, 4) < 3) t = 0;
            if ((left || right) && y > 10) t = 0;
            if (left && y > H - 6) t = 2;
            if (right && y > H - 6) t = 4;
            if (left && y > H - 5) t = 3;
            if (right && y > H - 5) t = 5;
            cell[0] = (float)t;
            for (int f = 1; f < 10; f++) cell[f] = 0;
        }

    // Switch places, one per stretch of 8 columns.
    const int step = (int)((W - 8) / 5);
    for (int i = 0; i < 5; i++) {
        SwitchX[i] = (float)(i * step + Rand(1, step - 1) + 4);
        SwitchY[i] = (float)Rand(5, H - 4);
        if (i == 0 || i == 4) SwitchY[i] = (float)Rand(10, H - 6);
    }
    for (int i = 0; i < 5; i++) {
        int k = (int)(SwitchOrder[i] + 1) * 10;
        int x = (int)std::floor(SwitchX[i]), y = (int)std::floor(SwitchY[i]);
        Put(x, y, (float)(k + 6));
        Put(x + 1, y, (float)(k + 7));
        Clearing(x, y);
    }

    // Two wandering corridors kept free of brambles; the first bends to
    // meet every switch.
    for (int pass = 0; pass < 2; pass++) {
        int y = Rand(8, H - 7);
        int half = pass == 0 ? 3 : 2;
        for (int x = 4; x < W - 5; x++) {
            for (int yy = y - half; yy < y + half; yy++) MarkCorridor(*this, x, yy);
            if (pass == 0)
                for (int j = 0; j < 5; j++) {
                    bool at = (float)x == SwitchX[j];
                    if (!(std::fabs(SwitchX[j] - (x + 5)) < 5 || at)) continue;
                    int s = Rand(2, 4);
                    if (at) s = 12;
                    for (int c = -1; c <= 1; c++) MarkCorridor(*this, x + c, y);
                    for (int k = 0; k < s; k++) {
                        if (y < SwitchY[j]) y++;
                        else if (y > SwitchY[j]) y--;
                        for (int c = -1; c <= 1; c++) MarkCorridor(*this, x + c, y);
                    }
                }
            if (x > W - 12 && y <= 7) y += 2;
            if (x > W - 12 && y > H - 8) y -= 2;
            y += Rand(-1, 1);
            if (y <= 3) y = 4;
            if (y > H - 2) y = H - 2;
        }
    }

    // Chicks, then spinners, in the left, middle and right of the cave.
    const float lo[3] = {0, (float)(0.3 * W), (float)(0.7 * W)};
    const float hi[3] = {(float)(0.3 * W), (float)(0.65 * W), (float)W};
    for (int k = 0; k < 3; k++) {
        int x, y;
        if (FindPlace(*this, lo[k], hi[k], true, x, y)) Put(x, y, (float)(20 + k));
    }
    int m = Rand(0, 7);
    if (L < 2) m = 0;
    if (Difficulty == 1) {
        m = Rand(0, 4);
        if (m == 3) m = 0;
        if (L < 3) m = 0;
    }
    if (Difficulty == 3) {
        m = Rand(0, 7);
        if (m == 0 || m == 1 || m == 2 || m == 4) m = Rand(0, 7);
    }
    for (int k = 0; k < 3; k++) {
        int x, y;
        if (!FindPlace(*this, lo[k], hi[k], (m & (1 << k)) != 0, x, y)) continue;
        float* cell = TileCell(*this, x, y);
        cell[0] = 11;
        cell[5] = Rnd(0, 360);
        cell[6] = (float)Rand(1, 3);
        if (Rnd(0, 10) < 5) cell[6] = -cell[6];
        cell[7] = (float)Rand(4, 9);
    }

    // Clear the markers, park the new level in the next-level rows and put
    // the old one back on show so it can scroll away.
    for (int x = 0; x < W; x++)
        for (int y = 0; y < H; y++) {
            float* cell = TileCell(*this, x, y);
            for (int f = 0; f < 10; f++)
                if (cell[f] == 60 || cell[f] == 62) cell[f] = 0;
            memcpy(TileCell(*this, x, y + 100), cell, 10 * sizeof(float));
            memcpy(cell, TileCell(*this, x, y + 50), 10 * sizeof(float));
        }

    p.SwitchesOn = 0;
    p.ScrollLeft = (float)W;
    KeyLock[10] = 1000;
    NoTrail();
    for (int k = 0; k < 3; k++) p.ChickX[k] = -256;
}
