// One step of play: input, the bird's physics against the tile map, the
// switches and the exit, scrolling in the next cave, death, and the scene
// recorded back to front.
#include <cmath>
#include <cstring>

#include "play_steps.h"

void SparkRing(MyGame& g, float x, float y) {
    for (int i = 0; i < 20; i++) {
        float speed = g.Rnd(3, 5);
        float hue = g.Rnd(0, 360);
        g.ThrowParticle(x, y, hue, 1, 1, 18.0f * i, speed);
    }
}

static int CellX(const PlayStep& s, int x) { return (int)(s.ox + x * s.TS); }
static int CellY(const PlayStep& s, int y) { return (int)(s.oy + y * s.TS); }

static void DrawBackdrop(MyGame& g) {
    for (int i = 0; i < 3; i++) {
        int b = (int)(i * 1024 + g.Play.BackdropScroll) % 3072;
        if (b < 0) b += 3072;
        g.DrawImg(5, (float)(b - 512), g.ScreenH / 2, 0);
    }
}

static void DrawTiles(MyGame& g, PlayStep& s) {
    g.SetCol(255, 255, 255, 1);
    g.SetSize(s.SC);
    // One seed per 120 ms: every blinking tile changes together, and only
    // that often.
    g.SeedRnd(g.Mills() / 120);
    for (int x = 0; x < s.W; x++)
        for (int y = 0; y < s.H; y++) {
            int sx = CellX(s, x), sy = CellY(s, y);
            int c = g.isAt(x, y);
            int f = c - 1;
            bool blink = false;
            if ((c == 4 || c == 5) && g.Play.SwitchesOn == 5) blink = true;
            if (c == 16 || c == 17) {
                blink = true;
                f = c - 11;
            }
            if (blink) g.Alpha(g.Rnd(0.4f, 0.9f));
            if (f >= 19 && f <= 21) {
                ChickTile(g, s, x, y, sx, sy, c);
                f = -1;
            }
            if (f == 11) f = -1;
            if (f >= 0) g.DrawImg(1, (float)sx, (float)sy, f);
            if (blink) g.Alpha(1);
            if (c == 1 && std::fabs(s.px - sx) < 0.7f * s.TS && std::fabs(s.py - sy) < 0.85f * s.TS)
                s.dead = 1;
        }
}

// Landing on the active switch: it stays lit, the next one becomes active.
static void SwitchOn(MyGame& g, const PlayStep& s) {
    PlayRecord& p = g.Play;
    g.Gimme(25 * s.m, s.px, s.py - 16);
    for (int x = 0; x < s.W; x++)
        for (int y = 0; y < s.H; y++) {
            int c = g.isAt(x, y);
            int sx = CellX(s, x), sy = CellY(s, y);
            if (c == 16 || c == 17)
                for (int i = 0; i < 10; i++) {
                    float speed = g.Rnd(2, 4);
                    float angle = g.Rnd(0, 360);
                    float hue = g.Rnd(0, 360);
                    g.ThrowParticle((float)sx, (float)sy, hue, 7, 2, angle, speed);
                }
            if (c == 26 || c == 27) SparkRing(g, (float)sx, (float)sy);
            if (c > 10 && (c % 10 == 6 || c % 10 == 7)) g.Put(x, y, (float)(c - 10));
        }
    g.PlaySFX(2, p.FollowerCount / 5 + 0.9f);
    p.SwitchesOn += 1;
    if (p.SwitchesOn == 5)
        SparkRing(g, (float)(int)(s.ox + (s.W - 3) * s.TS), (float)(int)(s.oy + (s.H - 6) * s.TS));
}

static void Land(MyGame& g, const PlayStep& s, int on, int ty) {
    PlayRecord& p = g.Play;
    p.SpeedY = 0;
    p.PlayerY = (float)ty;
    p.GroundTimer = 2;
    p.FlapFrame = 0;
    if ((on == 4 || on == 5) && p.SwitchesOn == 5) {
        if (p.TimeLeft < 0) p.TimeLeft = 0;
        int bonus = (int)(s.m * (std::floor(p.TimeLeft / 30) + 5));
        if (bonus > 0) g.Gimme(bonus, s.px, s.py - 16);
        g.GetLev();
        g.PlaySFX(3, 1.0f);
    }
    if (on == 16 || on == 17) SwitchOn(g, s);
}

static void Steer(MyGame& g) {
    PlayRecord& p = g.Play;
    float right = g.Joy(1), left = g.Joy(3);
    if (right > 0.3f) p.SpeedX += 0.25f;
    if (left > 0.3f) p.SpeedX -= 0.25f;
    float stick = g.StickX();
    if (std::fabs(stick) > 0.25f) p.SpeedX = stick;
    if (std::fabs(p.SpeedX) < 0.25f) p.WalkCounter = 0;
    if (std::fabs(p.SpeedX) > 0.25f) {
        p.WalkCounter += 1;
        if (p.WalkCounter > 15) p.WalkCounter = 0;
    }
    if (p.SpeedX > 1) p.SpeedX = 1;
    if (p.SpeedX < -1) p.SpeedX = -1;
    if (right < 0.3f && left < 0.3f) {
        if (p.SpeedX > 0) p.SpeedX = p.SpeedX > 0.35f ? p.SpeedX - 0.35f : 0;
        if (p.SpeedX < 0) p.SpeedX = p.SpeedX < -0.35f ? p.SpeedX + 0.35f : 0;
    }
}

