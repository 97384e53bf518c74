// What the bird and its chicks run into: brambles, chicks, the ground,
// walls and ceilings, the fireball arms and the bottom of the cave, and
// what each touch brings (points, a switch, the next cave, a lost life).
// Nothing here draws.
#include <cmath>

#include "play_steps.h"

static bool Near(const PlayStep& s, float x, float y, float reachX, float reachY) {
    return std::fabs(x - s.px) < reachX && std::fabs(y - s.py) < reachY;
}

void CollectChick(MyGame& g, const PlayStep& s, int x, int y) {
    PlayRecord& p = g.Play;
    int place = (int)p.FollowerCount;
    // Every place may still be taken when a knocked-off chick has not yet
    // been counted out; the chick then waits until a place is free.
    if (place < 0 || place > 2) return;
    p.FollowerCount += 1;
    p.FollowerKind[place] = (float)(g.isAt(x, y) - bh::kTileChick1 + 1);
    g.Put(x, y, bh::kTileEmpty);
    g.PlaySFX(bh::kSfxChick, p.FollowerCount / 5 + 0.9f);
    g.Gimme(bh::kChickPoints, s.px, s.py - 16);
}

void TouchTiles(MyGame& g, PlayStep& s) {
    for (int x = 0; x < s.W; x++)
        for (int y = 0; y < s.H; y++) {
            int c = g.isAt(x, y);
            if (IsChick(c)) {
                int bx, by;
                ChickBob(g, s, x, y, bx, by);
                // A bird without lives left picks nothing up.
                if (BirdInPlay(g.Play) && Near(s, (float)bx, (float)by, s.TS, s.TS)) CollectChick(g, s, x, y);
            }
            float sx = (float)CellX(s, x), sy = (float)CellY(s, y);
            if (c == bh::kTileBramble && Near(s, sx, sy, 0.7f * s.TS, 0.85f * s.TS)) s.dead = 1;
        }
}

// Once the last life is gone the bird is only a memory: it lands on
// nothing, picks nothing up and scores nothing.
void PickUpHere(MyGame& g, const PlayStep& s) {
    PlayRecord& p = g.Play;
    int tx = (int)std::floor(p.PlayerX + 0.5f), ty = (int)std::floor(p.PlayerY);
    int here = g.isAt(tx, ty);
    if (BirdInPlay(p) && IsChick(here)) CollectChick(g, s, tx, ty);
}

// Landing on the active switch: it stays lit, the next one becomes active.
static void SwitchOn(MyGame& g, const PlayStep& s) {
    PlayRecord& p = g.Play;
    g.Gimme(bh::kSwitchPoints * s.m, s.px, s.py - 16);
    for (int x = 0; x < s.W; x++)
        for (int y = 0; y < s.H; y++) {
            int c = g.isAt(x, y);
            int sx = CellX(s, x), sy = CellY(s, y);
            if (IsActiveSwitch(c))
                for (int i = 0; i < 10; i++) {
                    float speed = g.Rnd(2, 4);
                    float angle = g.Rnd(0, 360);
                    float hue = g.Rnd(0, 360);
                    g.ThrowParticle((float)sx, (float)sy, hue, 7, 2, angle, speed);
                }
            if (c == bh::kTileSwitch2Left || c == bh::kTileSwitch2Right) SparkRing(g, (float)sx, (float)sy);
            // Every waiting switch moves one step up the line.
            int half = c % bh::kSwitchStep;
            if (c > bh::kSwitchStep && (half == bh::kTileSwitchOnLeft || half == bh::kTileSwitchOnRight))
                g.Put(x, y, (float)(c - bh::kSwitchStep));
        }
    g.PlaySFX(bh::kSfxSwitchOn, p.FollowerCount / 5 + 0.9f);
    p.SwitchesOn += 1;
    if (p.SwitchesOn == SwitchCount)
        SparkRing(g, (float)(int)(s.ox + (s.W - 3) * s.TS), (float)(int)(s.oy + (s.H - 6) * s.TS));
}

static void Land(MyGame& g, const PlayStep& s, int on, int ty) {
    PlayRecord& p = g.Play;
    p.SpeedY = 0;
    p.PlayerY = (float)ty;
    p.GroundTimer = 2;
    p.FlapFrame = 0;
    if ((on == bh::kTileExitTop || on == bh::kTileExitBody) && p.SwitchesOn == SwitchCount) {
        if (p.TimeLeft < 0) p.TimeLeft = 0;
        int bonus = bh::ExitBonus(p.TimeLeft, s.m);
        if (bonus > 0) g.Gimme(bonus, s.px, s.py - 16);
        g.GetLev();
        g.PlaySFX(bh::kSfxLevelDone, 1.0f);
    }
    if (IsActiveSwitch(on)) SwitchOn(g, s);
}

