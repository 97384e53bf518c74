// Starting a new game, and the patterned background of the front-end
// screens.
#include <climits>
#include <cstring>

#include "GameAssets.h"
#include "play_steps.h"

void MyGame::LoadGame() {
    PlayRecord& p = Play;
    FlushGame();
    if (Settings[bh::kSettingGamesPlayed] < INT_MAX) Settings[bh::kSettingGamesPlayed] += 1;
    p.LevelNumber = 0;
    p.BackdropScroll = (float)Rand(0, bh::kBackdropSize);
    // A checkerboard of odd and even backdrop frames, so neighbours differ.
    for (int i = 0; i < 32; i++)
        for (int j = 0; j < 32; j++) {
            int t = ((i + j) % 2 + 2 * Rand(0, 5)) % 12;
            BufferTile(bh::kImgBackdrop, bh::kImgBackdropTiles, 32.0f * i, 32.0f * j, t);
        }
    SeedRnd();
    p.MapWidth = bh::kCaveWidth;
    p.MapHeight = bh::kCaveHeight;
    p.TileSize = 16;
    p.TileScale = 0.5f;
    NoTrail();
    for (int k = 0; k < 3; k++) p.ChickX[k] = -256;

    // The introductory room: a floor right across with the exit already
    // open, so the first real cave is made when the bird first lands there.
    for (int x = 0; x < bh::kCaveWidth; x++)
        for (int y = 0; y < bh::kCaveHeight; y++) {
            float* cell = TileCell(*this, x, y);
            memset(cell, 0, bh::kCellFloats * sizeof(float));
            bool exit = x >= 45;
            if (y == 0) cell[bh::kCellCode] = bh::kTileBramble;
            if (y == 20) cell[bh::kCellCode] = exit ? bh::kTileExitTop : bh::kTileStartTop;
            if (y > 20) cell[bh::kCellCode] = exit ? bh::kTileExitBody : bh::kTileStartBody;
        }
    p.PlayerX = p.MapWidth / 2;
    p.PlayerY = p.MapHeight - 6;
    p.Facing = 1;
    p.Lives = bh::kStartingLives;
    p.SwitchesOn = SwitchCount;
    GameMode = bh::kModePlaying;
}

void MyGame::AddPlatBG() {
    // Less Motion holds the pattern still, on the colour it starts with.
    bool calm = Settings[bh::kSettingCalmMotion] == 1;
    SetCLSRot(calm ? 0.0f : (float)(Mills() / 64.0), 0, 50);
    ResetDraw();
    SetAlpha(0.3f);
    int shift = calm ? 0 : (int)(Mills() / 32.0) % 64;
    for (int i = -2; i < ScreenW / 64 + 3; i++)
        for (int j = -2; j < ScreenH / 64 + 3; j++)
            DrawImg(bh::kImgIcons, 64.0f * i, (float)(64 * j - shift), bh::kIconPattern);
}

void MyGame::AddPanel(float w, float h) {
    AddPlatBG();
    ResetDraw();
    SetCol(0, 0, 0, 0.7f);
    Rect(ScreenW / 2.0f, ScreenH / 2.0f, w, h);
}