static void Flap(MyGame& g) {
    PlayRecord& p = g.Play;
    int& lock = g.KeyLock[10];
    float button = g.Joy(10);
    if (lock > 0) lock -= 1;
    if (p.RespawnHold > 0 || p.Lives < 0) lock = 50;
    if (button < 0.3f) lock = 0;
    if (button > 0.5f && lock <= 0) {
        g.PlaySFX(1);
        p.SpeedY = p.FlapSpeed;
        p.FlapFrame = 1;
        lock = (int)p.FlapLockTime;
    }
    p.FlapFrame += 0.2f;
    if (p.FlapFrame > 4) p.FlapFrame = 4;
}

// The map moves one column left; the new column comes from the next level.
static void ScrollIn(MyGame& g, const PlayStep& s) {
    PlayRecord& p = g.Play;
    g.KeyLock[10] = 1000;
    p.SpeedY = 0;
    p.SpeedX = 0;
    p.FlapFrame = 0;
    p.GroundTimer = 2;
    int from = (int)std::floor(s.W - p.ScrollLeft);
    for (int y = 0; y < s.H; y++) {
        for (int x = 0; x < s.W - 1; x++)
            memcpy(TileCell(g, x, y), TileCell(g, x + 1, y), 10 * sizeof(float));
        float* last = TileCell(g, s.W - 1, y);
        const float* src = from >= 0 && from < s.W ? TileCell(g, from, y + 100) : nullptr;
        if (src) memcpy(last, src, 10 * sizeof(float));
        else memset(last, 0, 10 * sizeof(float));
    }
    if ((int)std::floor(p.ScrollLeft) % 6 == 3)
        for (int a = -2; a <= 2; a++)
            g.ThrowParticle((float)(int)(s.ox + (s.W - p.ScrollLeft) * s.TS), (float)(int)(s.oy + s.H * s.TS),
                            p.ScrollLeft * 10, 8, 3, 24.0f * a, g.Rnd(8, 14));
    p.PlayerX -= 1;
    if (p.PlayerX < 2) p.PlayerX = 2;
    p.ScrollLeft -= 1;
    if (p.ScrollLeft > 0) {
        p.BackdropScroll -= 12;
        if (p.BackdropScroll < 0) p.BackdropScroll += 1024;
    }
    if (p.ScrollLeft < 2)
        for (int x = 0; x < s.W; x++)
            for (int y = 0; y < s.H; y++) {
                int c = g.isAt(x, y);
                if (c == 16 || c == 17) SparkRing(g, (float)CellX(s, x), (float)CellY(s, y));
            }
}

// A respawned bird may appear inside a fireball's sweep; it needs a moment
// to get away before it can be hurt again.
static const float RespawnGraceFrames = 60;

static void Die(MyGame& g, const PlayStep& s) {
    PlayRecord& p = g.Play;
    g.PlaySFX(4);
    for (int i = 0; i < 20; i++) {
        int kind = g.Rand(2, 3);
        int hue = g.Rand(0, 34);
        g.ThrowParticle(s.px, s.py, (float)hue, 10, kind, 18.0f * i, 5);
    }
    for (int i = 0; i < 20; i++) {
        float angle = g.Rnd(0, 360);
        int kind = g.Rand(1, 3);
        int hue = g.Rand(0, 40);
        g.ThrowParticle(s.px, s.py, (float)hue, 3, kind, angle, 5);
    }
    p.Lives -= 1;
    if (p.Lives > -1) {
        p.PlayerX = 2;
        p.PlayerY = p.MapHeight - 6;
        p.RespawnHold = 1;
        p.RespawnGrace = RespawnGraceFrames;
    }
    if (p.Lives < 0) g.EndGame(1);
    p.FollowerCount = 0;
    g.NoTrail();
}

