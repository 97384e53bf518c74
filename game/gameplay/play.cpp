// One step of play: input and the bird's physics, the touches that decide
// landings, pick-ups and deaths, and the scene recorded back to front. Each
// picture shows the state at its own point in the step (the tiles before a
// switch lights them, the bird before it moves), so the step runs its
// stages in a fixed order rather than one after the other.
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

int CellX(const PlayStep& s, int x) { return (int)(s.ox + x * s.TS); }
int CellY(const PlayStep& s, int y) { return (int)(s.oy + y * s.TS); }

PlayStep BeginStep(MyGame& g) {
    PlayRecord& p = g.Play;
    PlayStep s;
    s.m = 1;
    for (int n = 1; n <= bh::kMaxFollowers; n++)
        if (p.FollowerCount == n) s.m = bh::kFollowerMultiplier[n];
    s.dead = 0;
    // The map is at most one row of the table wide, and the next level sits
    // 100 rows below the live one, so the live level is held to 50 rows.
    s.W = (int)p.MapWidth;
    s.H = (int)p.MapHeight;
    if (s.W < 0) s.W = 0;
    if (s.W > MapStride) s.W = MapStride;
    if (s.H < 0) s.H = 0;
    if (s.H > bh::kLevelCopyRow) s.H = bh::kLevelCopyRow;
    s.TS = p.TileSize;
    s.SC = p.TileScale;
    s.ox = (int)(g.ScreenW / 2 - (s.W * s.TS * 0.5f - s.TS * 0.5f));
    s.oy = (int)(g.ScreenH / 2 - (s.H * s.TS * 0.5f - s.TS * 0.5f));
    s.px = s.ox + p.PlayerX * s.TS;
    s.py = s.oy + p.PlayerY * s.TS;
    s.t = g.Mills();
    return s;
}

