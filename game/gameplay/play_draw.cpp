// Drawing the play screen, back to front. These only record the scene:
// they move nothing, score nothing and decide no deaths, so the play step
// can place each picture where the state it shows is current.
#include <cmath>

#include "play_steps.h"

// The chick's picture in the tile sheet.
static const int ChickFrame = 11;

void DrawBackdrop(MyGame& g) {
    for (int i = 0; i < 3; i++) {
        int b = (int)(i * bh::kBackdropSize + g.Play.BackdropScroll) % (3 * bh::kBackdropSize);
        if (b < 0) b += 3 * bh::kBackdropSize;
        g.DrawImg(bh::kImgBackdrop, (float)(b - bh::kBackdropSize / 2), g.ScreenH / 2, 0);
    }
}

void DrawTrail(MyGame& g, const PlayStep& s) {
    for (int i = 0; i < 99; i++) {
        g.Alpha(i * 0.0025f);
        g.Circle(g.TrailX[i], g.TrailY[i], 2 * s.SC);
    }
}

void DrawTiles(MyGame& g, const PlayStep& s) {
    g.SetCol(255, 255, 255, 1);
    g.SetSize(s.SC);
    // One seed per 120 ms: every blinking tile changes together, and only
    // that often.
    g.SeedRnd(g.Mills() / 120);
    for (int x = 0; x < s.W; x++)
        for (int y = 0; y < s.H; y++) {
            int c = g.isAt(x, y);
            int f = c - 1;  // a tile's picture is the frame before its code
            bool exit = c == bh::kTileExitTop || c == bh::kTileExitBody;
            bool blink = exit && g.Play.SwitchesOn == SwitchCount;
            // The active switch shows as a lit one, blinking.
            if (IsActiveSwitch(c)) {
                blink = true;
                f = c - bh::kSwitchStep - 1;
            }
            if (blink) g.Alpha(g.Rnd(0.4f, 0.9f));
            // Chicks are drawn from their play record.
            if (f >= 0 && !IsChick(c) && c != bh::kTileHidden)
                g.DrawImg(bh::kImgTiles, (float)CellX(s, x), (float)CellY(s, y), f);
            if (blink) g.Alpha(1);
        }
}

void DrawChicks(MyGame& g) {
    for (int k = 0; k < 3; k++) g.DrawImg(bh::kImgTiles, g.Play.ChickX[k], g.Play.ChickY[k], ChickFrame);
}

void DrawFollowers(MyGame& g) {
    PlayRecord& p = g.Play;
    for (int j = 0; j < 3; j++) {
        if (p.FollowerKind[j] <= 0) continue;
        int k = (int)p.FollowerKind[j] - 1;
        if (k > 2) continue;
        g.DrawImg(bh::kImgTiles, p.ChickX[k], p.ChickY[k], ChickFrame);
    }
}

void DrawBird(MyGame& g, const PlayStep& s) {
    PlayRecord& p = g.Play;
    int f = (int)std::floor(p.FlapFrame);
    if (f < 0) f = 0;
    if (f > 4) f = 4;
    if (f == 0 && p.WalkCounter > 8) f = 5;
    g.SetSize(p.Facing * s.SC, s.SC);
    if (p.Lives > -1) g.DrawImg(bh::kImgPlayer, s.px, s.py, f);
    g.SetSize(s.SC);
}

void DrawSpinners(MyGame& g, const PlayStep& s) {
    for (int x = 0; x < s.W; x++)
        for (int y = 0; y < s.H; y++) {
            if (g.isAt(x, y) != bh::kTileSpinner) continue;
            float* cell = TileCell(g, x, y);
            float a = cell[bh::kCellSpinAngle];
            int n = (int)cell[bh::kCellSpinArm];
            for (int i = 0; i < n; i++) {
                float bx, by;
                SpinnerArm(g, s, x, y, i, bx, by);
                g.SetRot(-a);
                g.Alpha(0.5f);
                g.SetSize(1.5f * s.SC);
                g.DrawImg(bh::kImgFireballs, bx, by, (x + y) % 12);
                g.SetRot(2 * a);
                g.Alpha(0.9f);
                g.SetSize(0.75f * s.SC);
                g.DrawImg(bh::kImgFireballs, bx, by, (i + x + y) % 12);
            }
        }
}

void DrawSurroundings(MyGame& g, const PlayStep& s) {
    PlayRecord& p = g.Play;
    int t = g.Mills();
    g.ResetDraw();
    if (p.GroundTimer > 0)
        for (int i = 0; i < 64; i++) {
            g.InkRot((float)(5 * i + t / 6), 1.0f, 1.5f);
            g.Alpha(0.5f);
            g.Rect(s.px + g.Sin((float)(15 * i + t / 2)) * s.TS * 0.5f,
                   s.py - g.Cos((float)(4 * i + t / 4)) * s.TS * 0.5f, 4 * s.SC);
        }
    float half = s.H * s.TS * 0.5f;
    g.ResetDraw();
    g.SetGradient(180, 0, 0, 0.75f, 0, 0, 0, 0.75f);
    int b = (int)(g.ScreenH / 2 + (half - s.TS * 0.5f) + 52);
    for (int x = -128; x < g.ScreenW + 128; x += 16) {
        float wave = g.Sin((float)(t / 3.8 + 2 * x)) * g.Cos((float)((x + t) / 4.5)) * 6;
        g.Rect((float)x, (float)((int)(wave + b) - 32), 16, 64);
    }
    g.SetCol(0, 0, 0, 1);
    g.Rect(g.ScreenW / 2, (float)((int)(g.ScreenH / 2 + half) + 256), g.ScreenW + 512, 512);
    g.Rect(g.ScreenW / 2, (float)((int)(g.ScreenH / 2 - half) - 256), g.ScreenW + 512, 512);
}
