// The particle pool: sparks, debris, dust and the rising score numbers.
// Particles move a fixed distance per logic step, not per unit of time.
#include "play_steps.h"

static const int PoolSize = 256;
// The kind of a rising score number; the kinds below 90 are pictures.
static const int ScoreNumber = 99;

static float* FreeSlot(MyGame& g) {
    for (int i = 0; i < PoolSize; i++)
        if (g.Particles[i * 10] == 0) return &g.Particles[i * 10];
    return nullptr;
}

void MyGame::ThrowParticle(float x, float y, float hue, int row, int kind, float angle, float speed) {
    float* p = FreeSlot(*this);
    if (!p) return;
    p[0] = (float)kind;
    p[1] = x;
    p[2] = y;
    p[3] = Sin(angle) * speed;
    p[4] = -Cos(angle) * speed;
    p[5] = Rnd(0, 360);
    p[6] = Rnd(-2, 2);
    if (kind == 3) p[6] = y + Rnd(12, 20);
    p[7] = 1.5f;
    p[8] = hue;
    int r = row % 12;
    if (r < 0) r += 12;
    p[9] = (float)(Rand(0, 11) + r * 12);
}

void MyGame::Gimme(int points, float x, float y) { Gimme(points, x, y, 60); }

void MyGame::Gimme(int points, float x, float y, float hue) {
    Play.Score += (float)points;
    float* p = FreeSlot(*this);
    if (!p) return;
    p[0] = ScoreNumber;
    p[1] = x;
    p[2] = y;
    p[3] = p[4] = p[5] = p[6] = 0;
    p[7] = 1.5f;
    p[8] = hue;
    p[9] = (float)points;
}

void MyGame::DoParticles() {
    ResetDraw();
    SetSize(0.5f);
    for (int i = 0; i < PoolSize; i++) {
        float* p = &Particles[i * 10];
        int kind = (int)p[0];
        if (p[0] <= 0) continue;
        p[1] += p[3];
        p[2] += p[4];
        if (kind != 3) p[5] = Mod(p[6] + p[5], 360);
        float fade = 0.02f;
        if (kind == 2) p[4] += 0.25f;
        if (kind == 3) {
            p[5] = Mod(p[3] + p[5], 360);
            p[4] += 0.25f;
            if (p[2] > p[6]) p[4] = -Rnd(2, 5);
        }
        InkRot(p[8]);
        Alpha(p[7]);
        SetRot(p[5]);
        if (kind < 90) DrawImg(bh::kImgParticles, p[1], p[2], (int)p[9]);
        if (kind == ScoreNumber) {
            p[4] -= 0.05f;
            Text(p[1], p[2], fstr("%i", (int)p[9]), 1);
            fade = 0.05f;
        }
        p[7] -= fade;
        if (p[7] < 0) p[0] = 0;
    }
}