void TouchMap(MyGame& g, const PlayStep& s) {
    PlayRecord& p = g.Play;
    int tx = (int)std::floor(p.PlayerX + 0.5f), ty = (int)std::floor(p.PlayerY);

    // Ground under the bird, including the neighbour it overhangs.
    int on = 0;
    float u = g.Mod(p.PlayerX + 0.5f, 1);
    if (g.Solid(tx, ty + 1) && p.SpeedY > 0) on = g.isAt(tx, ty + 1);
    if (u > 0.85f && g.Solid(tx + 1, ty + 1) && p.SpeedY > 0) on = g.isAt(tx + 1, ty + 1);
    if (u < 0.15f && g.Solid(tx - 1, ty + 1) && p.SpeedY > 0) on = g.isAt(tx - 1, ty + 1);

    int wx = (int)std::floor(p.PlayerX);
    int rows = g.Mod(p.PlayerY, 1) > 0.15f ? 2 : 1;
    for (int row = ty; row < ty + rows; row++) {
        if (g.Solid(wx, row) && u < 0.35f && p.SpeedX < 0) p.SpeedX = 0;
        if (g.Solid(wx + 1, row) && u > 0.65f && p.SpeedX > 0) p.SpeedX = 0;
    }

    if (BirdInPlay(p) && on > 0) Land(g, s, on, ty);

    int hit = 0;
    if (g.Mod(p.PlayerY, 1) < 0.25f) {
        if (g.Solid(tx, ty - 1) && p.SpeedY < 0) hit = 1;
        if (u > 0.85f && g.Solid(tx + 1, ty - 1) && p.SpeedY < 0) hit = 1;
        if (u < 0.15f && g.Solid(tx - 1, ty - 1) && p.SpeedY < 0) hit = 1;
    }
    if (hit) {
        p.SpeedY = 0;
        p.PlayerY = (float)ty;
    }
}

// Below the lowest row the bird has fallen out of the cave.
void FallOut(MyGame& g, PlayStep& s) {
    if (s.py > g.ScreenH / 2 + (s.H * s.TS * 0.5f - s.TS * 0.5f)) s.dead = 1;
}

// An arm kills the bird; a chick it touches is knocked off the line, but
// not while the bird stands on the ground.
void TouchSpinners(MyGame& g, PlayStep& s) {
    PlayRecord& p = g.Play;
    float reach = 0.6f * s.TS;
    for (int x = 0; x < s.W; x++)
        for (int y = 0; y < s.H; y++) {
            if (g.isAt(x, y) != bh::kTileSpinner) continue;
            int n = (int)TileCell(g, x, y)[bh::kCellSpinArm];
            for (int i = 0; i < n; i++) {
                float bx, by;
                SpinnerArm(g, s, x, y, i, bx, by);
                if (Near(s, bx, by, reach, reach)) s.dead = 1;
                for (int j = 0; j < 3; j++) {
                    if (p.FollowerKind[j] <= 0 || p.GroundTimer >= 1) continue;
                    int k = (int)p.FollowerKind[j] - 1;
                    if (k > 2) continue;
                    if (std::fabs(p.ChickX[k] - bx) < reach && std::fabs(p.ChickY[k] - by) < reach) {
                        p.FollowerKind[j] = -1;
                        g.PlaySFX(bh::kSfxKnockedOff);
                    }
                }
            }
        }
}

// A respawned bird may appear inside a fireball's sweep; it needs a moment
// to get away before it can be hurt again.
static const float RespawnGraceFrames = 60;

static void Die(MyGame& g, const PlayStep& s) {
    PlayRecord& p = g.Play;
    g.PlaySFX(bh::kSfxDeath);
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
    if (BirdInPlay(p)) {
        p.PlayerX = 2;
        p.PlayerY = p.MapHeight - 6;
        p.RespawnHold = 1;
        p.RespawnGrace = RespawnGraceFrames;
    }
    if (OutOfLives(p)) g.EndGame(bh::kEndLivesLost);
    p.FollowerCount = 0;
    g.NoTrail();
}

// A bird waiting to respawn, or just back, cannot be hurt: one death, one
// life.
void TakeHit(MyGame& g, const PlayStep& s) {
    PlayRecord& p = g.Play;
    bool safe = p.RespawnHold > 0 || p.RespawnGrace > 0;
    if (s.dead == 1 && BirdInPlay(p) && p.GroundTimer < 1 && !safe) Die(g, s);
}