static void DrawSurroundings(MyGame& g, const PlayStep& s) {
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

void MyGame::DoGame() {
    PlayRecord& p = Play;
    PlayStep s;
    s.m = p.FollowerCount == 1 ? 2 : p.FollowerCount == 2 ? 3 : p.FollowerCount == 3 ? 5 : 1;
    s.dead = 0;
    FadeCLS(0, 0, 0, 8);
    ResetDraw();
    DrawBackdrop(*this);

    // The map is at most one row of the table wide, and the next level sits
    // 100 rows below the live one, so the live level is held to 50 rows.
    s.W = (int)p.MapWidth;
    s.H = (int)p.MapHeight;
    if (s.W < 0) s.W = 0;
    if (s.W > MapStride) s.W = MapStride;
    if (s.H < 0) s.H = 0;
    if (s.H > 50) s.H = 50;
    s.TS = p.TileSize;
    s.SC = p.TileScale;
    s.ox = (int)(ScreenW / 2 - (s.W * s.TS * 0.5f - s.TS * 0.5f));
    s.oy = (int)(ScreenH / 2 - (s.H * s.TS * 0.5f - s.TS * 0.5f));
    s.px = s.ox + p.PlayerX * s.TS;
    s.py = s.oy + p.PlayerY * s.TS;
    ResetDraw();
    TrailStep(*this, s);
    DrawTiles(*this, s);
    SeedRnd();
    DrawChicks(*this);

    p.FlapSpeed = -2.5f;
    p.Gravity = 0.15f;
    p.FlapLockTime = 1000;
    p.SpeedFactor = 0.9f;
    if (p.SpeedX > 0) p.Facing = 1;
    if (p.SpeedX < 0) p.Facing = -1;

    int tx = (int)std::floor(p.PlayerX + 0.5f), ty = (int)std::floor(p.PlayerY);
    // Once the last life is gone the bird is only a memory: it lands on
    // nothing, picks nothing up and scores nothing.
    bool alive = p.Lives > -1;
    int here = isAt(tx, ty);
    if (alive && here >= 20 && here <= 22) CollectChick(*this, s, tx, ty);
    FollowersStep(*this);
    if (p.GroundTimer > 0) p.GroundTimer -= 1;

    // Ground under the bird, including the neighbour it overhangs.
    int on = 0;
    float u = Mod(p.PlayerX + 0.5f, 1);
    if (Solid(tx, ty + 1) && p.SpeedY > 0) on = isAt(tx, ty + 1);
    if (u > 0.85f && Solid(tx + 1, ty + 1) && p.SpeedY > 0) on = isAt(tx + 1, ty + 1);
    if (u < 0.15f && Solid(tx - 1, ty + 1) && p.SpeedY > 0) on = isAt(tx - 1, ty + 1);

    int wx = (int)std::floor(p.PlayerX);
    int rows = Mod(p.PlayerY, 1) > 0.15f ? 2 : 1;
    for (int row = ty; row < ty + rows; row++) {
        if (Solid(wx, row) && u < 0.35f && p.SpeedX < 0) p.SpeedX = 0;
        if (Solid(wx + 1, row) && u > 0.65f && p.SpeedX > 0) p.SpeedX = 0;
    }

    if (alive && on > 0) Land(*this, s, on, ty);

    int hit = 0;
    if (Mod(p.PlayerY, 1) < 0.25f) {
        if (Solid(tx, ty - 1) && p.SpeedY < 0) hit = 1;
        if (u > 0.85f && Solid(tx + 1, ty - 1) && p.SpeedY < 0) hit = 1;
        if (u < 0.15f && Solid(tx - 1, ty - 1) && p.SpeedY < 0) hit = 1;
    }
    if (hit) {
        p.SpeedY = 0;
        p.PlayerY = (float)ty;
    }

    int f = (int)std::floor(p.FlapFrame);
    if (f < 0) f = 0;
    if (f > 4) f = 4;
    if (f == 0 && p.WalkCounter > 8) f = 5;
    SetSize(p.Facing * s.SC, s.SC);
    if (p.Lives > -1) DrawImg(0, s.px, s.py, f);
    SetSize(s.SC);

    if (Joy(10) == 0 && Joy(1) < 0.5f && Joy(3) < 0.5f) p.RespawnHold = 0;
    if (p.ScrollLeft < 1 && p.Lives > -1 && p.RespawnHold == 0) {
        p.PlayerX = (float)(p.PlayerX + 0.15 * p.SpeedX * p.SpeedFactor * FrameFactor);
        p.PlayerY = (float)(p.PlayerY + 0.08 * p.SpeedY * p.SpeedFactor * FrameFactor);
        p.SpeedY = (float)(p.SpeedY + (double)p.Gravity * p.SpeedFactor * FrameFactor);
        if (p.SpeedY > 6) p.SpeedY = 6;
        if (p.PlayerY > p.MapHeight) p.PlayerY = p.MapHeight;
    }
    Steer(*this);
    Flap(*this);
    if (p.ScrollLeft > 0) ScrollIn(*this, s);
    if (p.ScrollLeft < 1) {
        p.TimeLeft -= FrameFactor;
        if (p.TimeLeft < 0) p.TimeLeft = 0;
    }
    if (s.py > ScreenH / 2 + (s.H * s.TS * 0.5f - s.TS * 0.5f)) s.dead = 1;
    LostChicksFall(*this);
    SpinnersStep(*this, s);
    // A bird waiting to respawn, or just back, cannot be hurt: one death,
    // one life.
    if (p.RespawnHold == 0 && p.RespawnGrace > 0) p.RespawnGrace -= FrameFactor;
    bool safe = p.RespawnHold > 0 || p.RespawnGrace > 0;
    if (s.dead == 1 && p.Lives > -1 && p.GroundTimer < 1 && !safe) Die(*this, s);

    DrawSurroundings(*this, s);
    BramblehopScoreDisplay(1);
}
