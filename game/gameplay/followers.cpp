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
void TrailStep(MyGame& g, const PlayStep& s) {
    for (int i = 0; i < 99; i++) {
        g.Alpha(i * 0.0025f);
        g.TrailX[i] = g.TrailX[i + 1];
        g.TrailY[i] = g.TrailY[i + 1];
        g.Circle(g.TrailX[i], g.TrailY[i], 2 * s.SC);
    }
    if (g.Play.ScrollLeft == 0) {
        g.TrailX[99] = s.px;
        g.TrailY[99] = s.py;
    }
}

void ChickTile(MyGame& g, const PlayStep& s, int x, int y, int sx, int sy, int code) {
    int k = code - 20;
    int t = g.Mills();
    int bx = (int)(sx + g.Sin((float)(t / 3 + 12 * x + 32 * y)) * 3);
    int by = (int)(sy - g.Cos((float)(t / 5 + 14 * x + 30 * y)) * 3);
    g.Play.ChickX[k] = (float)bx;
    g.Play.ChickY[k] = (float)by;
    // A bird without lives left picks nothing up.
    if (g.Play.Lives > -1 && std::fabs(bx - s.px) < s.TS && std::fabs(by - s.py) < s.TS)
        CollectChick(g, s, x, y);
}

void DrawChicks(MyGame& g) {
    for (int k = 0; k < 3; k++) g.DrawImg(1, g.Play.ChickX[k], g.Play.ChickY[k], 11);
}

void CollectChick(MyGame& g, const PlayStep& s, int x, int y) {
    PlayRecord& p = g.Play;
    int place = (int)p.FollowerCount;
    // Every place may still be taken when a knocked-off chick has not yet
    // been counted out; the chick then waits until a place is free.
    if (place < 0 || place > 2) return;
    p.FollowerCount += 1;
    p.FollowerKind[place] = (float)(g.isAt(x, y) - 19);
    g.Put(x, y, 0);
    g.PlaySFX(5, p.FollowerCount / 5 + 0.9f);
    g.Gimme(10, s.px, s.py - 16);
}

void FollowersStep(MyGame& g) {
    PlayRecord& p = g.Play;
    static const int chase[3] = {90, 80, 70};
    int n = 0;
    for (int j = 0; j < 3; j++) {
        if (p.FollowerKind[j] <= 0) continue;
        int k = (int)p.FollowerKind[j] - 1;
        if (k > 2) continue;
        g.DrawImg(1, p.ChickX[k], p.ChickY[k], 11);
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

void SpinnersStep(MyGame& g, PlayStep& s) {
    PlayRecord& p = g.Play;
    for (int x = 0; x < s.W; x++)
        for (int y = 0; y < s.H; y++) {
            if (g.isAt(x, y) != 11) continue;
            float* cell = TileCell(g, x, y);
            cell[5] = g.Mod(cell[5] + cell[6] * g.FrameFactor, 360);
            float a = cell[5];
            int n = (int)cell[7];
            int sx = (int)(s.ox + x * s.TS), sy = (int)(s.oy + y * s.TS);
            for (int i = 0; i < n; i++) {
                float bx = (float)(sx + (double)s.TS * 0.75 * i * g.Sin(a));
                float by = (float)(sy - (double)s.TS * 0.75 * i * g.Cos(a));
                g.SetRot(-a);
                g.Alpha(0.5f);
                g.SetSize(1.5f * s.SC);
                g.DrawImg(3, bx, by, (x + y) % 12);
                g.SetRot(2 * a);
                g.Alpha(0.9f);
                g.SetSize(0.75f * s.SC);
                g.DrawImg(3, bx, by, (i + x + y) % 12);
                float reach = 0.6f * s.TS;
                if (std::fabs(bx - s.px) < reach && std::fabs(by - s.py) < reach) s.dead = 1;
                for (int j = 0; j < 3; j++) {
                    if (p.FollowerKind[j] <= 0 || p.GroundTimer >= 1) continue;
                    int k = (int)p.FollowerKind[j] - 1;
                    if (k > 2) continue;
                    if (std::fabs(p.ChickX[k] - bx) < reach && std::fabs(p.ChickY[k] - by) < reach) {
                        p.FollowerKind[j] = -1;
                        g.PlaySFX(6);
                    }
                }
            }
        }
}
