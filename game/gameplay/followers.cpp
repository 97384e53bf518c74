// Things in the level that move on their own: the bird's trail, the chicks
// (waiting, following or lost) and the spinning fireball arms.
#include <cmath>

#include "play_steps.h"

void MyGame::NoTrail() {
    for (int i = 0; i < 100; i++) {
        TrailX[i] = -256;
        TrailY[i] = -256;
    }
    for (int j = 0; j < 3; j++) Play.FollowerKind[j] = 0;
}

// The trail advances one slot per step, and holds still while a new level
// scrolls in so that the followers do not race across the screen.
void AdvanceTrail(MyGame& g, const PlayStep& s) {
    for (int i = 0; i < 99; i++) {
        g.TrailX[i] = g.TrailX[i + 1];
        g.TrailY[i] = g.TrailY[i + 1];
    }
    if (g.Play.ScrollLeft == 0) {
        g.TrailX[99] = s.px;
        g.TrailY[99] = s.py;
    }
}

void ChickBob(MyGame& g, const PlayStep& s, int x, int y, int& bx, int& by) {
    int t = s.t;
    bx = (int)(CellX(s, x) + g.Sin((float)(t / 3 + 12 * x + 32 * y)) * 3);
    by = (int)(CellY(s, y) - g.Cos((float)(t / 5 + 14 * x + 30 * y)) * 3);
}

// A waiting chick is drawn from its play record, not from its tile.
void BobChicks(MyGame& g, const PlayStep& s) {
    for (int x = 0; x < s.W; x++)
        for (int y = 0; y < s.H; y++) {
            int c = g.isAt(x, y);
            if (!IsChick(c)) continue;
            int bx, by;
            ChickBob(g, s, x, y, bx, by);
            g.Play.ChickX[c - bh::kTileChick1] = (float)bx;
            g.Play.ChickY[c - bh::kTileChick1] = (float)by;
        }
}

void ChaseFollowers(MyGame& g) {
    PlayRecord& p = g.Play;
    static const int chase[3] = {90, 80, 70};
    int n = 0;
    for (int j = 0; j < 3; j++) {
        if (p.FollowerKind[j] <= 0) continue;
        int k = (int)p.FollowerKind[j] - 1;
        if (k > 2) continue;
        n++;
        int t = chase[j];
        p.ChickX[k] -= (p.ChickX[k] - g.TrailX[t]) / 4;
        p.ChickY[k] -= (p.ChickY[k] - g.TrailY[t]) / 4;
        if (j > 0 && p.FollowerKind[j - 1] < 1) {
            p.FollowerKind[j - 1] = p.FollowerKind[j];
            p.FollowerKind[j] = 0;
        }
    }
    p.FollowerCount = (float)n;
}

void LostChicksFall(MyGame& g) {
    PlayRecord& p = g.Play;
    for (int k = 0; k < 3; k++) {
        bool followed = false;
        for (int j = 0; j < 3; j++)
            if ((int)p.FollowerKind[j] == k + 1) followed = true;
        if (!followed && p.ChickY[k] < 3 * g.ScreenH) p.ChickY[k] += 4;
    }
}

void TurnSpinners(MyGame& g, const PlayStep& s) {
    for (int x = 0; x < s.W; x++)
        for (int y = 0; y < s.H; y++) {
            if (g.isAt(x, y) != bh::kTileSpinner) continue;
            float* cell = TileCell(g, x, y);
            float& angle = cell[bh::kCellSpinAngle];
            angle = g.Mod(angle + cell[bh::kCellSpinSpeed] * g.FrameFactor, 360);
        }
}

void SpinnerArm(MyGame& g, const PlayStep& s, int x, int y, int i, float& bx, float& by) {
    float a = TileCell(g, x, y)[bh::kCellSpinAngle];
    int sx = CellX(s, x), sy = CellY(s, y);
    bx = (float)(sx + (double)s.TS * 0.75 * i * g.Sin(a));
    by = (float)(sy - (double)s.TS * 0.75 * i * g.Cos(a));
}