void Steer(MyGame& g) {
    PlayRecord& p = g.Play;
    float right = g.Joy(bh::kJoyRight), left = g.Joy(bh::kJoyLeft);
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

void Flap(MyGame& g) {
    PlayRecord& p = g.Play;
    int& lock = g.KeyLock[bh::kLockFlap];
    float button = g.Joy(bh::kJoyButton1);
    if (lock > 0) lock -= 1;
    if (p.RespawnHold > 0 || OutOfLives(p)) lock = bh::kFlapLockRespawn;
    if (button < bh::kReleased) lock = 0;
    if (button > bh::kPressed && lock <= 0) {
        g.PlaySFX(bh::kSfxFlap);
        p.SpeedY = p.FlapSpeed;
        p.FlapFrame = 1;
        lock = (int)p.FlapLockTime;
    }
    p.FlapFrame += 0.2f;
    if (p.FlapFrame > 4) p.FlapFrame = 4;
}

// The bird's pace for this step, and the way it faces.
static void SetPace(MyGame& g) {
    PlayRecord& p = g.Play;
    p.FlapSpeed = -2.5f;
    p.Gravity = 0.15f;
    p.FlapLockTime = bh::kFlapLockHeld;
    p.SpeedFactor = 0.9f;
    if (p.SpeedX > 0) p.Facing = 1;
    if (p.SpeedX < 0) p.Facing = -1;
}

// A respawned bird waits until every control is let go; a bird out of
// lives, or one waiting for the next cave to scroll in, stays put.
void MoveBird(MyGame& g) {
    PlayRecord& p = g.Play;
    if (g.Joy(bh::kJoyButton1) == 0 && g.Joy(bh::kJoyRight) < 0.5f && g.Joy(bh::kJoyLeft) < 0.5f) p.RespawnHold = 0;
    if (p.ScrollLeft < 1 && BirdInPlay(p) && p.RespawnHold == 0) {
        p.PlayerX = (float)(p.PlayerX + 0.15 * p.SpeedX * p.SpeedFactor * g.FrameFactor);
        p.PlayerY = (float)(p.PlayerY + 0.08 * p.SpeedY * p.SpeedFactor * g.FrameFactor);
        p.SpeedY = (float)(p.SpeedY + (double)p.Gravity * p.SpeedFactor * g.FrameFactor);
        if (p.SpeedY > 6) p.SpeedY = 6;
        if (p.PlayerY > p.MapHeight) p.PlayerY = p.MapHeight;
    }
}

// The map moves one column left; the new column comes from the next level.
void ScrollIn(MyGame& g, const PlayStep& s) {
    PlayRecord& p = g.Play;
    g.KeyLock[bh::kLockFlap] = bh::kFlapLockHeld;
    p.SpeedY = 0;
    p.SpeedX = 0;
    p.FlapFrame = 0;
    p.GroundTimer = 2;
    int from = (int)std::floor(s.W - p.ScrollLeft);
    for (int y = 0; y < s.H; y++) {
        for (int x = 0; x < s.W - 1; x++)
            memcpy(TileCell(g, x, y), TileCell(g, x + 1, y), bh::kCellFloats * sizeof(float));
        float* last = TileCell(g, s.W - 1, y);
        const float* src = from >= 0 && from < s.W ? TileCell(g, from, y + bh::kNextLevelRow) : nullptr;
        if (src) memcpy(last, src, bh::kCellFloats * sizeof(float));
        else memset(last, 0, bh::kCellFloats * sizeof(float));
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
        if (p.BackdropScroll < 0) p.BackdropScroll += bh::kBackdropSize;
    }
    if (p.ScrollLeft < 2)
        for (int x = 0; x < s.W; x++)
            for (int y = 0; y < s.H; y++) {
                int c = g.isAt(x, y);
                if (IsActiveSwitch(c)) SparkRing(g, (float)CellX(s, x), (float)CellY(s, y));
            }
}

// The bonus runs down only while the bird can move; the grace after a
// respawn only once the bird is free again.
static void CountDown(MyGame& g) {
    PlayRecord& p = g.Play;
    if (p.ScrollLeft < 1) {
        p.TimeLeft -= g.FrameFactor;
        if (p.TimeLeft < 0) p.TimeLeft = 0;
    }
    if (p.RespawnHold == 0 && p.RespawnGrace > 0) p.RespawnGrace -= g.FrameFactor;
}

void MyGame::DoGame() {
    PlayRecord& p = Play;
    PlayStep s = BeginStep(*this);
    FadeCLS(0, 0, 0, 8);
    ResetDraw();
    DrawBackdrop(*this);

    // The cave as the step finds it: trail, tiles, waiting chicks.
    ResetDraw();
    AdvanceTrail(*this, s);
    DrawTrail(*this, s);
    BobChicks(*this, s);
    DrawTiles(*this, s);
    TouchTiles(*this, s);
    // The blink drew from a seed shared by every tile; play's own draws
    // (sparks, debris, the next cave) start afresh.
    SeedRnd();
    DrawChicks(*this);

    // The bird against the map, drawn once it has landed.
    SetPace(*this);
    PickUpHere(*this, s);
    DrawFollowers(*this);
    ChaseFollowers(*this);
    if (p.GroundTimer > 0) p.GroundTimer -= 1;
    TouchMap(*this, s);
    DrawBird(*this, s);

    // Motion for the next step, then the hazards that end this one.
    MoveBird(*this);
    Steer(*this);
    Flap(*this);
    if (p.ScrollLeft > 0) ScrollIn(*this, s);
    CountDown(*this);
    FallOut(*this, s);
    LostChicksFall(*this);
    TurnSpinners(*this, s);
    DrawSpinners(*this, s);
    TouchSpinners(*this, s);
    TakeHit(*this, s);

    DrawSurroundings(*this, s);
    DrawGuides(*this, s);
    BramblehopScoreDisplay(1);
    DrawProgress(*this, s);
}
