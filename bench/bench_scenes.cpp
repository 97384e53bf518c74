#include "bench_scenes.h"
#include "Vell_glfw3.h"
#include "VellHooks.h"

#include <cstdio>
#include <cstring>

namespace {

PlayRecord savedPlay;
float savedMap[25 * 60 * 10];
float savedParticles[260 * 10];
float savedTrailX[100], savedTrailY[100];

float* Cell(int x, int y) { return &ThisGame.TileMap[(y * 60 + x) * 10]; }

}  // namespace

bool LoadGameAssets(const char* folder) {
    MyGame& g = ThisGame;
    snprintf(g.home, sizeof g.home, "%s", folder);
    g.GameNum = 552;  // names the Data folder
    g.LoadTo = 1;
    while (g.LoadTo > 0) g.Update();
    return ASys.ImageFrames[51] != -1;
}

void FillParticles() {
    MyGame& g = ThisGame;
    for (int i = 0; i < 256; i++) {
        float* p = &g.Particles[i * 10];
        p[0] = (float)(1 + i % 3);
        p[1] = (float)(40 + (i * 37) % 720);
        p[2] = (float)(60 + (i * 53) % 480);
        p[3] = 0.5f;
        p[4] = -0.5f;
        p[5] = (float)i;
        p[6] = (i % 3 == 2) ? p[2] + 16 : 1.0f;
        p[7] = 1000.0f;  // never fades within a benchmark
        p[8] = (float)(i * 7 % 360);
        p[9] = (float)(i % 48);
    }
}

void BuildBusyLevel() {
    MyGame& g = ThisGame;
    MillsFrozen = true;
    MillsOffset = 50000;
    g.GameNum = 552;
    g.FlushGame();
    // The backdrop buffer painted as a new game paints it, with a fixed
    // checkerboard of frames instead of random ones.
    for (int i = 0; i < 32; i++)
        for (int j = 0; j < 32; j++)
            g.BufferTile(5, 2, 32.0f * i, 32.0f * j, ((i + j) % 2 + 2 * ((i * 7 + j * 3) % 6)) % 12);
    g.ScreenW = 800;
    g.ScreenH = 600;
    g.Difficulty = 3;
    g.DifficultyCursor = 3;
    g.GameMode = 10;
    g.Paused = 0;
    g.LoadTo = 0;
    g.OverlayScreen = 0;
    g.Play.LevelNumber = 9;
    g.GetLev();
    // Skip the scroll-in: the new cave goes live at once.
    for (int y = 0; y < 25; y++) memcpy(Cell(0, y), Cell(0, y + 100), sizeof(float) * 10 * 60);
    g.Play.ScrollLeft = 0;
    int spinners = 0;
    for (int y = 0; y < 25; y++)
        for (int x = 0; x < 50; x++)
            if ((int)Cell(x, y)[0] == 11) spinners++;
    const int spots[3][2] = {{12, 9}, {25, 14}, {38, 9}};
    for (int i = 0; spinners < 3 && i < 3; i++, spinners++) {
        float* c = Cell(spots[i][0], spots[i][1]);
        c[0] = 11;
        c[5] = 40.0f * i;
        c[6] = 2;
        c[7] = 9;
    }
    g.Play.Lives = 3;
    g.Play.PlayerX = 25;
    g.Play.PlayerY = 6;
    g.Play.Facing = 1;
    for (int k = 0; k < 3; k++) {
        g.Play.FollowerKind[k] = (float)(k + 1);
        g.Play.ChickX[k] = 380.0f - 20 * k;
        g.Play.ChickY[k] = 200.0f;
    }
    g.Play.FollowerCount = 3;
    for (int i = 0; i < 100; i++) {
        g.TrailX[i] = 300.0f + i;
        g.TrailY[i] = 200.0f;
    }
    FillParticles();
    savedPlay = g.Play;
    memcpy(savedMap, g.TileMap, sizeof savedMap);
    memcpy(savedParticles, g.Particles, sizeof savedParticles);
    memcpy(savedTrailX, g.TrailX, sizeof savedTrailX);
    memcpy(savedTrailY, g.TrailY, sizeof savedTrailY);
}

void RestoreBusyLevel() {
    MyGame& g = ThisGame;
    g.Play = savedPlay;
    memcpy(g.TileMap, savedMap, sizeof savedMap);
    memcpy(g.Particles, savedParticles, sizeof savedParticles);
    memcpy(g.TrailX, savedTrailX, sizeof savedTrailX);
    memcpy(g.TrailY, savedTrailY, sizeof savedTrailY);
    g.GameEnding = 0;
    g.EndTimer = 0;
    g.Paused = 0;
}

void DescribeBusyLevel(char* out, int size) {
    MyGame& g = ThisGame;
    int spinners = 0, particles = 0;
    for (int y = 0; y < 25; y++)
        for (int x = 0; x < 50; x++)
            if ((int)Cell(x, y)[0] == 11) spinners++;
    for (int i = 0; i < 256; i++)
        if (g.Particles[i * 10] > 0) particles++;
    snprintf(out, (size_t)size, "level %.0f difficulty %d mode %d spinners %d followers %.0f particles %d/256",
             g.Play.LevelNumber, g.Difficulty, g.GameMode, spinners, g.Play.FollowerCount, particles);
}

void DescribeDrawList(int& records, int& imageChanges) {
    records = DrawToRT;
    imageChanges = 0;
    int last = -1;
    for (int n = 0; n < records; n++) {
        const double* c = &DrawR[n * 30];
        int kind = (int)c[0];
        int pixels;
        if (kind == 11 || kind == 12) pixels = (int)c[28];
        else if (kind == 13) pixels = 200 + (int)c[28];
        else if (kind == 50) {
            last = -1;  // a blend switch closes the batch
            continue;
        } else if (kind >= 1 && kind <= 6) pixels = -2;
        else continue;
        if (pixels != last) imageChanges++;
        last = pixels;
    }
}
